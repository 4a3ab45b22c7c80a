// tessaro-cli export FILE.alg OUT: the whole diagram as a picture file, the
// format chosen by OUT's extension (.emf .jpg .png .svg .pdf).
#include <cstdio>
#include <string>

#include "cli/commands.h"

#ifdef TESSARO_WITH_PICTURES
#include <QByteArray>
#include <QGuiApplication>

#include "core/diagram/renderer.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/document/document_state.h"
#include "picture/picture_export.h"
#include "picture/qt_canvas.h"
#endif

namespace tessaro::cli {

#ifdef TESSARO_WITH_PICTURES

namespace {

int FailExport(int code, const std::string& path, const char* why) {
  std::fprintf(stderr, "tessaro-cli: export: %s: %s\n", path.c_str(), why);
  return code;
}

TObszar Extents(const std::vector<Tobj>& bloki) {
  std::vector<const Tobj*> all;
  for (const Tobj& e : bloki) all.push_back(&e);
  return ComputeExtents(all);
}

}  // namespace

int RunExport(const CliOptions& options) {
  if (options.positional.size() != 2) {
    std::fprintf(stderr, "usage: tessaro-cli export FILE.alg OUT.{emf,jpg,png,svg,pdf}\n");
    return kExitUsage;
  }
  const std::string& input = options.positional[0];
  const std::string& output = options.positional[1];
  const picture::PictureFormat format = picture::PictureFormatOf(QString::fromLocal8Bit(output.c_str()));
  if (format == picture::PictureFormat::Unknown) {
    return FailExport(kExitUsage, output, "unknown picture type (use .emf, .jpg, .png, .svg or .pdf)");
  }
  TMemoryStream bytes;
  if (!ReadAlgorithmFile(input, bytes)) return FailExport(kExitNoInput, input, "cannot read the file");
  TAlgRead read = ReadAlgorithm(bytes, TElementDefaults{});
  if (!read.ok) return FailExport(kExitNoInput, input, "not a readable algorithm file");

  // Text measurement needs Qt's fonts, not a display.
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  int argc = 1;
  char name[] = "tessaro-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  picture::QtTextMetrics metrics;
  DiagramRenderer renderer(metrics);
  RenderScene scene;
  scene.Bloki = &read.bloki;
  // The first pass fits every block to its text; the extents follow the new sizes.
  scene.Obszar = Extents(read.bloki);
  renderer.RysujSchemat(kModePrint, scene);
  scene.Obszar = Extents(read.bloki);
  renderer.RysujSchemat(kModePrint, scene);
  const DiagramPicture& picture = renderer.Picture();
  RasterFit raster;
  if (!picture::WritePicture(picture, picture.FrameWithInk(), format, output, metrics, &raster)) {
    return FailExport(kExitCantCreate, output, "cannot write the picture");
  }
  if (raster.reduced && (format == picture::PictureFormat::Jpeg || format == picture::PictureFormat::Png)) {
    std::fprintf(stderr, "tessaro-cli: %s: the picture was too large and was scaled down to %d x %d pixels\n",
                 output.c_str(), raster.width, raster.height);
  }
  return kExitOk;
}

#else

int RunExport(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'export' needs the program built with its windows (TESSARO_GUI)\n");
  return kExitUsage;
}

#endif

}  // namespace tessaro::cli

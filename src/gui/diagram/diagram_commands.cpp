#include "gui/diagram/diagram_commands.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <exception>

#include "core/diagram/view_math.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "gui/diagram/clipboard_drawing.h"
#include "gui/diagram/diagram_view.h"
#include "gui/shell/qt_text.h"
#include "picture/picture_export.h"

namespace tessaro::gui {

namespace {

// The extents of the whole diagram; a picture of it changes no diagram, so
// the changed flag stays as it was.
void MeasureDiagram(TDocumentState& state) {
  const bool changed = state.Zmiana;
  state.WyznaczObszar();
  state.Zmiana = changed;
}

constexpr const char* kMsgPrintedNatural = "msgm00020";
constexpr const char* kMsgPrintedScaled = "msgm00019";
constexpr const char* kMsgExportCaption = "msgm00007";
constexpr const char* kMsgPrintCaption = "msgm00008";
constexpr const char* kMsgPrintFailed = "msgm00060";
constexpr const char* kMsgExportFailed = "msgm00058";
constexpr const char* kMsgExportFailedEnd = "msgm00043";
constexpr int kFilterCount = static_cast<int>(std::size(kExportFilters));

int32_t Width(const TRect& r) { return r.Right - r.Left; }
int32_t Height(const TRect& r) { return r.Bottom - r.Top; }

bool DefaultPrintDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void DefaultPageSetupDialog(QPrinter& printer, QWidget* parent) {
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
}

QString DefaultSaveDialog(QWidget* parent, const QString& proposed, int& filter_index) {
  QStringList filters;
  // The names of the formats, in the order of kExportFilters.
  static constexpr const char* kFilterNames[] = {"msgm00090", "msgm00091", "msgm00092", "msgm00093", "msgm00094"};
  static_assert(std::size(kFilterNames) == std::size(kExportFilters));
  for (const char* id : kFilterNames) filters << Tr(id);
  QFileDialog dialog(parent, Tr("msg00095"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  filter_index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  return dialog.selectedFiles().first();
}

}  // namespace

QString ExportFileName(const QString& chosen, int filter_index) {
  if (filter_index < 0 || filter_index >= kFilterCount) filter_index = 0;
  const QString extension = QString::fromLatin1(kExportFilters[filter_index].extension);
  if (chosen.toLower().contains(extension)) return chosen;
  return chosen + extension;
}

DiagramCommands::DiagramCommands(TDocumentState& state, DiagramView& view, QWidget* parent)
    : PrintDialog(DefaultPrintDialog),
      PageSetupDialog(DefaultPageSetupDialog),
      SaveDialog(DefaultSaveDialog),
      state_(state),
      view_(view),
      parent_(parent),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

DiagramCommands::~DiagramCommands() = default;

void DiagramCommands::ActionUstawieniaDrukarkiExecute() { PageSetupDialog(*printer_, parent_); }

void DiagramCommands::ActionDrukujExecute() {
  state_.Wybrany = -1;
  MeasureDiagram(state_);
  const DiagramPicture& picture = view_.RenderPicture(kModePrint, state_.ObszarSchematu);
  if (!PrintDialog(*printer_, parent_)) return;
  bool ok = false;
  try {
    QPrinter& printer = *printer_;
    // The page is addressed from its physical corner, so the offsets of the
    // printable area are margins on both sides.
    printer.setFullPage(true);
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    PrintPage page;
    page.dpi_x = printer.logicalDpiX();
    page.dpi_y = printer.logicalDpiY();
    page.page_width = paper.width();
    page.page_height = paper.height();
    page.offset_x = printable.left() - paper.left();
    page.offset_y = printable.top() - paper.top();
    const TRect frame = picture.FrameWithInk();
    const PageTiling tiles = TilePages(Width(frame), Height(frame), page);
    printer.setDocName(QStringLiteral("Tessaro - ") + (DocumentName ? DocumentName() : QString()));
    QPainter painter;
    if (tiles.columns * tiles.rows == 1) {
      const PrintPlacement place = PlaceOnPage(Width(frame), Height(frame), page);
      if (ShowStatus) ShowStatus(Tr(place.natural_size ? kMsgPrintedNatural : kMsgPrintedScaled));
      if (painter.begin(&printer)) {
        painter.translate(place.x, place.y);
        if (Width(frame) > 0 && Height(frame) > 0) {
          painter.scale(static_cast<double>(place.width) / Width(frame), static_cast<double>(place.height) / Height(frame));
        }
        picture::PaintPicture(picture, frame, painter, view_.Metrics());
        ok = painter.end();
      }
    } else if (painter.begin(&printer)) {
      // Too large for one page at a readable size: pieces of the diagram,
      // row by row, each filling the printable area.
      if (ShowStatus) ShowStatus(Tr(tiles.factor >= 1 ? kMsgPrintedNatural : kMsgPrintedScaled));
      const double sx = tiles.factor * page.dpi_x / 72.0;
      const double sy = tiles.factor * page.dpi_y / 72.0;
      ok = true;
      for (int32_t row = 0; row < tiles.rows && ok; ++row) {
        for (int32_t column = 0; column < tiles.columns && ok; ++column) {
          if ((row > 0 || column > 0) && !printer.newPage()) ok = false;
          painter.save();
          painter.translate(page.offset_x, page.offset_y);
          painter.setClipRect(QRectF(0, 0, tiles.piece_width * sx, tiles.piece_height * sy));
          painter.scale(sx, sy);
          painter.translate(-column * tiles.piece_width, -row * tiles.piece_height);
          picture::PaintPicture(picture, frame, painter, view_.Metrics());
          painter.restore();
        }
      }
      ok = painter.end() && ok;
    }
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) Komunikat(LangText(kMsgPrintCaption), LangText(kMsgPrintFailed));
}

void DiagramCommands::ActionEksportujDoPlikuExecute() {
  int filter = 0;
  const QString chosen = SaveDialog(parent_, DocumentName ? DocumentName() : QString(), filter);
  if (chosen.isEmpty()) return;
  MeasureDiagram(state_);
  const QString name = ExportFileName(chosen, filter);
  const DiagramPicture& picture = view_.RenderPicture(kModePrint, state_.ObszarSchematu);
  picture::PictureFormat format = picture::PictureFormatOf(QString::fromLatin1(kExportFilters[filter].extension));
  RasterFit raster;
  if (!picture::WritePicture(picture, picture.FrameWithInk(), format, ToPath(name), view_.Metrics(), &raster)) {
    Komunikat(LangText(kMsgExportCaption), LangText(kMsgExportFailed) + ToCore(name) + LangText(kMsgExportFailedEnd));
  } else if (raster.reduced && (format == picture::PictureFormat::Jpeg || format == picture::PictureFormat::Png) && ShowStatus) {
    ShowStatus(Tr("msgexp00001") + QStringLiteral(" %1 x %2").arg(raster.width).arg(raster.height));
  }
}

namespace {

// No enhanced-metafile clipboard format exists here: the picture goes as SVG
// for drawing programs and as a bitmap for everything else.
void PutOnClipboard(const DiagramPicture& picture, picture::QtTextMetrics& metrics) {
  const TRect frame = picture.FrameWithInk();
  const QByteArray svg = picture::PictureSvg(picture, frame, metrics);
  const QImage image = picture::PictureImage(picture, frame, picture::FitPicture(frame, picture::PictureFormat::Png), metrics);
  PutDrawingOnClipboard(svg, image);
}

}  // namespace

void DiagramCommands::ActionEksportujDoSchowkaExecute() {
  MeasureDiagram(state_);
  PutOnClipboard(view_.RenderPicture(kModePrint, state_.ObszarSchematu), view_.Metrics());
  view_.RysujSchemat();
}

void DiagramCommands::CopyBlocksPicture() {
  std::vector<int32_t> members;
  for (const TSchowek& entry : state_.Schowek) members.push_back(entry.Indeks);
  PutOnClipboard(view_.RenderPicture(kModeClipboard, state_.WyznaczObszarSchowka(), &members), view_.Metrics());
}

}  // namespace tessaro::gui

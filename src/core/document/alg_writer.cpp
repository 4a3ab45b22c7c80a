#include "core/document/alg_writer.h"

#include "core/document/alg_format.h"
#include "core/document/byte_writer.h"
#include "core/platform/version.h"

namespace tessaro {

namespace {

// Fields in file order: links and NieTak before the text, the style after it.
bool WriteRecord(ByteWriter& w, const Tobj& e) {
  w.Int32(e.Left);
  w.Int32(e.Top);
  w.Int32(e.Width);
  w.Int32(e.Height);
  w.Int32(e.Blok);
  w.Int32(e.Link1);
  w.Int32(e.Link2);
  w.Byte(e.NieTak);
  if (!w.String16(e.Kod)) return false;
  w.Int32(e.Styl.KolorWypelnienia);
  w.Int32(e.Styl.KolorObrysu);
  w.Int32(e.Styl.KolorTekstu);
  for (uint8_t f : e.Styl.Flagi) w.Byte(f);
  if (!w.String16(e.Styl.NazwaCzcionki)) return false;
  w.Int32(e.Styl.RozmiarCzcionki);
  return true;
}

}  // namespace

bool ZapiszSchemat(const std::vector<Tobj>& bloki, TMemoryStream& stream) {
  // The stream's exact size, so a large diagram is not copied while its buffer grows.
  const std::string version = ProgramVersion();
  size_t size = sizeof(uint32_t) + sizeof(uint16_t) + version.size() + sizeof(int32_t);
  for (const Tobj& e : bloki) size += kMinRecordSize + e.Kod.size() + e.Styl.NazwaCzcionki.size();
  ByteWriter w;
  w.Reserve(size);
  w.UInt32(kCurrentMagic);
  w.String16(version);
  w.Int32(static_cast<int32_t>(bloki.size()));
  for (const Tobj& e : bloki) {
    if (!WriteRecord(w, e)) return false;
  }
  stream = std::move(w.bytes());
  return true;
}

}  // namespace tessaro

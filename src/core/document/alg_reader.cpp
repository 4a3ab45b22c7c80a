#include "core/document/alg_reader.h"

#include "core/document/byte_reader.h"
#include "core/document/document_state.h"
#include "core/document/legacy_text.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"

namespace tessaro {

namespace {

// One record of the fixed-record formats, before conversion.
struct LegacyRecord {
  int32_t Left, Top, Width, Height, Blok;
  std::string Kod;
  int32_t Link1, Link2;
  uint8_t NieTak;
};

void ReadCurrentRecord(ByteReader& r, Tobj& e) {
  e.Left = r.Int32();
  e.Top = r.Int32();
  e.Width = r.Int32();
  e.Height = r.Int32();
  e.Blok = r.Int32();
  e.Link1 = r.Int32();
  e.Link2 = r.Int32();
  e.NieTak = r.Byte();
  e.Kod = r.String16();
  e.Styl.KolorWypelnienia = r.Int32();
  e.Styl.KolorObrysu = r.Int32();
  e.Styl.KolorTekstu = r.Int32();
  for (uint8_t& f : e.Styl.Flagi) f = r.Byte();
  e.Styl.NazwaCzcionki = r.String16();
  e.Styl.RozmiarCzcionki = r.Int32();
  e.Zaznaczony = 0;
}

// After the magic: the version text (ignored), N, N records.
bool ReadCurrent(ByteReader& r, std::vector<Tobj>& out) {
  r.Skip(r.UInt16());
  int32_t n = r.Int32();
  if (!r.Holds(n, kMinRecordSize)) return false;
  out.resize(static_cast<size_t>(n));
  for (Tobj& e : out) {
    ReadCurrentRecord(r, e);
    if (!r.ok()) return false;
  }
  return r.ok();
}

LegacyRecord ReadLegacyRecord(ByteReader& r) {
  LegacyRecord rec;
  rec.Left = r.Int32();
  rec.Top = r.Int32();
  rec.Width = r.Int32();
  rec.Height = r.Int32();
  rec.Blok = r.Int32();
  // A short string: a length byte, then 255 bytes of room.
  uint8_t length = r.Byte();
  std::string room = r.Bytes(kShortStringRoom);
  rec.Kod = room.substr(0, length);
  rec.Link1 = r.Int32();
  rec.Link2 = r.Int32();
  rec.NieTak = r.Byte();
  r.Skip(3);
  return rec;
}

// The oldest format spoke an older language and counted blocks from 1.
void RewriteOldest(LegacyRecord& rec) {
  // assign(), since g++ 12 warns falsely (-Wrestrict) on assigning a literal here.
  if (rec.Blok == Start || rec.Blok == Koniec) rec.Kod.assign(1, ' ');
  if (rec.Blok == Przetwarzanie) rec.Kod = RewriteOldestAssignments(rec.Kod);
  if (rec.Blok == Warunek) rec.Kod = RewriteOldestComparisons(rec.Kod);
  // Wrapping keeps a corrupt INT32_MIN link defined; it stays out of range either way.
  rec.Link1 = static_cast<int32_t>(static_cast<uint32_t>(rec.Link1) - 1u);
  rec.Link2 = static_cast<int32_t>(static_cast<uint32_t>(rec.Link2) - 1u);
}

Tobj ConvertLegacy(const LegacyRecord& rec, const TElementDefaults& defaults) {
  Tobj e;
  e.Left = rec.Left;
  e.Top = rec.Top;
  e.Width = rec.Width;
  e.Height = rec.Height;
  e.Blok = rec.Blok;
  e.Kod = rec.Kod;
  e.Link1 = rec.Link1;
  e.Link2 = rec.Link2;
  e.NieTak = rec.NieTak;
  e.Zaznaczony = 0;
  e.Styl.KolorTekstu = 0;
  e.Styl.KolorWypelnienia = rec.Blok == Notatka ? kNoteFillColour : defaults.KolorWypelnienia;
  e.Styl.KolorObrysu = defaults.KolorObrysu;
  e.Styl.Flagi[0] = e.Styl.Flagi[1] = e.Styl.Flagi[2] = 1;
  e.Styl.NazwaCzcionki = defaults.NazwaCzcionki;
  e.Styl.RozmiarCzcionki = defaults.RozmiarCzcionki;
  return e;
}

// After the magic: N, then N records of 288 bytes.
bool ReadLegacy(ByteReader& r, bool oldest, const TElementDefaults& defaults,
                std::vector<Tobj>& out) {
  int32_t n = r.Int32();
  if (!r.Holds(n, kLegacyRecordSize)) return false;
  out.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    LegacyRecord rec = ReadLegacyRecord(r);
    if (!r.ok()) return false;
    if (oldest) RewriteOldest(rec);
    out.push_back(ConvertLegacy(rec, defaults));
  }
  return r.ok();
}

void ShowNotice(const char* caption_id, const char* text_id) {
  Komunikat(LangText(caption_id), LangText(text_id));
}

}  // namespace

TAlgRead ReadAlgorithm(std::span<const uint8_t> stream, const TElementDefaults& defaults) {
  TAlgRead result;
  ByteReader r(stream);
  uint32_t magic = r.UInt32();
  if (!r.ok()) return result;
  result.format = FormatOfMagic(magic);
  if (!result.format) return result;
  switch (*result.format) {
    case AlgFormat::Current:
    case AlgFormat::Previous:
      result.ok = ReadCurrent(r, result.bloki);
      break;
    case AlgFormat::Legacy:
    case AlgFormat::Oldest:
      result.ok = ReadLegacy(r, *result.format == AlgFormat::Oldest, defaults, result.bloki);
      break;
  }
  if (!result.ok) result.bloki.clear();
  return result;
}

bool WczytajSchemat(TDocumentState& state, std::span<const uint8_t> stream) {
  // The previous format is announced before it is read.
  ByteReader probe(stream);
  if (FormatOfMagic(probe.UInt32()) == AlgFormat::Previous && probe.ok()) {
    ShowNotice("msgm00046", "msgm00018");
  }
  TAlgRead read = ReadAlgorithm(stream, state.DefaultStyle());
  if (!read.ok) {
    ShowNotice("msgm00023", "msgm00039");
    return false;
  }
  state.Bloki = std::move(read.bloki);
  if (read.format == AlgFormat::Legacy) ShowNotice("msgm00046", "msgm00017");
  if (read.format == AlgFormat::Oldest) ShowNotice("msgm00046", "msgm00016");
  return true;
}

}  // namespace tessaro

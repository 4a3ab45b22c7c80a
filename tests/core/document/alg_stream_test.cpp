// Writing and reading algorithm streams in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocation_probe.h"
#include "alg_fixtures.h"
#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/document_state.h"
#include "core/i18n/language.h"
#include "core/platform/version.h"
#include "support/recording_dialogs.h"

namespace tessaro {
namespace {

constexpr uint32_t kPreviousMagic = 0x0403C25A;
constexpr uint32_t kLegacyMagic = 0x0A01673E;
constexpr uint32_t kOldestMagic = 0x39B06F3E;

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<uint8_t> VersionBlock() {
  std::string v = ProgramVersion();
  ByteWriter w;
  w.String16(v);
  return w.bytes();
}

std::vector<uint8_t> Written(const std::vector<Tobj>& bloki) {
  TMemoryStream s;
  EXPECT_TRUE(ZapiszSchemat(bloki, s));
  return s;
}

// A state already holding one element, to see that failed reads leave it alone.
TDocumentState StateWithSentinel() {
  TDocumentState state;
  Tobj sentinel;
  sentinel.Kod = "sentinel";
  state.Bloki = {sentinel};
  return state;
}

void ExpectUnknownFormatNotice(const test::RecordingDialogs& dialogs) {
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "Komunikat");
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgm00023"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgm00039"));
}

TEST(AlgWriter, ExactBytes) {
  Tobj one;
  one.Left = 1;
  one.Top = -2;
  one.Width = 0x0304;
  one.Height = 5;
  one.Blok = Przetwarzanie;
  one.Link1 = 6;
  one.Link2 = -1;
  one.NieTak = 1;
  one.Kod = "a:=1";
  one.Styl.KolorWypelnienia = 0xBBFFFF;
  one.Styl.KolorObrysu = 0x112233;
  one.Styl.KolorTekstu = 0;
  one.Styl.Flagi[0] = 1;
  one.Styl.Flagi[1] = 2;
  one.Styl.Flagi[2] = 3;
  one.Styl.NazwaCzcionki = "Ab";
  one.Styl.RozmiarCzcionki = 9;
  one.Zaznaczony = 1;  // never stored
  std::vector<uint8_t> header = Concat(Bytes({0x9F, 0x1E, 0x68, 0x03}), VersionBlock());
  std::vector<uint8_t> record = Bytes({
      1, 0, 0, 0,  0xFE, 0xFF, 0xFF, 0xFF,  4, 3, 0, 0,  5, 0, 0, 0,  // Left Top Width Height
      3, 0, 0, 0,                                                     // Blok
      6, 0, 0, 0,  0xFF, 0xFF, 0xFF, 0xFF,  1,                        // Link1 Link2 NieTak
      4, 0, 'a', ':', '=', '1',                                       // Kod
      0xFF, 0xFF, 0xBB, 0,  0x33, 0x22, 0x11, 0,  0, 0, 0, 0,         // colours
      1, 2, 3,                                                        // Flagi
      2, 0, 'A', 'b',                                                 // NazwaCzcionki
      9, 0, 0, 0,                                                     // RozmiarCzcionki
  });
  EXPECT_EQ(Written({}), Concat(header, Bytes({0, 0, 0, 0})));
  EXPECT_EQ(Written({one}), Concat(Concat(header, Bytes({1, 0, 0, 0})), record));
}

TEST(AlgWriter, RefusesTextsTooLongForTheirCount) {
  Tobj fits;
  fits.Kod = std::string(0xFFFF, 'k');
  fits.Styl.NazwaCzcionki = std::string(0xFFFF, 'f');
  Tobj long_text = fits;
  long_text.Kod += 'k';
  Tobj long_font = fits;
  long_font.Styl.NazwaCzcionki += 'f';

  const TMemoryStream before = {1, 2, 3};
  for (const Tobj& bad : {long_text, long_font}) {
    TMemoryStream s = before;
    EXPECT_FALSE(ZapiszSchemat({fits, bad}, s));
    EXPECT_EQ(s, before);
  }
  TMemoryStream s;
  ASSERT_TRUE(ZapiszSchemat({fits}, s));
  TAlgRead read = ReadAlgorithm(s, {});
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.bloki[0], fits);
}

TEST(AlgStream, RoundTripKeepsEveryFieldButTheGroupMark) {
  std::vector<Tobj> diagram = test::SampleDiagram();
  diagram[1].Zaznaczony = 1;
  test::RecordingDialogs dialogs;
  TDocumentState state;
  ASSERT_TRUE(WczytajSchemat(state, Written(diagram)));
  diagram[1].Zaznaczony = 0;
  EXPECT_EQ(state.Bloki, diagram);
  EXPECT_TRUE(dialogs.shown.empty());

  // An empty document reloads to an empty diagram.
  state.Bloki = diagram;
  ASSERT_TRUE(WczytajSchemat(state, Written({})));
  EXPECT_TRUE(state.Bloki.empty());
}

TEST(AlgStream, DataBeyondTheCountsIsIgnored) {
  std::vector<uint8_t> bytes = Concat(Written(test::SampleDiagram()), Bytes({0xDE, 0xAD}));
  TAlgRead read = ReadAlgorithm(bytes, {});
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.bloki, test::SampleDiagram());
}

// Records how many elements the diagram held when each notice was shown.
class AnnouncementWatcher final : public Dialogs {
 public:
  explicit AnnouncementWatcher(const TDocumentState& state) : state_(state) { SetDialogs(this); }
  ~AnnouncementWatcher() override { SetDialogs(nullptr); }
  void Komunikat(const std::string& caption, const std::string& text) override {
    shown.push_back({"Komunikat", caption, text});
    elements_when_shown.push_back(state_.Bloki.size());
  }
  Answer PytanieTakNie(const std::string&, const std::string&, QuestionIcon) override {
    return Answer::No;
  }
  Answer PytanieTakNieAnuluj(const std::string&, const std::string&) override { return Answer::No; }

  std::vector<test::RecordingDialogs::Shown> shown;
  std::vector<size_t> elements_when_shown;

 private:
  const TDocumentState& state_;
};

// The previous format is the current layout; it is announced, then read.
TEST(AlgStream, PreviousFormatIsAnnouncedThenReadAsCurrent) {
  std::vector<uint8_t> bytes = Written(test::SampleDiagram());
  bytes[0] = 0x5A;
  bytes[1] = 0xC2;
  bytes[2] = 0x03;
  bytes[3] = 0x04;
  TDocumentState state = StateWithSentinel();
  AnnouncementWatcher dialogs(state);
  ASSERT_TRUE(WczytajSchemat(state, bytes));
  EXPECT_EQ(state.Bloki, test::SampleDiagram());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgm00046"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgm00018"));
  EXPECT_EQ(dialogs.elements_when_shown, std::vector<size_t>{1});  // still the old diagram
}

TEST(AlgStream, UnknownMagicLeavesTheDiagram) {
  const std::vector<std::vector<uint8_t>> streams = {
      {}, Bytes({0x9F, 0x1E, 0x68}), Bytes({0x9F, 0x1E, 0x68, 0x04, 0, 0, 0, 0, 0, 0}),
      Bytes({'P', 'K', 3, 4, 0, 0, 0, 0})};
  for (const auto& bytes : streams) {
    TDocumentState state = StateWithSentinel();
    test::RecordingDialogs dialogs;
    EXPECT_FALSE(WczytajSchemat(state, bytes));
    EXPECT_EQ(state.Bloki, StateWithSentinel().Bloki);
    ExpectUnknownFormatNotice(dialogs);
    EXPECT_FALSE(ReadAlgorithm(bytes, {}).format.has_value());
  }
}

struct LegacyTextCase {
  int32_t blok;
  std::string stored;
  std::string oldest;  // as the oldest format loads it; the legacy format keeps `stored`
};

const LegacyTextCase kLegacyTexts[] = {
    {Przetwarzanie, "x=x+1", "x:=x+1"},
    {Przetwarzanie, "a=1\r\nb=a", "a:=1\r\nb:=a"},
    {Warunek, "x=1", "x==1"},
    {Warunek, "x<=1", "x<=1"},
    {Warunek, "x>=1", "x>=1"},
    {Warunek, "x!=1", "x!=1"},
    {Warunek, "x=<1", "x=<1"},
    {Warunek, "x=>1", "x=>1"},
    {Start, "begin", " "},
    {Koniec, "", " "},
    {WeWY, "write a=1", "write a=1"},
    {Notatka, "a=b", "a=b"},
    {Wezel, "", ""},
};

TEST(AlgStream, LegacyFormatsAreConverted) {
  TElementDefaults settings;
  settings.KolorWypelnienia = 0x010203;
  settings.KolorObrysu = 0x040506;
  settings.NazwaCzcionki = "Tahoma";
  settings.RozmiarCzcionki = 12;

  for (uint32_t magic : {kLegacyMagic, kOldestMagic}) {
    SCOPED_TRACE(magic);
    const bool oldest = magic == kOldestMagic;
    std::vector<test::LegacyFields> records;
    for (const LegacyTextCase& c : kLegacyTexts) records.push_back({c.blok, c.stored, 1, 0, 0});
    records.push_back({Warunek, "y", 5, 3, 1});

    TDocumentState state = StateWithSentinel();
    state.OnDefaultStyle = [&](const TDocumentState&) { return settings; };
    test::RecordingDialogs dialogs;
    ASSERT_TRUE(WczytajSchemat(state, test::LegacyStream(magic, records)));
    ASSERT_EQ(state.Bloki.size(), records.size());

    for (size_t i = 0; i < records.size(); ++i) {
      SCOPED_TRACE(i);
      const Tobj& e = state.Bloki[i];
      if (i < std::size(kLegacyTexts)) {
        EXPECT_EQ(e.Kod, oldest ? kLegacyTexts[i].oldest : kLegacyTexts[i].stored);
      }
      EXPECT_EQ(e.Left, static_cast<int32_t>(10 * i));
      EXPECT_EQ(e.Top, -20 * static_cast<int32_t>(i));
      EXPECT_EQ(e.Width, 80);
      EXPECT_EQ(e.Height, static_cast<int32_t>(40 + i));
      EXPECT_EQ(e.Blok, records[i].blok);
      EXPECT_EQ(e.Link1, records[i].link1 - (oldest ? 1 : 0));
      EXPECT_EQ(e.Link2, records[i].link2 - (oldest ? 1 : 0));
      EXPECT_EQ(e.NieTak, records[i].nie_tak);
      EXPECT_EQ(e.Zaznaczony, 0);
      EXPECT_EQ(e.Styl.KolorWypelnienia, e.Blok == Notatka ? kNoteFillColour : 0x010203);
      EXPECT_EQ(e.Styl.KolorObrysu, 0x040506);
      EXPECT_EQ(e.Styl.KolorTekstu, 0);
      EXPECT_EQ(std::vector<uint8_t>(e.Styl.Flagi, e.Styl.Flagi + 3), std::vector<uint8_t>(3, 1));
      EXPECT_EQ(e.Styl.NazwaCzcionki, "Tahoma");
      EXPECT_EQ(e.Styl.RozmiarCzcionki, 12);
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, LangText("msgm00046"));
    EXPECT_EQ(dialogs.shown[0].text, LangText(oldest ? "msgm00016" : "msgm00017"));
  }
}

TEST(AlgStream, LegacyShortStringOfFullLength) {
  std::string full(255, 'q');
  TAlgRead read = ReadAlgorithm(test::LegacyStream(kLegacyMagic, {{Przetwarzanie, full}}), {});
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.bloki[0].Kod, full);
}

// Every proper prefix of a valid stream is rejected as a whole.
TEST(AlgStream, EveryTruncationIsRejected) {
  std::vector<uint8_t> previous = Written(test::SampleDiagram());
  previous[0] = 0x5A, previous[1] = 0xC2, previous[2] = 0x03, previous[3] = 0x04;
  const std::vector<std::vector<uint8_t>> streams = {
      Written(test::SampleDiagram()),
      previous,
      test::LegacyStream(kLegacyMagic, {{Start, ""}, {Przetwarzanie, "a=1"}}),
      test::LegacyStream(kOldestMagic, {{Warunek, "a=1"}}),
  };
  for (const auto& full : streams) {
    for (size_t size = 0; size < full.size(); ++size) {
      SCOPED_TRACE(size);
      // A copy of exactly `size` bytes, so the sanitizers see any read past it.
      std::vector<uint8_t> prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
      TDocumentState state = StateWithSentinel();
      test::RecordingDialogs dialogs;
      EXPECT_FALSE(WczytajSchemat(state, prefix));
      EXPECT_EQ(state.Bloki, StateWithSentinel().Bloki);
      ASSERT_FALSE(dialogs.shown.empty());
      EXPECT_EQ(dialogs.shown.back().caption, LangText("msgm00023"));
      EXPECT_EQ(dialogs.shown.back().text, LangText("msgm00039"));
      if (size >= 4 && full[0] == 0x5A) {
        EXPECT_EQ(dialogs.shown.size(), 2u);  // the announcement came first
      } else {
        EXPECT_EQ(dialogs.shown.size(), 1u);
      }
    }
    TDocumentState state;
    test::RecordingDialogs dialogs;
    EXPECT_TRUE(WczytajSchemat(state, full));
  }
}

void PutInt32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Counts that claim more than the stream holds are rejected before anything
// is reserved for them.
TEST(AlgStream, OversizedCountsAreRejectedWithoutAllocating) {
  const std::vector<uint8_t> current = Written(test::SampleDiagram());
  const size_t n_at = 4 + VersionBlock().size();
  const size_t k_at = n_at + 4 + 29;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  for (uint32_t n : {0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFFu, 3u}) {
    std::vector<uint8_t> b = current;
    PutInt32(b, n_at, n);
    cases.push_back({"N", b});
    std::vector<uint8_t> legacy = test::LegacyStream(kLegacyMagic, {{Start, ""}});
    PutInt32(legacy, 4, n);
    cases.push_back({"legacy N", legacy});
  }
  std::vector<uint8_t> big_version = current;
  big_version[4] = big_version[5] = 0xFF;
  cases.push_back({"L", big_version});
  std::vector<uint8_t> big_text = current;
  big_text[k_at] = big_text[k_at + 1] = 0xFF;
  cases.push_back({"K", big_text});

  // The notice's texts are loaded once beforehand: the language's first
  // load (which looks for both translation files) is not the reader's work.
  LangText("msgm00023");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDocumentState state = StateWithSentinel();
    test::RecordingDialogs dialogs;
    test::ResetLargestAllocation();
    EXPECT_FALSE(WczytajSchemat(state, c.bytes));
    EXPECT_LT(test::LargestAllocation(), size_t{64} << 10);
    EXPECT_EQ(state.Bloki, StateWithSentinel().Bloki);
    ExpectUnknownFormatNotice(dialogs);
  }
}

}  // namespace
}  // namespace tessaro

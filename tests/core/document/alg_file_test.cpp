// Algorithm files on disk: the format probe and saving.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "alg_fixtures.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/document_state.h"
#include "core/i18n/language.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"

namespace fs = std::filesystem;

namespace tessaro {
namespace {

std::string Str(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string Encoded(const std::vector<Tobj>& bloki) {
  TMemoryStream s;
  EXPECT_TRUE(ZapiszSchemat(bloki, s));
  return Str(s);
}

mode_t Mode(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

// Names in `dir` other than `keep`: leftovers of a save.
std::vector<std::string> Leftovers(const std::string& dir, const std::string& keep) {
  std::vector<std::string> out;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename() != keep) out.push_back(entry.path().filename().string());
  }
  return out;
}

TEST(SprawdzFormat, KnowsTheFourMagics) {
  test::TempHome home;
  struct Case {
    const char* name;
    std::string bytes;
    bool expected;
  };
  const Case cases[] = {
      {"current.alg", "\x9F\x1E\x68\x03", true},
      {"previous.alg", "\x5A\xC2\x03\x04rest", true},
      {"legacy.alg", "\x3E\x67\x01\x0A", true},
      {"oldest.alg", "\x3E\x6F\xB0\x39", true},
      {"short.alg", "\x9F\x1E\x68", false},
      {"empty.alg", "", false},
      {"zip.alg", "PK\x03\x04", false},
  };
  for (const Case& c : cases) {
    home.Write(c.name, c.bytes);
    EXPECT_EQ(SprawdzFormat(home.Path(c.name)), c.expected) << c.name;
  }
  EXPECT_FALSE(SprawdzFormat(home.Path("missing.alg")));
  EXPECT_FALSE(SprawdzFormat(home.Dir()));
  // A named pipe without a writer must not block the probe.
  ASSERT_EQ(::mkfifo(home.Path("pipe.alg").c_str(), 0600), 0);
  EXPECT_FALSE(SprawdzFormat(home.Path("pipe.alg")));
  TMemoryStream s;
  EXPECT_FALSE(ReadAlgorithmFile(home.Path("pipe.alg"), s));
}

TEST(ReadAlgorithmFile, ReadsRegularFilesOnly) {
  test::TempHome home;
  home.Write("a.alg", Encoded(test::SampleDiagram()));
  TMemoryStream s;
  ASSERT_TRUE(ReadAlgorithmFile(home.Path("a.alg"), s));
  EXPECT_EQ(Str(s), Encoded(test::SampleDiagram()));
  TMemoryStream untouched = {9};
  EXPECT_FALSE(ReadAlgorithmFile(home.Path("missing.alg"), untouched));
  EXPECT_FALSE(ReadAlgorithmFile(home.Dir(), untouched));
  EXPECT_EQ(untouched, TMemoryStream{9});
}

// A file over the limit is refused before anything is read, and the reason
// can be told; a file at the limit is no larger than allowed.
TEST(ReadAlgorithmFile, RefusesFilesOverTheLimit) {
  test::TempHome home;
  home.Write("huge.alg", "");
  std::filesystem::resize_file(home.Path("huge.alg"), kMaxAlgorithmFileSize + 1);  // sparse: costs no disk
  home.Write("small.alg", Encoded(test::SampleDiagram()));
  TMemoryStream s;
  EXPECT_FALSE(ReadAlgorithmFile(home.Path("huge.alg"), s));
  EXPECT_TRUE(AlgorithmFileTooLarge(home.Path("huge.alg")));
  EXPECT_FALSE(AlgorithmFileTooLarge(home.Path("small.alg")));
  EXPECT_FALSE(AlgorithmFileTooLarge(home.Path("missing.alg")));
  EXPECT_EQ(kMaxAlgorithmFileSize, size_t{64} << 20);
}

struct SaveFixture {
  test::TempHome home;
  test::RecordingDialogs dialogs;
  TDocumentState state;
  std::vector<std::string> events;  // recent-file additions and questions, in order

  SaveFixture() {
    state.Bloki = test::SampleDiagram();
    state.OnAddRecentFile = [this](TDocumentState&, const std::string& path) {
      events.push_back("recent " + path);
    };
  }
  TSaveResult SaveTo(const std::string& path) {
    TSaveResult result = ZapiszDoPliku(state, path);
    for (const auto& s : dialogs.shown) events.push_back(s.kind + " " + s.text);
    return result;
  }
  bool Save(const std::string& name) { return SaveTo(home.Path(name)).Saved; }
};

TEST(ZapiszDoPliku, WritesTheCurrentFormat) {
  SaveFixture f;
  ASSERT_TRUE(f.Save("new.alg"));
  EXPECT_EQ(f.home.Read("new.alg"), Encoded(test::SampleDiagram()));
  EXPECT_EQ(f.events, std::vector<std::string>{"recent " + f.home.Path("new.alg")});
  EXPECT_TRUE(Leftovers(f.home.Dir(), "new.alg").empty());

  // Saving again over it replaces the content and keeps its permissions.
  ::chmod(f.home.Path("new.alg").c_str(), 0640);
  f.state.Bloki.pop_back();
  ASSERT_TRUE(f.Save("new.alg"));
  EXPECT_EQ(f.home.Read("new.alg"), Encoded(f.state.Bloki));
  EXPECT_EQ(Mode(f.home.Path("new.alg")), 0640u);
}

TEST(ZapiszDoPliku, ReadOnlyFileIsOverwrittenOnlyAfterYes) {
  for (Answer answer : {Answer::No, Answer::Cancel, Answer::Yes}) {
    SaveFixture f;
    f.home.Write("ro.alg", "old");
    ::chmod(f.home.Path("ro.alg").c_str(), 0444);
    f.dialogs.answers.push_back(answer);
    bool saved = f.Save("ro.alg");
    std::vector<std::string> expected = {"recent " + f.home.Path("ro.alg"),
                                         "PytanieTakNie " + LangText("msgm00054")};
    EXPECT_EQ(f.events, expected);
    EXPECT_EQ(f.dialogs.shown[0].caption, LangText("msgm00023"));
    if (answer == Answer::Yes) {
      EXPECT_TRUE(saved);
      EXPECT_EQ(f.home.Read("ro.alg"), Encoded(test::SampleDiagram()));
      EXPECT_EQ(Mode(f.home.Path("ro.alg")), 0644u);
    } else {
      EXPECT_FALSE(saved);
      EXPECT_EQ(f.home.Read("ro.alg"), "old");
      EXPECT_EQ(Mode(f.home.Path("ro.alg")), 0444u);
    }
  }
}

std::string SystemText(int error) { return std::system_category().message(error); }

// A failure is not reported here but handed back with the system's reason,
// so that the window can say why and offer another name. Where the save
// cannot succeed, no question about a read-only file comes first.
TEST(ZapiszDoPliku, FailuresGiveTheReasonAskNothingAndKeepThePreviousFile) {
  struct Case {
    const char* name;
    std::string target;
    bool oversized_text;
    std::string reason;
  };
  const Case cases[] = {
      {"missing folder", "no/such/folder/a.alg", false, SystemText(ENOENT)},
      {"target is a read-only folder", "dir.alg", false, SystemText(EISDIR)},
      {"text too long", "keep.alg", true, LangText("msgm00097")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SaveFixture f;
    fs::create_directory(f.home.Path("dir.alg"));
    ::chmod(f.home.Path("dir.alg").c_str(), 0555);
    f.home.Write("keep.alg", "previous");
    if (c.oversized_text) f.state.Bloki[0].Kod = std::string(70000, 'x');
    const TSaveResult result = f.SaveTo(f.home.Path(c.target));
    EXPECT_FALSE(result.Saved);
    EXPECT_EQ(result.Failure, c.reason);
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(f.home.Read("keep.alg"), "previous");
    EXPECT_TRUE(fs::is_directory(f.home.Path("dir.alg")));
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(f.home.Dir())) left.push_back(e.path().filename());
    EXPECT_EQ(left.size(), 2u) << "a temporary file was left behind";
  }
}

// A read-only file in a folder that takes no new file (an installed
// program's example): the question "overwrite anyway?" would be in vain.
TEST(ZapiszDoPliku, ReadOnlyFileWhereNoFileCanBeMadeIsNotAskedAbout) {
  test::TempHome home;
  std::string target;
  if (::geteuid() != 0) {
    home.Write("przyklady/silnia.alg", "old");
    ::chmod(home.Path("przyklady/silnia.alg").c_str(), 0444);
    ::chmod(home.Path("przyklady").c_str(), 0555);
    target = home.Path("przyklady/silnia.alg");
  } else {
    // The super-user writes into any folder of a disk; no file can be made
    // in the kernel's own folders, whose files are read-only.
    std::error_code ec;
    for (fs::directory_iterator it("/sys/kernel", ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code type;
      if (it->is_regular_file(type) && (Mode(it->path().string()) & 0222) == 0) {
        target = it->path().string();
        break;
      }
    }
    if (target.empty()) GTEST_SKIP() << "no read-only file in /sys/kernel";
  }
  SaveFixture f;
  f.dialogs.answers.push_back(Answer::Yes);
  const TSaveResult result = f.SaveTo(target);
  EXPECT_FALSE(result.Saved);
  EXPECT_FALSE(result.Failure.empty());
  EXPECT_TRUE(f.dialogs.shown.empty());
  if (::geteuid() != 0) {
    EXPECT_EQ(result.Failure, SystemText(EACCES));
    EXPECT_EQ(home.Read("przyklady/silnia.alg"), "old");
    ::chmod(home.Path("przyklady").c_str(), 0755);
  }
}

TEST(ZapiszDoPliku, NameAtTheLengthLimit) {
  SaveFixture f;
  const std::string name = std::string(251, 'n') + ".alg";  // 255 bytes, the most a name may have
  ASSERT_TRUE(f.Save(name));
  EXPECT_EQ(f.home.Read(name), Encoded(test::SampleDiagram()));
}

TEST(ZapiszDoPliku, SavingThroughALinkKeepsTheLink) {
  SaveFixture f;
  f.home.Write("real.alg", "old");
  fs::create_symlink(f.home.Path("real.alg"), f.home.Path("link.alg"));
  ASSERT_TRUE(f.Save("link.alg"));
  EXPECT_TRUE(fs::is_symlink(f.home.Path("link.alg")));
  EXPECT_EQ(f.home.Read("real.alg"), Encoded(test::SampleDiagram()));
}

TEST(ZapiszDoPliku, SavedFileLoadsBack) {
  SaveFixture f;
  ASSERT_TRUE(f.Save("back.alg"));
  TMemoryStream s;
  ASSERT_TRUE(ReadAlgorithmFile(f.home.Path("back.alg"), s));
  TDocumentState other;
  ASSERT_TRUE(WczytajSchemat(other, s));
  EXPECT_EQ(other.Bloki, test::SampleDiagram());
}

}  // namespace
}  // namespace tessaro

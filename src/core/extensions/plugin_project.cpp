#include "core/extensions/plugin_project.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "core/extensions/plugin_entry.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/platform/program_paths.h"

namespace fs = std::filesystem;

namespace tessaro {

namespace {

constexpr const char kCaption[] = "msgpm00004";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
  return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    char a = text[text.size() - suffix.size() + i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (a != suffix[i]) return false;
  }
  return true;
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A template path from a translation text: "\Makefile" and "/Makefile" name
// the same file under the folder.
fs::path RelativePath(const std::string& text) {
  fs::path relative;
  std::string part;
  for (char c : text + "/") {
    if (c == '\\' || c == '/') {
      if (!part.empty()) relative /= part;
      part.clear();
    } else {
      part += c;
    }
  }
  return relative;
}

void Notice(const char* text) { Komunikat(LangText(kCaption), LangText(text)); }

bool AskOverwrite(const std::string& path) {
  return PytanieTakNie(LangText(kCaption), LangText("msgpm00013") + "\r\n" + Utf8ToCp1250(path)) ==
         Answer::Yes;
}

// The project file with its project line naming `project`.
std::string FillProjectLine(const std::string& text, const std::string& project) {
  std::string out = text;
  size_t at = out.find(kProjectLine);
  if (at != std::string::npos) {
    out.replace(at, sizeof kProjectLine - 1, std::string(kProjectLinePrefix) + project);
  }
  return out;
}

struct PlannedFile {
  fs::path target;
  std::string bytes;
};

}  // namespace

TProjectTemplate ProjectTemplateFromTexts() {
  return {LangText("msgpm00007"), LangText("msgpm00003"), LangText("msgpm00002"),
          LangText("msgpm00008"), LangText("msgpm00009")};
}

std::string ProjectTemplateFolder() { return ProgramFile("Kreator\\Rozszerzenia\\C"); }

std::string NormaliseLibraryFileName(const std::string& typed) {
  std::string name = Trim(typed);
  const std::string suffix = kLibrarySuffix;
  if (EndsWithNoCase(name, suffix)) return name.substr(0, name.size() - suffix.size()) + suffix;
  return name + suffix;
}

bool IsLibraryFileName(const std::string& file_name) {
  const std::string suffix = kLibrarySuffix;
  if (file_name.size() <= suffix.size() || file_name.size() > kRecordFileName.MaxLength() ||
      file_name.compare(file_name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  const std::string project = ProjectNameOf(file_name);
  if (IsAsciiDigit(project[0])) return false;
  for (char c : project) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') return false;
  }
  return true;
}

std::string ProjectNameOf(const std::string& file_name) {
  const std::string suffix = kLibrarySuffix;
  if (file_name.size() >= suffix.size() &&
      file_name.compare(file_name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    return file_name.substr(0, file_name.size() - suffix.size());
  }
  return file_name;
}

std::string CStringLiteral(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  bool after_hex_escape = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (after_hex_escape && IsHexDigit(c)) out += "\" \"";
    after_hex_escape = false;
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      // "??=" and its kin are trigraphs in standard C modes.
      case '?': out += (i > 0 && text[i - 1] == '?') ? "\\?" : "?"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
          after_hex_escape = true;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string FillMarkers(const std::string& text, const std::string& name_marker,
                        const std::string& name, const std::string& description_marker,
                        const std::string& description) {
  struct Slot {
    size_t at;
    size_t length;
    const std::string* value;
  };
  std::vector<Slot> slots;
  auto find = [&](const std::string& marker, const std::string& value) {
    if (marker.empty()) return;
    size_t at = text.find(marker);
    if (at == std::string::npos) return;
    for (const Slot& s : slots) {
      if (at < s.at + s.length && s.at < at + marker.size()) return;  // overlaps the other
    }
    slots.push_back({at, marker.size(), &value});
  };
  find(name_marker, name);
  find(description_marker, description);
  if (slots.size() == 2 && slots[1].at < slots[0].at) std::swap(slots[0], slots[1]);
  std::string out;
  size_t from = 0;
  for (const Slot& s : slots) {
    out.append(text, from, s.at - from);
    out += *s.value;
    from = s.at + s.length;
  }
  out.append(text, from, std::string::npos);
  return out;
}

TProjectOutcome GenerateProject(const TProjectRequest& request, const std::string& template_folder,
                                const TProjectTemplate& roles, const ConfirmOverwrite& confirm) {
  TProjectOutcome outcome;
  outcome.FileName = NormaliseLibraryFileName(request.FileName);
  const std::string project = ProjectNameOf(outcome.FileName);

  if (Trim(request.TargetFolder).empty()) {
    outcome.Result = ProjectResult::NoFolder;
    Notice("msgpm00010");
    return outcome;
  }
  if (!IsLibraryFileName(outcome.FileName)) {
    outcome.Result = ProjectResult::BadFileName;
    Notice("msgpm00012");
    return outcome;
  }

  // Read the whole template set first: a missing file writes nothing.
  const fs::path from(template_folder);
  std::optional<std::string> project_file = ReadFileBytes((from / RelativePath(roles.ProjectFile)).string());
  std::optional<std::string> header = ReadFileBytes((from / RelativePath(roles.HeaderFile)).string());
  std::optional<std::string> source = ReadFileBytes((from / RelativePath(roles.SourceFile)).string());
  if (RelativePath(roles.ProjectFile).empty() || RelativePath(roles.HeaderFile).empty() ||
      !project_file || !header || !source) {
    outcome.Result = ProjectResult::TemplateMissing;
    Notice("msgpm00001");
    return outcome;
  }

  const fs::path to(request.TargetFolder);
  const std::vector<PlannedFile> files = {
      {to / RelativePath(roles.ProjectFile), FillProjectLine(*project_file, project)},
      {to / RelativePath(roles.HeaderFile), *header},
      {to / (project + ".c"),
       FillMarkers(*source, roles.NameMarker, CStringLiteral(request.FullName),
                   roles.DescriptionMarker, CStringLiteral(request.Description))},
  };

  // Every question comes before the first write.
  const ConfirmOverwrite& ask = confirm ? confirm : ConfirmOverwrite(AskOverwrite);
  for (const PlannedFile& file : files) {
    std::error_code ec;
    if (fs::exists(file.target, ec) && !ask(file.target.string())) {
      outcome.Result = ProjectResult::Declined;
      return outcome;
    }
  }

  std::error_code ec;
  for (const PlannedFile& file : files) {
    fs::create_directories(file.target.parent_path(), ec);
    if (ec || !ReplaceFileBytes(file.target.string(), file.bytes)) {
      outcome.Result = ProjectResult::Failed;
      Notice("msgpm00005");
      return outcome;
    }
    outcome.Written.push_back(file.target.string());
  }
  outcome.Result = ProjectResult::Created;
  Notice("msgpm00006");
  return outcome;
}

}  // namespace tessaro

// The extension project creator's generator: a new extension's source files
// made from the template set shipped with the program.
//
// The template set is three files: the project file (a Makefile whose line
// "PROJEKT = PrzykladRozszerzenia" names the project), the extension header,
// copied unchanged, and the extension's C source, in which two markers are
// replaced by the full name and the description as C string literals. The
// names of the three files and the two markers are translation texts, so a
// template set and its texts are shipped together.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tessaro {

// The line of the project file that names the project.
inline constexpr const char kProjectLine[] = "PROJEKT = PrzykladRozszerzenia";
inline constexpr const char kProjectLinePrefix[] = "PROJEKT = ";
inline constexpr const char kLibrarySuffix[] = ".so";

// The roles of the template set; the three paths are relative to the
// template folder, with "\" or "/" as separators and an optional leading one.
struct TProjectTemplate {
  std::string ProjectFile;        // saved under its own name
  std::string HeaderFile;         // copied unchanged, under its own name
  std::string SourceFile;         // saved as project name + ".c"
  std::string NameMarker;         // in the source, replaced by the full name
  std::string DescriptionMarker;  // in the source, replaced by the description
};

// The roles as the active language's texts give them.
TProjectTemplate ProjectTemplateFromTexts();

// The template folder of the C language under the program folder (native path).
// The folder choice lives here alone.
std::string ProjectTemplateFolder();

// The library file name the user typed, with ".so" appended unless it ends in
// ".so" in some letter case, which is then written ".so" (the manager lists
// "*.so" by exact name). Blanks around the name are dropped.
std::string NormaliseLibraryFileName(const std::string& typed);

// Whether `file_name` (already normalised) is a C identifier followed by
// ".so", short enough for the extension list's file-name field. Such a name
// holds no path separator, no "..", nothing the shell or make would read.
bool IsLibraryFileName(const std::string& file_name);

// The project name: the file name without ".so".
std::string ProjectNameOf(const std::string& file_name);

// A C string literal, quotes included, that denotes exactly the Windows-1250
// bytes of `text`: backslash, quote and "?" (trigraphs) are escaped, line
// breaks and tabs are written as \r \n \t, and every other byte outside
// printable ASCII as a \x escape. A \x escape followed by a hexadecimal digit
// ends the literal and starts a new one ("\xBF" "a"), since C would read the
// digit into the escape.
std::string CStringLiteral(const std::string& text);

// Replaces the first occurrence of each marker in `text`. Both markers are
// found in the template before anything is inserted, so a name that contains
// the description marker stays as written. A missing marker is skipped.
std::string FillMarkers(const std::string& text, const std::string& name_marker,
                        const std::string& name, const std::string& description_marker,
                        const std::string& description);

struct TProjectRequest {
  std::string FullName;      // Windows-1250
  std::string FileName;      // as typed
  std::string Description;   // Windows-1250, lines joined by CR LF
  std::string TargetFolder;  // native path; created with its parents
};

enum class ProjectResult {
  Created,
  NoFolder,         // the target folder is blank
  BadFileName,      // not a C identifier + ".so"
  TemplateMissing,  // a template file could not be read
  Declined,         // the user kept an existing file; nothing was written
  Failed,           // a folder or a file could not be made
};

struct TProjectOutcome {
  ProjectResult Result = ProjectResult::Failed;
  std::string FileName;             // the normalised file name, for the edit
  std::vector<std::string> Written;  // native paths, in writing order
};

// Asked once for every target file that exists already, before anything is
// written; true replaces it.
using ConfirmOverwrite = std::function<bool(const std::string& path)>;

// Makes the project in the target folder from the template set in
// `template_folder`. Each file is written to a temporary file beside its
// target and renamed over it, so a failure never leaves a torn file. Every
// outcome except Declined shows one notice (caption "msgpm00004").
TProjectOutcome GenerateProject(const TProjectRequest& request, const std::string& template_folder,
                                const TProjectTemplate& roles, const ConfirmOverwrite& confirm);

}  // namespace tessaro

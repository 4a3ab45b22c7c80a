#include "core/task/task_files.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

#include "core/i18n/ansi_case.h"
#include "core/i18n/cp1250.h"

namespace tessaro::task {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPackedExtensions[] = {".tzad", ".zip"};

std::string MiB(size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

// Whether a task holds a file at `inner` at all: at its top, or directly in cases/.
bool Wanted(std::string_view inner) {
  if (inner.empty() || inner.back() == '/') return false;
  if (inner.substr(0, kCasesFolder.size()) == kCasesFolder) inner.remove_prefix(kCasesFolder.size());
  return inner.find('/') == std::string_view::npos;
}

// Whether an entry name stays inside the task's folder.
bool StaysInside(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos) return false;
  if (name.size() >= 2 && name[1] == ':') return false;  // a drive letter
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

TaskFiles Failure(std::string error) {
  TaskFiles t;
  t.error = std::move(error);
  return t;
}

// Keeps `bytes` as `inner`, within the limits; false with t.error set otherwise.
bool Keep(TaskFiles& t, size_t& total, const std::string& shown_source, const std::string& inner,
          std::string bytes) {
  total += bytes.size();
  if (total > kMaxTaskBytes) {
    t.error = shown_source + ": the task holds more than " + MiB(kMaxTaskBytes);
    return false;
  }
  if (t.files.size() >= kMaxTaskFiles) {
    t.error = shown_source + ": the task holds more than " + std::to_string(kMaxTaskFiles) + " files";
    return false;
  }
  t.files.emplace(inner, std::move(bytes));
  return true;
}

std::string TooLarge(const std::string& shown_file) {
  return shown_file + ": the file is larger than " + MiB(kMaxTaskFileBytes);
}

// ---- folder ----

bool ReadSmallFile(const fs::path& path, std::string& bytes, std::string& error) {
  const std::string shown = ShownPath(path.string());
  std::error_code ec;
  const uintmax_t size = fs::file_size(path, ec);
  if (ec) {
    error = shown + ": cannot read the file";
    return false;
  }
  if (size > kMaxTaskFileBytes) {
    error = TooLarge(shown);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.assign(static_cast<size_t>(size), '\0');
  if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size)) || in.peek() != EOF) {
    error = shown + ": cannot read the file";
    return false;
  }
  return true;
}

TaskFiles ReadFolder(const fs::path& root) {
  TaskFiles t;
  size_t total = 0;
  const std::string shown_root = ShownPath(root.string());
  for (const char* sub : {"", "cases"}) {
    const fs::path folder = *sub ? root / sub : root;
    std::error_code ec;
    if (*sub && !fs::is_directory(folder, ec)) continue;
    fs::directory_iterator it(folder, ec), end;
    if (ec) return Failure(ShownPath(folder.string()) + ": cannot read the folder");
    for (; it != end; it.increment(ec)) {
      if (ec) return Failure(ShownPath(folder.string()) + ": cannot read the folder");
      std::error_code type_ec;
      if (!it->is_regular_file(type_ec)) continue;
      const std::string inner = (*sub ? std::string(sub) + "/" : std::string()) +
                                it->path().filename().string();
      std::string bytes;
      if (!ReadSmallFile(it->path(), bytes, t.error)) return t;
      if (!Keep(t, total, shown_root, inner, std::move(bytes))) return t;
    }
  }
  t.ok = true;
  return t;
}

// ---- zip ----

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// The folder every entry lies in, when task.ini is not at the top but in one folder.
std::string CommonFolder(const std::vector<std::string>& names) {
  bool top_ini = false;
  std::string folder;
  for (const std::string& n : names) {
    if (n == "task.ini") top_ini = true;
    const size_t slash = n.find('/');
    if (slash == std::string::npos) return "";
    const std::string first = n.substr(0, slash + 1);
    if (folder.empty()) folder = first;
    if (first != folder) return "";
  }
  return top_ini ? "" : folder;
}

TaskFiles ReadZip(zip_t* archive, const std::string& shown) {
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  if (count < 0) return Failure(shown + ": not a readable zip file");
  if (static_cast<uint64_t>(count) > kMaxTaskFiles * 2) {
    return Failure(shown + ": the task holds more than " + std::to_string(kMaxTaskFiles) + " files");
  }
  // Every name is checked before any entry is read.
  std::vector<std::string> names;
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    if (!name) return Failure(shown + ": not a readable zip file");
    if (!StaysInside(name)) {
      return Failure(shown + ": the entry \"" + ShownPath(name) + "\" leaves the task's folder");
    }
    names.emplace_back(name);
  }
  const std::string prefix = CommonFolder(names);
  TaskFiles t;
  size_t total = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    const std::string& name = names[static_cast<size_t>(i)];
    const std::string inner = name.substr(prefix.size());
    if (!Wanted(inner)) continue;
    const std::string shown_entry = shown + ": " + ShownPath(inner);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
      return Failure(shown_entry + ": cannot read the entry");
    }
    if (st.size > kMaxTaskFileBytes) return Failure(TooLarge(shown_entry));
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0));
    if (!file) return Failure(shown_entry + ": cannot read the entry");
    // One byte more than claimed shows an entry whose header lies about its size.
    std::string bytes(static_cast<size_t>(st.size) + 1, '\0');
    const zip_int64_t got = zip_fread(file.get(), bytes.data(), bytes.size());
    if (got != static_cast<zip_int64_t>(st.size)) return Failure(shown_entry + ": cannot read the entry");
    bytes.resize(static_cast<size_t>(got));
    if (!Keep(t, total, shown, inner, std::move(bytes))) return t;
  }
  t.ok = true;
  return t;
}

}  // namespace

std::string ShownPath(const std::string& path) { return Utf8ToCp1250(path); }

bool IsPackedTaskPath(const std::string& path) {
  const std::string lower = AnsiLowerCase(fs::path(path).extension().string());
  for (const char* ext : kPackedExtensions) {
    if (lower == ext) return true;
  }
  return false;
}

TaskFiles ReadTaskFiles(const std::string& path) {
  const std::string shown = ShownPath(path);
  std::error_code ec;
  if (fs::is_directory(path, ec)) return ReadFolder(fs::path(path));
  if (!fs::is_regular_file(path, ec)) return Failure(shown + ": no such task folder or file");
  if (fs::file_size(path, ec) > kMaxTaskBytes) {
    return Failure(shown + ": the task holds more than " + MiB(kMaxTaskBytes));
  }
  int error = 0;
  std::unique_ptr<zip_t, ZipCloser> archive(zip_open(path.c_str(), ZIP_RDONLY, &error));
  if (!archive) return Failure(shown + ": not a task folder nor a readable zip file");
  return ReadZip(archive.get(), shown);
}

TaskFiles ReadPackedTask(const std::string& bytes, const std::string& name) {
  const std::string shown = ShownPath(name);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (!source) {
    zip_error_fini(&error);
    return Failure(shown + ": not a readable zip file");
  }
  std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(source);
    return Failure(shown + ": not a readable zip file");
  }
  return ReadZip(archive.get(), shown);
}

}  // namespace tessaro::task

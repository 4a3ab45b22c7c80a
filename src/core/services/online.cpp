#include "core/services/online.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/platform/file_io.h"

namespace tessaro {

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string ReleaseFile(const std::string& folder) { return folder + "/release"; }

std::string ReleaseText(const std::string& version) { return version + "\r\n"; }

}  // namespace

bool MaySendUsageEvent(const std::string& host, bool pilot, bool force) {
  return !host.empty() && (pilot || force);
}

FormFields UsageEventFields(const std::string& version, const std::string& action, const std::string& data,
                            const std::string& user_id, const std::string& language) {
  return {{"akcja", version + "@ " + action}, {"dane", data}, {"id", user_id}, {"lang", language}};
}

std::string ServiceUrl(const std::string& host, const std::string& path) {
  const size_t colon = host.rfind(':');
  const std::string name = colon == std::string::npos || host.front() == '[' ? host : host.substr(0, colon);
  // Plain http only to this machine: a dotted IPv4 address in 127.0.0.0/8, or "localhost".
  const bool dotted = !name.empty() && name.find_first_not_of("0123456789.") == std::string::npos &&
                      std::count(name.begin(), name.end(), '.') == 3;
  const bool loopback = name == "localhost" || name == "[::1]" || (dotted && name.rfind("127.", 0) == 0);
  return (loopback ? "http://" : "https://") + host + path;
}

std::string FeedbackText(const std::string& text) { return text.substr(0, kFeedbackLimit); }

std::string ErrorTipMessage(const std::string& email, const std::string& description) {
  const std::string address = Trim(email);
  const std::string text = Trim(description);
  if (address.empty()) return FeedbackText(text);
  return FeedbackText("email: <b>" + address + "</b><br>" + text);
}

std::optional<std::vector<long>> ParseVersion(const std::string& text) {
  // Splitting `text` + "." at every "." gives the pieces of `text` and one
  // empty piece made by the appended dot, which is not a component; so the
  // pieces of `text` itself are read, and every one must be a number.
  std::vector<long> parts;
  size_t start = 0;
  while (true) {
    const size_t dot = text.find('.', start);
    const std::string piece = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (piece.empty() || piece.size() > 9) return std::nullopt;
    for (char c : piece)
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    if (parts.size() < 4) parts.push_back(std::stol(piece));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  parts.resize(4, 0);
  return parts;
}

bool IsNewerVersion(const std::string& remote, const std::string& local) {
  const auto r = ParseVersion(remote);
  const auto l = ParseVersion(local);
  if (!r || !l) return false;
  for (size_t i = 0; i < 4; ++i) {
    if ((*l)[i] < (*r)[i]) return true;
    if ((*r)[i] < (*l)[i]) return false;
  }
  return false;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

bool WriteReleaseFile(const std::string& folder, const std::string& version) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return ReplaceFileBytes(ReleaseFile(folder), ReleaseText(version));
}

bool RecordUpdateReply(const std::string& folder, const std::string& reply, const std::string& running_version) {
  const std::string update = folder + "/update";
  const std::string release = ReleaseFile(folder);
  const std::string version = folder + "/version";
  // "release" as it is before this reply: read, or seeded from the running version.
  std::string known = running_version;
  std::string old;
  if (auto bytes = ReadFileBytes(release)) {
    known = FirstLine(*bytes);
    old = std::move(*bytes);
  } else {
    // Seeded where the folder exists; the check never makes the folder.
    old = ReleaseText(running_version);
    if (!ReplaceFileBytes(release, old)) return false;
  }
  const std::string body = reply.substr(0, kUpdateReplyLimit);
  if (!ReplaceFileBytes(update, body)) return false;
  const std::string remote = FirstLine(body);
  // An error page or any other text is kept in "update" but never becomes "release".
  if (!ParseVersion(remote)) return false;
  if (!ReplaceFileBytes(version, old)) return false;
  std::error_code ec;
  std::filesystem::rename(update, release, ec);
  if (ec) return false;
  return IsNewerVersion(remote, known);
}

}  // namespace tessaro

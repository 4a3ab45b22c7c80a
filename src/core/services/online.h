// What the program sends to and reads from the vendor's web service: the
// usage-event fields, the feedback texts, the version comparison and the
// files the update check keeps.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaro {

inline constexpr const char* kUsageEventPath = "/ts/netstatm/tsstat.php";
inline constexpr const char* kUpdatePath = "/ts/update";
// The update reply is read no further than this.
inline constexpr size_t kUpdateReplyLimit = 256;
// Feedback texts are cut to this many characters.
inline constexpr size_t kFeedbackLimit = 1000;

using FormFields = std::vector<std::pair<std::string, std::string>>;

// Whether an event may be sent at all: a host is configured, and the user
// takes part in the pilot programme or sent the text on purpose.
bool MaySendUsageEvent(const std::string& host, bool pilot, bool force);

// The form fields of one event, in order: "akcja" (version + "@ " + action),
// "dane", "id", "lang". Values are as given; the transport encodes them.
FormFields UsageEventFields(const std::string& version, const std::string& action, const std::string& data,
                            const std::string& user_id, const std::string& language);

// The service address of `path`: https, or http for a loopback host (a
// test server on this machine). `host` may carry a port.
std::string ServiceUrl(const std::string& host, const std::string& path);

// The text of "Wyślij" in the failure dialog: the trimmed e-mail in bold and
// the trimmed description, cut to kFeedbackLimit; empty when both are empty.
std::string ErrorTipMessage(const std::string& email, const std::string& description);

// `text` cut to its first kFeedbackLimit characters (single-byte core text).
std::string FeedbackText(const std::string& text);

// The components of a version text ("1.5.9.7"), at most four, missing ones
// 0; nothing when a piece is empty or not a number.
std::optional<std::vector<long>> ParseVersion(const std::string& text);

// Whether `remote` names a newer version than `local`; a text that is not a
// version is never newer.
bool IsNewerVersion(const std::string& remote, const std::string& local);

// The first line of `text`, without CR or LF.
std::string FirstLine(const std::string& text);

// Writes "release" in `folder` (created when missing): one line, `version`
// and CR LF. False on failure.
bool WriteReleaseFile(const std::string& folder, const std::string& version);

// The update check's files in `folder`: "update" (the reply), "release" (the
// newest version seen) and "version" (the one before). Records `reply` and
// returns whether it announces a version newer than the one known so far;
// "release" follows a reply only when the reply is a version, so every new
// version is announced once. `running_version` seeds a missing "release".
bool RecordUpdateReply(const std::string& folder, const std::string& reply, const std::string& running_version);

}  // namespace tessaro

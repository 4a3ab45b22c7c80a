// Sending what the user wrote (a failure description, an opinion) to the web
// service: the forms hand the text to a sender and hear back whether the
// service acknowledged it, so they never claim a delivery that did not happen.
#pragma once

#include <functional>
#include <string>

class QPushButton;

namespace tessaro::gui {

// Sends `text`; `done` hears whether it was delivered. Unset: this build has
// no service, and the forms' send buttons are disabled.
using MessageSender = std::function<void(const std::string& text, std::function<void(bool delivered)> done)>;

// Enables `button` when a sender is there; otherwise disables it with a
// tooltip that says nothing can be sent.
void ShowSendAvailability(QPushButton* button, bool available);

// The notice, under `caption`, of a message that did not arrive; its text
// stays in the form.
void ReportNotSent(const std::string& caption);

}  // namespace tessaro::gui

// A language whose translation file is missing or unreadable would show
// every text as its bracketed identifier; the program falls back to Polish,
// the language it is designed in, and says so once.
#pragma once

namespace tessaro::gui {

// Checks the active language; returns true when it fell back to Polish.
bool FallBackToPolishIfUnreadable();

}  // namespace tessaro::gui

// Applies a window's translation table (core/i18n/windows/) to the window.
// The table is the one place a window's texts are named: the window reads
// every text of its own from it, by target, and never names an identifier
// of its table itself.
#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

#include "core/i18n/window_texts.h"

class QLabel;
class QWidget;

namespace tessaro::gui {

// Sets the one text `entry` names, when its target is of a kind every window
// shares: "Caption" is the window's title; a target without a property names
// a label, a button (push, check, radio or tool), an action, or a page of a
// tab widget (its tab text) by object name; ".Hint" is its tool tip. Returns
// false for a target it does not know, which the window sets itself.
bool ApplyWindowText(QWidget& window, const WindowText& entry);

// ApplyWindowText for every entry of `table`.
template <size_t N>
void ApplyWindowTexts(QWidget& window, const WindowText (&table)[N]) {
  for (const WindowText& t : table) ApplyWindowText(window, t);
}

// The identifier `table` gives `target`; a target the table lacks is a
// mistake of the window's code, which stops the program with a message.
const char* WindowTextId(const WindowText* begin, const WindowText* end, std::string_view target);
template <size_t N>
const char* WindowTextId(const WindowText (&table)[N], std::string_view target) {
  return WindowTextId(table, table + N, target);
}

// Gives `widget` the object name its texts find it by; returns the widget.
template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A word-wrapping label on `parent` named `name`, its text set from the
// window's table; bold for a heading.
QLabel* NamedLabel(QWidget* parent, const char* name, bool bold = false);

// The text of identifier `id` in the active language.
QString WindowTextFor(const char* id);
// The text `table` gives `target`, in the active language.
template <size_t N>
QString WindowTextOf(const WindowText (&table)[N], std::string_view target) {
  return WindowTextFor(WindowTextId(table, target));
}

}  // namespace tessaro::gui

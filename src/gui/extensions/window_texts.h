// Applies a window's translation table to its labels, buttons and title.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <iterator>

#include "core/i18n/window_texts.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

// "Caption" is the window's title; other targets name a label or a button
// by object name. Targets of other kinds are left to the window.
template <size_t N>
void ApplyWindowTexts(QWidget& window, const WindowText (&table)[N]) {
  for (const WindowText& t : table) {
    const QString target = QString::fromLatin1(t.target);
    if (target == QLatin1String("Caption")) {
      window.setWindowTitle(Tr(t.id));
    } else if (auto* label = window.findChild<QLabel*>(target)) {
      label->setText(Tr(t.id));
    } else if (auto* button = window.findChild<QAbstractButton*>(target)) {
      button->setText(Tr(t.id));
    }
  }
}

}  // namespace tessaro::gui

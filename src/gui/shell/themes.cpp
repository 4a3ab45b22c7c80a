#include "gui/shell/themes.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace tessaro::gui {

namespace {

std::string g_active;

const Theme& FindTheme(const std::string& name) {
  for (const Theme& t : kThemes)
    if (name == t.name) return t;
  return kThemes[0];
}

QColor Rgb(unsigned rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QPalette PaletteOf(const Theme& t) {
  QPalette p = QApplication::style()->standardPalette();
  p.setColor(QPalette::Window, Rgb(t.window));
  p.setColor(QPalette::Button, Rgb(t.button));
  p.setColor(QPalette::Highlight, Rgb(t.highlight));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
  p.setColor(QPalette::ToolTipText, Qt::black);
  return p;
}

QString StyleSheetOf(const Theme& t) {
  const QString top = Rgb(t.bar_top).name();
  const QString bottom = Rgb(t.bar_bottom).name();
  return QStringLiteral(
             "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
             " border: none; spacing: 2px; }"
             "QToolBar#toolMainMenu { background: %1; }"
             "QToolBar#toolMainMenu QMenuBar { background: transparent; }"
             "QDockWidget::title { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
             " stop:0 %1, stop:1 %2); padding: 3px; }")
      .arg(top, bottom);
}

}  // namespace

void ApplyTheme(const std::string& name) {
  const Theme& theme = FindTheme(name);
  if (g_active == theme.name) return;
  g_active = theme.name;
  if (QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0)
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(PaletteOf(theme));
  qApp->setStyleSheet(StyleSheetOf(theme));
}

const std::string& ActiveTheme() { return g_active; }

}  // namespace tessaro::gui

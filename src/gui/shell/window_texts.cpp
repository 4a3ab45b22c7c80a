#include "gui/shell/window_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QFont>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <string>

#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// The tab widget `page` is a page of, or nullptr.
QTabWidget* TabsOf(QWidget* page) {
  // A page's parent is the tab widget's stack.
  QWidget* stack = page->parentWidget();
  if (!qobject_cast<QStackedWidget*>(stack)) return nullptr;
  return qobject_cast<QTabWidget*>(stack->parentWidget());
}

}  // namespace

QString WindowTextFor(const char* id) { return Tr(id); }

bool ApplyWindowText(QWidget& window, const WindowText& entry) {
  const QString target = QString::fromLatin1(entry.target);
  const qsizetype dot = target.indexOf(QLatin1Char('.'));
  const QString object = dot < 0 ? target : target.left(dot);
  const QString property = dot < 0 ? QString() : target.mid(dot + 1);
  if (!property.isEmpty() && property != QLatin1String("Hint")) return false;
  const bool hint = !property.isEmpty();
  const QString text = Tr(entry.id);
  if (object == QLatin1String("Caption") && !hint) {
    window.setWindowTitle(text);
    return true;
  }
  QObject* found = window.findChild<QObject*>(object);
  if (auto* action = qobject_cast<QAction*>(found)) {
    hint ? action->setToolTip(text) : action->setText(text);
    return true;
  }
  if (auto* label = qobject_cast<QLabel*>(found)) {
    hint ? label->setToolTip(text) : label->setText(text);
    return true;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(found)) {
    hint ? button->setToolTip(text) : button->setText(text);
    return true;
  }
  if (auto* page = qobject_cast<QWidget*>(found)) {
    if (QTabWidget* tabs = TabsOf(page); tabs && !hint) {
      tabs->setTabText(tabs->indexOf(page), text);
      return true;
    }
    if (hint) {
      page->setToolTip(text);
      return true;
    }
  }
  return false;
}

const char* WindowTextId(const WindowText* begin, const WindowText* end, std::string_view target) {
  for (const WindowText* t = begin; t != end; ++t)
    if (target == t->target) return t->id;
  qFatal("The window's text table has no target %s", std::string(target).c_str());
}

QLabel* NamedLabel(QWidget* parent, const char* name, bool bold) {
  auto* label = Named(new QLabel(parent), name);
  label->setWordWrap(true);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

}  // namespace tessaro::gui

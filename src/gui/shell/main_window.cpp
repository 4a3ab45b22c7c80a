#include "gui/shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "core/extensions/plugin_table.h"
#include "core/i18n/language.h"
#include "core/i18n/windows/main_texts.h"
#include "core/platform/registry.h"
#include "core/platform/version_info.h"
#include "core/settings/settings.h"
#include "gui/shell/command_icons.h"
#include "gui/shell/command_table.h"
#include "gui/shell/elided_label.h"
#include "gui/shell/menu_layout.h"
#include "gui/shell/open_files_tree.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/themes.h"

namespace tessaro::gui {

namespace {

// The designed geometry of the main window's own panels.
struct PanelSpec {
  const char* name;
  Qt::DockWidgetArea area;
  int width;
  int height;  // split height
  int min_width;
  int min_height;
  bool shown = true;  // at the first start, before any layout is restored
};

constexpr PanelSpec kPanels[] = {
    {"dpWykazPlikow", Qt::LeftDockWidgetArea, 190, 185, 0, 0},
    {"dpNavigator", Qt::LeftDockWidgetArea, 190, 160, 190, 140},
    {"dpListaZmiennych", Qt::LeftDockWidgetArea, 190, 240, 190, 70},
    {"dpKonwersjaSystemow", Qt::RightDockWidgetArea, 254, 265, 0, 150},
    {"dpPomoc", Qt::RightDockWidgetArea, 254, 143, 0, 0},
    {"dpCode", Qt::RightDockWidgetArea, 254, 200, 0, 0},
    // The flowchart as a program: asked for, not always wanted beside the diagram.
    {"dpKodProgramu", Qt::RightDockWidgetArea, 420, 300, 0, 0, false},
    {"dpNarzedzia", Qt::BottomDockWidgetArea, 600, 180, 0, 0},
};

constexpr const char* kToolbars[] = {"toolbarPasekStandardowy", "toolbarPasekWidoku",
                                     "toolbarPasekUruchamianie"};

// What waits while a read waits for its answer: the menus, then the bars and the open-files tree.
constexpr const char* kInputModeMenus[] = {"menuPlik", "menuEdycja", "menuOpcje", "menuPomoc", "menuWidok",
                                           "menuUruchom"};
constexpr const char* kInputModeBars[] = {"toolMainMenu", "toolbarPasekStandardowy", "toolbarPasekWidoku",
                                          "toolbarPasekUruchamianie", "TreeViewListaPlikow"};

constexpr const char* kZoomEntries[] = {"10%", "25%", "50%", "75%", "100%", "125%", "150%", "200%"};

struct GridEntry {
  int size;
  const char* label;  // nullptr: the translated "no grid" caption
};

constexpr GridEntry kGrid[] = {{0, nullptr}, {2, "2x2"},   {3, "3x3"},   {4, "4x4"},
                               {5, "5x5"},   {6, "6x6"},   {7, "7x7"},   {8, "8x8"},
                               {9, "9x9"},   {10, "10x10"}, {15, "15x15"}, {20, "20x20"}};

struct LanguageEntry {
  const char* action;
  const char* code;
  bool offered;  // DE and CZ exist, hidden and disabled, for translation files to come
};

constexpr LanguageEntry kLanguages[] = {{"ActionJezykPL", "PL", true},
                                        {"ActionJezykEN", "EN", true},
                                        {"ActionJezykDE", "DE", false},
                                        {"ActionJezykCZ", "CZ", false}};

QString Name(const char* name) { return QString::fromLatin1(name); }

int StatusPanel1Width() { return 265; }
int StatusPanel2Width() { return 145; }

}  // namespace

Tmain::Tmain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), blinker_(this), startup_timer_(this), caption_timer_(this) {
  setObjectName(QStringLiteral("Tmain"));
  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks |
                 QMainWindow::AllowTabbedDocks);
  resize(1024, 720);
  CreateCommands();
  CreateMenus();
  CreateToolbars();
  CreatePanels();
  CreateStatusBar();
  CreateEditingPanel();
  ConnectDocumentState();
  // Connected once: FormCreate connects the state's hooks again.
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (!switching_ && node) PrzelaczDokument(node);
    emit currentDocumentChanged();
  });
  // Many renders of one burst of events renew the caption once.
  caption_timer_.setSingleShot(true);
  caption_timer_.setInterval(0);
  connect(&caption_timer_, &QTimer::timeout, this, [this] { UpdateCaption(); });
  FormCreate(arguments);
}

Tmain::~Tmain() { FormDestroy(); }

// ---------------------------------------------------------------------------
// Building the window

void Tmain::CreateCommands() {
  auto* tools = new QActionGroup(this);
  tools->setExclusive(true);
  for (const Command& c : kCommands) {
    auto* action = new QAction(this);
    action->setObjectName(Name(c.name));
    action->setProperty("category", Name(c.category));
    action->setIcon(CommandIcon(c.name));
    if (*c.key) action->setShortcut(QKeySequence::fromString(Name(c.key), QKeySequence::PortableText));
    action->setCheckable(c.checkable);
    action->setChecked(c.checked);
    if (c.group == CommandGroup::Tools) tools->addAction(action);
    action->setEnabled(false);
    const QString name = Name(c.name);
    connect(action, &QAction::triggered, this, [this, name] {
      auto it = handlers_.find(name);
      if (it == handlers_.end() || !*it) return;
      const std::function<void()> work = [this, name, handler = *it] {
        emit commandStarting(name);
        handler();
      };
      if (CommandGuard)
        CommandGuard(name, work);
      else
        work();
    });
    addAction(action);  // short-cuts work while menus and toolbars are hidden
    commands_.insert(name, action);
  }
  SetCommandHandler("ActionNowySchemat", [this] { NowyDokument(); });
  SetCommandHandler("ActionOtworzPlik", [this] { OpenFiles(); });
  SetCommandHandler("ActionZapiszPlik", [this] { ZapiszDokument(); });
  SetCommandHandler("ActionZapiszJako", [this] { ZapiszDokumentJako(); });
  SetCommandHandler("ActionZamknijPlikZAlgorytmem", [this] { ZamknijDokument(); });
  SetCommandHandler("ActionZamknijProgram", [this] { close(); });
}

QMenu* Tmain::AddMenu(QWidget* parent, const char* name) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(Name(name));
  menu->setToolTipsVisible(true);
  return menu;
}

void Tmain::CreateMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MenuBarMain"));
  bar->setNativeMenuBar(false);
  QHash<QString, QMenu*> menus;
  for (const char* name : kMainMenus) {
    QMenu* menu = AddMenu(bar, name);
    bar->addMenu(menu);
    menus.insert(Name(name), menu);
  }
  for (const SubmenuSpec& s : kSubmenus) menus.insert(Name(s.name), AddMenu(this, s.name));
  recent_menu_ = menus.value(QStringLiteral("menuOstatnioOtwarte"));

  // Language, grid, debug log: menu items of the window that are not table commands.
  auto* languages = new QActionGroup(this);
  for (const LanguageEntry& l : kLanguages) {
    auto* a = new QAction(this);
    a->setObjectName(Name(l.action));
    a->setCheckable(true);
    a->setVisible(l.offered);
    a->setEnabled(l.offered);
    languages->addAction(a);
    const char* code = l.code;
    connect(a, &QAction::triggered, this, [this, code] { SetLanguage(code); });
    commands_.insert(a->objectName(), a);
  }
  auto* grid = new QActionGroup(this);
  for (const GridEntry& g : kGrid) {
    auto* a = new QAction(this);
    a->setObjectName(QStringLiteral("ActionSiatka%1").arg(g.size));
    if (g.label) a->setText(Name(g.label));
    a->setCheckable(true);
    a->setChecked(g.size == grid_size_);
    grid->addAction(a);
    const int size = g.size;
    // "No grid" is a step of 1: a step of 0 would divide by zero.
    connect(a, &QAction::triggered, this, [this, size] { grid_size_ = size > 0 ? size : 1; });
    commands_.insert(a->objectName(), a);
  }
  auto* debug_log = new QAction(this);
  debug_log->setObjectName(QStringLiteral("ActionDebugLog"));
  debug_log->setEnabled(false);
  commands_.insert(debug_log->objectName(), debug_log);

  for (const MenuEntry& e : kMenuEntries) {
    QMenu* menu = menus.value(Name(e.menu));
    const QString item = Name(e.item);
    if (item == QLatin1String("-"))
      menu->addSeparator();
    else if (QMenu* sub = menus.value(item))
      menu->addMenu(sub);
    else if (QAction* a = commands_.value(item))
      menu->addAction(a);
  }
  // The panel and toolbar toggles are filled once those exist.
  auto* holder = new QToolBar(this);
  holder->setObjectName(QStringLiteral("toolMainMenu"));
  holder->setMovable(true);
  holder->setFloatable(false);
  holder->addWidget(bar);
  holder->toggleViewAction()->setVisible(false);  // the menu bar cannot be closed
  addToolBar(Qt::TopToolBarArea, holder);
  addToolBarBreak(Qt::TopToolBarArea);
}

void Tmain::CreateToolbars() {
  auto make = [this](const char* name) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(Name(name));
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, bar);
    return bar;
  };
  auto add = [this](QToolBar* bar, const char* entry) {
    if (Name(entry) == QLatin1String("-"))
      bar->addSeparator();
    else
      bar->addAction(commands_.value(Name(entry)));
  };
  auto drop_down = [this](QToolBar* bar, const char* menu_name) {
    QMenu* menu = findChild<QMenu*>(Name(menu_name));
    auto* button = new QToolButton(bar);
    button->setObjectName(Name(menu_name) + QStringLiteral("Button"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(menu);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
  };

  QToolBar* standard = make(kToolbars[0]);
  for (const char* e : kStandardToolbar) add(standard, e);

  QToolBar* view = make(kToolbars[1]);
  auto* scale = new QLabel(view);
  scale->setObjectName(QStringLiteral("lblSkala"));
  scale->setContentsMargins(4, 0, 4, 0);
  view->addWidget(scale);
  zoom_ = new QComboBox(view);
  zoom_->setObjectName(QStringLiteral("tbComboBoxLupa"));
  zoom_->setMaxVisibleItems(12);
  zoom_->setMinimumContentsLength(6);
  view->addWidget(zoom_);
  for (const char* e : kViewToolbar) add(view, e);
  drop_down(view, "menuPanele");

  QToolBar* run = make(kToolbars[2]);
  for (const char* e : kRunToolbar) add(run, e);
  QMenu* highlight = findChild<QMenu*>(QStringLiteral("menuPodswietlanie"));
  highlight->addAction(commands_.value(QStringLiteral("ActionPodswietlaj")));
  auto* delay_row = new QWidget(highlight);
  auto* delay_layout = new QHBoxLayout(delay_row);
  delay_layout->setContentsMargins(6, 2, 6, 2);
  auto* delay_label = new QLabel(delay_row);
  delay_label->setObjectName(QStringLiteral("lblOpoznieniePods"));
  highlight_delay_ = new QSpinBox(delay_row);
  highlight_delay_->setObjectName(QStringLiteral("spinEditOpoznieniePods"));
  highlight_delay_->setRange(20, 15000);
  highlight_delay_->setValue(50);
  delay_layout->addWidget(delay_label);
  delay_layout->addWidget(highlight_delay_);
  auto* delay_action = new QWidgetAction(highlight);
  delay_action->setDefaultWidget(delay_row);
  highlight->addAction(delay_action);
  drop_down(run, "menuPodswietlanie");
}

void Tmain::CreatePanels() {
  QMenu* widok = findChild<QMenu*>(QStringLiteral("menuWidok"));
  QMenu* panele = findChild<QMenu*>(QStringLiteral("menuPanele"));
  QList<QDockWidget*> left, right;
  QList<int> left_heights, right_heights, left_widths, right_widths;
  QAction* first_view_item = widok->actions().value(0);
  for (const PanelSpec& p : kPanels) {
    auto* dock = new QDockWidget(this);
    dock->setObjectName(Name(p.name));
    QWidget* content = nullptr;
    const QString name = Name(p.name);
    if (name == QLatin1String("dpWykazPlikow")) {
      tree_ = new OpenFilesTree(dock);
      content = tree_;
    } else if (name == QLatin1String("dpListaZmiennych")) {
      auto* grid = new QTableWidget(0, 2, dock);
      variable_list_ = grid;
      grid->setObjectName(QStringLiteral("ValueListEditor"));
      grid->verticalHeader()->hide();
      grid->setColumnWidth(0, 89);
      grid->setColumnWidth(1, 99);
      grid->horizontalHeader()->setStretchLastSection(true);
      grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
      content = grid;
    } else {
      // Filled by the panel's own window when it arrives.
      content = new QWidget(dock);
      content->setObjectName(name == QLatin1String("dpNavigator") ? QStringLiteral("PaintBoxLupa")
                                                                   : name + QStringLiteral("Content"));
      content->setAutoFillBackground(true);
    }
    if (p.min_width || p.min_height) content->setMinimumSize(p.min_width, p.min_height);
    dock->setWidget(content);
    addDockWidget(p.area, dock, Qt::Vertical);
    // A panel hidden at first takes no share of its side's designed sizes.
    if (p.shown && p.area == Qt::LeftDockWidgetArea) {
      left << dock;
      left_heights << p.height;
      left_widths << p.width;
    } else if (p.shown && p.area == Qt::RightDockWidgetArea) {
      right << dock;
      right_heights << p.height;
      right_widths << p.width;
    }
    // The toggles stand in the "Widok" menu before its first separator.
    auto* toggle = new QAction(this);
    toggle->setObjectName(QStringLiteral("ActionPokaz") + name);
    toggle->setIcon(CommandIcon(toggle->objectName().toStdString()));
    toggle->setCheckable(true);
    toggle->setChecked(p.shown);
    if (!p.shown) dock->hide();
    connect(toggle, &QAction::toggled, dock, &QDockWidget::setVisible);
    connect(dock, &QDockWidget::visibilityChanged, toggle, [toggle, dock](bool) {
      if (!dock->isHidden() != toggle->isChecked()) toggle->setChecked(!dock->isHidden());
    });
    commands_.insert(toggle->objectName(), toggle);
    widok->insertAction(first_view_item, toggle);
    panele->addAction(toggle);
  }
  // Menu order: open files, navigator, variables, help, block text, program code, analysis,
  // conversion.
  static constexpr const char* kToggleOrder[] = {"dpWykazPlikow", "dpNavigator",   "dpListaZmiennych",
                                                 "dpPomoc",       "dpCode",        "dpKodProgramu",
                                                 "dpNarzedzia",   "dpKonwersjaSystemow"};
  for (const char* n : kToggleOrder) {
    QAction* t = commands_.value(QStringLiteral("ActionPokaz") + Name(n));
    widok->removeAction(t);
    widok->insertAction(first_view_item, t);
    panele->removeAction(t);
    panele->addAction(t);
  }
  resizeDocks(left, left_widths, Qt::Horizontal);
  resizeDocks(left, left_heights, Qt::Vertical);
  resizeDocks(right, right_widths, Qt::Horizontal);
  resizeDocks(right, right_heights, Qt::Vertical);
  if (QDockWidget* bottom = findChild<QDockWidget*>(QStringLiteral("dpNarzedzia")))
    resizeDocks({bottom}, {180}, Qt::Vertical);

  QMenu* bars = findChild<QMenu*>(QStringLiteral("menuPaskiNarzedzi"));
  for (const char* n : kToolbars) {
    QToolBar* bar = findChild<QToolBar*>(Name(n));
    auto* toggle = new QAction(this);
    toggle->setObjectName(QStringLiteral("ActionPokaz") + Name(n));
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QToolBar::setVisible);
    connect(bar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    commands_.insert(toggle->objectName(), toggle);
    bars->addAction(toggle);
  }
}

void Tmain::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBarMain"));
  // The two panels of changing texts cut a long one with "…" and show it whole in their tooltip.
  status_notice_ = new ElidedLabel(bar);
  status_notice_->setObjectName(QStringLiteral("StatusPanel0"));
  auto* panel1 = new ElidedLabel(bar);
  run_status_ = panel1;
  panel1->setObjectName(QStringLiteral("StatusPanel1"));
  panel1->setFixedWidth(StatusPanel1Width());
  auto* mode = new QLabel(bar);
  mode_label_ = mode;
  mode->setObjectName(QStringLiteral("lblTrybPracy"));
  mode->setFixedWidth(StatusPanel2Width());
  mode->setAlignment(Qt::AlignCenter);
  QFont bold = mode->font();
  bold.setBold(true);
  mode->setFont(bold);
  // Panel 0 takes what panels 1 and 2 leave of the window's width.
  bar->addWidget(status_notice_, 1);
  bar->addWidget(panel1);
  bar->addWidget(mode);
  blinker_.setObjectName(QStringLiteral("Timer1"));
  connect(&blinker_, &QTimer::timeout, this, [this] {
    blinker_.setInterval(200);
    const bool odd = blink_count_ % 2 == 1;
    ++blink_count_;
    status_notice_->setText(odd ? Tr("msgm00025") : QString());
    if (blink_count_ >= 4) blinker_.stop();
  });
}

void Tmain::CreateEditingPanel() {
  editing_panel_ = new QWidget(this);
  editing_panel_->setObjectName(QStringLiteral("PanelEdycyjny"));
  editing_panel_->setAutoFillBackground(true);
  QPalette grey = editing_panel_->palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  editing_panel_->setPalette(grey);
  auto* layout = new QVBoxLayout(editing_panel_);
  layout->setContentsMargins(0, 0, 0, 0);
  // Stands in for the diagram editor until InstallDiagramWidget replaces it.
  auto* placeholder = new QWidget(editing_panel_);
  placeholder->setObjectName(QStringLiteral("PaintBoxEdytor"));
  placeholder->setAutoFillBackground(true);
  QPalette white = placeholder->palette();
  white.setColor(QPalette::Window, Qt::white);
  placeholder->setPalette(white);
  layout->addWidget(placeholder);
  paint_box_ = placeholder;
  setCentralWidget(editing_panel_);
}

void Tmain::InstallDiagramWidget(QWidget* widget) {
  const bool visible = paint_box_->isVisibleTo(editing_panel_);
  editing_panel_->layout()->replaceWidget(paint_box_, widget);
  delete paint_box_;
  paint_box_ = widget;
  paint_box_->setParent(editing_panel_);
  paint_box_->setVisible(visible);
}

void Tmain::ConnectDocumentState() {
  state_.OnAddRecentFile = [this](TDocumentState&, const std::string& path) {
    recent_.Add(path);
    RebuildRecentMenu();
  };
  // The state's hooks are the window's alone; the rest of the program hears
  // them as the window's signals.
  state_.OnRepaint = [this](TDocumentState&) {
    emit diagramAboutToRepaint();
    emit repaintRequested();
  };
  state_.OnSelectionChanged = [this](TDocumentState&) { emit selectionChanged(); };
  state_.OnBreakpointsChanged = [this](TDocumentState&) { emit breakpointsChanged(); };
  state_.OnDiagramChanged = [this](TDocumentState&) { emit documentChanged(); };
  state_.OnDefaultStyle = [this](const TDocumentState&) {
    return TElementDefaults{settings_.KolorWypelnienia, settings_.KolorObrysu,
                            settings_.NazwaCzcionki, settings_.RozmiarCzcionki};
  };
}

QAction* Tmain::CommandAction(const char* name) const { return commands_.value(Name(name)); }

void Tmain::AddPart(QObject* part) {
  Q_ASSERT_X(part, "Tmain::AddPart", "no part");
  parts_.push_back(part);
}

void Tmain::ParkFocus() { focus_button_->setFocus(); }

std::vector<QObject*> Tmain::DisableForInput() {
  std::vector<QObject*> disabled;
  auto disable = [&disabled](QObject* object, bool enabled) {
    if (!object || !enabled) return;
    disabled.push_back(object);
    if (auto* a = qobject_cast<QAction*>(object))
      a->setEnabled(false);
    else if (auto* w = qobject_cast<QWidget*>(object))
      w->setEnabled(false);
  };
  for (const char* name : kInputModeMenus) {
    if (auto* menu = findChild<QMenu*>(Name(name))) disable(menu->menuAction(), menu->menuAction()->isEnabled());
  }
  for (const char* name : kInputModeBars) {
    auto* widget = findChild<QWidget*>(Name(name));
    disable(widget, widget && widget->isEnabled());
  }
  return disabled;
}

void Tmain::EnableAgain(const std::vector<QObject*>& disabled) {
  for (QObject* object : disabled) {
    if (auto* a = qobject_cast<QAction*>(object))
      a->setEnabled(true);
    else if (auto* w = qobject_cast<QWidget*>(object))
      w->setEnabled(true);
  }
}

QDockWidget* Tmain::Panel(const char* name) const { return findChild<QDockWidget*>(Name(name)); }

bool Tmain::HasCommandHandler(const char* name) const {
  auto it = handlers_.find(Name(name));
  return it != handlers_.end() && *it;
}

void Tmain::SetCommandHandler(const char* name, std::function<void()> handler) {
  handlers_.insert(Name(name), std::move(handler));
  UpdateCommandStates();
}

void Tmain::UpdateCommandStates() {
  const bool document = state_.AktualnyPlik > 0;
  for (const Command& c : kCommands) {
    QAction* a = commands_.value(Name(c.name));
    const bool handled = handlers_.contains(Name(c.name));
    bool enabled = false;
    switch (c.rule) {
      case CommandRule::Always: enabled = true; break;
      case CommandRule::WithDocument: enabled = document; break;
      // Their own owners enable them; without a document they are off.
      case CommandRule::Run:
      case CommandRule::Clipboard: enabled = document && a->isEnabled(); break;
      case CommandRule::Never: enabled = false; break;
    }
    a->setEnabled(enabled && handled);
  }
  if (zoom_) zoom_->setEnabled(document);
}

// ---------------------------------------------------------------------------
// Texts

// Sets one property of the component a table target names.
void Tmain::ApplyTextSlots() {
  for (const WindowText& t : kMainTexts) {
    const QString target = Name(t.target);
    const qsizetype dot = target.indexOf(QLatin1Char('.'));
    const QString object = dot < 0 ? target : target.left(dot);
    const QString property = dot < 0 ? QString() : target.mid(dot + 1);
    const bool caption = property.isEmpty();
    const bool hint = property == QLatin1String("Hint");
    const QString text = Tr(t.id);
    if (object == QLatin1String("Caption")) {
      setWindowTitle(text);  // replaced by the document caption below
      continue;
    }
    QObject* found = findChild<QObject*>(object);
    if (auto* a = qobject_cast<QAction*>(found)) {
      if (caption) a->setText(text);
      if (hint) {
        a->setToolTip(text);
        a->setStatusTip(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
      }
    } else if (auto* m = qobject_cast<QMenu*>(found)) {
      if (caption) m->setTitle(text);
      if (hint) m->setToolTip(text);
      if (auto* button = findChild<QToolButton*>(object + QStringLiteral("Button"))) {
        if (caption) button->setText(text);
        if (hint) button->setToolTip(text);
      }
    } else if (auto* grid = qobject_cast<QTableWidget*>(found)) {
      if (property.startsWith(QLatin1String("Column")))
        grid->setHorizontalHeaderItem(property.back() == QLatin1Char('0') ? 0 : 1,
                                      new QTableWidgetItem(text));
    } else if (auto* spin = qobject_cast<QSpinBox*>(found)) {
      if (property == QLatin1String("Suffix")) spin->setSuffix(text);
    } else if (auto* bar = qobject_cast<QToolBar*>(found)) {
      if (caption) bar->setWindowTitle(text);
      if (property == QLatin1String("Chevron"))
        if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
          more->setToolTip(text);
    } else if (auto* label = qobject_cast<QLabel*>(found)) {
      if (caption) label->setText(text);
      if (hint) label->setToolTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(found)) {
      if (caption) widget->setWindowTitle(text);
      if (hint) widget->setToolTip(text);
    }
  }
}

void Tmain::ApplyTranslation() {
  ApplyTextSlots();
  tree_->SetRootText(Tr("msgm00068"));
  if (zoom_->count() == 9) {
    // The fit entry's field shows the zoom it chose; that stays.
    const QString shown = zoom_->currentText();
    zoom_->setItemText(8, Tr("msgm00021"));
    if (zoom_->isEditable() && zoom_->currentIndex() == 8) zoom_->setEditText(shown);
  }
  for (const LanguageEntry& l : kLanguages)
    commands_.value(Name(l.action))->setChecked(Language().LanguageCode() == l.code);
  UpdateCaption();
}

void Tmain::SetLanguage(const char* code) { tessaro::SetLanguage(code); }

// ---------------------------------------------------------------------------
// Start-up and shut-down

void Tmain::FormCreate(const QStringList& arguments) {
  // 1. Texts, now and whenever the language changes.
  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
  // 2. The execution controller takes its place here when it arrives.
  // 3. The editing panel fills the client area (CreateEditingPanel).
  // 4. Settings.
  LoadSettings(settings_);
  ApplyTheme(settings_.Interfejs);
  // 5. Version.
  version_text_ = TVersionInfo(ToPath(QApplication::applicationFilePath())).Item(TVersionInfo::kFileVersion);
  // 7. Status panel 0 is sized by the status bar's layout.
  // 8. Zoom list.
  view_ = ViewState{};
  for (const char* z : kZoomEntries) zoom_->addItem(Name(z));
  zoom_->addItem(Tr("msgm00021"));
  zoom_->setCurrentIndex(view_.SkalaIndeks);
  // 9. No visible control holds the focus.
  focus_button_ = new QPushButton(this);
  focus_button_->setObjectName(QStringLiteral("FocusButton"));
  focus_button_->setGeometry(-100, -100, 1, 1);
  focus_button_->setFocus();
  // 10. Empty document state.
  state_ = TDocumentState{};
  ConnectDocumentState();
  state_.Zmiana = false;
  grid_size_ = 5;
  paint_box_->hide();
  // 11. Command line.
  if (arguments.size() > 1 && QFileInfo(arguments.at(1)).isFile())
    command_line_file_ = ToPath(arguments.at(1));
  // 12. The root of the open-files tree.
  tree_->SetRootText(Tr("msgm00068"));
  // 13. The usage-statistics service.
  service_host_ = "tessaro.example.org";
  // 14. Random generator and the installation identifier.
  random_.seed(std::random_device{}());
  ReadUserId();
  // 16. Empty block clipboard.
  state_.Schowek.clear();
  state_.SchowekZrodlo = -1;
  // 17. Extensions.
  LoadPlugIns(0, static_cast<uintptr_t>(winId()));
  UpdateDocumentCommands();
  startup_timer_.setSingleShot(true);
  startup_timer_.setInterval(100);
  startup_timer_.setObjectName(QStringLiteral("startUPtimer"));
  connect(&startup_timer_, &QTimer::timeout, this, [this] {
    if (RegistryReadString("Informacja").empty()) emit informationDue();
  });
}

void Tmain::ReadUserId() {
  user_id_ = RegistryReadString("IdTS");
  if (!user_id_.empty()) return;
  user_id_ = NewUserId(random_);
  RegistryWriteString("IdTS", user_id_);
}

void Tmain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_once_) {
    shown_once_ = true;
    FormShow();
  }
}

void Tmain::FormShow() {
  startup_timer_.start();
  focus_button_->setFocus();
  // Panels and toolbars shown or hidden before the window was first shown
  // (the restored layout) sent no visibility signal: the "Widok" marks are
  // set from what is visible now.
  for (const PanelSpec& p : kPanels)
    if (QAction* toggle = commands_.value(QStringLiteral("ActionPokaz") + Name(p.name)))
      if (QDockWidget* dock = Panel(p.name)) toggle->setChecked(!dock->isHidden());
  for (const char* n : kToolbars)
    if (QAction* toggle = commands_.value(QStringLiteral("ActionPokaz") + Name(n)))
      if (QToolBar* bar = findChild<QToolBar*>(Name(n))) toggle->setChecked(!bar->isHidden());
}

void Tmain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  paint_box_->update();
}

void Tmain::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

bool Tmain::FormCloseQuery() { return ConfirmQuit(); }

void Tmain::FormClose() { emit closing(); }

void Tmain::FormDestroy() {
  // The compiled program ends first, so each extension hears the end of the
  // algorithm before its own end.
  emit shuttingDown();
  UnloadPlugIns();
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
  retranslation_ = -1;
}

QMenu* Tmain::createPopupMenu() {
  auto* menu = new QMenu(this);
  menu->addActions(findChild<QMenu*>(QStringLiteral("menuPanele"))->actions());
  menu->addSeparator();
  menu->addActions(findChild<QMenu*>(QStringLiteral("menuPaskiNarzedzi"))->actions());
  return menu;
}

void Tmain::BlinkStatusNotice() {
  blink_count_ = 0;
  blinker_.setInterval(1);
  blinker_.start();
}

void Tmain::ShowStatusNotice(const QString& text) { status_notice_->setText(text); }

void Tmain::RebuildRecentMenu() {
  recent_menu_->clear();
  for (const std::string& path : recent_.Paths()) {
    QAction* a = recent_menu_->addAction(FromPath(path));
    connect(a, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
  }
  recent_menu_->setEnabled(!recent_.Paths().empty());
}

}  // namespace tessaro::gui

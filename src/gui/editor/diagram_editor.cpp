#include "gui/editor/diagram_editor.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/diagram/rounding.h"
#include "core/document/block_clipboard.h"
#include "core/document/block_links.h"
#include "core/document/document_state.h"
#include "core/document/elements.h"
#include "core/document/hit_test.h"
#include "core/document/snapping.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "gui/diagram/diagram_commands.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

namespace {

constexpr int kMinBlockSize = 25;   // a block placed by a click
constexpr int kMinMovedSize = 10;   // a block resized by a drag
constexpr int kAutoScrollMargin = 16;   // pixels from the edge of the paint box
constexpr int kAutoScrollStep = 20;     // diagram units per tick
constexpr int kAutoScrollInterval = 40;  // ms

// The palette of the colour submenus, 0x00BBGGRR.
constexpr TColor kPalette[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                               0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                               0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, kDefaultFillColour, kNoteFillColour};

QIcon Swatch(TColor c) {
  QPixmap pixmap(16, 16);
  pixmap.fill(ToQColor(c));
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, 15, 15);
  return QIcon(pixmap);
}

bool StrictlyInside(const TRect& r, const QPoint& p) {
  return std::min(r.Left, r.Right) < p.x() && p.x() < std::max(r.Left, r.Right) &&
         std::min(r.Top, r.Bottom) < p.y() && p.y() < std::max(r.Top, r.Bottom);
}

TRect RectOf(const Tobj& e) { return {e.Left, e.Top, e.Left + e.Width, e.Top + e.Height}; }

}  // namespace

DiagramEditor::DiagramEditor(Tmain& window, DiagramView& view)
    : QObject(&window), window_(window), view_(view), auto_scroll_(this) {
  setObjectName(QStringLiteral("DiagramEditor"));
  auto_scroll_.setObjectName(QStringLiteral("AutoScroll"));
  auto_scroll_.setInterval(kAutoScrollInterval);
  connect(&auto_scroll_, &QTimer::timeout, this, &DiagramEditor::AutoScrollTick);
  context_menu_ = new QMenu(&window);
  context_menu_->setObjectName(QStringLiteral("PopupMenuEdycja"));
  SetCursorFor(narzedzie_);
}

TDocumentState& DiagramEditor::State() { return window_.State(); }

int DiagramEditor::Step() const { return GridStep(window_.GridSize()); }

bool DiagramEditor::NodesHittable() const {
  QAction* nodes = window_.CommandAction("ActionWezel");
  return !nodes || nodes->isChecked() || narzedzie_ == Wezel;
}

bool DiagramEditor::RunActiveRefusal() {
  if (!IsRunActive || !IsRunActive()) return false;
  window_.BlinkStatusNotice();
  return true;
}

// The start of an editing command: the block editor may take the command
// (`command` null: it is not offered), a run refuses it, and otherwise the
// block editor closes. False when the command goes no further.
bool DiagramEditor::StartEdit(const char* command) {
  if (command && window_.OnEditorCommand && window_.OnEditorCommand(command)) return false;
  if (RunActiveRefusal()) return false;
  CloseEditor();
  return true;
}

QPoint DiagramEditor::ToDiagramPoint(QPoint screen) const {
  const double z = window_.View().Skala / 100;
  const int32_t ox = RoundEven(window_.View().PoczatekX * z), oy = RoundEven(window_.View().PoczatekY * z);
  return {RoundEven((screen.x() - ox) / z), RoundEven((screen.y() - oy) / z)};
}

QPoint DiagramEditor::SnapScreen(QPoint raw) const { return {Snap(raw.x(), Step()), Snap(raw.y(), Step())}; }

void DiagramEditor::Repaint() { State().Repaint(); }

void DiagramEditor::Render() { view_.RysujSchemat(); }

void DiagramEditor::SelectionChanged() {
  State().SelectionChanged();
  UpdateClipboardCommands();
}

void DiagramEditor::SetCursorFor(int tool) {
  QWidget* box = view_.PaintBox();
  if (tool == kToolPan)
    box->setCursor(Qt::ArrowCursor);
  else if (tool == kToolSelect)
    box->unsetCursor();
  else
    box->setCursor(Qt::CrossCursor);
}

void DiagramEditor::SetTool(int tool) {
  narzedzie_ = tool;
  temporary_pan_ = false;
  SetCursorFor(tool);
  for (const ToolSpec& t : kTools)
    if (t.tool == tool)
      if (QAction* a = window_.CommandAction(t.action)) a->setChecked(true);
  // The node tool shows the nodes it places.
  if (tool == Wezel)
    if (QAction* nodes = window_.CommandAction("ActionWezel"); nodes && !nodes->isChecked()) nodes->setChecked(true);
}

void DiagramEditor::ShowPending() {
  if (pending_messages_.empty()) return;
  std::vector<const char*> messages;
  messages.swap(pending_messages_);
  // Message boxes wait until the mouse event is over.
  QTimer::singleShot(0, this, [messages] {
    for (const char* id : messages) Komunikat(LangText("msgm00023"), LangText(id));
  });
}

void DiagramEditor::EndDrag() {
  tryb_ = 0;
  nakladka_ = false;
  view_.Renderer().Memory().PreviousBandDrawn = false;
  auto_scroll_.stop();
}

void DiagramEditor::OpenEditorOn(int32_t index) {
  TDocumentState& s = State();
  if (index < 0 || static_cast<size_t>(index) >= s.Bloki.size()) return;
  recorded_block_ = index;
  recorded_rect_ = RectOf(s.Bloki[index]);
}

void DiagramEditor::ForgetRecordedBlock() { recorded_block_ = -1; }

void DiagramEditor::CloseEditor() {
  recorded_block_ = -1;
  if (window_.OnCloseBlockEditor) window_.OnCloseBlockEditor();
}

// ---------------------------------------------------------------------------
// Mouse

void DiagramEditor::PressTakenElsewhere() {
  EndDrag();
  przesunieto_ = false;
  pressed_ = false;
}

void DiagramEditor::Press(QMouseEvent* event) {
  TDocumentState& s = State();
  przesunieto_ = false;
  consumed_ = false;
  pressed_ = true;
  pending_messages_.clear();
  if (QWidget* insert = window_.findChild<QWidget*>(QStringLiteral("TBXButtonWstaw"));
      insert && insert->isVisible() && insert->isEnabled())
    insert->setFocus();
  if (RunActiveRefusal()) {
    tryb_ = 0;
    // A refused placement does not wait, armed, for the run to end.
    if (narzedzie_ != kToolSelect) SetTool(kToolSelect);
    return;
  }
  const QPoint raw = event->position().toPoint();
  press_raw_ = last_raw_ = raw;
  press_button_ = event->button();
  const QPoint snapped = SnapScreen(raw);

  if (narzedzie_ == kToolPan) {
    const double z = window_.View().Skala / 100;
    anchor_ = {RoundEven(snapped.x() / z), RoundEven(snapped.y() / z)};
    temporary_pan_ = true;
    view_.PaintBox()->setCursor(Qt::SizeAllCursor);
    tryb_ = 1;
    return;
  }

  tryb_ = 1;
  const QPoint p = ToDiagramPoint(snapped);
  anchor_ = p;
  view_.Renderer().Memory().PreviousBandDrawn = false;
  const bool left_or_right = press_button_ == Qt::LeftButton || press_button_ == Qt::RightButton;
  if (s.GrupaAktywna && left_or_right && StrictlyInside(s.ObszarGrupy, p)) {
    rect_ = s.ObszarGrupy;
    tryb_ = 2;
    return;
  }

  const int32_t previous = s.HasValidSelection() ? s.Wybrany : -1;
  const int32_t g = narzedzie_ == kToolSelect ? TrafionyBlok(s.Bloki, p.x(), p.y(), NodesHittable()) : -1;
  if (g == -1) {
    window_.ShowStatusNotice(QString());
    rect_ = {p.x(), p.y(), p.x(), p.y()};
  } else {
    const char* hint = "msgm00031";
    if (previous >= 0 && s.Bloki[previous].Blok == Notatka)
      hint = "msgm00045";
    else if (s.Bloki[g].Blok == Warunek)
      hint = "msgm00032";
    window_.ShowStatusNotice(FromCore(LangText(hint)));
    const Qt::KeyboardModifiers m = event->modifiers();
    const LinkOutcome link = Polacz(s.Bloki, previous, g, m.testFlag(Qt::ControlModifier), m.testFlag(Qt::ShiftModifier));
    pending_messages_.insert(pending_messages_.end(), link.messages.begin(), link.messages.end());
    if (link.refused) tryb_ = 0;
    rect_ = RectOf(s.Bloki[g]);
  }
  const bool changed = s.Wybrany != g;
  s.Wybrany = g;
  if (changed) SelectionChanged();
  Repaint();
  // A refusal without a release to follow (the button is already up) still reports.
  if (!(QApplication::mouseButtons() & press_button_)) ShowPending();
}

void DiagramEditor::Move(QMouseEvent* event) {
  const QPoint raw = event->position().toPoint();
  last_raw_ = raw;
  const int threshold = DragThreshold(Step(), QApplication::startDragDistance());
  if (tryb_ != 0 && (std::abs(raw.x() - press_raw_.x()) >= threshold ||
                     std::abs(raw.y() - press_raw_.y()) >= threshold)) {
    nakladka_ = true;
    przesunieto_ = true;
  }
  const QPoint snapped = SnapScreen(raw);
  TDocumentState& s = State();

  if (narzedzie_ == kToolPan) {
    if (tryb_ != 1) return;
    nakladka_ = false;
    const double z = window_.View().Skala / 100;
    const QPoint u{RoundEven(snapped.x() / z), RoundEven(snapped.y() / z)};
    window_.View().PoczatekX += u.x() - anchor_.x();
    window_.View().PoczatekY += u.y() - anchor_.y();
    anchor_ = u;
    view_.UpdateScrollBars();
    const bool changed = s.Zmiana;
    s.WyznaczObszar();
    s.Zmiana = changed;
    Render();
    return;
  }
  if (tryb_ == 0 || !przesunieto_) return;

  const QPoint p = ToDiagramPoint(snapped);
  const int dx = p.x() - anchor_.x(), dy = p.y() - anchor_.y();
  if (tryb_ == 1) {
    if (!s.HasValidSelection()) {
      rect_.Right = p.x();
      rect_.Bottom = p.y();
    } else {
      const Tobj& b = s.Bloki[s.Wybrany];
      rect_ = {b.Left + dx, b.Top + dy, b.Left + b.Width + dx, b.Top + b.Height + dy};
    }
  } else if (tryb_ == 2) {
    const TRect& g = s.ObszarGrupy;
    rect_ = {g.Left + dx, g.Top + dy, g.Right + dx, g.Bottom + dy};
  }
  Render();

  // Dragging near the edge scrolls the view.
  const QRect box = view_.PaintBox()->rect().adjusted(kAutoScrollMargin, kAutoScrollMargin, -kAutoScrollMargin,
                                                     -kAutoScrollMargin);
  if (!box.contains(raw)) {
    if (!auto_scroll_.isActive()) auto_scroll_.start();
  } else {
    auto_scroll_.stop();
  }
}

void DiagramEditor::AutoScrollTick() {
  if (tryb_ == 0 || !nakladka_) {
    auto_scroll_.stop();
    return;
  }
  const QRect box = view_.PaintBox()->rect();
  int dx = 0, dy = 0;
  if (last_raw_.x() < box.left() + kAutoScrollMargin) dx = kAutoScrollStep;
  if (last_raw_.x() > box.right() - kAutoScrollMargin) dx = -kAutoScrollStep;
  if (last_raw_.y() < box.top() + kAutoScrollMargin) dy = kAutoScrollStep;
  if (last_raw_.y() > box.bottom() - kAutoScrollMargin) dy = -kAutoScrollStep;
  if (dx == 0 && dy == 0) {
    auto_scroll_.stop();
    return;
  }
  // The view moves under the mouse, so the same screen point lies further along.
  window_.View().PoczatekX += dx;
  window_.View().PoczatekY += dy;
  view_.UpdateScrollBars();
  // A full picture at the new origin, then the band over it.
  nakladka_ = false;
  Render();
  view_.Renderer().Memory().PreviousBandDrawn = false;
  nakladka_ = true;
  QMouseEvent move(QEvent::MouseMove, QPointF(last_raw_), view_.PaintBox()->mapToGlobal(QPointF(last_raw_)),
                   Qt::NoButton, QApplication::mouseButtons(), QApplication::keyboardModifiers());
  Move(&move);
}

void DiagramEditor::Release(QMouseEvent* event) {
  TDocumentState& s = State();
  auto_scroll_.stop();
  // A release acts on the state its own press set up; without that press
  // (taken elsewhere, or the second click of a double click) it does nothing.
  if (!std::exchange(pressed_, false)) {
    if (event->buttons() == Qt::NoButton) EndDrag();
    return;
  }
  if (consumed_) {
    consumed_ = false;
    return;
  }
  if (narzedzie_ == kToolPan) {
    tryb_ = 0;
    if (temporary_pan_) {
      SetCursorFor(narzedzie_);
      temporary_pan_ = false;
    }
    return;
  }
  if (RunActiveRefusal()) {
    EndDrag();
    return;
  }
  const bool moved = przesunieto_;
  nakladka_ = false;
  view_.Renderer().Memory().PreviousBandDrawn = false;
  const QPoint raw = event->position().toPoint();
  const QPoint d = ToDiagramPoint(raw);
  const QPoint p{Snap(d.x(), Step()), Snap(d.y(), Step())};

  // Group move.
  if (tryb_ == 2 && s.GrupaAktywna && moved) {
    const int dx = rect_.Left - s.ObszarGrupy.Left, dy = rect_.Top - s.ObszarGrupy.Top;
    for (Tobj& e : s.Bloki) {
      if (!e.Zaznaczony) continue;
      e.Left += dx;
      e.Top += dy;
    }
    s.ObszarGrupy = {s.ObszarGrupy.Left + dx, s.ObszarGrupy.Top + dy, s.ObszarGrupy.Right + dx,
                     s.ObszarGrupy.Bottom + dy};
    tryb_ = 0;
    Repaint();
    s.ZapiszStan();
    UpdateClipboardCommands();
    ShowPending();
    return;
  }
  // A left click inside the group without moving is an ordinary click on
  // what lies there.
  if (tryb_ == 2 && press_button_ == Qt::LeftButton) {
    ClearSelection(s);
    const int32_t g = narzedzie_ == kToolSelect ? TrafionyBlok(s.Bloki, d.x(), d.y(), NodesHittable()) : -1;
    s.Wybrany = g;
    rect_ = g >= 0 ? RectOf(s.Bloki[g]) : TRect{p.x(), p.y(), p.x(), p.y()};
    SelectionChanged();
  }

  if (!s.HasValidSelection()) {
    rect_.Right = p.x();
    rect_.Bottom = p.y();
  }
  if (narzedzie_ == kToolSelect && s.HasValidSelection()) {
    for (Tobj& e : s.Bloki) e.Zaznaczony = 0;
    Tobj& b = s.Bloki[s.Wybrany];
    b.Left = rect_.Left;
    b.Top = rect_.Top;
    b.Width = std::max(kMinMovedSize, std::abs(rect_.Right - rect_.Left));
    b.Height = std::max(kMinMovedSize, std::abs(rect_.Bottom - rect_.Top));
    OpenEditorOn(s.Wybrany);
    Repaint();
    s.ZapiszStan();
  } else if (narzedzie_ == kToolSelect) {
    CloseEditor();
  }

  const bool inside_group = s.GrupaAktywna && StrictlyInside(s.ObszarGrupy, p);
  if (press_button_ == Qt::RightButton && !moved && (s.HasValidSelection() || inside_group)) {
    UpdateClipboardCommands();
    tryb_ = 0;
    ShowContextMenu(press_raw_);
    ShowPending();
    return;
  }

  tryb_ = 0;
  const bool had_group = s.GrupaAktywna;
  s.GrupaAktywna = false;
  if (narzedzie_ >= Start && narzedzie_ <= Notatka) {
    for (Tobj& e : s.Bloki) e.Zaznaczony = 0;
    Place();
  } else if (narzedzie_ == kToolSelect && !s.HasValidSelection()) {
    BandSelect();
  } else if (had_group) {
    SelectionChanged();
  }
  nakladka_ = false;
  SetTool(kToolSelect);
  Repaint();
  UpdateClipboardCommands();
  ShowPending();
}

void DiagramEditor::Place() {
  TDocumentState& s = State();
  const TElementDefaults defaults = s.DefaultStyle();
  const int32_t left = std::min(rect_.Left, rect_.Right), top = std::min(rect_.Top, rect_.Bottom);
  Tobj e = narzedzie_ == Notatka ? NowaNotatka(left, top, defaults) : NowyElement(narzedzie_, left, top, defaults);
  e.Width = std::max(kMinBlockSize, std::abs(rect_.Right - rect_.Left));
  e.Height = std::max(kMinBlockSize, std::abs(rect_.Bottom - rect_.Top));
  s.Bloki.push_back(std::move(e));
  s.WyznaczObszar();
  // The first paint measures the text, the second fits the block to it; the snapshot holds the fitted size.
  Repaint();
  Repaint();
  s.ZapiszStan();
}

void DiagramEditor::BandSelect() {
  TDocumentState& s = State();
  const std::vector<int32_t> caught = CaughtByBand(s.Bloki, rect_, NodesHittable());
  for (Tobj& e : s.Bloki) e.Zaznaczony = 0;
  for (int32_t i : caught) s.Bloki[i].Zaznaczony = 1;
  s.ObszarGrupy = BoundsOfElements(s.Bloki, caught);
  if (caught.size() == 1) {
    s.Wybrany = caught[0];
    OpenEditorOn(s.Wybrany);
  }
  if (caught.size() >= 2) {
    s.GrupaAktywna = true;
    CloseEditor();
  }
  SelectionChanged();
}

void DiagramEditor::DoubleClick(QMouseEvent*) {
  if (IsRunActive && IsRunActive()) return;
  if (QDockWidget* code = window_.Panel("dpCode")) {
    code->show();
    code->raise();
  }
}

// ---------------------------------------------------------------------------
// Commands

void DiagramEditor::UpdateClipboardCommands() {
  TDocumentState& s = State();
  const bool document = s.CurrentDocument() != nullptr;
  const bool selection = document && (s.HasValidSelection() || s.GrupaAktywna);
  auto set = [this](const char* name, bool on) {
    if (QAction* a = window_.CommandAction(name)) a->setEnabled(on);
  };
  set("ActionWytnij", selection);
  set("ActionKopiuj", selection);
  set("ActionUsunPolaczenia", selection);
  set("ActionUsunBloki", selection);
  set("ActionWklej", document && !s.Schowek.empty());
  set("ActionWyrownajPionowo", document && s.GrupaAktywna);
  set("ActionWyrownajPoziomo", document && s.GrupaAktywna);
}

void DiagramEditor::Undo() {
  if (!StartEdit("ActionCofnij")) return;
  State().CofnijKrok();
  UpdateClipboardCommands();
}

void DiagramEditor::Redo() {
  if (!StartEdit("ActionPonow")) return;
  State().PonowKrok();
  UpdateClipboardCommands();
}

void DiagramEditor::Copy() {
  if (window_.OnEditorCommand && window_.OnEditorCommand("ActionKopiuj")) return;
  if (!KopiujBloki(State())) return;
  if (DiagramCommands* commands = DiagramCommandsOf(window_)) commands->CopyBlocksPicture();
  UpdateClipboardCommands();
  Repaint();
}

void DiagramEditor::Cut() {
  if (!StartEdit("ActionWytnij")) return;
  WytnijBloki(State());
  UpdateClipboardCommands();
}

void DiagramEditor::Paste() {
  if (!StartEdit("ActionWklej")) return;
  Wklej(State(), [] {
    return PytanieTakNie(LangText("msgm00023"), LangText("msgm00037"), QuestionIcon::Standard) == Answer::Yes;
  });
  UpdateClipboardCommands();
}

void DiagramEditor::Delete() {
  if (!StartEdit("ActionUsunBloki")) return;
  UsunZaznaczone(State());
  UpdateClipboardCommands();
}

void DiagramEditor::RemoveLinks() {
  if (!StartEdit(nullptr)) return;
  UsunPolaczenia(State());
  UpdateClipboardCommands();
}

void DiagramEditor::CentreVertically() {
  TDocumentState& s = State();
  if (!s.GrupaAktywna || RunActiveRefusal()) return;
  const int32_t middle = s.ObszarGrupy.Left + (s.ObszarGrupy.Right - s.ObszarGrupy.Left) / 2;
  for (Tobj& e : s.Bloki)
    if (e.Zaznaczony) e.Left = middle - e.Width / 2;
  Repaint();
  s.ZapiszStan();
}

void DiagramEditor::CentreHorizontally() {
  TDocumentState& s = State();
  if (!s.GrupaAktywna || RunActiveRefusal()) return;
  const int32_t middle = s.ObszarGrupy.Top + (s.ObszarGrupy.Bottom - s.ObszarGrupy.Top) / 2;
  for (Tobj& e : s.Bloki)
    if (e.Zaznaczony) e.Top = middle - e.Height / 2;
  Repaint();
  s.ZapiszStan();
}

void DiagramEditor::FillScene(RenderScene& scene) {
  scene.Nakladka = nakladka_;
  scene.RubberBand = rect_;
  scene.TemporaryPan = temporary_pan_ && tryb_ != 0;
  const TDocumentState& s = window_.State();
  const bool recorded = recorded_block_ >= 0 && static_cast<size_t>(recorded_block_) < s.Bloki.size();
  scene.RecordedBlock = recorded ? recorded_block_ : -1;
  scene.RecordedRect = recorded_rect_;
}

// ---------------------------------------------------------------------------
// Context menu

void DiagramEditor::BuildContextMenu() {
  QMenu* menu = context_menu_;
  menu->clear();
  for (const char* name : {"ActionWytnij", "ActionKopiuj", "ActionWklej", "ActionUsunPolaczenia"})
    if (QAction* a = window_.CommandAction(name)) menu->addAction(a);
  menu->addSeparator();
  struct Sub {
    const char* object;
    const char* text;
    TColor (TDocumentState::*get)() const;
    void (TDocumentState::*set)(TColor);
  };
  const Sub subs[] = {
      {"menuKolorTekstu", "msged0006", &TDocumentState::KolorTekstu, &TDocumentState::SetKolorTekstu},
      {"menuKolorWypelnienia", "msged0007", &TDocumentState::KolorWypelnienia, &TDocumentState::SetKolorWypelnienia},
      {"menuKolorObramowania", "msged0008", &TDocumentState::KolorObrysu, &TDocumentState::SetKolorObrysu},
  };
  QMenu* made[3] = {};
  for (int k = 0; k < 3; ++k) {
    const Sub& sub = subs[k];
    QMenu* palette = menu->addMenu(FromCore(LangText(sub.text)));
    palette->setObjectName(QString::fromLatin1(sub.object));
    const TColor current = (State().*sub.get)();
    for (TColor c : kPalette) {
      QAction* a = palette->addAction(Swatch(c), QStringLiteral("#%1").arg(ToQColor(c).name().mid(1).toUpper()));
      a->setCheckable(true);
      a->setChecked(c == current);
      auto set = sub.set;
      connect(a, &QAction::triggered, this, [this, set, c] {
        if (RunActiveRefusal()) return;
        (State().*set)(c);
      });
    }
    made[k] = palette;
  }
  if (window_.OnFillStyleMenus) window_.OnFillStyleMenus(made[0], made[1], made[2], menu);
  menu->addSeparator();
  QAction* cancel = menu->addAction(FromCore(LangText("msgm00006")));
  cancel->setObjectName(QStringLiteral("ActionAnuluj"));
}

void DiagramEditor::ShowContextMenu(QPoint raw) {
  BuildContextMenu();
  const QPoint global = view_.PaintBox()->mapToGlobal(raw);
  // Shown after the mouse event, not inside it.
  QTimer::singleShot(0, context_menu_, [menu = QPointer<QMenu>(context_menu_), global] {
    if (menu) menu->popup(global);
  });
}

}  // namespace tessaro::gui

// The diagram editor: turns mouse input on the paint box PaintBoxEdytor into
// changes of the diagram (placing, selecting, moving, linking, the rubber
// band, group moves, panning) and carries out the editing commands (tools,
// undo and redo, the block clipboard, Delete, centring, the grid).
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <vector>

#include "core/diagram/renderer.h"
#include "core/document/model.h"

class QMenu;
class QMouseEvent;

namespace tessaro {
class TDocumentState;
}

namespace tessaro::gui {

class DiagramView;
class Tmain;

// The tools (Narzedzie): 0 select and move, 1..7 the block kinds, 10 pan.
constexpr int kToolSelect = 0;
constexpr int kToolPan = 10;

struct ToolSpec {
  const char* action;
  int tool;
};
inline constexpr ToolSpec kTools[] = {
    {"ActionPrzesunObszarRoboczy", kToolPan}, {"ActionWybieranie", kToolSelect},
    {"ActionBlokRozpoczynajacy", Start},      {"ActionBlokKonczacy", Koniec},
    {"ActionBlokPrzetwarzaniaDanych", Przetwarzanie}, {"ActionBlokWarunkowy", Warunek},
    {"ActionBlokWejsciaWyjscia", WeWY},       {"ActionBlokWezelPomocniczy", Wezel},
    {"ActionBlokNotaOpis", Notatka},
};

class DiagramEditor : public QObject {
  Q_OBJECT

 public:
  DiagramEditor(Tmain& window, DiagramView& view);

  // Whether an algorithm runs now; edits are refused meanwhile.
  std::function<bool()> IsRunActive;

  // The mouse on the paint box.
  void Press(QMouseEvent* event);
  void Move(QMouseEvent* event);
  void Release(QMouseEvent* event);
  void DoubleClick(QMouseEvent* event);
  // A press on the paint box was taken before it reached the editor (a
  // breakpoint toggle): no drag is under way, whatever the last press left.
  void PressTakenElsewhere();

  // Tools.
  int Narzedzie() const { return narzedzie_; }
  void SetTool(int tool);

  // The commands; each is refused (with the blinking notice) while a run is active.
  void Undo();
  void Redo();
  void Copy();
  void Cut();
  void Paste();
  void Delete();
  void RemoveLinks();
  void CentreVertically();
  void CentreHorizontally();

  // Enables the clipboard commands and the centring by the selection.
  void UpdateClipboardCommands();
  // Fills the editor's part of the scene before every render.
  void FillScene(RenderScene& scene);
  // Forgets the block the content editor keeps centred.
  void ForgetRecordedBlock();

  // The context menu PopupMenuEdycja and its three colour submenus.
  QMenu* ContextMenu() const { return context_menu_; }

  // State for tests and the renderer.
  int TrybCiagniecia() const { return tryb_; }
  bool Nakladka() const { return nakladka_; }
  const TRect& ProstokatCiagniecia() const { return rect_; }
  QTimer& AutoScroll() { return auto_scroll_; }

 private:
  TDocumentState& State();
  int Step() const;
  bool NodesHittable() const;
  bool RunActiveRefusal();
  bool StartEdit(const char* command);
  QPoint ToDiagramPoint(QPoint screen) const;
  QPoint SnapScreen(QPoint raw) const;
  void Repaint();
  void Render();
  void SetCursorFor(int tool);
  void ShowPending();
  void EndDrag();
  void Place();
  void BandSelect();
  void OpenEditorOn(int32_t index);
  void CloseEditor();
  void BuildContextMenu();
  void ShowContextMenu(QPoint raw);
  void AutoScrollTick();
  void SelectionChanged();

  Tmain& window_;
  DiagramView& view_;
  int narzedzie_ = kToolSelect;
  int tryb_ = 0;  // TrybCiagniecia: 0 idle, 1 pressed, 2 moving a group
  bool nakladka_ = false;
  bool przesunieto_ = false;
  bool consumed_ = false;
  bool pressed_ = false;  // a press this editor saw waits for its release
  bool temporary_pan_ = false;
  TRect rect_;                  // ProstokatCiagniecia
  QPoint anchor_;               // PunktZaczepienia
  QPoint press_raw_;            // the raw press point
  QPoint last_raw_;             // for auto-scroll
  Qt::MouseButton press_button_ = Qt::NoButton;
  int32_t recorded_block_ = -1;
  TRect recorded_rect_;
  std::vector<const char*> pending_messages_;
  QTimer auto_scroll_;
  QMenu* context_menu_ = nullptr;
};

}  // namespace tessaro::gui

// Tmain: the program's main window, owner of the document state, the command
// table, the panels and the start-up and shut-down of the program.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/document/document_state.h"
#include "core/i18n/retranslation.h"
#include "core/settings/settings.h"
#include "gui/shell/recent_files.h"

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QToolBar;
class QTreeWidgetItem;
class QWidget;

namespace tessaro::gui {

class OpenFilesTree;

// The view of the current document, held by the window while it is current.
struct ViewState {
  int32_t PoczatekX = 0;
  int32_t PoczatekY = 0;
  double Skala = 100.0;
  int32_t SkalaIndeks = 4;
};

// The file choosers of the open and save commands; tests replace them.
struct FileChoosers {
  // Returns the chosen files, in the dialog's order; empty when cancelled.
  std::function<QStringList(QWidget* parent, const QString& folder)> open;
  // Returns the chosen file name, or an empty text when cancelled.
  std::function<QString(QWidget* parent)> save;
};

class Tmain : public QMainWindow {
  Q_OBJECT

 public:
  // Runs FormCreate. `arguments` are the program's arguments, the program
  // name first.
  explicit Tmain(const QStringList& arguments, QWidget* parent = nullptr);
  // Runs FormDestroy.
  ~Tmain() override;

  // Document lifecycle.
  void NowyDokument();
  bool OtworzDokument(const std::string& path);
  // False when the file could not be read (the reader has said why).
  bool WczytajPlik(const std::string& path);
  bool ZapiszDokument();
  bool ZapiszDokumentJako();
  void ZamknijDokument();
  void PrzelaczDokument(QTreeWidgetItem* node);
  // The open command: the file dialog, then OtworzDokument for each file.
  void OpenFiles();
  // A recent-files entry was chosen.
  void OpenRecentFile(const std::string& path);
  // The caption, the editor's visibility and the command states.
  void UpdateDocumentCommands();
  // The quit question; false keeps the program open.
  bool ConfirmQuit();
  // Whether the current document differs from its file: the caption then
  // shows "*" before its name, and closing and quitting ask to save it.
  bool DocumentModified();
  // Renews the caption's unsaved mark once control returns to the event
  // loop; the diagram view asks for it after every render.
  void ScheduleCaptionUpdate();

  TDocumentState& State() { return state_; }
  // The options in force; the configuration dialog edits them.
  TSettings& Settings() { return settings_; }
  ViewState& View() { return view_; }
  RecentFiles& Recent() { return recent_; }
  FileChoosers& Choosers() { return choosers_; }
  OpenFilesTree* FilesTree() const { return tree_; }

  // The command `name` of the table (or one of the window's menu items).
  QAction* CommandAction(const char* name) const;
  // Gives the command `name` its work; a command without work stays disabled.
  void SetCommandHandler(const char* name, std::function<void()> handler);
  // Whether command `name` has work.
  bool HasCommandHandler(const char* name) const;
  // Re-applies the enabled rule of every command.
  void UpdateCommandStates();

  // The diagram editing widget takes its place in the editing panel.
  void InstallDiagramWidget(QWidget* widget);
  QWidget* DiagramWidget() const { return paint_box_; }
  QDockWidget* Panel(const char* name) const;

  // The parts the installers add (the drawing area, the run controller, the
  // analysis window, the block editor, ...), at most one of each type. Parts
  // reach each other through here, never by another window's object names.
  void AddPart(QObject* part);
  template <class T>
  T* Part() const {
    for (const QPointer<QObject>& p : parts_)
      if (T* t = dynamic_cast<T*>(p.data())) return t;
    return nullptr;
  }
  // The part `installer` cannot work without: a missing one is a mistake of
  // the composition root, which ends the program with a message saying so.
  template <class T>
  T& RequirePart(const char* installer) const {
    T* t = Part<T>();
    if (!t) qFatal("%s: a part it needs (%s) is not installed yet", installer, typeid(T).name());
    return *t;
  }

  // The window's own controls that the run and the diagram work with.
  QTableWidget* VariableList() const { return variable_list_; }
  QSpinBox* HighlightDelay() const { return highlight_delay_; }
  QComboBox* ZoomList() const { return zoom_; }
  // The run's status panel and the mode label of the status bar.
  QLabel* RunStatusLabel() const { return run_status_; }
  QLabel* ModeLabel() const { return mode_label_; }
  // Parks the keyboard focus on the window's invisible button.
  void ParkFocus();
  // Disables the menus and toolbars that must wait while a read waits for its
  // answer; returns what it disabled, for EnableAgain.
  std::vector<QObject*> DisableForInput();
  static void EnableAgain(const std::vector<QObject*>& disabled);

  // Applies every text of the window in the active language.
  void ApplyTranslation();

  const std::string& VersionText() const { return version_text_; }
  const std::string& UserId() const { return user_id_; }
  const std::string& CommandLineFile() const { return command_line_file_; }
  int GridSize() const { return grid_size_; }

  // Blinks the edit-refused notice in the status bar.
  void BlinkStatusNotice();
  void ShowStatusNotice(const QString& text);

  // Rebuilds the recent-files menu from Recent().
  void RefreshRecentMenu() { RebuildRecentMenu(); }

  // Announcements other parts make through the window; each emits the signal
  // of the same meaning below.
  // A pending console input is abandoned (the block editor takes the keyboard).
  void AbandonInput() { emit inputAbandoned(); }
  // The block content editor lets its block go (a new selection or document replaces it).
  void CloseBlockEditor() { emit blockEditorClosed(); }
  // The extension manager was confirmed.
  void AnnounceExtensionsChanged() { emit extensionsChanged(); }
  // The diagram's context menu is being built; see contextMenuBuilding.
  void AnnounceContextMenu(QMenu* textColour, QMenu* fillColour, QMenu* frameColour, QMenu* contextMenu) {
    emit contextMenuBuilding(textColour, fillColour, frameColour, contextMenu);
  }
  // A mouse button went down on the diagram, before the editor acts on it.
  void AnnounceDiagramPress() { emit diagramPressed(); }

  // Single-owner hooks; unset hooks do nothing.
  // The undo, redo, copy, cut, paste and delete commands ask it first, with
  // the command's name; true means the block content editor (which has the
  // keyboard focus) handled it and the diagram command does nothing. Set
  // once, by the block editor's installer.
  std::function<bool(const char* command)> OnEditorCommand;
  // Runs every command's work (`run`); the failure handler guards it here.
  std::function<void(const QString& command, const std::function<void()>& run)> CommandGuard;

 signals:
  // The document state, announced. Every part that follows it connects in
  // its installer; no listener depends on another's order, except where the
  // two repaint signals below say so.
  //
  // A snapshot really changed the diagram (ZapiszStan, undo, redo).
  void documentChanged();
  // The selected element or group changed.
  void selectionChanged();
  // The current document's breakpoints changed.
  void breakpointsChanged();
  // A repaint was asked for: the diagram or the document shown may differ
  // from what the screen shows. Every repaint is announced in two steps:
  // first diagramAboutToRepaint, where whatever was derived from the diagram
  // is checked against it (the run discards a program compiled from another
  // diagram), then repaintRequested, where the views draw.
  void diagramAboutToRepaint();
  void repaintRequested();
  // Another document becomes current in the open-files tree.
  void currentDocumentChanged();
  // The current document is being left for a new, another or no document:
  // a run stops and its compiled program is discarded.
  void currentDocumentLeaving();
  // A pending console input is abandoned (new document, switch, the block editor).
  void inputAbandoned();
  // The block content editor lets its block go (switch, last close, an edit
  // of the diagram).
  void blockEditorClosed();
  // The current document was written to its file.
  void documentSaved();
  // The extension manager was confirmed: menus and completion that list
  // extension functions are built again.
  void extensionsChanged();
  // The context menu of the diagram is being built: the three colour
  // submenus hold their palettes; the block content editor adds its items.
  void contextMenuBuilding(QMenu* textColour, QMenu* fillColour, QMenu* frameColour, QMenu* contextMenu);
  // A mouse button went down on the diagram; the block editor gives up the keyboard.
  void diagramPressed();
  // A command is about to run its work (inside the command guard); the
  // block editor commits the text being typed before save, compile and run.
  void commandStarting(const QString& command);
  // The start-up timer found the information window due.
  void informationDue();
  // The window closes for good (after the quit question): layout and recent files are saved.
  void closing();
  // First step of the window's destruction, before the extensions are unloaded.
  void shuttingDown();
  // The current diagram changed without a snapshot (text typed into a
  // block): what a snapshot would announce, so that nothing typed waits for
  // the next snapshot to be seen.
  void diagramEdited();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  QMenu* createPopupMenu() override;

 private:
  // Construction, in the order FormCreate needs them.
  void CreateCommands();
  void CreateMenus();
  void CreateToolbars();
  void CreatePanels();
  void CreateStatusBar();
  void CreateEditingPanel();
  void ConnectDocumentState();
  void AddPanelToggle(QMenu* menu, QDockWidget* dock);
  void AddToolbarToggle(QMenu* menu, QToolBar* bar);
  QMenu* AddMenu(QWidget* parent, const char* name);
  void FormCreate(const QStringList& arguments);
  void FormShow();
  bool FormCloseQuery();
  void FormClose();
  void FormDestroy();
  void ReadUserId();
  void ApplyTextSlots();
  void RebuildRecentMenu();
  void SetLanguage(const char* code);

  // Document helpers.
  void StoreViewState();
  void ResetDiagram();
  void PushSnapshotIfChanged();
  void LoadSnapshot(TOtwartePliki& document);
  void UpdateCaption();
  // The current diagram is what its file now holds.
  void RememberSavedDiagram();
  int DocumentOfNode(QTreeWidgetItem* node) const;
  void SelectNode(QTreeWidgetItem* node);

  TDocumentState state_;
  TSettings settings_;
  ViewState view_;
  RecentFiles recent_;
  FileChoosers choosers_;
  QString open_folder_;

  QHash<QString, QAction*> commands_;
  QHash<QString, std::function<void()>> handlers_;
  QMenu* recent_menu_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QSpinBox* highlight_delay_ = nullptr;
  QWidget* editing_panel_ = nullptr;
  QWidget* paint_box_ = nullptr;
  OpenFilesTree* tree_ = nullptr;
  QLabel* status_notice_ = nullptr;
  QPushButton* focus_button_ = nullptr;
  QTimer blinker_;
  QTimer startup_timer_;
  QTimer caption_timer_;
  uint8_t blink_count_ = 0;
  bool switching_ = false;
  bool analysis_hidden_by_close_ = false;  // closing the last document hid "dpNarzedzia"
  bool shown_once_ = false;
  int grid_size_ = 5;

  std::string version_text_;
  std::string user_id_;
  std::string command_line_file_;
  std::string service_host_;
  std::mt19937 random_;
  RetranslationHandle retranslation_ = -1;
  std::vector<QPointer<QObject>> parts_;
  QTableWidget* variable_list_ = nullptr;
  QLabel* run_status_ = nullptr;
  QLabel* mode_label_ = nullptr;
};

}  // namespace tessaro::gui

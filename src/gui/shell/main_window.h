// Tmain: the program's main window, owner of the document state, the command
// table, the panels and the start-up and shut-down of the program.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <random>
#include <string>

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
  // The work of command `name` (empty when it has none), so that an installer
  // can wrap it.
  std::function<void()> CommandHandler(const char* name) const;
  // Re-applies the enabled rule of every command.
  void UpdateCommandStates();

  // The diagram editing widget takes its place in the editing panel.
  void InstallDiagramWidget(QWidget* widget);
  QWidget* DiagramWidget() const { return paint_box_; }
  QDockWidget* Panel(const char* name) const;

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

  // Where the later windows join the document lifecycle; unset hooks do nothing.
  // The start-up timer found the information window due.
  std::function<void()> OnShowInformation;
  // A pending console input is abandoned (new document, switch).
  std::function<void()> OnAbandonInput;
  // Any run stops and the compiled program is discarded (new, switch, close).
  std::function<void()> OnStopAndDiscard;
  // The block content editor closes (switch).
  std::function<void()> OnCloseBlockEditor;
  // The undo, redo, copy, cut, paste and delete commands ask it first, with
  // the command's name; true means the block content editor (which has the
  // keyboard focus) handled it and the diagram command does nothing.
  std::function<bool(const char* command)> OnEditorCommand;
  // The context menu of the diagram is being shown: the three colour
  // submenus hold their palettes; the block content editor adds its items.
  std::function<void(QMenu* textColour, QMenu* fillColour, QMenu* frameColour, QMenu* contextMenu)>
      OnFillStyleMenus;
  // The extension manager was confirmed: menus and completion that list
  // extension functions are built again.
  std::function<void()> OnExtensionsChanged;
  // The current document was written to its file.
  std::function<void()> OnDocumentSaved;
  // Runs every command's work (`run`); the failure handler guards it here.
  std::function<void(const QString& command, const std::function<void()>& run)> CommandGuard;
  // The window closes for good (after the quit question): layout and recent files are saved.
  std::function<void()> OnFormClose;
  // First step of the window's destruction, before the extensions are unloaded.
  std::function<void()> OnShutDown;

 signals:
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
};

}  // namespace tessaro::gui

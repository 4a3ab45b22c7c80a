#include "gui/blockeditor/ttools.h"

#include <QAction>
#include <algorithm>
#include <utility>
#include <QColorDialog>
#include <QDockWidget>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPolygon>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "core/document/document_state.h"
#include "core/document/selection_font.h"
#include "core/extensions/plugin_table.h"
#include "core/i18n/windows/tools_texts.h"
#include "core/language/block_check.h"
#include "core/language/block_text_edit.h"
#include "core/language/block_vocabulary.h"
#include "core/language/keywords.h"
#include "gui/blockeditor/block_lexer.h"
#include "gui/blockeditor/code_editor.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

namespace {

constexpr int kCheckDelayMs = 300;
// A text this long is checked on a worker thread: its check may take longer
// than a keystroke should wait. Shorter ones take well under a millisecond.
constexpr size_t kBackgroundCheckBytes = 4096;
constexpr int kNoticeMs = 4000;
constexpr int kCompletionList = 1;
constexpr int kTemplateList = 2;

// The four actions of the diagram's context menu, by object name.
constexpr const char* kActions[] = {"acZmienKolorTekstu", "acZmienKolorObrysuj", "acZmienKolorWypelnienia",
                                    "acZmienCzcionke"};

// Menu captions show "&" as written, not as a mnemonic.
QString MenuCaption(const std::string& text) { return FromCore(text).replace(QLatin1Char('&'), QStringLiteral("&&")); }

// A hint's carriage returns as line breaks.
QString HintText(const std::string& hint) { return FromCore(hint).replace(QLatin1Char('\r'), QLatin1Char('\n')); }

// The swap button's picture: the exit labels left and right of a diamond,
// in the order NieTak gives them.
QIcon SwapImage(uint8_t nie_tak) {
  QPixmap pixmap(62, 18);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0x00, 0x00, 0x80));
  p.setBrush(QColor(0xFF, 0xFF, 0xBB));
  p.drawPolygon(QPolygon({QPoint(31, 1), QPoint(40, 9), QPoint(31, 17), QPoint(22, 9)}));
  QFont font = p.font();
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  const QString left = Tr(nie_tak ? "msgm00036" : "msgm00063");
  const QString right = Tr(nie_tak ? "msgm00063" : "msgm00036");
  p.drawText(QRect(0, 0, 22, 18), Qt::AlignCenter, left);
  p.drawText(QRect(40, 0, 22, 18), Qt::AlignCenter, right);
  return QIcon(pixmap);
}

// The identifier characters right before the caret.
int WordStartBeforeCaret(const QString& line, int index) {
  int start = index;
  while (start > 0 && (line.at(start - 1).isLetterOrNumber() || line.at(start - 1) == QLatin1Char('_'))) --start;
  return start;
}

}  // namespace

Ttools::Ttools(TDocumentState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("Ttools"));
  CreateWidgets();
  CreateActions();
  check_timer_.setSingleShot(true);
  check_timer_.setInterval(kCheckDelayMs);
  connect(&check_timer_, &QTimer::timeout, this, &Ttools::StartCheck);
  connect(&check_watcher_, &QFutureWatcher<std::vector<TBlockError>>::finished, this, &Ttools::CheckFinished);
  ApplyTranslation();  // builds the menus too
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
  ShowBlock(0, std::string(), 0);
}

Ttools::~Ttools() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
}

void Ttools::CreateWidgets() {
  // The designed width; a low minimum height, so that in a small window the
  // analysis panel below can still be made tall.
  setMinimumSize(260, 60);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  label_tool_type_ = new QLabel(this);
  label_tool_type_->setObjectName(QStringLiteral("LabelToolType"));
  label_tool_type_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label_tool_type_->setWordWrap(true);
  label_tool_type_->setMargin(6);
  layout->addWidget(label_tool_type_, 1);

  panel_tools_ = new QWidget(this);
  panel_tools_->setObjectName(QStringLiteral("PanelTools"));
  auto* panel_layout = new QVBoxLayout(panel_tools_);
  panel_layout->setContentsMargins(0, 0, 0, 0);
  panel_layout->setSpacing(2);
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(2, 2, 2, 0);
  button_wstaw_ = new QToolButton(panel_tools_);
  button_wstaw_->setObjectName(QStringLiteral("TBXButtonWstaw"));
  button_wstaw_->setPopupMode(QToolButton::InstantPopup);
  button_wstaw_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button_wstaw_->setEnabled(false);
  button_swap_ = new QToolButton(panel_tools_);
  button_swap_->setObjectName(QStringLiteral("TBXButtonZamienTakNie"));
  button_swap_->setIconSize(QSize(62, 18));
  button_swap_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button_swap_->setEnabled(false);
  button_swap_->hide();
  connect(button_swap_, &QToolButton::clicked, this, [this] { SwapClicked(); });
  buttons->addWidget(button_wstaw_);
  buttons->addWidget(button_swap_);
  buttons->addStretch(1);
  panel_layout->addLayout(buttons);

  editor_ = new CodeEditor(panel_tools_);
  lexer_ = new BlockLexer(editor_);
  editor_->setLexer(lexer_);
  panel_layout->addWidget(editor_, 1);
  panel_tools_->hide();
  layout->addWidget(panel_tools_, 1);

  status_bar_ = new QStatusBar(this);
  status_bar_->setObjectName(QStringLiteral("ToolsStatusBar"));
  status_bar_->setSizeGripEnabled(false);
  status_panel_0_ = new QLabel(status_bar_);
  status_panel_0_->setObjectName(QStringLiteral("ToolsStatusPanel0"));
  status_panel_0_->setFixedWidth(43);
  status_panel_1_ = new QLabel(status_bar_);
  status_panel_1_->setObjectName(QStringLiteral("ToolsStatusPanel1"));
  status_panel_1_->setMinimumWidth(190);
  status_bar_->addWidget(status_panel_0_);
  status_bar_->addWidget(status_panel_1_, 1);
  layout->addWidget(status_bar_);

  connect(editor_, &QsciScintilla::textChanged, this, [this] { TextChanged(); });
  connect(editor_, &QsciScintilla::userListActivated, this,
          [this](int list, const QString& entry) { CompletionChosen(list, entry); });
  connect(editor_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (insert_menu_) insert_menu_->popup(editor_->viewport()->mapToGlobal(at));
  });
  editor_->OnRefused = [this](const QString& reason) { ShowNotice(reason); };
  editor_->OnCompletion = [this] { ShowCompletion(); };
  editor_->OnTemplateCompletion = [this] { ShowTemplateCompletion(); };
  editor_->OnFocusChanged = [this](bool focused) {
    if (!focused) CommitTyping();
    if (OnEditorFocus) OnEditorFocus(focused);
  };
}

void Ttools::CreateActions() {
  for (const char* name : kActions) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    addAction(action);
  }
  connect(Action("acZmienKolorTekstu"), &QAction::triggered, this, [this] { acZmienKolorTekstuExecute(); });
  connect(Action("acZmienKolorObrysuj"), &QAction::triggered, this, [this] { acZmienKolorObrysujExecute(); });
  connect(Action("acZmienKolorWypelnienia"), &QAction::triggered, this,
          [this] { acZmienKolorWypelnieniaExecute(); });
  connect(Action("acZmienCzcionke"), &QAction::triggered, this, [this] { acZmienCzcionkeExecute(); });
}

QMenu* Ttools::InsertMenu() const { return insert_menu_; }

void Ttools::LeaveText() {
  if (button_wstaw_->isVisible() && button_wstaw_->isEnabled()) button_wstaw_->setFocus();
}

QAction* Ttools::Action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void Ttools::ApplyTranslation() {
  ApplyWindowTexts(*this, kToolsTexts);
  if (auto* dock = qobject_cast<QDockWidget*>(parentWidget())) dock->setWindowTitle(WindowTextOf(kToolsTexts, "dpCode"));
  UpdateSwapImage();
  ShowFirstError();
  // The submenu captions are translated texts too.
  BuildMenus();
}

// ---------------------------------------------------------------------------
// Showing a block

void Ttools::ShowBlock(int32_t kind, const std::string& text, uint8_t nie_tak) {
  // Text typed into the block shown so far is one undo step.
  CommitTyping();
  if (OnEndConsoleInput) OnEndConsoleInput();
  loading_ = true;
  edited_kind_ = kind;
  edited_index_ = kind != 0 && state_.HasValidSelection() ? state_.Wybrany : -1;
  const TOtwartePliki* document = state_.CurrentDocument();
  edited_document_ = edited_index_ >= 0 && document ? document->WezelDrzewa : nullptr;
  if (edited_index_ >= 0) {
    shown_code_ = state_.Bloki[static_cast<size_t>(edited_index_)].Kod;
    shown_nie_tak_ = state_.Bloki[static_cast<size_t>(edited_index_)].NieTak;
  }
  const std::string shown = text == " " ? std::string() : text;
  switch (kind) {
    case Przetwarzanie:
    case WeWY:
    case Notatka:
      editor_->SetBlockText(shown);
      panel_tools_->show();
      break;
    case Warunek:
      swap_state_ = nie_tak != 0 ? 1 : 0;
      UpdateSwapImage();
      editor_->SetBlockText(shown);
      panel_tools_->show();
      break;
    default:
      // Start, end, junction, nothing, or a kind this program does not know.
      editor_->SetBlockText(std::string());
      panel_tools_->hide();
      break;
  }
  loading_ = false;
  typed_ = false;
  const bool panel = !panel_tools_->isHidden();
  label_tool_type_->setVisible(!panel);
  button_wstaw_->setEnabled(panel);
  button_swap_->setEnabled(kind == Warunek && panel);
  button_swap_->setVisible(button_swap_->isEnabled());
  ++text_generation_;
  // The errors of the block shown before go at once, also while this one's
  // check runs on the worker.
  editor_->ShowErrors({});
  ShowFirstError();
  StartCheck();
}

void Ttools::ShowSelectedBlock() {
  if (!state_.HasValidSelection()) {
    ShowBlock(0, std::string(), 0);
    return;
  }
  const Tobj& block = state_.Bloki[static_cast<size_t>(state_.Wybrany)];
  ShowBlock(block.Blok, block.Kod, block.NieTak);
}

void Ttools::FollowSelection() {
  if (edited_index_ >= 0 && !ShowsCurrentDocument()) {
    ShowSelectedBlock();
    return;
  }
  const int32_t selected = state_.HasValidSelection() ? state_.Wybrany : -1;
  if (selected != edited_index_) {
    // A start, end or junction block shows no text but is followed too.
    if (selected < 0 && edited_kind_ == 0) return;
    ShowSelectedBlock();
    return;
  }
  if (selected < 0) return;
  const Tobj& block = state_.Bloki[static_cast<size_t>(selected)];
  if (block.Blok != edited_kind_ || block.Kod != shown_code_ || block.NieTak != shown_nie_tak_) ShowSelectedBlock();
}

bool Ttools::EditorHasFocus() const { return editor_->hasFocus() && !panel_tools_->isHidden(); }

// Block indexes mean nothing across documents: the shown block is written
// only while its own document is the current one.
bool Ttools::ShowsCurrentDocument() const {
  const TOtwartePliki* document = state_.CurrentDocument();
  return document && document->WezelDrzewa == edited_document_;
}

bool Ttools::EditingSelectedBlock() const {
  return ShowsCurrentDocument() && IsEditableKind(edited_kind_) && edited_index_ >= 0 &&
         state_.Wybrany == edited_index_ && state_.HasValidSelection() &&
         state_.Bloki[static_cast<size_t>(edited_index_)].Blok == edited_kind_;
}

void Ttools::UpdateSwapImage() { button_swap_->setIcon(SwapImage(swap_state_)); }

// ---------------------------------------------------------------------------
// Typing

void Ttools::TextChanged() {
  if (loading_) return;
  ++text_generation_;
  check_timer_.start();
  if (!EditingSelectedBlock()) return;
  const bool replace = ReplaceOperators ? ReplaceOperators() : true;
  const std::optional<std::string> stored = BlockTextFromEditor(ToCore(editor_->text()), edited_kind_, replace);
  if (!stored) return;
  if (stored->size() > kMaxBlockTextBytes) {
    ShowNotice(Tr("msged00003"));
    return;
  }
  if (state_.Bloki[static_cast<size_t>(edited_index_)].Kod == *stored) return;
  shown_code_ = *stored;
  typed_ = true;
  state_.UstawKod(*stored);
  emit blockTextStored();
}

void Ttools::CommitTyping() {
  if (!typed_) return;
  typed_ = false;
  // Another document's history is not this text's: the document it was typed
  // into kept it when it stopped being current.
  if (!ShowsCurrentDocument()) return;
  if (OnSnapshot) OnSnapshot();
}

bool Ttools::TextIsChecked() const {
  return !panel_tools_->isHidden() &&
         (edited_kind_ == Przetwarzanie || edited_kind_ == WeWY || edited_kind_ == Warunek);
}

void Ttools::CheckNow() {
  check_timer_.stop();
  ++text_generation_;  // a check still on the worker is out of date
  editor_->ShowErrors(TextIsChecked() ? CheckBlockText(editor_->BlockText(), edited_kind_, extension_function_names_)
                                      : std::vector<TBlockError>{});
  ShowFirstError();
}

void Ttools::StartCheck() {
  check_timer_.stop();
  std::string text = TextIsChecked() ? editor_->BlockText() : std::string();
  if (text.size() < kBackgroundCheckBytes) {
    CheckNow();
    return;
  }
  // One check at a time; the text as it is when the running one ends is checked next.
  if (check_watcher_.isRunning()) {
    check_again_ = true;
    return;
  }
  checked_generation_ = text_generation_;
  // The worker gets copies of all it reads; FindBlockErrors touches no
  // translation, so a language switch meanwhile is safe.
  check_watcher_.setFuture(QtConcurrent::run(
      [text = std::move(text), kind = edited_kind_, names = extension_function_names_] {
        return FindBlockErrors(text, kind, names);
      }));
}

void Ttools::CheckFinished() {
  if (std::exchange(check_again_, false)) {
    StartCheck();
    return;
  }
  if (checked_generation_ != text_generation_) return;
  std::vector<TBlockError> errors = check_watcher_.result();
  TranslateBlockErrors(errors);
  editor_->ShowErrors(errors);
  ShowFirstError();
}

void Ttools::ShowFirstError() {
  const std::vector<TBlockError>& errors = editor_->Errors();
  if (errors.empty()) {
    status_panel_1_->setText(WindowTextOf(kToolsTexts, "ToolsStatusPanel1"));
    status_panel_1_->setToolTip(QString());
    return;
  }
  const TBlockError& first = errors.front();
  const QString text = QStringLiteral("%1:%2  %3").arg(first.Line).arg(first.Column).arg(FromCore(first.Text));
  status_panel_1_->setText(text);
  status_panel_1_->setToolTip(text);
}

void Ttools::ShowNotice(const QString& text) {
  status_panel_1_->setText(text);
  status_panel_1_->setToolTip(text);
  QTimer::singleShot(kNoticeMs, this, [this] { ShowFirstError(); });
}

// ---------------------------------------------------------------------------
// Menus and completion

void Ttools::BuildMenus() {
  if (insert_menu_) insert_menu_->deleteLater();
  insert_menu_ = new QMenu(this);
  insert_menu_->setObjectName(QStringLiteral("InsertMenu"));
  insert_menu_->setToolTipsVisible(true);
  auto submenu = [this](const char* id, const char* name) {
    QMenu* menu = insert_menu_->addMenu(QStringLiteral(" ") + Tr(id) + QStringLiteral("   "));
    menu->setObjectName(QString::fromLatin1(name));
    menu->setToolTipsVisible(true);
    return menu;
  };
  auto add_items = [this](QMenu* menu, const std::vector<TInsertItem>& items) {
    for (const TInsertItem& item : items) {
      if (item.SeparatorBefore && !menu->isEmpty()) menu->addSeparator();
      QAction* action = menu->addAction(MenuCaption(item.Caption));
      if (!item.Hint.empty()) action->setToolTip(HintText(item.Hint));
      const QString insert = FromCore(item.Insert);
      const int caret = item.CaretOffset;
      connect(action, &QAction::triggered, this, [this, insert, caret] { InsertItem(insert, caret); });
    }
  };
  QMenu* operators = submenu("msgt00001", "MenuOperatory");
  QMenu* functions = submenu("msgt00002", "MenuFunkcje");
  QMenu* extensions = submenu("msgt00003", "MenuRozszerzenia");
  QMenu* keywords = submenu("msgt00004", "MenuPolecenia");
  add_items(operators, OperatorMenuItems());
  add_items(functions, FunctionMenuItems());
  // Only enabled extensions: a disabled one's functions would not compile.
  std::vector<TPluginFunction> all_extension_functions;
  for (const TPlugInEntry& entry : PlugIns) {
    if (!entry.Enabled) continue;
    std::vector<TPluginFunction> own;
    if (entry.Module) own = PluginFunctions(entry.Module);
    const TExtensionMenu menu = ExtensionMenu(entry.Name, own);
    QMenu* sub = extensions->addMenu(MenuCaption(menu.Caption));
    sub->setToolTipsVisible(true);
    add_items(sub, menu.Items);
    all_extension_functions.insert(all_extension_functions.end(), own.begin(), own.end());
  }
  add_items(keywords, KeywordMenuItems());
  button_wstaw_->setMenu(insert_menu_);

  completion_display_.clear();
  completion_insert_.clear();
  for (const TCompletionEntry& entry : CompletionEntries(all_extension_functions)) {
    completion_display_ << FromCore(entry.Display);
    completion_insert_ << FromCore(entry.Insert);
  }
  extension_function_names_.clear();
  for (const TPluginFunction& f : all_extension_functions) extension_function_names_.push_back(f.name);
  lexer_->SetWords(HighlightedWords(all_extension_functions));
}

void Ttools::InsertItem(const QString& text, int caret_offset) {
  if (panel_tools_->isHidden()) return;
  editor_->setFocus();
  editor_->InsertAtCaret(text, caret_offset);
}

void Ttools::ShowCompletion() {
  int line = 0, index = 0;
  editor_->getCursorPosition(&line, &index);
  const QString text = editor_->text(line);
  const QString prefix = text.mid(WordStartBeforeCaret(text, index), index - WordStartBeforeCaret(text, index));
  QStringList shown;
  for (int i = 0; i < completion_insert_.size(); ++i) {
    if (completion_insert_.at(i).startsWith(prefix, Qt::CaseInsensitive)) shown << completion_display_.at(i);
  }
  if (shown.isEmpty()) shown = completion_display_;
  editor_->showUserList(kCompletionList, shown);
}

// The statement typed so far on the caret's line (after the last ";"), without
// its leading blanks, and where it starts.
static int StatementStartBeforeCaret(const QString& line, int index) {
  int start = static_cast<int>(line.left(index).lastIndexOf(QLatin1Char(';'))) + 1;
  while (start < index && line.at(start).isSpace()) ++start;
  return start;
}

void Ttools::ShowTemplateCompletion() {
  int line = 0, index = 0;
  editor_->getCursorPosition(&line, &index);
  const QString text = editor_->text(line);
  const int start = StatementStartBeforeCaret(text, index);
  const QString typed = text.mid(start, index - start);
  QStringList matches;
  if (!typed.isEmpty()) {
    for (const TKeywordEntry& entry : kKeywordEntries) {
      const QString caption = FromCore(std::string(entry.Caption));
      if (caption.startsWith(typed, Qt::CaseInsensitive)) matches << caption;
    }
  }
  if (matches.isEmpty()) {
    // Nothing to complete: the space the pupil typed with Shift held.
    editor_->InsertAtCaret(QStringLiteral(" "));
    return;
  }
  template_start_ = start;
  if (matches.size() == 1) {
    CompletionChosen(kTemplateList, matches.front());
  } else {
    editor_->showUserList(kTemplateList, matches);
  }
}

void Ttools::CompletionChosen(int list, const QString& entry) {
  QString insert = entry;
  if (list == kCompletionList) {
    const int at = completion_display_.indexOf(entry);
    if (at < 0) return;
    insert = completion_insert_.at(at);
  }
  // The word, or for a template the statement, before the caret is replaced.
  int line = 0, index = 0;
  editor_->getCursorPosition(&line, &index);
  const int start = list == kTemplateList ? std::min(template_start_, index)
                                          : WordStartBeforeCaret(editor_->text(line), index);
  if (start < index) editor_->setSelection(line, start, line, index);
  editor_->InsertAtCaret(insert);
}

// ---------------------------------------------------------------------------
// The swap button, colours and fonts

void Ttools::SwapClicked() {
  if (edited_kind_ != Warunek || !EditingSelectedBlock()) return;
  CommitTyping();
  swap_state_ = static_cast<uint8_t>(1 - swap_state_);
  UpdateSwapImage();
  shown_nie_tak_ = swap_state_;
  state_.ZamienTakNie(swap_state_);
  if (OnSnapshot) OnSnapshot();
}

void Ttools::ChangeColour(TColor (TDocumentState::*getter)() const, void (TDocumentState::*setter)(TColor)) {
  if (!state_.HasValidSelection() && !state_.GrupaAktywna) return;
  CommitTyping();
  const QColor initial = picture::ToQColor((state_.*getter)());
  std::optional<QColor> chosen;
  if (ChooseColour) {
    chosen = ChooseColour(window(), initial);
  } else {
    const QColor c = QColorDialog::getColor(initial, window());
    if (c.isValid()) chosen = c;
  }
  if (!chosen) return;
  // The setter takes the undo snapshot itself.
  (state_.*setter)(picture::FromQColor(*chosen));
}

void Ttools::acZmienKolorTekstuExecute() { ChangeColour(&TDocumentState::KolorTekstu, &TDocumentState::SetKolorTekstu); }

void Ttools::acZmienKolorObrysujExecute() { ChangeColour(&TDocumentState::KolorObrysu, &TDocumentState::SetKolorObrysu); }

void Ttools::acZmienKolorWypelnieniaExecute() {
  ChangeColour(&TDocumentState::KolorWypelnienia, &TDocumentState::SetKolorWypelnienia);
}

void Ttools::acZmienCzcionkeExecute() {
  if (!state_.HasValidSelection() && !state_.GrupaAktywna) return;
  CommitTyping();
  const TBlockFont current = SelectionFont(state_);
  QFont initial(FromCore(current.Name));
  if (current.Size > 0) initial.setPointSize(current.Size);
  std::optional<QFont> chosen;
  if (ChooseFont) {
    chosen = ChooseFont(window(), initial);
  } else {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, window());
    if (ok) chosen = f;
  }
  if (!chosen) return;
  SetSelectionFont(state_, {ToCore(chosen->family()), chosen->pointSize() > 0 ? chosen->pointSize() : current.Size});
  if (OnSnapshot) OnSnapshot();
}

// ---------------------------------------------------------------------------
// The window's editing commands

bool Ttools::HandleCommand(const char* command) {
  if (!EditorHasFocus()) return false;
  const QString name = QString::fromLatin1(command);
  if (name == QLatin1String("ActionCofnij")) {
    editor_->undo();
  } else if (name == QLatin1String("ActionPonow")) {
    editor_->redo();
  } else if (name == QLatin1String("ActionKopiuj")) {
    editor_->copy();
  } else if (name == QLatin1String("ActionWytnij")) {
    editor_->cut();
  } else if (name == QLatin1String("ActionWklej")) {
    editor_->paste();
  } else if (name == QLatin1String("ActionUsunBloki")) {
    editor_->SendScintilla(QsciScintillaBase::SCI_CLEAR);
  } else {
    return false;
  }
  return true;
}

}  // namespace tessaro::gui

#include "gui/analysis/tcode.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <string_view>

#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"
#include "core/i18n/windows/code_texts.h"
#include "core/platform/dialogs.h"
#include "core/runtime/analysis_text.h"
#include "gui/analysis/analysis_items.h"
#include "gui/analysis/console.h"
#include "gui/analysis/rtf_text.h"
#include "gui/analysis/tree_page.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

namespace {

// The blinking picture is shown about twice as long as it is hidden.
constexpr int kBlinkShownMs = 350;
constexpr int kBlinkHiddenMs = 200;

QListWidget* MakeList(QWidget* parent, const char* name, int pixels, const char* family) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  list->setFont(font);
  list->setUniformItemSizes(false);
  list->setResizeMode(QListView::Adjust);
  list->setWordWrap(true);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return list;
}

QWidget* PageWith(QWidget* parent, const char* name, QWidget* content) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::fromLatin1(name));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (content) layout->addWidget(content);
  return page;
}

void FillList(QListWidget* list, const std::vector<std::string>& items) {
  list->clear();
  for (const std::string& item : items) list->addItem(FromCore(item));
}

}  // namespace

Tcode::Tcode(QWidget* parent) : QWidget(parent), blink_(this) {
  setObjectName(QStringLiteral("Tcode"));
  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setPixelSize(11);
  setFont(tahoma);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  page_control_ = new QTabWidget(this);
  page_control_->setObjectName(QStringLiteral("PageControl1"));
  layout->addWidget(page_control_);

  pseudocode_ = new QTextEdit(this);
  pseudocode_->setObjectName(QStringLiteral("RichEditPseudoKod"));
  pseudocode_->setReadOnly(true);
  page_control_->addTab(PageWith(this, "TabSheet1", pseudocode_), QString());

  listing_ = MakeList(this, "ListBoxAlgorytm", 12, "Courier New");
  listing_items_ = new AnalysisItemDelegate(AnalysisItemDelegate::Kind::Listing, this);
  listing_->setItemDelegate(listing_items_);
  connect(listing_, &QListWidget::itemClicked, this, [this] { ListingClick(); });
  // Moving through the list with the keys picks an item as a click does.
  connect(listing_, &QListWidget::currentRowChanged, this, [this] {
    if (!following_) ListingClick();
  });
  page_control_->addTab(PageWith(this, "TabSheet2", listing_), QString());

  tree_ = new TreePage(this);
  QWidget* tree_sheet = PageWith(this, "TabSheet3", tree_);
  copy_tree_ = new QPushButton(tree_sheet);
  copy_tree_->setObjectName(QStringLiteral("TBXButton1"));
  connect(copy_tree_, &QPushButton::clicked, tree_, &TreePage::CopyToClipboard);
  tree_sheet->layout()->addWidget(copy_tree_);
  page_control_->addTab(tree_sheet, QString());

  // The breakpoint list joins this page when it arrives.
  breakpoint_sheet_ = PageWith(this, "TabSheet5", nullptr);
  page_control_->addTab(breakpoint_sheet_, QString());
  page_control_->addTab(CreateConsolePage(), QString());

  error_list_ = MakeList(this, "ListBox", 12, "Tahoma");
  error_items_ = new AnalysisItemDelegate(AnalysisItemDelegate::Kind::Errors, this);
  error_list_->setItemDelegate(error_items_);
  connect(error_list_, &QListWidget::itemClicked, this, [this] { ErrorListClick(); });
  connect(error_list_, &QListWidget::currentRowChanged, this, [this] {
    if (!following_) ErrorListClick();
  });
  errors_page_ = PageWith(this, "TabSheet4", error_list_);
  errors_page_->hide();  // detached until there is something to show

  connect(page_control_, &QTabWidget::currentChanged, this, [this](int index) {
    if (changing_page_) return;
    // The pages stay while a read waits for its answer in the console.
    if (ConsoleInputActive() && index != kPageConsole) {
      changing_page_ = true;
      page_control_->setCurrentIndex(kPageConsole);
      changing_page_ = false;
      return;
    }
    last_page_ = index;
    MeasureLists();
    if (index == kPageConsole) {
      console_->setFocus();
      console_->moveCursor(QTextCursor::End);
    }
  });

  blink_.setObjectName(QStringLiteral("BlinkTimer"));
  connect(&blink_, &QTimer::timeout, this, [this] { BlinkTick(); });
  qApp->installEventFilter(this);

  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
  // At creation: no input waits, the tree page is empty, the history is empty.
  EndConsoleInput();
  tree_->ResetTreePage();
  console_->ConsoleHistory.clear();
  console_->HistoryPosition = 0;
  ClearConsole();
  page_control_->setCurrentIndex(kPageListing);
  ChooseConsoleFile = [](QWidget* parent) {
    // The extension of the chosen filter when the name has none of its own.
    QString filter;
    QString name = QFileDialog::getSaveFileName(parent, QString(), QString(),
                                                QStringLiteral("*.txt;;*.rtf"), &filter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += filter.mid(1);
    return name;
  };
}

Tcode::~Tcode() {
  qApp->removeEventFilter(this);
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
  if (input_loop_) input_loop_->quit();
}

QWidget* Tcode::CreateConsolePage() {
  console_ = new Console(this);
  console_->OnEndInput = [this] { EndConsoleInput(); };
  QWidget* page = PageWith(this, "TabSheetKonsola", console_);
  auto* bar = new QWidget(page);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 2, 2, 2);
  clear_console_ = new QPushButton(bar);
  clear_console_->setObjectName(QStringLiteral("TBXButton6"));
  connect(clear_console_, &QPushButton::clicked, this, [this] {
    ClearConsole();
    console_->setFocus();
  });
  save_console_ = new QPushButton(bar);
  save_console_->setObjectName(QStringLiteral("TBXButton7"));
  connect(save_console_, &QPushButton::clicked, this, [this] { SaveConsole(); });
  row->addWidget(clear_console_);
  row->addWidget(save_console_);
  row->addStretch(1);

  input_panel_ = new QWidget(bar);
  input_panel_->setObjectName(QStringLiteral("panelWprowadzanie"));
  auto* input_row = new QHBoxLayout(input_panel_);
  input_row->setContentsMargins(0, 0, 0, 0);
  input_label_ = new QLabel(input_panel_);
  input_label_->setObjectName(QStringLiteral("TBXLabel1"));
  QFont bold(QStringLiteral("Tahoma"));
  bold.setPixelSize(11);
  bold.setBold(true);
  input_label_->setFont(bold);
  input_label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  input_label_->setStyleSheet(QStringLiteral("color: rgb(19, 85, 0);"));
  auto* frame = new QFrame(input_panel_);
  frame->setObjectName(QStringLiteral("Shape2"));
  frame->setFrameShape(QFrame::Box);
  frame->setStyleSheet(QStringLiteral("QFrame#Shape2 { border: 1px solid grey; }"));
  frame->setCursor(Qt::PointingHandCursor);
  frame->installEventFilter(this);
  auto* frame_row = new QHBoxLayout(frame);
  frame_row->setContentsMargins(2, 2, 2, 2);
  blink_picture_ = new QLabel(frame);
  blink_picture_->setObjectName(QStringLiteral("ImageInfoBlink"));
  blink_picture_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
  blink_picture_->setFixedSize(16, 16);
  frame_row->addWidget(blink_picture_);
  input_row->addWidget(input_label_);
  input_row->addWidget(frame);
  row->addWidget(input_panel_);
  page->layout()->addWidget(bar);
  return page;
}

void Tcode::SetCompiler(TKompilatorTS* compiler) {
  compiler_ = compiler;
  listing_items_->SetCompiler(compiler);
  error_items_->SetCompiler(compiler);
  tree_->SetCompiler(compiler);
  console_->SetCompiler(compiler);
}

void Tcode::ApplyTranslation() {
  for (const WindowText& t : kCodeTexts) {
    // A page keeps its title while it is out of the tabs (the error page
    // joins them only when there are errors).
    if (std::string_view(t.target).starts_with("TabSheet")) {
      QWidget* page = std::string_view(t.target) == "TabSheet4" ? errors_page_ : findChild<QWidget*>(t.target);
      if (!page) continue;
      const int index = page_control_->indexOf(page);
      if (index >= 0) page_control_->setTabText(index, Tr(t.id));
      page->setWindowTitle(Tr(t.id));
    } else if (std::string_view(t.target) != "dpNarzedzia") {
      // The panel's title is the main window's (it names the panel in its menus too).
      ApplyWindowText(*this, t);
    }
  }
}

void Tcode::AddBreakpointPage(QWidget* page) {
  page->setParent(breakpoint_sheet_);
  breakpoint_sheet_->layout()->addWidget(page);
}

// ---------------------------------------------------------------------------
// Pages and lists

void Tcode::WriteListing() {
  const QScopedValueRollback<bool> following(following_, true);
  if (compiler_) FillList(listing_, ListingItems(*compiler_));
}

void Tcode::WriteErrorList() {
  const QScopedValueRollback<bool> following(following_, true);
  if (compiler_) FillList(error_list_, ErrorListItems(*compiler_));
}

void Tcode::RewriteLists() {
  const QScopedValueRollback<bool> following(following_, true);
  const int listed = listing_->currentRow();
  const int error = error_list_->currentRow();
  if (listing_->count() > 0) WriteListing();
  if (error_list_->count() > 0) WriteErrorList();
  listing_->setCurrentRow(listed);
  error_list_->setCurrentRow(error);
}

void Tcode::ClearPseudocode() { pseudocode_->clear(); }
void Tcode::ClearListing() {
  const QScopedValueRollback<bool> following(following_, true);
  listing_->clear();
}
void Tcode::ClearErrorList() {
  const QScopedValueRollback<bool> following(following_, true);
  error_list_->clear();
}
void Tcode::RepaintListing() { listing_->viewport()->update(); }

bool Tcode::ErrorsPageAttached() const { return page_control_->indexOf(errors_page_) >= 0; }

void Tcode::AttachErrorsPage() {
  if (ErrorsPageAttached()) return;
  changing_page_ = true;
  page_control_->addTab(errors_page_, errors_page_->windowTitle());
  changing_page_ = false;
}

void Tcode::DetachErrorsPage() {
  const int index = page_control_->indexOf(errors_page_);
  if (index < 0) return;
  changing_page_ = true;
  page_control_->removeTab(index);
  errors_page_->hide();
  changing_page_ = false;
}

void Tcode::SetActivePage(int index) {
  if (page_control_->currentIndex() != index) page_control_->setCurrentIndex(index);
}

void Tcode::ShowErrorsPage() {
  AttachErrorsPage();
  SetActivePage(page_control_->indexOf(errors_page_));
}

int Tcode::ActivePage() const { return page_control_->currentIndex(); }

void Tcode::ListingClick() {
  if (!compiler_) return;
  compiler_->SelectedInstruction = -1;
  const int k = listing_->currentRow();
  if (k >= 0) {
    tree_->ShowInstructionTree(k);
    compiler_->SelectedInstruction = k;
    emit diagramMarksChanged();
  }
}

void Tcode::FollowCurrent() {
  if (!compiler_) return;
  const int32_t current = compiler_->Current;
  const bool valid = current >= 0 && current < listing_->count();
  {
    const QScopedValueRollback<bool> following(following_, true);
    listing_->setCurrentRow(valid ? current : -1);
  }
  if (valid) tree_->ShowInstructionTree(current);
  ScrollListingToCurrent();
}

void Tcode::ScrollListingToCurrent() {
  if (!compiler_) return;
  if (QListWidgetItem* item = listing_->item(compiler_->Current)) listing_->scrollToItem(item);
}

void Tcode::ErrorListClick() {
  if (!compiler_) return;
  const int i = error_list_->currentRow();
  if (i < 0) return;
  compiler_->SelectedError = compiler_->SelectedWarning = -1;
  const int errors = static_cast<int>(compiler_->Errors.size());
  if (i < errors)
    compiler_->SelectedError = i;
  else
    compiler_->SelectedWarning = i - errors;
  emit diagramMarksChanged();
}

void Tcode::SelectError(int i) {
  if (i < 0 || i >= error_list_->count()) return;
  {
    const QScopedValueRollback<bool> following(following_, true);
    error_list_->setCurrentRow(i);
  }
  if (QListWidgetItem* item = error_list_->item(i)) error_list_->scrollToItem(item);
  ErrorListClick();
}

void Tcode::MeasureLists() {
  listing_->doItemsLayout();
  error_list_->doItemsLayout();
}

void Tcode::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  MeasureLists();
}

void Tcode::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  MeasureLists();
  if (ConsoleInputActive()) console_->setFocus();
}

// ---------------------------------------------------------------------------
// Console

void Tcode::ClearConsole() { console_->ClearConsole(version_text_); }

bool Tcode::ConsoleInputActive() const { return console_->ConsoleInputActive; }
const std::string& Tcode::ConsoleAnswer() const { return console_->ConsoleAnswer; }

void Tcode::RunInputMode() {
  console_->ConsoleAnswer.clear();
  input_panel_->show();
  console_->ConsoleInputActive = true;
  blink_picture_->show();
  blink_.start(kBlinkShownMs);
  // A nested loop: the window goes on working while the read waits.
  QEventLoop loop;
  input_loop_ = &loop;
  if (console_->ConsoleInputActive) loop.exec();
  input_loop_ = nullptr;
  blink_.stop();
}

void Tcode::BlinkTick() {
  const bool shown = !blink_picture_->isHidden();
  blink_picture_->setVisible(!shown);
  blink_.start(shown ? kBlinkHiddenMs : kBlinkShownMs);
}

void Tcode::EndConsoleInput() {
  input_panel_->hide();
  console_->setStyleSheet(QStringLiteral("QTextEdit { background: white; }"));
  console_->ConsoleInputActive = false;
  if (input_loop_) input_loop_->quit();
}

void Tcode::SaveConsole() {
  QString name = ChooseConsoleFile ? ChooseConsoleFile(this) : QString();
  if (name.isEmpty()) return;
  // A ".txt" name is written as plain text, anything else as RTF.
  if (!IsPlainTextName(name) && !name.toUpper().contains(QStringLiteral(".RTF"))) name += QStringLiteral(".rtf");
  if (!WriteTextFile(name, *console_->document(), !IsPlainTextName(name))) Komunikat(LangText("mgsc00003"), LangText("mgsc00009"));
}

bool Tcode::eventFilter(QObject* watched, QEvent* event) {
  // The frame round the blinking picture ends the input when clicked.
  if (event->type() == QEvent::MouseButtonRelease && watched->objectName() == QLatin1String("Shape2")) {
    console_->ConsoleAnswer.clear();
    EndConsoleInput();
    return true;
  }
  // While a read waits only plain keys typed into the console reach the
  // short-cuts; everything else is swallowed.
  if (event->type() == QEvent::Shortcut && ConsoleInputActive()) {
    const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
    const bool plain = !(held & (Qt::AltModifier | Qt::ControlModifier));
    if (!(plain && console_->hasFocus())) return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tessaro::gui

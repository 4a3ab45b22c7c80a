#include "gui/programcode/program_code_panel.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qscilexerpascal.h>
#include <Qsci/qscilexerpython.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/i18n/retranslation.h"
#include "core/i18n/windows/program_code_texts.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

namespace {

struct CodeLanguage {
  codegen::TargetLanguage language;
  const char* caption;  // the language's own name, the same in every translation
};

constexpr CodeLanguage kCodeLanguages[] = {
    {codegen::TargetLanguage::Python, "Python"},
    {codegen::TargetLanguage::Cpp, "C++"},
    {codegen::TargetLanguage::Java, "Java"},
    {codegen::TargetLanguage::Pascal, "Pascal"},
};

// Markers: the selected block's lines, and the run's current instruction
// (a background and an arrow in the symbol margin). A later marker's
// background is drawn over an earlier one's, so the run's place shows
// inside a selected block.
constexpr int kSelectionMarker = 0;
constexpr int kRunMarker = 1;
constexpr int kRunArrow = 2;
const QColor kSelectionColour(0xC8, 0xDC, 0xFF);
const QColor kRunColour(0xFF, 0xE0, 0x80);

constexpr int kLinesAboveTheProgram = 3;

constexpr int kPageProgram = 0;
constexpr int kPageMessage = 1;

QsciLexer* MakeLexer(codegen::TargetLanguage language, QObject* parent) {
  switch (language) {
    case codegen::TargetLanguage::Python: return new QsciLexerPython(parent);
    case codegen::TargetLanguage::Cpp: return new QsciLexerCPP(parent);
    case codegen::TargetLanguage::Java: return new QsciLexerJava(parent);
    case codegen::TargetLanguage::Pascal: return new QsciLexerPascal(parent);
  }
  return new QsciLexerPython(parent);
}

}  // namespace

QString LanguageCaption(codegen::TargetLanguage language) {
  for (const CodeLanguage& l : kCodeLanguages)
    if (l.language == language) return QString::fromLatin1(l.caption);
  return {};
}

ProgramCodePanel::ProgramCodePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ProgramCodePanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("tbKodProgramu"));
  bar->setIconSize(QSize(16, 16));
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto* label = new QLabel(bar);
  label->setObjectName(QStringLiteral("lblJezykProgramu"));
  label->setContentsMargins(4, 0, 4, 0);
  bar->addWidget(label);
  languages_ = new QComboBox(bar);
  languages_->setObjectName(QStringLiteral("cbJezykProgramu"));
  for (const CodeLanguage& l : kCodeLanguages)
    languages_->addItem(QString::fromLatin1(l.caption), static_cast<int>(l.language));
  bar->addWidget(languages_);
  bar->addSeparator();
  copy_ = bar->addAction(QIcon::fromTheme(QStringLiteral("edit-copy")), QString());
  copy_->setObjectName(QStringLiteral("acKopiujKod"));
  save_ = bar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QString());
  save_->setObjectName(QStringLiteral("acZapiszKodJako"));
  layout->addWidget(bar);

  pages_ = new QStackedWidget(this);
  editor_ = new QsciScintilla(pages_);
  editor_->setObjectName(QStringLiteral("edKodProgramu"));
  editor_->setUtf8(true);
  editor_->setReadOnly(true);
  editor_->setWrapMode(QsciScintilla::WrapNone);
  editor_->setMarginType(0, QsciScintilla::NumberMargin);
  editor_->setMarginType(1, QsciScintilla::SymbolMargin);
  editor_->setMarginWidth(1, 14);
  editor_->setMarginMarkerMask(0, 0);
  editor_->setMarginMarkerMask(1, 1 << kRunArrow);
  editor_->markerDefine(QsciScintilla::Background, kSelectionMarker);
  editor_->setMarkerBackgroundColor(kSelectionColour, kSelectionMarker);
  editor_->markerDefine(QsciScintilla::Background, kRunMarker);
  editor_->setMarkerBackgroundColor(kRunColour, kRunMarker);
  editor_->markerDefine(QsciScintilla::RightArrow, kRunArrow);
  editor_->setMarkerBackgroundColor(QColor(0xE0, 0x90, 0x00), kRunArrow);
  editor_->viewport()->installEventFilter(this);
  pages_->addWidget(editor_);

  auto* scroll = new QScrollArea(pages_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  message_ = new QLabel(scroll);
  message_->setObjectName(QStringLiteral("lblKomunikatKodu"));
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  message_->setMargin(6);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message_->setTextFormat(Qt::PlainText);
  scroll->setWidget(message_);
  pages_->addWidget(scroll);
  layout->addWidget(pages_, 1);

  warnings_ = new QLabel(this);
  warnings_->setObjectName(QStringLiteral("lblOstrzezeniaKodu"));
  warnings_->setWordWrap(true);
  warnings_->setMargin(4);
  warnings_->setTextFormat(Qt::PlainText);
  warnings_->hide();
  layout->addWidget(warnings_);

  UseLexerOf(Language());
  connect(languages_, &QComboBox::currentIndexChanged, this, [this] {
    UseLexerOf(Language());
    emit languageChosen();
  });
  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
  ShowMessage(QString());
}

ProgramCodePanel::~ProgramCodePanel() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
}

codegen::TargetLanguage ProgramCodePanel::Language() const {
  return static_cast<codegen::TargetLanguage>(languages_->currentData().toInt());
}

void ProgramCodePanel::SetLanguage(codegen::TargetLanguage language) {
  languages_->setCurrentIndex(languages_->findData(static_cast<int>(language)));
}

void ProgramCodePanel::UseLexerOf(codegen::TargetLanguage language) {
  QsciLexer* old = lexer_;
  lexer_ = MakeLexer(language, editor_);
  const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  lexer_->setDefaultFont(font);
  lexer_->setFont(font);  // every style: comments too stay in the fixed font
  editor_->setLexer(lexer_);
  editor_->setMarginsFont(font);
  delete old;
}

void ProgramCodePanel::ShowProgram(const QString& text, const std::vector<codegen::LineOrigin>& origins,
                                   const std::vector<codegen::SharedLine>& more_origins, const QStringList& warnings,
                                   bool from_the_top) {
  origins_ = origins;
  more_origins_ = more_origins;
  int first = editor_->firstVisibleLine();
  if (editor_->text() != text) editor_->setText(text);
  if (from_the_top) {
    const auto block = std::find_if(origins.begin(), origins.end(), [](const codegen::LineOrigin& o) { return o.Block >= 0; });
    // A few lines above it show how the program begins (Python's "def main():", Java's "main").
    first = block == origins.end() ? 0 : std::max(0, static_cast<int>(block - origins.begin()) - kLinesAboveTheProgram);
  }
  editor_->setFirstVisibleLine(first);
  // Wide enough for the last line's number.
  editor_->setMarginWidth(0, QStringLiteral("0%1").arg(editor_->lines()));
  pages_->setCurrentIndex(kPageProgram);
  copy_->setEnabled(true);
  save_->setEnabled(true);
  warning_texts_ = warnings;
  ShowWarnings();
}

void ProgramCodePanel::ShowMessage(const QString& message) {
  // The editor keeps the last program and its place, hidden, for when the
  // flowchart compiles again.
  origins_.clear();
  more_origins_.clear();
  message_->setText(message);
  pages_->setCurrentIndex(kPageMessage);
  copy_->setEnabled(false);
  save_->setEnabled(false);
  warning_texts_.clear();
  ShowWarnings();
}

QString ProgramCodePanel::ProgramText() const { return ShowsProgram() ? editor_->text() : QString(); }

bool ProgramCodePanel::ShowsProgram() const { return pages_->currentIndex() == kPageProgram; }

int32_t ProgramCodePanel::BlockOfLine(int line) const {
  return line >= 0 && static_cast<size_t>(line) < origins_.size() ? origins_[static_cast<size_t>(line)].Block : -1;
}

void ProgramCodePanel::MarkLines(int marker, const std::vector<int>& lines) {
  editor_->markerDeleteAll(marker);
  for (int line : lines) editor_->markerAdd(line, marker);
  if (!lines.empty()) editor_->ensureLineVisible(lines.front());
}

void ProgramCodePanel::MarkBlocks(const std::vector<int32_t>& blocks) {
  std::vector<int> lines;
  for (size_t i = 0; i < origins_.size(); ++i)
    if (origins_[i].Block >= 0 && std::find(blocks.begin(), blocks.end(), origins_[i].Block) != blocks.end())
      lines.push_back(static_cast<int>(i));
  // A for loop's header also holds its counter's start and step.
  for (const codegen::SharedLine& m : more_origins_)
    if (std::find(blocks.begin(), blocks.end(), m.Origin.Block) != blocks.end()) lines.push_back(m.Line);
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  MarkLines(kSelectionMarker, lines);
}

void ProgramCodePanel::MarkInstruction(int32_t instruction) {
  std::vector<int> lines;
  for (size_t i = 0; i < origins_.size(); ++i)
    if (instruction >= 0 && origins_[i].Instruction == instruction) lines.push_back(static_cast<int>(i));
  for (const codegen::SharedLine& m : more_origins_)
    if (instruction >= 0 && m.Origin.Instruction == instruction) lines.push_back(m.Line);
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  MarkLines(kRunMarker, lines);
  MarkLines(kRunArrow, lines.empty() ? lines : std::vector<int>{lines.front()});
}

std::vector<int> ProgramCodePanel::LinesWithMarker(int marker) const {
  std::vector<int> lines;
  for (int line = editor_->markerFindNext(0, 1 << marker); line >= 0;
       line = editor_->markerFindNext(line + 1, 1 << marker))
    lines.push_back(line);
  return lines;
}

std::vector<int> ProgramCodePanel::SelectedLines() const { return LinesWithMarker(kSelectionMarker); }

std::vector<int> ProgramCodePanel::RunLines() const { return LinesWithMarker(kRunMarker); }

bool ProgramCodePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_->viewport() && event->type() == QEvent::MouseButtonRelease && ShowsProgram()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      const int line = editor_->lineAt(mouse->position().toPoint());
      if (line >= 0) emit lineClicked(line);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ProgramCodePanel::ApplyTranslation() {
  ApplyWindowTexts(*this, kProgramCodeTexts);
  ShowWarnings();
}

void ProgramCodePanel::ShowWarnings() {
  warnings_->setVisible(!warning_texts_.isEmpty());
  if (!warning_texts_.isEmpty())
    warnings_->setText(WindowTextOf(kProgramCodeTexts, "Warnings") + QLatin1Char('\n') +
                       warning_texts_.join(QLatin1Char('\n')));
}

}  // namespace tessaro::gui

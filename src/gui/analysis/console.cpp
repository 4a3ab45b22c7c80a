#include "gui/analysis/console.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <cctype>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

#include "core/i18n/language.h"
#include "core/runtime/value_ops.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

QTextCharFormat Coloured(const QColor& colour) {
  QTextCharFormat format;
  format.setForeground(colour);
  return format;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// A `read` or `write` typed at the prompt would talk to the console from
// inside the console's own line, so those two statements are refused there.
bool IsConsoleStatement(const std::string& line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return false;
  size_t end = start;
  while (end < line.size() && std::isalpha(static_cast<unsigned char>(line[end]))) ++end;
  std::string word = line.substr(start, end - start);
  for (char& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return word == "read" || word == "write";
}

}  // namespace

Console::Console(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("RichEditKonsola"));
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(15);
  setFont(font);
  setLineWrapMode(QTextEdit::NoWrap);
  setAcceptRichText(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTextColor(kConsoleBlack);
}

void Console::CaretToEnd() {
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.setCharFormat(Coloured(kConsoleBlack));
  setTextCursor(cursor);
  setTextColor(kConsoleBlack);
}

void Console::AppendColoured(const QString& text, const QColor& colour) {
  // Only the newest characters are kept, so a program that writes much
  // text does not make every later append slower.
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text.size() > kConsoleTextLimit ? text.right(kConsoleTextLimit) : text, Coloured(colour));
  const int excess = document()->characterCount() - 1 - kConsoleTextLimit;
  if (excess > 0) DropOldest(excess);
  CaretToEnd();
}

void Console::DropOldest(int count) {
  QTextCursor oldest(document());
  oldest.setPosition(count, QTextCursor::KeepAnchor);
  oldest.removeSelectedText();
  dropped_ += count;
}

int64_t Console::EndMark() const { return dropped_ + document()->characterCount() - 1; }

void Console::CutBackTo(int64_t mark) {
  const int64_t from = std::max(mark, Floor()) - dropped_;
  const int end = document()->characterCount() - 1;
  if (from >= end) return;
  QTextCursor after(document());
  after.setPosition(static_cast<int>(from));
  after.setPosition(end, QTextCursor::KeepAnchor);
  after.removeSelectedText();
  CaretToEnd();
}

void Console::NewPromptLine() { AppendColoured(QStringLiteral("\n") + FromCore(ConsolePrompt), kConsoleBlack); }

void Console::ClearConsole(const std::string& version) {
  dropped_ = EndMark();
  clear();
  AppendColoured(FromCore(LangText("mgsc00007") + version) + QStringLiteral("\n") + Tr("mgsc00005") +
                     QStringLiteral("\n") + FromCore(ConsolePrompt),
                 kConsoleBlack);
  greeting_end_ = EndMark();
}

void Console::AddHistory(const std::string& line) {
  if (ConsoleHistory.size() >= kConsoleHistorySize) ConsoleHistory.erase(ConsoleHistory.begin());
  ConsoleHistory.push_back(line);
  // Up goes back from the newest entry.
  HistoryPosition = static_cast<int32_t>(ConsoleHistory.size());
}

void Console::ReplaceCaretLine(const std::string& entry) {
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::StartOfBlock);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(FromCore(ConsolePrompt + entry), Coloured(kConsoleBlack));
  setTextCursor(cursor);
}

void Console::EndInput() {
  if (OnEndInput) OnEndInput();
}

void Console::EnterLine() {
  // 1. The caret's line.
  std::string line = ToCore(textCursor().block().text());
  // 2. Old lines go while the text is too long.
  QTextDocument* doc = document();
  while (doc->characterCount() - 1 > kConsoleTextLimit && doc->blockCount() > 1)
    DropOldest(doc->findBlockByNumber(1).position());
  // 3. The prompt is not part of what was typed.
  line.erase(0, std::min(line.size(), ConsolePrompt.size()));
  AddHistory(line);
  const int start = doc->characterCount() - 1;
  if (ConsoleInputActive) {
    ConsoleAnswer = line;
    EndInput();
  } else if (IsConsoleStatement(line)) {
    AppendColoured(QStringLiteral("\n") + Tr("mgsc00020"), kConsoleBlue);
  } else if (compiler_) {
    // While the console evaluates a line, a run-time error is reported there
    // and leaves the program as it was.
    const QScopedValueRollback<uint8_t> keep_run(compiler_->EvalKeepsRun, uint8_t{1});
    const TEvaluation result = compiler_->EvaluateExpression(line, false);
    // The line may have changed the program's variables: a step back must
    // not re-execute past the change from an older copy.
    compiler_->NoteOutsideChange();
    if (!result.ErrorText.empty()) {
      AppendColoured(QStringLiteral("\n") + FromCore(result.ErrorText), kConsoleBlue);
    } else {
      const std::string value = TextForm(result.Value);
      AppendColoured(QStringLiteral("\n") +
                         FromCore(IsBlank(value) ? LangText("mgsc00015") : LangText("mgsc00016") + value),
                     kConsoleBlue);
    }
  }
  // What the line produced is blue.
  QTextCursor output(doc);
  output.setPosition(std::min(start, doc->characterCount() - 1));
  output.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  output.mergeCharFormat(Coloured(kConsoleBlue));
  ConsolePrompt.assign(1, '>');
  NewPromptLine();
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void Console::keyPressEvent(QKeyEvent* event) {
  // Copying and selecting leave the caret where the mouse put it.
  if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
    QTextEdit::keyPressEvent(event);
    return;
  }
  // Typing goes on the prompt line, wherever the caret was left.
  const bool edits = !event->text().isEmpty() || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
  if (edits && textCursor().blockNumber() != document()->blockCount() - 1) CaretToEnd();
  const int column = textCursor().positionInBlock();
  const int prompt = static_cast<int>(ConsolePrompt.size());
  const int entries = static_cast<int>(ConsoleHistory.size());
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Backspace:
      if (column <= prompt) return;  // the prompt cannot be edited
      break;
    case Qt::Key_Up:
      if (HistoryPosition > 0) --HistoryPosition;
      if (HistoryPosition < entries) ReplaceCaretLine(ConsoleHistory[static_cast<size_t>(HistoryPosition)]);
      return;
    case Qt::Key_Down:
      if (HistoryPosition < entries) ++HistoryPosition;
      if (HistoryPosition < entries) ReplaceCaretLine(ConsoleHistory[static_cast<size_t>(HistoryPosition)]);
      return;
    case Qt::Key_Escape:
      if (ConsoleInputActive) {
        ConsoleAnswer.clear();
        EndInput();
      }
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EnterLine();
      return;
    default:
      break;
  }
  QTextEdit::keyPressEvent(event);
}

void Console::mouseReleaseEvent(QMouseEvent* event) {
  QTextEdit::mouseReleaseEvent(event);
  // A selection made with the mouse stays, to be copied.
  if (!textCursor().hasSelection()) CaretToEnd();
}

void Console::focusOutEvent(QFocusEvent* event) {
  QTextEdit::focusOutEvent(event);
  // While a read waits, the answer is typed here and nowhere else.
  if (ConsoleInputActive) QTimer::singleShot(0, this, [this] {
      if (ConsoleInputActive && isVisible()) setFocus();
    });
}

}  // namespace tessaro::gui

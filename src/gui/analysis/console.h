// The console page's editor: a prompt line, a history of 20 entries, the
// evaluation of a typed expression, and the answer of a waiting `read`.
#pragma once

#include <QColor>
#include <QTextEdit>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/language/compiler.h"

namespace tessaro::gui {

inline const QColor kConsoleBlack(0, 0, 0);
inline const QColor kConsoleBlue(0, 0, 255);
inline const QColor kConsoleGreen(0, 128, 0);

constexpr int kConsoleHistorySize = 20;
constexpr int kConsoleTextLimit = 65536;

class Console : public QTextEdit {
  Q_OBJECT

 public:
  explicit Console(QWidget* parent = nullptr);

  void SetCompiler(TKompilatorTS* compiler) { compiler_ = compiler; }

  // Appends at the end of the text, in the colour given.
  void AppendColoured(const QString& text, const QColor& colour);
  // A new line holding only the prompt, typed on in black.
  void NewPromptLine();
  // Places in the text that outlive the dropping of its oldest part: the
  // end of the text now, the earliest place still held, and the cutting of
  // everything after a place (or the whole text after the greeting, for a
  // place that is gone).
  int64_t EndMark() const;
  int64_t Floor() const { return std::max(dropped_, greeting_end_); }
  void CutBackTo(int64_t mark);
  // The greeting with the version, the hint line and the prompt.
  void ClearConsole(const std::string& version);
  void AddHistory(const std::string& line);
  // Enter: the caret's line is an answer in input mode, otherwise an
  // expression to evaluate.
  void EnterLine();

  std::string ConsolePrompt = ">";
  std::vector<std::string> ConsoleHistory;
  int32_t HistoryPosition = 0;
  // Input mode: the console waits for a `read` answer.
  bool ConsoleInputActive = false;
  std::string ConsoleAnswer;
  // Ends input mode; set by the analysis window.
  std::function<void()> OnEndInput;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ReplaceCaretLine(const std::string& entry);
  void CaretToEnd();
  void EndInput();

  // Drops the oldest `count` characters.
  void DropOldest(int count);

  TKompilatorTS* compiler_ = nullptr;
  int64_t dropped_ = 0;       // characters dropped from the front since the start
  int64_t greeting_end_ = 0;  // the mark after the greeting of the last clear
};

}  // namespace tessaro::gui

// CodeEditor: the text editor of the block content editor, on QScintilla.
// It refuses what a block text cannot hold (characters outside
// Windows-1250, more than the file format's length), underlines errors with
// their message as the hover text, and opens the two completion lists.
#pragma once

#include <Qsci/qsciscintilla.h>

#include <functional>
#include <string>
#include <vector>

#include "core/language/block_check.h"

namespace tessaro::gui {

class CodeEditor : public QsciScintilla {
  Q_OBJECT

 public:
  explicit CodeEditor(QWidget* parent = nullptr);

  // The text as the core keeps it: Windows-1250, CR LF.
  std::string BlockText() const;
  // Replaces the whole text (a block being shown) and empties the undo history.
  void SetBlockText(const std::string& block_text);
  // Inserts at the caret through the editor, so it can be undone; the caret
  // goes `caret_offset` characters into the inserted text (-1: after it).
  // False when the text was refused.
  bool InsertAtCaret(const QString& text, int caret_offset = -1);

  // Underlines `errors` (lines and columns of the block text); an empty list clears.
  void ShowErrors(const std::vector<TBlockError>& errors);
  const std::vector<TBlockError>& Errors() const { return errors_; }
  // The message of the error under byte position `position`, or empty.
  QString ErrorAt(int position) const;

  // Whether inserting `text` in place of the selection is allowed; when not,
  // OnRefused is told why.
  bool AcceptsInsertion(const QString& text) const;

  // Told the reason of a refused input (already translated).
  std::function<void(const QString& reason)> OnRefused;
  // Focus in (true) and out (false).
  std::function<void(bool focused)> OnFocusChanged;
  // Ctrl+Space and Shift+Space.
  std::function<void()> OnCompletion;
  std::function<void()> OnTemplateCompletion;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QByteArray fromMimeData(const QMimeData* source, bool& rectangular) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int BytePosition(int line, int column) const;

  std::vector<TBlockError> errors_;
};

}  // namespace tessaro::gui

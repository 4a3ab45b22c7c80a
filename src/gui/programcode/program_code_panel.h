// ProgramCodePanel: the view of the "Kod" panel. A list of target languages,
// the "Kopiuj" and "Zapisz jako" commands, and a read-only editor with the
// language's highlighting that shows either the program, whose lines carry
// the block and instruction they came from, or a message in place of it.
// What is shown and marked is decided by the ProgramCodeController.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/codegen/code_export.h"

class QAction;
class QComboBox;
class QLabel;
class QStackedWidget;
class QsciLexer;
class QsciScintilla;

namespace tessaro::gui {

// The name the list shows for `language`: "Python", "C++", "Java", "Pascal".
QString LanguageCaption(codegen::TargetLanguage language);

class ProgramCodePanel : public QWidget {
  Q_OBJECT

 public:
  explicit ProgramCodePanel(QWidget* parent = nullptr);
  ~ProgramCodePanel() override;

  codegen::TargetLanguage Language() const;
  void SetLanguage(codegen::TargetLanguage language);

  // Shows `text` (Unicode, one "\n" after each line) with `origins`, one per
  // line, and `warnings` below it. With `from_the_top` the view opens at the
  // first line of a block (the prelude before it is what a reader skips);
  // without, it keeps its place, so a program that changes while the user
  // reads it does not jump.
  void ShowProgram(const QString& text, const std::vector<codegen::LineOrigin>& origins,
                   const std::vector<codegen::SharedLine>& more_origins,
                   const QStringList& warnings, bool from_the_top);
  // Shows `message` instead of a program (no document, a compile error).
  void ShowMessage(const QString& message);
  // The program shown; empty while a message is shown.
  QString ProgramText() const;
  bool ShowsProgram() const;

  // Marks the lines that came from any of `blocks` and brings the first into view.
  void MarkBlocks(const std::vector<int32_t>& blocks);
  // Marks the lines of `instruction` (the current one of a run; -1: none)
  // and brings the first into view.
  void MarkInstruction(int32_t instruction);
  // The lines (0-based) marked as the selection or as the run's place.
  std::vector<int> SelectedLines() const;
  std::vector<int> RunLines() const;
  // The block line `line` (0-based) came from; -1 for generated lines.
  int32_t BlockOfLine(int line) const;

  QsciScintilla* Editor() const { return editor_; }
  QAction* CopyAction() const { return copy_; }
  QAction* SaveAction() const { return save_; }

  // Room for a line of a program beside the numbers.
  QSize sizeHint() const override { return {420, 400}; }

  // Every text of the panel in the active language.
  void ApplyTranslation();

 signals:
  void languageChosen();
  // The user clicked line `line` (0-based) of the program.
  void lineClicked(int line);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UseLexerOf(codegen::TargetLanguage language);
  // The warnings of the export below the program, hidden when there are none.
  void ShowWarnings();
  void MarkLines(int marker, const std::vector<int>& lines);
  std::vector<int> LinesWithMarker(int marker) const;

  QComboBox* languages_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* save_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QsciScintilla* editor_ = nullptr;
  QsciLexer* lexer_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* warnings_ = nullptr;
  QStringList warning_texts_;
  std::vector<codegen::LineOrigin> origins_;
  std::vector<codegen::SharedLine> more_origins_;
  int retranslation_ = -1;
};

}  // namespace tessaro::gui

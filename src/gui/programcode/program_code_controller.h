// ProgramCodeController: keeps the "Kod" panel in step with the window. It
// compiles the current diagram on a compiler of its own (the run's program
// and breakpoints stay untouched), exports it in the panel's language,
// marks the selected block's lines and the run's current instruction, turns
// a click on a line into a selection of its block, and does "Kopiuj" and
// "Zapisz jako".
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "core/codegen/code_export.h"
#include "core/document/breakpoints.h"

namespace tessaro {
class TKompilatorTS;
}

namespace tessaro::gui {

class ProgramCodePanel;
class Tmain;

// How long after an edit the program follows it at the latest, less the
// time the export takes: edits within this time are shown together, so
// typing never waits for a compile per key.
constexpr int kProgramCodeDelayMs = 50;

class ProgramCodeController : public QObject {
  Q_OBJECT

 public:
  ProgramCodeController(Tmain& window, ProgramCodePanel& panel, QObject* parent = nullptr);
  ~ProgramCodeController() override;

  // The diagram or the current document changed: the program is made again
  // within kProgramCodeDelayMs, or when the panel is next shown.
  void DiagramChanged();
  // The options the program was compiled with (case-sensitive names,
  // growing arrays) were changed in the configuration dialog: as DiagramChanged.
  void CheckCompilerOptions();
  // Compiles (when the diagram changed) and exports in the panel's language
  // now, if the panel can be seen.
  void Refresh();
  // Whether a refresh is waiting for its timer or for the panel to be shown.
  bool RefreshPending() const { return timer_.isActive() || stale_; }

  // The selected block's lines, and the current instruction's line of a run.
  void FollowSelection();
  void FollowRun();
  // A click on line `line`: its block becomes the selected element.
  void SelectBlockOfLine(int line);

  // "Kopiuj": the program to the clipboard.
  void CopyProgram();
  // "Zapisz jako": the file chooser, then the program exported again with
  // the file's name as its program (Java's public class) name, written as
  // UTF-8. False when cancelled or not written (after a message).
  bool SaveProgramAs();

  // The file chooser of "Zapisz jako": the suggested path and the filter;
  // returns the chosen path, or an empty text when cancelled. Tests replace it.
  std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)> ChooseFile;

 private:
  bool PanelSeen() const;
  void Compile();
  codegen::ExportOptions OptionsFor(const std::string& program_name) const;

  Tmain& window_;
  ProgramCodePanel& panel_;
  QTimer timer_;
  bool stale_ = true;           // the panel waits to be shown for a refresh
  bool diagram_changed_ = true;  // the compiled program is older than the diagram
  // Declared before the compiler, which holds on to it.
  TBreakPointArray no_breakpoints_;
  std::unique_ptr<TKompilatorTS> program_;
  // What the panel showed last: another document or language opens at the program's start.
  const void* shown_document_ = nullptr;
  codegen::TargetLanguage shown_language_ = codegen::TargetLanguage::Python;
};

}  // namespace tessaro::gui

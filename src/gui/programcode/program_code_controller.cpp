#include "gui/programcode/program_code_controller.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "core/document/block_clipboard.h"
#include "core/extensions/plugin_table.h"
#include "core/i18n/language.h"
#include "core/i18n/windows/program_code_texts.h"
#include "core/language/compiler.h"
#include "core/language/message_format.h"
#include "core/platform/dialogs.h"
#include "core/runtime/analysis_text.h"
#include "gui/programcode/program_code_panel.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

namespace {

// The text `target` of the panel's table as core text, for formatting.
std::string CoreText(const char* target) { return LangText(WindowTextId(kProgramCodeTexts, target)); }

}  // namespace

ProgramCodeController::ProgramCodeController(Tmain& window, ProgramCodePanel& panel, QObject* parent)
    : QObject(parent), window_(window), panel_(panel), timer_(this) {
  timer_.setSingleShot(true);
  timer_.setInterval(kProgramCodeDelayMs);
  connect(&timer_, &QTimer::timeout, this, &ProgramCodeController::Refresh);
  ChooseFile = [](QWidget* parent, const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, WindowTextOf(kProgramCodeTexts, "SaveDialog"), suggested, filter);
  };
}

ProgramCodeController::~ProgramCodeController() = default;

bool ProgramCodeController::PanelSeen() const { return panel_.isVisible(); }

void ProgramCodeController::DiagramChanged() {
  diagram_changed_ = true;
  stale_ = true;
  // The first edit starts the timer and later ones join it, so a burst of
  // typing is shown at most the delay after its first key, not after its last.
  if (PanelSeen() && !timer_.isActive()) timer_.start();
}

void ProgramCodeController::CheckCompilerOptions() {
  const TSettings& settings = window_.Settings();
  if (program_ && (program_->DynamicArrays != (settings.DynamiczneTablice ? 1 : 0) ||
                   program_->CaseSensitive != (settings.WielkoscLiter ? 1 : 0)))
    DiagramChanged();
}

void ProgramCodeController::Compile() {
  // The panel's program is never run. The extensions it calls hear of its
  // compilation, as of the compile command's, but never of an end: they are
  // not called again through it, and the extension manager may unload them
  // while it is kept.
  program_ = std::make_unique<TKompilatorTS>();
  const TSettings& settings = window_.Settings();
  program_->DynamicArrays = settings.DynamiczneTablice ? 1 : 0;
  program_->CaseSensitive = settings.WielkoscLiter ? 1 : 0;
  const std::vector<Tobj>& bloki = window_.State().Bloki;
  program_->Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, static_cast<int32_t>(PlugIns.size()) - 1,
                    PlugIns, no_breakpoints_);
  for (TPlugInEntry& e : program_->Extensions) e.UsedByAlgorithm = 0;
  diagram_changed_ = false;
}

codegen::ExportOptions ProgramCodeController::OptionsFor(const std::string& program_name) const {
  codegen::ExportOptions options;
  options.Language = panel_.Language();
  options.ProgramName = program_name;
  // The document's name, as the command line names the program after its file.
  if (const TOtwartePliki* document = window_.State().CurrentDocument()) options.Title = document->Nazwa;
  return options;
}

void ProgramCodeController::Refresh() {
  timer_.stop();
  if (!PanelSeen()) {
    stale_ = true;
    return;
  }
  stale_ = false;
  if (!window_.State().CurrentDocument()) {
    program_.reset();
    diagram_changed_ = true;
    shown_document_ = nullptr;
    panel_.ShowMessage(WindowTextOf(kProgramCodeTexts, "NoDocument"));
    return;
  }
  if (diagram_changed_ || !program_) Compile();
  if (program_->HasErrors() || program_->Instructions.empty()) {
    QString text = WindowTextOf(kProgramCodeTexts, "CompileFailed");
    for (const std::string& item : ErrorListItems(*program_)) text += QLatin1Char('\n') + FromCore(item);
    panel_.ShowMessage(text);
    return;
  }
  const codegen::ExportResult result = codegen::ExportProgram(*program_, OptionsFor("Main"));
  if (!result.Ok) {
    panel_.ShowMessage(FromCore(FormatText(CoreText("ExportFailed"), {result.Error})));
    return;
  }
  QStringList warnings;
  for (const std::string& w : result.Warnings) warnings << FromCore(w);
  const void* document = window_.State().CurrentDocument()->WezelDrzewa;
  const bool another = document != shown_document_ || panel_.Language() != shown_language_;
  shown_document_ = document;
  shown_language_ = panel_.Language();
  panel_.ShowProgram(FromCore(result.Text), result.Lines, result.MoreOrigins, warnings, another);
  FollowSelection();
  FollowRun();
}

void ProgramCodeController::FollowSelection() {
  if (!PanelSeen()) return;  // Refresh marks the selection when the panel is shown
  const TDocumentState& state = window_.State();
  std::vector<int32_t> blocks;
  if (state.GrupaAktywna) {
    for (size_t i = 0; i < state.Bloki.size(); ++i)
      if (state.Bloki[i].Zaznaczony) blocks.push_back(static_cast<int32_t>(i));
  } else if (state.Wybrany >= 0) {
    blocks.push_back(state.Wybrany);
  }
  panel_.MarkBlocks(blocks);
}

void ProgramCodeController::FollowRun() {
  // A stepped run asks at every instruction: a hidden panel costs it nothing.
  if (!PanelSeen()) return;
  Trun* run = window_.Part<Trun>();
  int32_t current = -1;
  // The same place the diagram marks as current.
  if (const RunHighlight* highlight = run ? run->Highlight() : nullptr; highlight && highlight->CurrentBlock >= 0)
    current = run->Compiler.Current;
  // A run may start from a diagram the panel has not shown yet.
  if (current >= 0 && RefreshPending()) {
    Refresh();
    return;  // Refresh follows the run itself
  }
  // Only a program compiled from the same diagram numbers its instructions alike.
  const bool same = current >= 0 && program_ && current < static_cast<int32_t>(program_->Instructions.size()) &&
                    program_->Instructions[static_cast<size_t>(current)].BlockIndex ==
                        run->Compiler.Instructions[static_cast<size_t>(current)].BlockIndex;
  panel_.MarkInstruction(same ? current : -1);
}

void ProgramCodeController::SelectBlockOfLine(int line) {
  const int32_t block = panel_.BlockOfLine(line);
  TDocumentState& state = window_.State();
  if (block < 0 || static_cast<size_t>(block) >= state.Bloki.size()) return;
  // A run refuses a selection on the diagram, and here too.
  if (const Trun* run = window_.Part<Trun>(); run && run->Compiler.Running) {
    window_.BlinkStatusNotice();
    return;
  }
  if (state.Wybrany == block && !state.GrupaAktywna) return;
  ClearSelection(state);
  state.Wybrany = block;
  state.SelectionChanged();
  state.Repaint();
}

void ProgramCodeController::CopyProgram() {
  if (RefreshPending()) Refresh();
  if (panel_.ShowsProgram()) QApplication::clipboard()->setText(panel_.ProgramText());
}

bool ProgramCodeController::SaveProgramAs() {
  if (RefreshPending()) Refresh();
  const TOtwartePliki* document = window_.State().CurrentDocument();
  if (!panel_.ShowsProgram() || !program_ || !document) return false;
  const codegen::TargetLanguage language = panel_.Language();
  const QString extension = QString::fromLatin1(codegen::TargetExtension(language));
  const QString folder = document->Sciezka.empty() ? QDir::homePath()
                                                   : QFileInfo(FromPath(document->Sciezka)).absolutePath();
  const QString suggested = folder + QLatin1Char('/') + FromCore(document->Nazwa) + QLatin1Char('.') + extension;
  const QString filter = QStringLiteral("%1 (*.%2)").arg(LanguageCaption(language), extension);
  QString path = ChooseFile(&panel_, suggested, filter);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + extension;
  // Java's public class must be named as its file; Pascal's program takes the name too.
  const codegen::ExportResult result =
      codegen::ExportProgram(*program_, OptionsFor(ToCore(QFileInfo(path).completeBaseName())));
  QSaveFile file(path);
  if (result.Ok && file.open(QIODevice::WriteOnly)) {
    file.write(FromCore(result.Text).toUtf8());
    if (file.commit()) return true;
  }
  Komunikat(CoreText("SaveDialog"), FormatText(CoreText("SaveFailed"), {ToCore(QDir::toNativeSeparators(path))}));
  return false;
}

}  // namespace tessaro::gui

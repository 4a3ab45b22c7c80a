#include "gui/breakpoints/main_window_breakpoints.h"

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <memory>

#include "core/document/breakpoint_margin.h"
#include "core/document/document_state.h"
#include "core/document/hit_test.h"
#include "core/i18n/retranslation.h"
#include "core/language/breakpoint_text.h"
#include "core/language/variables.h"
#include "core/runtime/tree_layout.h"
#include "core/runtime/tree_paint.h"
#include "gui/analysis/describe_word.h"
#include "gui/analysis/tcode.h"
#include "gui/breakpoints/breakpoint_dialog.h"
#include "gui/breakpoints/breakpoint_page.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/editor/diagram_editor.h"
#include "gui/editor/main_window_editor.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/hint_window.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

namespace {

// A value in a hint is cut here; an array's text can be very long.
constexpr size_t kHintValueLength = 200;

FontSpec BlockFont(const Tobj& block) { return {block.Styl.NazwaCzcionki, block.Styl.RozmiarCzcionki}; }

picture::QtTextMetrics& Metrics() {
  static picture::QtTextMetrics metrics;
  return metrics;
}

// The mouse on the drawing area, seen before the editor: a press in a block's
// breakpoint margin toggles a breakpoint; every move over a compiled diagram
// updates the hover hint.
class BreakpointMouse : public QObject {
 public:
  BreakpointMouse(Tmain& window, DiagramView& view, BreakpointPage& page)
      : QObject(&view), window_(window), view_(view), page_(page) {
    view.PaintBox()->setMouseTracking(true);
    hint_.setObjectName(QStringLiteral("DiagramHint"));
    // No hint outlives the program it describes or the document it was over.
    if (Trun* run = RunControllerOf(window)) connect(run, &Trun::runStateChanged, this, [this] { CloseHint(); });
    connect(&window, &Tmain::currentDocumentChanged, this, [this] { CloseHint(); });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != view_.PaintBox()) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        // A toggle takes the whole click: the editor never sees a release
        // (or a move, or the double click) of a press it did not get.
        if (Press(*static_cast<QMouseEvent*>(event))) {
          swallowing_ = true;
          if (DiagramEditor* editor = DiagramEditorOf(window_)) editor->PressTakenElsewhere();
          return true;
        }
        return swallowing_;
      case QEvent::MouseMove:
        if (swallowing_) return true;
        Hover(*static_cast<QMouseEvent*>(event));
        return false;
      case QEvent::MouseButtonRelease:
        if (!swallowing_) return false;
        swallowing_ = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
        return true;
      case QEvent::Leave:
        CloseHint();
        return false;
      default:
        return false;
    }
  }

 private:
  QPoint ToDiagram(QPoint screen) const {
    const double z = window_.View().Skala / 100;
    const double ox = window_.View().PoczatekX * z, oy = window_.View().PoczatekY * z;
    return {static_cast<int>(std::lround((screen.x() - ox) / z)), static_cast<int>(std::lround((screen.y() - oy) / z))};
  }

  bool Press(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton || event.modifiers() != Qt::NoModifier) return false;
    DiagramEditor* editor = DiagramEditorOf(window_);
    if (editor && editor->Narzedzie() != kToolSelect) return false;
    TDocumentState& state = window_.State();
    TOtwartePliki* document = state.CurrentDocument();
    if (!document) return false;
    const QPoint p = ToDiagram(event.position().toPoint());
    const int32_t hit = TrafionyBlok(state.Bloki, p.x(), p.y(), false);
    if (hit < 0) return false;
    const Tobj& block = state.Bloki[static_cast<size_t>(hit)];
    const int32_t line = MarginLine(block, p.x(), p.y(), Metrics().LineHeight(BlockFont(block)));
    if (line == 0) return false;
    ToggleBreakpoint(document->PunktyPrzerwania, hit, line);
    page_.RefreshBreakpointList();
    state.Repaint();
    return true;
  }

  void Hover(const QMouseEvent& event) {
    Trun* run = RunControllerOf(window_);
    if (!run || run->Compiler.IsEmpty()) return;
    const TKompilatorTS& compiler = run->Compiler;
    const QPoint p = ToDiagram(event.position().toPoint());
    const QPoint global = event.globalPosition().toPoint() + QPoint(12, 16);
    const std::vector<Tobj>& bloki = window_.State().Bloki;
    const int32_t hit = TrafionyBlok(bloki, p.x(), p.y(), false);
    if (hit < 0) {
      Show(global, QString());
      last_instruction_ = -1;
      return;
    }
    const Tobj& block = bloki[static_cast<size_t>(hit)];
    const FontSpec font = BlockFont(block);
    const int32_t line = TextLineAt(block, p.y(), Metrics().LineHeight(font));
    const int32_t instruction = line > 0 ? compiler.InstructionAt(hit, line) : -1;
    if (instruction < 0) {
      Show(global, QString());
      last_instruction_ = -1;
      return;
    }
    // The word under the mouse, measured in the block's own font.
    const std::string text = BlockLineText(bloki, hit, line);
    const int32_t left = p.x() - block.Left - BlockTextOrigin(block.Blok).x;
    // The first character whose end reaches `left`; prefix widths only grow,
    // so the search halves the range instead of measuring every prefix.
    size_t position = 0;
    size_t past = text.size();
    while (position < past) {
      const size_t middle = position + (past - position) / 2;
      if (Metrics().LineWidth(font, text.substr(0, middle + 1)) < left) {
        position = middle + 1;
      } else {
        past = middle;
      }
    }
    const std::string word = left >= 0 && position < text.size() ? WordAt(text, position) : std::string();
    if (!word.empty()) {
      std::string hint;
      const TWordDescription description = DescribeWord(compiler, word);
      const int32_t variable = FindVariable(compiler, word);
      if (description.Found) {
        hint = word + " " + description.Text;
      } else if (variable >= 0) {
        std::string value = RenderVariable(compiler, variable, kHintValueLength + 1);
        if (value.size() > kHintValueLength) value = value.substr(0, kHintValueLength) + "...";
        hint = word + "=" + value;
      }
      if (!hint.empty()) {
        last_instruction_ = -1;
        Show(global, FromCore(hint));
        return;
      }
    }
    if (instruction == last_instruction_) return;
    last_instruction_ = instruction;
    ShowTree(global, compiler, instruction);
  }

  void ShowTree(const QPoint& global, const TKompilatorTS& compiler, int32_t instruction) {
    const Trozkaz& ins = compiler.Instructions[static_cast<size_t>(instruction)];
    QString hint = FromCore(ins.Text);
    TwrTree* tree = ins.Tree.get();
    if (tree) {
      LayoutTree(tree);
      const TTreeExtent extent = TreeExtent(tree);
      if (extent.Width < view_.width() / 2 && extent.Height + 5 < view_.height() / 2) {
        QPixmap picture(std::max(1, extent.Width + 10), extent.Height + 10);
        picture.fill(QColor(255, 255, 225));
        QPainter painter(&picture);
        picture::QtCanvas canvas(painter, Metrics());
        const TwrTree* marked = compiler.Current == instruction ? CurrentStepNode(ins.Steps, ins.StepIndex) : nullptr;
        PaintTree(canvas, 5 - extent.Left, 5, kTreePageFill, 0, marked, tree);
        painter.end();
        HintWindow::SetPicture(picture);
      } else {
        hint += QStringLiteral("\n\n") + Tr("msgm00022") + "\n" + Tr("msgm00024") + "\n" + Tr("msgm00034");
      }
    }
    Show(global, hint);
  }

  // The hint belongs to the program and the diagram under the mouse now.
  void CloseHint() {
    last_instruction_ = -1;
    shown_.clear();
    hint_.setProperty("hintText", QString());
    hint_.hide();
  }

  void Show(const QPoint& global, const QString& text) {
    if (text == shown_ && !HintWindow::PictureVisible()) return;
    shown_ = text;
    // Tests read what the hint says.
    hint_.setProperty("hintText", text);
    if (text.isEmpty()) {
      hint_.hide();
      return;
    }
    hint_.ShowHint(global, text);
  }

  Tmain& window_;
  DiagramView& view_;
  BreakpointPage& page_;
  int32_t last_instruction_ = -1;
  bool swallowing_ = false;  // from a toggling press until all buttons are up
  QString shown_;
  HintWindow hint_;
};

}  // namespace

BreakpointPage* BreakpointPageOf(Tmain& window) { return window.Part<BreakpointPage>(); }

void InstallBreakpoints(Tmain& window) {
  Tcode& code = window.RequirePart<Tcode>("InstallBreakpoints");
  Trun* run = &window.RequirePart<Trun>("InstallBreakpoints");
  DiagramView& view = window.RequirePart<DiagramView>("InstallBreakpoints");
  auto* page = new BreakpointPage;
  code.AddBreakpointPage(page);
  window.AddPart(page);

  TDocumentState& state = window.State();
  page->Breakpoints = [&state]() -> TBreakPointArray* {
    TOtwartePliki* document = state.CurrentDocument();
    return document ? &document->PunktyPrzerwania : nullptr;
  };
  page->Blocks = [&state] { return &state.Bloki; };
  page->Repaint = [&state] { state.Repaint(); };
  page->MarkLine = [run, &state](bool active, int32_t block, int32_t line) {
    run->Compiler.MarkActive = active ? 1 : 0;
    run->Compiler.MarkBlock = block;
    run->Compiler.MarkLine = line;
    state.Repaint();
  };
  page->PrepareDialog = [run, &window](TFormBreakPoint& dialog) {
    dialog.ReplaceOperators = window.Settings().ZamieniajOperator;
    dialog.Evaluate = [run](const std::string& condition, std::string& value, std::string& error) {
      const TEvaluation result = run->Compiler.EvaluateExpression(condition, false);
      value = RenderValue(result.Value);
      error = result.ErrorText;
    };
  };

  // The list follows every change of the document's breakpoints.
  QObject::connect(&window, &Tmain::breakpointsChanged, page, &BreakpointPage::RefreshBreakpointList);
  // Their hit counts follow the run where it stops and where a step, forward
  // or back, leaves it.
  auto refresh_hits = [run, page] {
    if (!run->Compiler.Running && run->Compiler.HasBreakpoints()) page->RefreshBreakpointList();
  };
  QObject::connect(run, &Trun::runStateChanged, page, refresh_hits);
  QObject::connect(run, &Trun::runStepped, page, refresh_hits);
  const RetranslationHandle texts = AddRetranslationObserver([page] { page->ApplyTranslation(); });
  QObject::connect(page, &QObject::destroyed, [texts] { RemoveRetranslationObserver(texts); });

  // A line picked in the list is marked in the diagram, compiled or not.
  // Built on the run's marks, which come before it in the view's layers.
  auto marked = std::make_shared<RunHighlight>();
  view.SetSceneLayer(DiagramView::SceneLayer::BreakpointMarks, [run, marked](RenderScene& scene) {
    if (!run->Compiler.MarkActive) return;
    *marked = scene.Highlight ? *scene.Highlight : RunHighlight{};
    marked->PseudocodeActive = true;
    marked->PseudocodeBlock = run->Compiler.MarkBlock;
    marked->PseudocodeLine = run->Compiler.MarkLine;
    scene.Highlight = marked.get();
  });
  view.PaintBox()->installEventFilter(new BreakpointMouse(window, view, *page));
}

}  // namespace tessaro::gui

#include "core/runtime/tree_paint.h"

#include <cstdio>

#include "core/i18n/language.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

constexpr int32_t kNodeLeft = 17;     // box half-width, from the node's x
constexpr int32_t kNodeTop = 2;       // box top, above the node's y
constexpr int32_t kNodeBottom = 14;   // box bottom, below the node's y
constexpr int32_t kLabelLimit = 32;   // widest label before it is shortened
constexpr TColor kTextBlue = 0xFF0000;     // RGB(0, 0, 255)
constexpr TColor kCurrentGreen = 0x008000;  // RGB(0, 128, 0)
constexpr TColor kShadowGrey = 0x808080;
constexpr TColor kBlack = 0x000000;

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Shortens a label that is too wide, keeping as much as fits before "...".
std::string FittedLabel(Canvas& canvas, std::string label) {
  if (canvas.LineWidth(label) > kLabelLimit) {
    while (!label.empty() && canvas.LineWidth(label + "...") > kLabelLimit) label.pop_back();
    label += "...";
  }
  if (IsBlank(label)) label = LangText("msgre00001");
  return label;
}

void SetSolid(Canvas& canvas, TColor pen, int32_t width, TColor brush) {
  canvas.SetPen(PenSpec{pen, width, PenStyle::Solid, PenMode::Copy});
  canvas.SetBrush(BrushSpec{brush, BrushStyle::Solid});
}

void Edge(Canvas& canvas, int32_t x, int32_t y, int32_t child_x, int32_t child_y) {
  canvas.SetPen(PenSpec{kShadowGrey, 1, PenStyle::Solid, PenMode::Copy});
  const TPunkt line[2] = {{x, y + 15}, {child_x, child_y}};
  canvas.Polyline(line, 2);
}

struct Painter {
  Canvas& canvas;
  int32_t origin_x;
  int32_t origin_y;
  TColor fill;
  int32_t shadow;
  const TwrTree* current;

  void Node(const TwrTree& node) {
    const int32_t x = origin_x + node.PosX;
    const int32_t y = origin_y + node.PosY;
    // Shadow, then the box; the current node's outline is green and wider.
    if (shadow != 0) {
      SetSolid(canvas, kShadowGrey, 1, kShadowGrey);
      canvas.Rectangle(TRect{x - kNodeLeft + shadow, y - kNodeTop + shadow, x + kNodeLeft + shadow,
                             y + kNodeBottom + shadow});
    }
    const bool marked = &node == current;
    SetSolid(canvas, marked ? kCurrentGreen : kBlack, marked ? 2 : 1, fill);
    canvas.Rectangle(TRect{x - kNodeLeft, y - kNodeTop, x + kNodeLeft, y + kNodeBottom});
    const std::string label = FittedLabel(canvas, NodeLabel(node));
    canvas.TextLine(x - canvas.LineWidth(label) / 2, y, label);
    // The subtrees, left before right, each after its edge.
    for (const TwrTree* child : {node.LeftNode, node.RightNode}) {
      if (!child) continue;
      Edge(canvas, x, y, origin_x + child->PosX, origin_y + child->PosY);
      Node(*child);
    }
    // The computed value hangs below the box, drawn last so no edge crosses it.
    const std::string value = Trimmed(NodeValueText(node));
    if (value.empty()) return;
    const int32_t w = canvas.LineWidth(value);
    const int32_t h = canvas.LineHeight();
    SetSolid(canvas, kBlack, 1, fill);
    canvas.Rectangle(TRect{x - w / 2 - 4, y + 13, x + w / 2 + 4, y + 15 + h});
    canvas.TextLine(x - w / 2, y + 14, value);
  }
};

}  // namespace

std::string NodeLabel(const TwrTree& node) {
  if (!node.SrcText.empty()) return node.SrcText;
  if (node.NodeKind == kStatementNode && node.OpText == "dim") return node.OpText + "[" + node.DimsText + "]";
  return node.OpText;
}

std::string NodeValueText(const TwrTree& node) {
  if (!node.SrcText.empty()) return {};
  if (node.NodeValue.Kind() == ValueKind::Real) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", node.NodeValue.AsReal());
    // A tiny negative value rounds to zero and shows without a sign.
    if (std::string(buf) == "-0.0000") return "0.0000";
    return buf;
  }
  return TextForm(node.NodeValue);
}

void PaintTree(Canvas& canvas, int32_t origin_x, int32_t origin_y, TColor fill, int32_t shadow,
               const TwrTree* current, const TwrTree* root) {
  if (!root) return;
  canvas.SetFont(FontSpec{"tahoma", 7, kTextBlue});
  Painter{canvas, origin_x, origin_y, fill, shadow, current}.Node(*root);
}

}  // namespace tessaro

// tessaro-cli tree [--layout] TEXT: the statement form, step list and tree of
// one instruction text, as one JSON object.
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "cli/commands.h"
#include "core/i18n/cp1250.h"
#include "core/language/statement_parser.h"
#include "core/runtime/tree_layout.h"

namespace tessaro::cli {

namespace {

// A JSON string of a Windows-1250 text.
std::string Quoted(const std::string& cp1250_text) {
  const std::string utf8 = Cp1250ToUtf8(cp1250_text);
  std::string out = "\"";
  for (char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Written with a stack of its own: a tree is as deep as its text is long.
std::string NodeJson(const TwrTree* root, bool layout) {
  std::string out;
  std::vector<std::variant<const TwrTree*, std::string>> pending;
  pending.emplace_back(root);
  while (!pending.empty()) {
    auto item = std::move(pending.back());
    pending.pop_back();
    if (auto* text = std::get_if<std::string>(&item)) {
      out += *text;
      continue;
    }
    const TwrTree* node = std::get<const TwrTree*>(item);
    if (!node) {
      out += "null";
      continue;
    }
    out += "{\"op\": " + Quoted(node->OpText) + ", \"kind\": " + std::to_string(node->NodeKind) +
           ", \"src\": " + Quoted(node->SrcText) + ", \"item\": " + Quoted(node->ItemName) +
           ", \"dims\": " + Quoted(node->DimsText);
    if (layout) out += ", \"x\": " + std::to_string(node->PosX) + ", \"y\": " + std::to_string(node->PosY);
    out += ", \"left\": ";
    pending.emplace_back(std::string("}"));
    pending.emplace_back(node->RightNode);
    pending.emplace_back(std::string(", \"right\": "));
    pending.emplace_back(node->LeftNode);
  }
  return out;
}

std::string StepsJson(const std::vector<TwrTree*>& steps) {
  std::string out = "[";
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i > 0) out += ", ";
    out += Quoted(steps[i]->OpText.empty() ? steps[i]->SrcText : steps[i]->OpText);
  }
  return out + "]";
}

}  // namespace

int RunTree(const CliOptions& options) {
  if (options.positional.size() != 1) {
    std::fprintf(stderr, "usage: tessaro-cli tree [--layout] TEXT\n");
    return kExitUsage;
  }
  const bool layout = options.Has("--layout");
  TParsedStatement parsed = ClassifyInstruction(Utf8ToCp1250(options.positional[0]));
  const TreeOwner tree(parsed.Tree);
  if (layout) LayoutTree(tree.get());
  std::string out = "{\"form\": \"" + std::string(StatementFormName(parsed.Form)) + "\", \"error\": [" +
                    std::to_string(parsed.Error.Flag ? 1 : 0) + ", " + std::to_string(parsed.Error.Position) +
                    ", " + std::to_string(parsed.Error.Length) + "], \"steps\": " + StepsJson(parsed.Steps) +
                    ", \"tree\": " + NodeJson(tree.get(), layout);
  if (layout) {
    const TTreeExtent e = TreeExtent(tree.get());
    out += ", \"extent\": [" + std::to_string(e.Left) + ", " + std::to_string(e.Width) + ", " +
           std::to_string(e.Height) + "]";
  }
  out += "}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kExitOk;
}

}  // namespace tessaro::cli

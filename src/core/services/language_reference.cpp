#include "core/services/language_reference.h"

#include "core/language/builtin_functions.h"
#include "core/language/keywords.h"
#include "core/language/operator_table.h"

namespace tessaro {

std::vector<std::string_view> ReferenceOperators() {
  std::vector<std::string_view> operators;
  for (int slot = 0; slot < kOperatorSlotCount; ++slot)
    if (!IsFillerSlot(slot) && slot != kArgumentMarkerSlot) operators.push_back(kOperators[slot].Text);
  for (std::string_view op : kIncrementOperators) operators.push_back(op);
  return operators;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string OperatorReferenceHtml() {
  std::string html = "<table class=\"operatory\" border=\"1\" cellpadding=\"3\">";
  int group = 0;
  for (int slot = 0; slot < kOperatorSlotCount; ++slot) {
    if (IsFillerSlot(slot) || slot == kArgumentMarkerSlot) continue;
    if (kOperators[slot].Group != group) {
      if (group != 0) html += "</td></tr>";
      group = kOperators[slot].Group;
      html += "<tr><td>" + std::to_string(group) + "</td><td>";
    } else {
      html += " &nbsp; ";
    }
    html += "<code>" + HtmlEscape(kOperators[slot].Text) + "</code>";
  }
  if (group != 0) html += "</td></tr>";
  html += "<tr><td>2</td><td>";
  for (std::string_view op : kIncrementOperators) html += "<code>" + HtmlEscape(op) + "</code> &nbsp; ";
  html += "</td></tr></table>";
  return html;
}

std::string KeywordReferenceHtml() {
  std::string html = "<p>";
  for (std::string_view keyword : kStatementKeywords) html += "<code><b>" + HtmlEscape(keyword) + "</b></code> &nbsp; ";
  html += "</p><ul>";
  for (const TKeywordEntry& entry : kKeywordEntries) html += "<li><code>" + HtmlEscape(entry.Caption) + "</code></li>";
  html += "</ul>";
  return html;
}

std::string BuiltinReferenceHtml(bool with_hints) {
  std::string html = "<table class=\"funkcje\" border=\"1\" cellpadding=\"3\">";
  for (const TBuiltinFunction& f : kBuiltinFunctions) {
    html += "<tr><td><code>" + HtmlEscape(f.Name) + "</code></td>";
    if (with_hints) html += "<td>" + HtmlEscape(f.Description) + "</td><td><code>" + HtmlEscape(f.Example) + "</code></td>";
    html += "</tr>";
  }
  html += "</table>";
  return html;
}

}  // namespace tessaro

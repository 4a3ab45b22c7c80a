// The lines a printer writes, each with the block and instruction it came from.
#pragma once

#include <string>
#include <vector>

#include "core/codegen/code_export.h"

namespace tessaro::codegen {

class CodeLines {
 public:
  explicit CodeLines(int indent_width = 4) : width_(indent_width) {}

  void Add(int depth, const std::string& text, LineOrigin origin = {}) {
    lines_.push_back(std::string(static_cast<size_t>(depth * width_), ' ') + text);
    origins_.push_back(origin);
  }
  void Blank() {
    lines_.emplace_back();
    origins_.push_back({});
  }
  // Every line of `text` (ended by "\n"), unindented, with no origin.
  void AddText(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      lines_.push_back(text.substr(start, end - start));
      origins_.push_back({});
      start = end + 1;
    }
  }
  // A further origin of the line last added.
  void AddOrigin(LineOrigin origin) { more_.push_back({static_cast<int32_t>(lines_.size()) - 1, origin}); }
  void Append(const CodeLines& other) {
    const int32_t shift = static_cast<int32_t>(lines_.size());
    for (SharedLine m : other.more_) {
      m.Line += shift;
      more_.push_back(m);
    }
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
    origins_.insert(origins_.end(), other.origins_.begin(), other.origins_.end());
  }
  size_t Size() const { return lines_.size(); }
  void AppendComment(size_t line, const std::string& comment) { lines_[line] += comment; }
  const std::vector<LineOrigin>& Origins() const { return origins_; }
  const std::vector<SharedLine>& MoreOrigins() const { return more_; }

  std::string Text() const {
    std::string out;
    for (const std::string& l : lines_) {
      out += l;
      out += '\n';
    }
    return out;
  }

 private:
  int width_;
  std::vector<std::string> lines_;
  std::vector<LineOrigin> origins_;
  std::vector<SharedLine> more_;
};

}  // namespace tessaro::codegen

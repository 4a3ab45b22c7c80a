// The highlighter of the block editor: a QScintilla lexer that colours with
// the core's THighlighter, built from the same word list as the menus.
#pragma once

#include <Qsci/qscilexercustom.h>

#include <memory>
#include <string>
#include <vector>

namespace tessaro {
class THighlighter;
}

namespace tessaro::gui {

class BlockLexer : public QsciLexerCustom {
  Q_OBJECT

 public:
  explicit BlockLexer(QObject* parent = nullptr);
  ~BlockLexer() override;

  void SetWords(const std::vector<std::string>& words);

  const char* language() const override;
  QString description(int style) const override;
  QColor defaultColor(int style) const override;
  QFont defaultFont(int style) const override;
  void styleText(int start, int end) override;

 private:
  std::unique_ptr<THighlighter> highlighter_;
};

}  // namespace tessaro::gui

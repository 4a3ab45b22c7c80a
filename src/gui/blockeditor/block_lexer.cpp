#include "gui/blockeditor/block_lexer.h"

#include <Qsci/qsciscintilla.h>

#include "core/language/block_highlight.h"

namespace tessaro::gui {

BlockLexer::BlockLexer(QObject* parent)
    : QsciLexerCustom(parent), highlighter_(std::make_unique<THighlighter>(std::vector<std::string>{})) {}

BlockLexer::~BlockLexer() = default;

void BlockLexer::SetWords(const std::vector<std::string>& words) {
  highlighter_ = std::make_unique<THighlighter>(words);
  if (editor()) styleText(0, editor()->length());
}

const char* BlockLexer::language() const { return "Tessaro"; }

QString BlockLexer::description(int style) const {
  switch (style) {
    case kStyleDefault: return QStringLiteral("Default");
    case kStyleKeyword: return QStringLiteral("Keyword");
    case kStyleNumber: return QStringLiteral("Number");
    case kStyleString: return QStringLiteral("String");
    case kStyleOperator: return QStringLiteral("Operator");
    default: return QString();
  }
}

QColor BlockLexer::defaultColor(int style) const {
  switch (style) {
    case kStyleKeyword: return QColor(0x00, 0x00, 0x80);
    case kStyleNumber: return QColor(0x6F, 0x00, 0x6F);  // 0x6F006F as 0x00BBGGRR
    case kStyleString: return QColor(Qt::blue);
    case kStyleOperator: return QColor(0x80, 0x00, 0x00);
    default: return QColor(Qt::black);
  }
}

QFont BlockLexer::defaultFont(int style) const {
  QFont font = QsciLexerCustom::defaultFont(style);
  if (editor()) font = editor()->font();
  font.setBold(style == kStyleKeyword);
  return font;
}

// Block texts are short: the whole text is styled each time, so a quote
// typed on one line recolours the rest correctly.
void BlockLexer::styleText(int, int) {
  QsciScintilla* e = editor();
  if (!e) return;
  const QByteArray bytes = e->text().toUtf8();  // the document's own bytes
  if (bytes.isEmpty()) return;
  const std::vector<uint8_t> styles = highlighter_->Styles(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  startStyling(0);
  size_t i = 0;
  while (i < styles.size()) {
    size_t j = i + 1;
    while (j < styles.size() && styles[j] == styles[i]) ++j;
    setStyling(static_cast<int>(j - i), styles[i]);
    i = j;
  }
}

}  // namespace tessaro::gui

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

// Only the lines Scintilla asks for are styled: no token of the block
// language spans a line (a literal ends at its line's end), so a line's
// styles depend on that line alone, and a keystroke in a long text costs the
// lines it touched, not the whole text.
void BlockLexer::styleText(int start, int end) {
  QsciScintilla* e = editor();
  if (!e || end <= start) return;
  const long first_line = e->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
  const long last_line = e->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, static_cast<unsigned long>(end));
  const long from = e->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, static_cast<unsigned long>(first_line));
  const long to = e->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(last_line));
  if (to <= from) return;
  QByteArray buffer(static_cast<qsizetype>(to - from + 1), '\0');  // the document's own bytes
  e->SendScintilla(QsciScintilla::SCI_GETTEXTRANGE, from, to, buffer.data());
  const std::vector<uint8_t> styles =
      highlighter_->Styles(std::string_view(buffer.constData(), static_cast<size_t>(to - from)));
  startStyling(static_cast<int>(from));
  size_t i = 0;
  while (i < styles.size()) {
    size_t j = i + 1;
    while (j < styles.size() && styles[j] == styles[i]) ++j;
    setStyling(static_cast<int>(j - i), styles[i]);
    i = j;
  }
}

}  // namespace tessaro::gui

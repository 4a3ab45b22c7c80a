#include "gui/blockeditor/code_editor.h"

#include <QFocusEvent>
#include <algorithm>
#include <optional>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolTip>

#include "core/i18n/cp1250.h"
#include "core/language/block_text_edit.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

constexpr int kErrorIndicator = 8;
constexpr int kDwellMilliseconds = 400;

// The first character of `text` that Windows-1250 cannot hold, or none.
std::optional<QString> Unencodable(const QString& text) {
  for (char32_t c : text.toUcs4()) {
    if (c == U'\n' || c == U'\r' || c == U'\t') continue;
    if (UnicodeToCp1250(c) < 0) return QString::fromUcs4(&c, 1);
  }
  return std::nullopt;
}

// Bytes of the block text for an editor text: one per character, two per line break.
size_t StoredSize(const QString& text) {
  return static_cast<size_t>(text.size()) + static_cast<size_t>(text.count(QLatin1Char('\n')));
}

}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QsciScintilla(parent) {
  setObjectName(QStringLiteral("CodeEditor"));
  setUtf8(true);
  setEolMode(EolUnix);
  setWrapMode(WrapNone);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  // 13 pixels at 96 dpi; Scintilla sizes its styles in points only.
  font.setPointSize(10);
  setFont(font);
  // Line numbers in a narrow gutter, two digits wide.
  setMarginType(0, NumberMargin);
  setMarginWidth(0, 24);
  setMarginsFont(font);
  setMarginsForegroundColor(QColor(0x00, 0x00, 0x80));
  setMarginLineNumbers(0, true);
  setBraceMatching(SloppyBraceMatch);
  setMatchedBraceBackgroundColor(QColor(0xC0, 0xE0, 0xFF));
  setUnmatchedBraceForegroundColor(Qt::red);
  setTabWidth(2);
  indicatorDefine(SquiggleIndicator, kErrorIndicator);
  setIndicatorForegroundColor(Qt::red, kErrorIndicator);
  SendScintilla(SCI_SETMOUSEDWELLTIME, static_cast<unsigned long>(kDwellMilliseconds));
  connect(this, &QsciScintillaBase::SCN_DWELLSTART, this, [this](int position, int x, int y) {
    const QString message = ErrorAt(position);
    if (!message.isEmpty()) QToolTip::showText(viewport()->mapToGlobal(QPoint(x, y)), message, this);
  });
  connect(this, &QsciScintillaBase::SCN_DWELLEND, this, [](int, int, int) { QToolTip::hideText(); });
  // The insert menu is the context menu; the owner shows it.
  setContextMenuPolicy(Qt::CustomContextMenu);
}

std::string CodeEditor::BlockText() const { return ToBlockLineBreaks(ToCore(text())); }

void CodeEditor::SetBlockText(const std::string& block_text) {
  setText(FromCore(ToEditorLineBreaks(block_text)));
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  setCursorPosition(0, 0);
}

bool CodeEditor::AcceptsInsertion(const QString& inserted) const {
  if (const std::optional<QString> bad = Unencodable(inserted)) {
    if (OnRefused) OnRefused(Tr("msged00002").replace(QStringLiteral("%s"), *bad));
    return false;
  }
  const QString current = text();
  const size_t before = StoredSize(current);
  const size_t after = before - StoredSize(selectedText()) + StoredSize(inserted);
  if (after > kMaxBlockTextBytes && after > before) {
    if (OnRefused) OnRefused(Tr("msged00003"));
    return false;
  }
  return true;
}

bool CodeEditor::InsertAtCaret(const QString& inserted, int caret_offset) {
  if (!AcceptsInsertion(inserted)) return false;
  if (hasSelectedText()) removeSelectedText();
  const int start = static_cast<int>(SendScintilla(SCI_GETCURRENTPOS));
  insert(inserted);
  const QString placed = caret_offset < 0 ? inserted : inserted.left(caret_offset);
  SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(start + placed.toUtf8().size()));
  return true;
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (event->key() == Qt::Key_Space && mods == Qt::ControlModifier) {
    if (OnCompletion) OnCompletion();
    return;
  }
  if (event->key() == Qt::Key_Space && mods == Qt::ShiftModifier) {
    if (OnTemplateCompletion) OnTemplateCompletion();
    return;
  }
  QString typed = event->text();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) typed = QStringLiteral("\n");
  const bool printable = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\n") ||
                                              typed == QLatin1String("\t"));
  if (printable && !(mods & Qt::ControlModifier) && !AcceptsInsertion(typed)) {
    event->accept();
    return;
  }
  QsciScintilla::keyPressEvent(event);
}

void CodeEditor::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() && !AcceptsInsertion(event->commitString())) {
    event->accept();
    return;
  }
  QsciScintilla::inputMethodEvent(event);
}

// Paste and drop both come through here.
QByteArray CodeEditor::fromMimeData(const QMimeData* source, bool& rectangular) const {
  const QByteArray bytes = QsciScintilla::fromMimeData(source, rectangular);
  if (!AcceptsInsertion(QString::fromUtf8(bytes))) return QByteArray();
  return bytes;
}

void CodeEditor::focusInEvent(QFocusEvent* event) {
  QsciScintilla::focusInEvent(event);
  if (OnFocusChanged) OnFocusChanged(true);
}

void CodeEditor::focusOutEvent(QFocusEvent* event) {
  QsciScintilla::focusOutEvent(event);
  // A menu of the editor itself does not end the typing.
  if (event->reason() != Qt::PopupFocusReason && OnFocusChanged) OnFocusChanged(false);
}

int CodeEditor::BytePosition(int line, int column) const {
  const int editor_line = std::clamp(line - 1, 0, std::max(0, lines() - 1));
  QString line_text = text(editor_line);
  if (line_text.endsWith(QLatin1Char('\n'))) line_text.chop(1);
  const QString before = line_text.left(std::max(0, column - 1));
  return positionFromLineIndex(editor_line, 0) + static_cast<int>(before.toUtf8().size());
}

void CodeEditor::ShowErrors(const std::vector<TBlockError>& errors) {
  errors_ = errors;
  SendScintilla(SCI_SETINDICATORCURRENT, kErrorIndicator);
  SendScintilla(SCI_INDICATORCLEARRANGE, 0UL, static_cast<long>(length()));
  for (const TBlockError& e : errors_) {
    const int from = BytePosition(e.Line, e.Column);
    const int to = BytePosition(e.Line, e.Column + e.Length);
    SendScintilla(SCI_INDICATORFILLRANGE, static_cast<unsigned long>(from), static_cast<long>(std::max(1, to - from)));
  }
}

QString CodeEditor::ErrorAt(int position) const {
  for (const TBlockError& e : errors_) {
    const int from = BytePosition(e.Line, e.Column);
    const int to = std::max(from + 1, BytePosition(e.Line, e.Column + e.Length));
    if (position >= from && position < to) return FromCore(e.Text);
  }
  return QString();
}

}  // namespace tessaro::gui

// Coloured plain text as RTF, and the plain text back out of an RTF file.
// Only what the console and the input dialog need: one font, text colours,
// line breaks, Windows-1250 characters.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace tessaro::gui {

// The document's text with the colour of every run, as an RTF file.
QByteArray DocumentToRtf(const QTextDocument& document);

// True when `name` ends in ".txt", in any letter case.
bool IsPlainTextName(const QString& name);

// Writes the document to `name` as RTF or as plain Windows-1250 text with
// CR LF breaks. False when the file cannot be written.
bool WriteTextFile(const QString& name, const QTextDocument& document, bool rtf);

// True when the bytes begin as an RTF file does.
bool LooksLikeRtf(const QByteArray& bytes);

// The text of an RTF file: groups of destinations (font and colour tables)
// are skipped, \par and \line become line breaks, \'xx are Windows-1250.
QString RtfToText(const QByteArray& bytes);

}  // namespace tessaro::gui

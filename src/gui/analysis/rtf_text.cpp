#include "gui/analysis/rtf_text.h"

#include <QColor>
#include <QFile>
#include <cctype>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <string>
#include <vector>

#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

int ColourIndex(std::vector<QRgb>& table, QRgb colour) {
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i] == colour) return static_cast<int>(i) + 1;
  }
  table.push_back(colour);
  return static_cast<int>(table.size());
}

// Windows-1250 bytes with RTF's special characters escaped.
void AppendEscaped(std::string& out, const QString& text) {
  for (unsigned char c : ToCore(text)) {
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x80) {
      static const char* kHex = "0123456789abcdef";
      out += "\\'";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else if (c != '\r') {
      out += static_cast<char>(c);
    }
  }
}

}  // namespace

QByteArray DocumentToRtf(const QTextDocument& document) {
  std::vector<QRgb> colours;
  std::string body;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const QRgb rgb = fragment.charFormat().foreground().color().rgb() & 0xFFFFFF;
      body += "\\cf" + std::to_string(ColourIndex(colours, rgb)) + " ";
      AppendEscaped(body, fragment.text());
    }
    if (block.next().isValid()) body += "\\par\n";
  }
  std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238 Courier New;}}\n";
  out += "{\\colortbl;";
  for (QRgb c : colours)
    out += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
           std::to_string(qBlue(c)) + ";";
  out += "}\n\\f0\\fs20 " + body + "\n}\n";
  return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

bool LooksLikeRtf(const QByteArray& bytes) { return bytes.startsWith("{\\rtf"); }

QString RtfToText(const QByteArray& bytes) {
  std::string text;
  // Depth of each open group and whether it is a skipped destination.
  std::vector<bool> skipped{false};
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = bytes[i];
    const bool skipping = skipped.back();
    if (c == '{') {
      skipped.push_back(skipping);
    } else if (c == '}') {
      if (skipped.size() > 1) skipped.pop_back();
    } else if (c == '\\' && i + 1 < n) {
      const char next = bytes[i + 1];
      if (next == '\\' || next == '{' || next == '}') {
        if (!skipping) text += next;
        ++i;
      } else if (next == '\'' && i + 3 < n) {
        bool ok = false;
        const int value = bytes.mid(i + 2, 2).toInt(&ok, 16);
        if (ok && !skipping) text += static_cast<char>(value);
        i += 3;
      } else if (next == '*') {
        skipped.back() = true;
        ++i;
      } else {
        qsizetype j = i + 1;
        while (j < n && std::isalpha(static_cast<unsigned char>(bytes[j]))) ++j;
        const QByteArray word = bytes.mid(i + 1, j - i - 1);
        while (j < n && (bytes[j] == '-' || std::isdigit(static_cast<unsigned char>(bytes[j])))) ++j;
        if (j < n && bytes[j] == ' ') ++j;
        i = j - 1;
        if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info")
          skipped.back() = true;
        else if ((word == "par" || word == "line") && !skipping)
          text += "\n";
        else if (word == "tab" && !skipping)
          text += '\t';
      }
    } else if (c != '\r' && c != '\n' && !skipping) {
      text += c;
    }
  }
  return FromCore(text);
}

bool IsPlainTextName(const QString& name) { return name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive); }

bool WriteTextFile(const QString& name, const QTextDocument& document, bool rtf) {
  QByteArray bytes;
  if (!rtf) {
    QString text = document.toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::string core = ToCore(text);
    bytes = QByteArray(core.data(), static_cast<qsizetype>(core.size()));
  } else {
    bytes = DocumentToRtf(document);
  }
  QFile file(name);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace tessaro::gui

// The console page: the prompt that cannot be edited, the history, the
// evaluation of a typed expression, the text limit, input mode and saving
// the transcript as text or RTF, selecting and copying.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "core/i18n/language.h"
#include "gui/analysis/console.h"
#include "gui/analysis/rtf_text.h"
#include "gui/analysis/tcode.h"
#include "gui/shell/qt_text.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

QString LastLine(const gui::Console& console) { return console.document()->lastBlock().text(); }

void Type(gui::Console& console, const QString& line) {
  QTest::keyClicks(&console, line);
  QTest::keyClick(&console, Qt::Key_Return);
}

struct ConsolePage {
  ConsolePage() {
    code.SetCompiler(&compiler);
    code.show();
    code.SetActivePage(gui::kPageConsole);
  }
  gui::Console& console() { return *code.ConsoleEdit(); }
  test::ShellHome home;
  test::RecordingDialogs dialogs;
  TKompilatorTS compiler;
  gui::Tcode code;
};

}  // namespace

class ConsoleKeys : public QObject {
  Q_OBJECT

 private slots:
  void greetingAndPrompt() {
    ConsolePage p;
    p.code.SetVersionText("1.0.0.0");
    p.code.ClearConsole();
    QCOMPARE(p.console().toPlainText(), gui::FromCore(LangText("mgsc00007") + "1.0.0.0") + "\n" +
                                            test::Text("mgsc00005") + "\n>");
  }

  void evaluationAtThePrompt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("sum") << "2+3" << test::Text("mgsc00016") + "5";
    QTest::newRow("text") << "'ab' + 'c'" << test::Text("mgsc00016") + "abc";
    QTest::newRow("empty value") << "" << test::Text("mgsc00015");
  }
  void evaluationAtThePrompt() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    ConsolePage p;
    Type(p.console(), typed);
    const QStringList lines = p.console().toPlainText().split('\n');
    QCOMPARE(lines.mid(lines.size() - 3), (QStringList{">" + typed, shown, ">"}));
    // The result's texts are the console's own, not a template of another view's.
    QVERIFY2(!shown.contains(QLatin1String("%s")), qPrintable(shown));
    // The output is blue, the new prompt black.
    QTextCursor at(p.console().document());
    at.setPosition(p.console().document()->lastBlock().previous().position() + 1);
    QCOMPARE(at.charFormat().foreground().color(), gui::kConsoleBlue);
  }

  void unknownNamesAreReportedNotCreated() {
    ConsolePage p;
    Type(p.console(), "zz := 5");
    QVERIFY(p.compiler.Variables.empty());
    const QStringList lines = p.console().toPlainText().split('\n');
    QVERIFY(!lines.at(lines.size() - 2).startsWith(test::Text("mgsc00016")));
  }

  void thePromptCannotBeEdited() {
    ConsolePage p;
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Backspace}) QTest::keyClick(&p.console(), key);
    QCOMPARE(LastLine(p.console()), QStringLiteral(">"));
    QTest::keyClicks(&p.console(), "ab");
    QTest::keyClick(&p.console(), Qt::Key_Backspace);
    QTest::keyClick(&p.console(), Qt::Key_Backspace);
    QTest::keyClick(&p.console(), Qt::Key_Backspace);
    QCOMPARE(LastLine(p.console()), QStringLiteral(">"));
  }

  void historyUpAndDown() {
    ConsolePage p;
    for (const char* line : {"1", "2", "3"}) Type(p.console(), line);
    const std::pair<Qt::Key, QString> presses[] = {
        {Qt::Key_Up, ">3"}, {Qt::Key_Up, ">2"}, {Qt::Key_Up, ">1"}, {Qt::Key_Up, ">1"},
        {Qt::Key_Down, ">2"}, {Qt::Key_Down, ">3"}};
    for (const auto& [key, shown] : presses) {
      QTest::keyClick(&p.console(), key);
      QCOMPARE(LastLine(p.console()), shown);
    }
  }

  void historyKeepsTheNewestTwenty() {
    ConsolePage p;
    gui::Console& c = p.console();
    for (int i = 1; i <= 21; ++i) c.AddHistory(std::to_string(i));
    QCOMPARE(int(c.ConsoleHistory.size()), 20);
    QCOMPARE(c.ConsoleHistory.front(), std::string("2"));
    QCOMPARE(c.HistoryPosition, 20);
    QTest::keyClick(&c, Qt::Key_Up);
    QCOMPARE(LastLine(c), QStringLiteral(">21"));
  }

  void readAndWriteAreRefusedAtThePrompt_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("read") << "read x";
    QTest::newRow("write, any case") << "  WRITE 1";
  }
  void readAndWriteAreRefusedAtThePrompt() {
    QFETCH(QString, typed);
    ConsolePage p;
    bool asked = false;
    p.compiler.OnInputOutput = [&asked](TKompilatorTS&, const std::string&, const std::string&, uint8_t,
                                        std::string&) { asked = true; };
    Type(p.console(), typed);
    QVERIFY(!asked);
    const QStringList lines = p.console().toPlainText().split('\n');
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{test::Text("mgsc00020"), ">"}));
  }

  void aMouseSelectionStaysToBeCopied() {
    ConsolePage p;
    gui::Console& c = p.console();
    Type(c, "2+3");
    // Drag over the start of the greeting, then copy it with Ctrl+C.
    const QRect first = c.cursorRect(QTextCursor(c.document()));
    QWidget* area = c.viewport();
    QTest::mousePress(area, Qt::LeftButton, {}, first.center());
    QTest::mouseMove(area, first.center() + QPoint(60, 0));
    QTest::mouseRelease(area, Qt::LeftButton, {}, first.center() + QPoint(60, 0));
    QVERIFY(c.textCursor().hasSelection());
    const QString selected = c.textCursor().selectedText();
    QTest::keyClick(&c, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(c.textCursor().selectedText(), selected);
    QCOMPARE(QGuiApplication::clipboard()->text(), selected);
    // Typing goes on at the prompt again.
    QTest::keyClicks(&c, "7");
    QCOMPARE(LastLine(c), QStringLiteral(">7"));
  }

  void appendingKeepsTheNewestCharacters() {
    ConsolePage p;
    gui::Console& c = p.console();
    const QString line(1000, QLatin1Char('x'));
    for (int i = 0; i < 80; ++i) c.AppendColoured("\n" + line, gui::kConsoleBlack);
    c.NewPromptLine();
    QCOMPARE(c.toPlainText().size(), gui::kConsoleTextLimit);
    QVERIFY(c.toPlainText().endsWith(line + "\n>"));
    Type(c, "1");
    QVERIFY(c.document()->characterCount() - 1 <= gui::kConsoleTextLimit);
    QVERIFY(c.toPlainText().endsWith(test::Text("mgsc00016") + "1\n>"));
    // One text longer than the limit keeps its end.
    c.clear();
    c.AppendColoured(QString(gui::kConsoleTextLimit, QLatin1Char('y')) + "end", gui::kConsoleBlack);
    QCOMPARE(c.toPlainText().size(), gui::kConsoleTextLimit);
    QVERIFY(c.toPlainText().endsWith("yend"));
  }

  void inputModeTakesTheTypedLine_data() {
    QTest::addColumn<bool>("escape");
    QTest::addColumn<QString>("answer");
    QTest::newRow("enter") << false << "12";
    QTest::newRow("escape") << true << "";
  }
  void inputModeTakesTheTypedLine() {
    QFETCH(bool, escape);
    QFETCH(QString, answer);
    ConsolePage p;
    p.console().ConsolePrompt = "?";
    p.console().NewPromptLine();
    QTimer::singleShot(20, &p.code, [&p, escape] {
      QVERIFY(p.code.ConsoleInputActive());
      QVERIFY(p.code.InputPanel()->isVisible());
      QTest::keyClicks(&p.console(), "12");
      QTest::keyClick(&p.console(), escape ? Qt::Key_Escape : Qt::Key_Return);
    });
    p.code.RunInputMode();
    QVERIFY(!p.code.ConsoleInputActive());
    QVERIFY(!p.code.InputPanel()->isVisible());
    QCOMPARE(gui::FromCore(p.code.ConsoleAnswer()), answer);
  }

  void savingWritesTheChosenFormat_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("rtf any case") << "LOG.Rtf" << "LOG.Rtf";
    QTest::newRow("no extension: rtf") << "log" << "log.rtf";
  }
  void savingWritesTheChosenFormat() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    ConsolePage p;
    QTemporaryDir dir;
    p.console().AppendColoured(QString::fromUtf8("zażółć {x}"), gui::kConsoleGreen);
    p.code.ChooseConsoleFile = [&](QWidget*) { return dir.filePath(chosen); };
    p.code.SaveConsole();
    QFile file(dir.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(rtf.contains("\\red0\\green128\\blue0;"));
    QVERIFY(rtf.contains("\\{x\\}"));
    // What is written reads back as the same text.
    QVERIFY(gui::RtfToText(rtf).endsWith(QString::fromUtf8("zażółć {x}")));
    QVERIFY(p.dialogs.shown.empty());
  }

  void savingAsTxtWritesPlainText() {
    ConsolePage p;
    QTemporaryDir dir;
    p.console().clear();
    p.console().AppendColoured(QString::fromUtf8("a = 1\nżółw"), gui::kConsoleGreen);
    p.code.ChooseConsoleFile = [&](QWidget*) { return dir.filePath("log.TXT"); };
    p.code.SaveConsole();
    QFile file(dir.filePath("log.TXT"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("a = 1\r\n\xBF\xF3\xB3w"));
    QVERIFY(!QFile::exists(dir.filePath("log.TXT.rtf")));
  }

  void savingToAnUnwritablePlaceIsReported() {
    ConsolePage p;
    p.code.ChooseConsoleFile = [](QWidget*) { return QStringLiteral("/nonexistent-folder/log.rtf"); };
    p.code.SaveConsole();
    QCOMPARE(p.dialogs.shown.size(), size_t(1));
    QCOMPARE(p.dialogs.shown[0].caption, LangText("mgsc00003"));
    QCOMPARE(p.dialogs.shown[0].text, LangText("mgsc00009"));
  }
};

TESSARO_GUI_TEST(ConsoleKeys)
#include "console_keys_test.moc"

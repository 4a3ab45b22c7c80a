// The input dialog's own commands: loading a text or RTF file into the text,
// saving it as plain text or RTF, answering with Ctrl+Enter, and the notice when a file cannot be read or written.
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "core/i18n/language.h"
#include "gui/analysis/rtf_text.h"
#include "gui/run/input_edit.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

class InputEditFiles : public QObject {
  Q_OBJECT

 private slots:
  void loadsTextAndRtf_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain Windows-1250") << QByteArray("12\r\n\xB3\xF3") << QString::fromUtf8("12\r\nłó");
    QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}{\\colortbl;\\red0\\green0\\blue0;}"
                                       "\\f0 a\\{b\\}\\par c\\'b3}")
                         << QString::fromUtf8("a{b}\nc\u0142");
  }
  void loadsTextAndRtf() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    QTemporaryDir dir;
    QFile file(dir.filePath("in.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    gui::TinputEdit dialog;
    dialog.ChooseOpenFile = [&](QWidget*) { return file.fileName(); };
    dialog.LoadText();
    QCOMPARE(dialog.memo1->toPlainText(), QString(text).replace("\r\n", "\n"));
    QVERIFY(dialogs.shown.empty());
  }

  void savesTheChosenFormatAndReadsItBack_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("txt is plain text") << "out.txt" << false;
    QTest::newRow("rtf in any case") << "out.RTF" << true;
    QTest::newRow("other names are plain text") << "out.dat" << false;
  }
  void savesTheChosenFormatAndReadsItBack() {
    QFETCH(QString, name);
    QFETCH(bool, rtf);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    QTemporaryDir dir;
    gui::TinputEdit dialog;
    const QString text = QString::fromUtf8("pierwszy\\wiersz\nżółw");
    dialog.memo1->setPlainText(text);
    dialog.ChooseSaveFile = [&](QWidget*) { return dir.filePath(name); };
    dialog.SaveText();
    QFile file(dir.filePath(name));  // saved under the chosen name, unchanged
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(gui::LooksLikeRtf(bytes), rtf);
    if (!rtf) QCOMPARE(bytes, QByteArray("pierwszy\\wiersz\r\n\xBF\xF3\xB3w"));
    // Loading it again gives the same text.
    dialog.memo1->clear();
    dialog.ChooseOpenFile = [&](QWidget*) { return dir.filePath(name); };
    dialog.LoadText();
    QCOMPARE(dialog.memo1->toPlainText(), text);
    QVERIFY(dialogs.shown.empty());
  }

  void ctrlEnterAnswersAndEnterStartsALine() {
    test::ShellHome home;
    gui::TinputEdit dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
      QVERIFY(dialog.LabelHint->isVisible());
      QTest::keyClicks(dialog.memo1, "1");
      QTest::keyClick(dialog.memo1, Qt::Key_Return);
      QTest::keyClicks(dialog.memo1, "2");
      QTest::keyClick(dialog.memo1, Qt::Key_Return, Qt::ControlModifier);
    });
    QString answer;
    QVERIFY(dialog.Ask(QStringLiteral("n=?"), QString(), true, answer));
    QCOMPARE(answer, QStringLiteral("1\n2"));
    QCOMPARE(dialog.LabelHint->text(), test::Text("msgi00003"));
  }

  void fileFailuresAreReported() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    gui::TinputEdit dialog;
    dialog.memo1->setPlainText("kept");
    dialog.ChooseOpenFile = [](QWidget*) { return QStringLiteral("/nonexistent/in.txt"); };
    dialog.LoadText();
    dialog.ChooseSaveFile = [](QWidget*) { return QStringLiteral("/nonexistent/out.rtf"); };
    dialog.SaveText();
    QCOMPARE(dialogs.shown.size(), size_t(2));
    for (const auto& shown : dialogs.shown) {
      QCOMPARE(shown.caption, LangText("msgi00001"));
      QCOMPARE(shown.text, LangText("msgi00002"));
    }
    QCOMPARE(dialog.memo1->toPlainText(), QStringLiteral("kept"));
  }
};

TESSARO_GUI_TEST(InputEditFiles)
#include "run_input_edit_test.moc"

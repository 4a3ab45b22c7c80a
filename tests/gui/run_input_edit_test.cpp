// The input dialog's own commands: loading a text or RTF file into the text,
// saving it as RTF, and the notice when a file cannot be read or written.
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "core/i18n/language.h"
#include "gui/analysis/rtf_text.h"
#include "gui/run/input_edit.h"
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

  void savesAsRtfAndReadsItBack() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    QTemporaryDir dir;
    gui::TinputEdit dialog;
    dialog.memo1->setPlainText(QString::fromUtf8("pierwszy\\wiersz\nżółw"));
    const QString name = dir.filePath("out.txt");
    dialog.ChooseSaveFile = [&](QWidget*) { return name; };
    dialog.SaveText();
    QFile file(name);  // saved under the chosen name, unchanged
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QVERIFY(gui::LooksLikeRtf(rtf));
    QCOMPARE(gui::RtfToText(rtf), QString::fromUtf8("pierwszy\\wiersz\nżółw"));
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

QTEST_MAIN(InputEditFiles)
#include "run_input_edit_test.moc"

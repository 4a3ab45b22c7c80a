// The web service against a local HTTP server: consent, the form fields of
// usage events, the update check and its question, and the opinion form.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QtTest>

#include "core/services/online.h"
#include "gui/about/info_form.h"
#include "gui/online/online_services.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

// One HTTP request as the server saw it.
struct Request {
  QByteArray method;
  QByteArray path;
  QByteArray body;
};

// A tiny HTTP/1.1 server on 127.0.0.1 that records requests and answers each
// with `reply`.
class LocalServer : public QObject {
 public:
  LocalServer() {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* buffer = new QByteArray;
        connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
          delete buffer;
          socket->deleteLater();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
          buffer->append(socket->readAll());
          const qsizetype end = buffer->indexOf("\r\n\r\n");
          if (end < 0) return;
          const QByteArray head = buffer->left(end);
          qsizetype length = 0;
          for (const QByteArray& line : head.split('\n'))
            if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
          if (buffer->size() < end + 4 + length) return;
          const QList<QByteArray> first = head.left(head.indexOf("\r\n")).split(' ');
          requests.push_back({first.value(0), first.value(1), buffer->mid(end + 4, length)});
          socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                        QByteArray::number(reply.size()) + "\r\n\r\n" + reply);
          socket->disconnectFromHost();
        });
      }
    });
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(server_.serverPort()); }

  QByteArray reply = "ok";
  std::vector<Request> requests;

 private:
  QTcpServer server_;
};

QUrlQuery Form(const Request& r) { return QUrlQuery(QString::fromLatin1(r.body)); }
QString Field(const Request& r, const char* key) {
  return Form(r).queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded);
}

}  // namespace

class OnlineServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void nothingIsSentWithoutConsentOrHost() {
    test::ShellHome home;
    LocalServer server;
    auto w = test::Start();
    gui::OnlineServices* online = gui::OnlineServicesOf(*w);
    QVERIFY(online->Host().empty());  // the build configures no service
    online->SendUsageEvent("Opinia", "forced, but no host", true);
    online->SetHost(server.Host());
    w->Settings().WersjaPilotazowa = false;
    online->SendUsageEvent("ABOUT", "no consent", false);
    w->Settings().SprawdzajAktualizacje = false;
    online->StartUpdateCheck();
    QTest::qWait(300);
    QVERIFY(server.requests.empty());
  }

  void eventsArePostedAsEncodedFormFields() {
    test::ShellHome home;
    LocalServer server;
    auto w = test::Start();
    gui::OnlineServices* online = gui::OnlineServicesOf(*w);
    online->SetHost(server.Host());
    w->Settings().WersjaPilotazowa = true;
    const QString text = QStringLiteral("a&b=c #1 + 2  Zażółć gęślą jaźń");
    online->SendUsageEvent("Error", gui::ToCore(text), false);
    online->SendUsageEvent("WWW", "drugi", false);
    QTRY_COMPARE(server.requests.size(), size_t{2});
    std::sort(server.requests.begin(), server.requests.end(),
              [](const Request& a, const Request& b) { return a.body.size() > b.body.size(); });
    const Request& r = server.requests[0];
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.path, QByteArray(kUsageEventPath));
    QCOMPARE(Form(r).queryItems().size(), 4);
    QCOMPARE(Field(r, "akcja"), gui::FromCore(w->VersionText()) + QStringLiteral("@ Error"));
    QCOMPARE(Field(r, "dane"), text);
    QCOMPARE(Field(r, "id"), gui::FromCore(w->UserId()));
    QCOMPARE(Field(r, "lang"), QStringLiteral("PL"));
    QCOMPARE(Field(server.requests[1], "dane"), QStringLiteral("drugi"));
  }

  void updateQuestionForANewerVersionOnlyAndOnlyOnce() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    LocalServer server;
    auto w = test::Start();
    gui::OnlineServices* online = gui::OnlineServicesOf(*w);
    online->SetHost(server.Host());
    online->DataFolder = [&home] { return home.Dir(); };
    QUrl opened;
    online->OpenUrl = [&opened](const QUrl& url) {
      opened = url;
      return true;
    };
    w->Settings().SprawdzajAktualizacje = true;
    struct Step {
      QByteArray reply;
      bool newer;
    };
    const Step steps[] = {{"<html><body>404</body></html>", false}, {"99.0.0.1\r\n", true}, {"99.0.0.1\r\n", false}};
    for (const Step& step : steps) {
      server.reply = step.reply;
      QSignalSpy done(online, &gui::OnlineServices::UpdateCheckDone);
      online->StartUpdateCheck();
      QVERIFY(done.wait(5000));
      QCOMPARE(done.front().front().toBool(), step.newer);
      QCOMPARE(online->UpdateTimer().isActive(), step.newer);
      online->UpdateTimer().stop();
    }
    QCOMPARE(server.requests.back().path, QByteArray(kUpdatePath));
    QCOMPARE(online->UpdateTimer().interval(), 5000);
    // The timer's work: the question, and on Yes the product's page.
    dialogs.answers.push_back(Answer::Yes);
    online->AktualizacjaTimer();
    QCOMPARE(dialogs.shown.back().text, LangText("msgm00055"));
    QCOMPARE(opened.scheme(), QStringLiteral("https"));
    QCOMPARE(QUrlQuery(opened).queryItemValue("lang"), QStringLiteral("PL"));
  }

  void informationWindowSendsOnlyAnOpinionAndKeepsTheStoredChoice() {
    test::ShellHome home;
    LocalServer server;
    auto w = test::Start();
    gui::OnlineServices* online = gui::OnlineServicesOf(*w);
    online->SetHost(server.Host());
    w->Settings().WersjaPilotazowa = false;
    RegistryWriteString("Informacja", "Brak");
    gui::Tinfo info(w->VersionText(), w->UserId());
    info.SetSender([online](const std::string& text, std::function<void(bool)> done) {
      online->SendMessage("Opinia", text, std::move(done));
    });
    auto* box = info.findChild<QCheckBox*>("CheckBox1");
    QVERIFY(!box->isChecked());
    QCOMPARE(RegistryReadString("Informacja"), std::string("Brak"));
    auto* send = info.findChild<QPushButton*>("BitBtn2");
    QTest::mouseClick(send, Qt::LeftButton);  // an empty opinion is not sent
    info.findChild<QPlainTextEdit*>("Memo2")->setPlainText(QStringLiteral("Więcej przykładów"));
    QTest::mouseClick(send, Qt::LeftButton);  // forced, although pilot mode is off
    QTRY_COMPARE(server.requests.size(), size_t{1});
    // Cleared once the service acknowledged it.
    QTRY_VERIFY(info.findChild<QPlainTextEdit*>("Memo2")->toPlainText().isEmpty());
    QCOMPARE(Field(server.requests[0], "dane"), QStringLiteral("Więcej przykładów"));
    QCOMPARE(Field(server.requests[0], "akcja"), gui::FromCore(w->VersionText()) + QStringLiteral("@ Opinia"));
    box->click();
    QCOMPARE(RegistryReadString("Informacja"), std::string());
  }
};

TESSARO_GUI_TEST(OnlineServicesTest)
#include "online_services_test.moc"

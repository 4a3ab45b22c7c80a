// The web service: usage events, the update check with its question, the
// product's web page. Everything is asynchronous on Qt's network access
// manager, sent only with the user's consent, and silent when it fails.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace tessaro::gui {

class Tmain;

class OnlineServices : public QObject {
  Q_OBJECT

 public:
  // `host`: the service host ("name" or "name:port"); empty means no network work.
  OnlineServices(Tmain& window, std::string host);

  void SetHost(std::string host) { host_ = std::move(host); }
  const std::string& Host() const { return host_; }

  // Sends one event as a POST form when the user consented (pilot mode) or
  // `force`; the answer is not looked at.
  void SendUsageEvent(const std::string& action, const std::string& data, bool force);
  // Sends a message the user wrote (forced, like an event) and tells `done`
  // whether the service acknowledged it: a reply with an HTTP success code.
  // Without a host nothing is sent and `done` hears false at once.
  void SendMessage(const std::string& action, const std::string& data, std::function<void(bool delivered)> done);

  // Asks the service for the newest version when the user turned the check
  // on; a newer one starts AktualizacjaTimer.
  void StartUpdateCheck();
  QTimer& UpdateTimer() { return aktualizacja_; }
  // The timer's work: the event "UPDATE" and the question.
  void AktualizacjaTimer();

  // "Strona www programu".
  void ActionWWWExecute();

  // Opens `url` outside the program; tests replace it.
  std::function<bool(const QUrl&)> OpenUrl;
  // The folder of the update files.
  std::function<std::string()> DataFolder;

 signals:
  // The update check has recorded its answer (for tests).
  void UpdateCheckDone(bool newer);

 private:
  void FinishUpdateCheck(QNetworkReply* reply, const QByteArray& body);
  // Posts one usage event form; the caller owns the reply.
  QNetworkReply* PostEvent(const std::string& action, const std::string& data);

  Tmain& window_;
  std::string host_;
  QNetworkAccessManager* network_ = nullptr;
  QTimer aktualizacja_;
};

OnlineServices* OnlineServicesOf(Tmain& window);
// Creates the services with the build's service host and gives "Strona www
// programu" its work.
void InstallOnlineServices(Tmain& window);

}  // namespace tessaro::gui

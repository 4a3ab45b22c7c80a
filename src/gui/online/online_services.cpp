#include "gui/online/online_services.h"

#include <QDesktopServices>
#include <memory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QUrlQuery>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "core/services/online.h"
#include "gui/failure/blad_form.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"

#ifndef TESSARO_SERVICE_HOST
#define TESSARO_SERVICE_HOST ""
#endif

namespace tessaro::gui {

namespace {

QUrl Service(const std::string& host, const char* path) { return QUrl(QString::fromStdString(ServiceUrl(host, path))); }

}  // namespace

OnlineServices::OnlineServices(Tmain& window, std::string host)
    : QObject(&window), window_(window), host_(std::move(host)), aktualizacja_(this) {
  setObjectName(QStringLiteral("OnlineServices"));
  network_ = new QNetworkAccessManager(this);
  aktualizacja_.setObjectName(QStringLiteral("AktualizacjaTimer"));
  aktualizacja_.setSingleShot(true);
  aktualizacja_.setInterval(5000);
  connect(&aktualizacja_, &QTimer::timeout, this, [this] { AktualizacjaTimer(); });
  OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  DataFolder = [] { return UserDataDir(); };
}

void OnlineServices::SendUsageEvent(const std::string& action, const std::string& data, bool force) {
  if (!MaySendUsageEvent(host_, window_.Settings().WersjaPilotazowa, force)) return;
  QNetworkReply* reply = PostEvent(action, data);
  connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

void OnlineServices::SendMessage(const std::string& action, const std::string& data,
                                 std::function<void(bool delivered)> done) {
  if (host_.empty()) {
    done(false);
    return;
  }
  QNetworkReply* reply = PostEvent(action, data);
  connect(reply, &QNetworkReply::finished, this, [reply, done = std::move(done)] {
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    done(reply->error() == QNetworkReply::NoError && status >= 200 && status < 300);
  });
}

QNetworkReply* OnlineServices::PostEvent(const std::string& action, const std::string& data) {
  QUrlQuery form;
  for (const auto& [key, value] : UsageEventFields(window_.VersionText(), action, data, window_.UserId(),
                                                   Language().LanguageCode())) {
    // Values go in percent-encoded, so "&", "=", "#" and "+" in a pupil's
    // text stay text; QUrlQuery keeps encoded input as it is.
    form.addQueryItem(QString::fromStdString(key), QString::fromLatin1(QUrl::toPercentEncoding(FromCore(value))));
  }
  QNetworkRequest request(Service(host_, kUsageEventPath));
  request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
  return network_->post(request, form.toString(QUrl::FullyEncoded).toLatin1());
}

void OnlineServices::StartUpdateCheck() {
  if (host_.empty() || !window_.Settings().SprawdzajAktualizacje) return;
  QNetworkReply* reply = network_->get(QNetworkRequest(Service(host_, kUpdatePath)));
  auto body = std::make_shared<QByteArray>();
  auto done = std::make_shared<bool>(false);
  // No more than the limit is ever held: a long reply is cut off.
  connect(reply, &QNetworkReply::readyRead, this, [this, reply, body, done] {
    if (*done) return;
    body->append(reply->read(static_cast<qint64>(kUpdateReplyLimit) - body->size()));
    if (body->size() >= static_cast<qsizetype>(kUpdateReplyLimit)) {
      *done = true;
      FinishUpdateCheck(reply, *body);
      reply->abort();
    }
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, body, done] {
    reply->deleteLater();
    if (*done) return;
    *done = true;
    if (reply->error() == QNetworkReply::NoError)
      body->append(reply->read(static_cast<qint64>(kUpdateReplyLimit) - body->size()));
    else
      body->clear();
    FinishUpdateCheck(reply, *body);
  });
}

void OnlineServices::FinishUpdateCheck(QNetworkReply* reply, const QByteArray& body) {
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const std::string text = status == 200 ? body.toStdString() : std::string();
  const bool newer = RecordUpdateReply(DataFolder(), text, window_.VersionText());
  if (newer) aktualizacja_.start();
  emit UpdateCheckDone(newer);
}

void OnlineServices::AktualizacjaTimer() {
  aktualizacja_.stop();
  SendUsageEvent("UPDATE", window_.VersionText(), false);
  if (PytanieTakNie(LangText("msgm00046"), LangText("msgm00055"), QuestionIcon::Internet) == Answer::Yes)
    ActionWWWExecute();
}

void OnlineServices::ActionWWWExecute() {
  SendUsageEvent("WWW", LangText("msgm00052"), false);
  QUrl page(QStringLiteral("https://") + QString::fromLatin1(kVendorWeb) + QStringLiteral("/"));
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("lang"), QString::fromStdString(Language().LanguageCode()));
  page.setQuery(query);
  OpenUrl(page);
}

OnlineServices* OnlineServicesOf(Tmain& window) {
  return window.Part<OnlineServices>();
}

void InstallOnlineServices(Tmain& window) {
  auto* services = new OnlineServices(window, TESSARO_SERVICE_HOST);
  window.AddPart(services);
  window.SetCommandHandler("ActionWWW", [services] { services->ActionWWWExecute(); });
}

}  // namespace tessaro::gui

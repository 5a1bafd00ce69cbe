// GET requests into files with QNetworkAccessManager: the proxy, the
// time-out and the size limit of each request, and what ended it.
#include "app/QtHttpClient.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace chartorium {

struct QtHttpClient::Pending {
  QNetworkReply* Reply = nullptr;
  /// A child of the reply: it may fire while the request ends, so it goes with the reply.
  QTimer* Timer = nullptr;
  QFile File;
  HttpEvents Events;
  std::int64_t MaxBytes = 0;
  std::int64_t Bytes = 0;
  /// Set when the client itself ended the request (time-out, size, abort, file).
  HttpFailure Failure = HttpFailure::None;
};

namespace {

QNetworkProxy ProxyOf(const std::optional<HttpProxy>& proxy) {
  if (!proxy) return QNetworkProxy(QNetworkProxy::NoProxy);
  return QNetworkProxy(QNetworkProxy::HttpProxy, QString::fromStdString(proxy->Host),
                       static_cast<quint16>(proxy->Port), QString::fromStdString(proxy->User),
                       QString::fromStdString(proxy->Password));
}

HttpFailure FailureOf(QNetworkReply::NetworkError error, int status) {
  if (error == QNetworkReply::NoError) return HttpFailure::None;
  if (status >= 400) return HttpFailure::Status;
  if (error == QNetworkReply::ConnectionRefusedError) return HttpFailure::Refused;
  if (error == QNetworkReply::OperationCanceledError) return HttpFailure::Aborted;
  if (error == QNetworkReply::TimeoutError) return HttpFailure::TimedOut;
  return HttpFailure::Network;
}

}  // namespace

QtHttpClient::QtHttpClient() = default;

QtHttpClient::~QtHttpClient() {
  for (auto& [id, pending] : pending_) {
    QObject::disconnect(pending->Reply, nullptr, nullptr, nullptr);
    pending->Reply->abort();
    delete pending->Reply;
  }
}

QNetworkAccessManager& QtHttpClient::ManagerFor(const std::optional<HttpProxy>& proxy) {
  const std::string key = proxy ? proxy->Host + '\n' + std::to_string(proxy->Port) + '\n' +
                                      proxy->User + '\n' + proxy->Password
                                : std::string();
  std::unique_ptr<QNetworkAccessManager>& manager = managers_[key];
  if (!manager) {
    manager = std::make_unique<QNetworkAccessManager>();
    manager->setProxy(ProxyOf(proxy));
  }
  return *manager;
}

HttpResult QtHttpClient::Get(const HttpRequest& request) {
  std::optional<HttpResult> result;
  QEventLoop loop;
  HttpEvents events;
  events.Done = [&](const HttpResult& done) {
    result = done;
    loop.quit();
  };
  Start(request, std::move(events));
  if (!result) loop.exec();
  return *result;
}

HttpRequestId QtHttpClient::Start(const HttpRequest& request, HttpEvents events) {
  const HttpRequestId id = ++next_;
  auto pending = std::make_unique<Pending>();
  pending->Events = std::move(events);
  pending->MaxBytes = request.MaxBytes;
  pending->File.setFileName(QString::fromStdString(request.File.string()));
  if (!pending->File.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    HttpResult result;
    result.Failure = HttpFailure::FileError;
    result.ReasonPhrase = "cannot create '" + request.File.string() + "'";
    if (pending->Events.Done) pending->Events.Done(result);
    return id;
  }

  QNetworkRequest get(QUrl(QString::fromStdString(request.Url)));
  get.setHeader(QNetworkRequest::UserAgentHeader,
                QByteArray(HttpUserAgent.data(), HttpUserAgent.size()));
  get.setRawHeader("Accept", QByteArray(HttpAccept.data(), HttpAccept.size()));
  QNetworkReply* reply = ManagerFor(request.Proxy).get(get);
  pending->Reply = reply;
  Pending& state = *pending;
  pending_.emplace(id, std::move(pending));

  if (request.TimeoutMs > 0) {
    state.Timer = new QTimer(reply);
    state.Timer->setSingleShot(true);
    state.Timer->setInterval(request.TimeoutMs);
    QObject::connect(state.Timer, &QTimer::timeout, reply, [&state] {
      state.Failure = HttpFailure::TimedOut;
      state.Reply->abort();
    });
    state.Timer->start();
  }
  // Each sign of life gives the server the time-out again.
  const auto alive = [&state] {
    if (state.Timer) state.Timer->start();
  };
  QObject::connect(reply, &QNetworkReply::requestSent, reply, [&state, alive] {
    alive();
    if (state.Events.Connected) state.Events.Connected();
  });
  QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, alive);
  QObject::connect(reply, &QNetworkReply::readyRead, reply, [this, &state, alive] {
    alive();
    Receive(state);
  });
  QObject::connect(reply, &QNetworkReply::finished, reply, [this, id] { Finish(id); });
  return id;
}

void QtHttpClient::Abort(HttpRequestId id) {
  const auto found = pending_.find(id);
  if (found == pending_.end()) return;
  Pending& state = *found->second;
  if (state.Failure == HttpFailure::None) state.Failure = HttpFailure::Aborted;
  state.Reply->abort();
}

void QtHttpClient::Receive(Pending& state) {
  if (state.Failure != HttpFailure::None) return;
  const QByteArray bytes = state.Reply->readAll();
  std::int64_t take = bytes.size();
  if (state.MaxBytes > 0) take = std::min<std::int64_t>(take, state.MaxBytes - state.Bytes);
  if (take > 0 && state.File.write(bytes.constData(), take) != take) {
    state.Failure = HttpFailure::FileError;
    state.Reply->abort();
    return;
  }
  state.Bytes += take;
  if (take < bytes.size()) {
    state.Failure = HttpFailure::TooLarge;
    state.Reply->abort();
  }
}

void QtHttpClient::Finish(HttpRequestId id) {
  const auto found = pending_.find(id);
  if (found == pending_.end()) return;
  std::unique_ptr<Pending> state = std::move(found->second);
  pending_.erase(found);
  QNetworkReply* reply = state->Reply;
  if (state->Timer) state->Timer->stop();
  Receive(*state);

  HttpResult result;
  result.StatusCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  result.Failure = state->Failure != HttpFailure::None
                       ? state->Failure
                       : FailureOf(reply->error(), result.StatusCode);
  const QVariant reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute);
  result.ReasonPhrase = reason.isValid() && result.StatusCode != 0
                            ? reason.toString().toStdString()
                            : reply->errorString().toStdString();
  if (!state->File.flush() && result.ok()) result.Failure = HttpFailure::FileError;
  state->File.close();
  result.Bytes = state->Bytes;
  reply->deleteLater();
  if (state->Events.Done) state->Events.Done(result);
}

}  // namespace chartorium

// The HTTP port with Qt's network access.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/HttpClient.h"

class QNetworkAccessManager;

namespace chartorium {

/// Requests run on the user-interface thread through its event loop; a
/// blocking Get handles the program's events until its transfer has ended.
class QtHttpClient final : public HttpClient {
 public:
  QtHttpClient();
  /// Ends the requests still running without calling their Done.
  ~QtHttpClient() override;

  HttpResult Get(const HttpRequest& request) override;
  HttpRequestId Start(const HttpRequest& request, HttpEvents events) override;
  void Abort(HttpRequestId id) override;

 private:
  struct Pending;
  QNetworkAccessManager& ManagerFor(const std::optional<HttpProxy>& proxy);
  void Receive(Pending& pending);
  void Finish(HttpRequestId id);

  /// One manager per proxy (the key "" for none), so that a request never
  /// goes through the proxy another one set.
  std::map<std::string, std::unique_ptr<QNetworkAccessManager>> managers_;
  std::map<HttpRequestId, std::unique_ptr<Pending>> pending_;
  HttpRequestId next_ = 0;
};

}  // namespace chartorium

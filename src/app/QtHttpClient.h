// The HTTP port with Qt's network access.
#pragma once

#include <map>
#include <memory>

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
  void Receive(Pending& pending);
  void Finish(HttpRequestId id);

  std::unique_ptr<QNetworkAccessManager> manager_;
  std::map<HttpRequestId, std::unique_ptr<Pending>> pending_;
  HttpRequestId next_ = 0;
};

}  // namespace chartorium

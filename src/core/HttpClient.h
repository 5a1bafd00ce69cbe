// The HTTP port: GET requests whose body goes into a file, blocking or not.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace chartorium {

class Preferences;

/// The headers every request of the program sends.
constexpr std::string_view HttpUserAgent = "Mozilla/3.0 (compatible)";
constexpr std::string_view HttpAccept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";

/// A proxy with its credentials; an empty user sends none.
struct HttpProxy {
  std::string Host;
  int Port = 0;
  std::string User;
  std::string Password;

  friend bool operator==(const HttpProxy&, const HttpProxy&) = default;
};

/// One GET. The body goes into `File`, which is created anew (emptied) when
/// the request starts, so after a failure it holds what arrived before it.
struct HttpRequest {
  std::string Url;
  std::filesystem::path File;
  /// None: a direct connection (no proxy, whatever the system's settings).
  std::optional<HttpProxy> Proxy;
  /// Milliseconds to wait for the connection, and then for each next piece
  /// of the answer, before the request ends as TimedOut; 0: no limit.
  int TimeoutMs = 0;
  /// The largest body accepted; a longer one ends the request as TooLarge
  /// with the first MaxBytes bytes in the file. 0: no limit.
  std::int64_t MaxBytes = 0;
};

enum class HttpFailure {
  None,
  Status,     ///< the server answered with an error status (4xx, 5xx)
  Refused,    ///< nobody listens at that address
  TimedOut,   ///< see HttpRequest::TimeoutMs
  TooLarge,   ///< see HttpRequest::MaxBytes
  Aborted,    ///< HttpClient::Abort
  FileError,  ///< the receiving file cannot be created or written
  Network,    ///< any other transport error (unknown host, broken connection, ...)
};

/// How a request ended.
struct HttpResult {
  HttpFailure Failure = HttpFailure::None;
  /// The server's status code; 0 when no answer came.
  int StatusCode = 0;
  /// The status's reason phrase, or what went wrong when no answer came.
  std::string ReasonPhrase;
  /// Bytes written to the file.
  std::int64_t Bytes = 0;

  bool ok() const { return Failure == HttpFailure::None; }
};

/// The warning of a failed blocking download: "Failed : " + status code + " " + reason phrase.
std::string FailedRequestMessage(const HttpResult& result);

/// What a non-blocking request reports, through the program's event loop.
struct HttpEvents {
  /// The connection to the server (or the proxy) is made. May be left empty.
  std::function<void()> Connected;
  /// The request has ended, whatever the outcome; called exactly once.
  std::function<void(const HttpResult&)> Done;
};

using HttpRequestId = int;

/// Implemented by the program with Qt's network access and by tests with a
/// scripted fake. One client serves any number of requests at a time.
class HttpClient {
 public:
  HttpClient() = default;
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;
  virtual ~HttpClient() = default;

  /// Returns once the transfer has ended (the program's own events are still
  /// handled meanwhile).
  virtual HttpResult Get(const HttpRequest& request) = 0;
  /// Starts the request and returns at once; `events` report its progress.
  /// A client may call Done before Start returns when the request cannot start.
  virtual HttpRequestId Start(const HttpRequest& request, HttpEvents events) = 0;
  /// Ends a started request; its Done reports Aborted. Ignores an id that has ended.
  virtual void Abort(HttpRequestId id) = 0;
};

/// A client without network access: every request fails with Network and
/// leaves an empty file. The workspaces of tests and of the command line use it.
class OfflineHttpClient final : public HttpClient {
 public:
  HttpResult Get(const HttpRequest& request) override;
  HttpRequestId Start(const HttpRequest& request, HttpEvents events) override;
  void Abort(HttpRequestId) override {}

 private:
  HttpRequestId next_ = 0;
};

/// The proxy of the Internet preferences (EP, EPPo, EPU, EPP) while "Use
/// Proxy support" (ChProx) is on; none while it is off.
std::optional<HttpProxy> ProxyFromPreferences(const Preferences& prefs);

}  // namespace chartorium

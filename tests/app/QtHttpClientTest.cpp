// The Qt HTTP client against a small server on 127.0.0.1: success, an error
// status, a time-out, the size limit, a refused connection, the events of a
// non-blocking request, the proxy and the request headers.
#include "app/QtHttpClient.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

/// Answers by path: "/news.txt" the news, "/missing" 404, "/big" 10000 bytes,
/// "/silent" nothing at all. Keeps the head of every request it got.
class TestServer {
 public:
  TestServer() {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
      }
    });
  }
  std::string Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + std::string(path);
  }
  quint16 Port() const { return server_.serverPort(); }
  /// The heads of the requests received, in order.
  std::vector<std::string> Heads;

 private:
  void Read(QTcpSocket* socket) {
    std::string& head = buffers_[socket];
    head += socket->readAll().toStdString();
    if (head.find("\r\n\r\n") == std::string::npos) return;
    Heads.push_back(head);
    const std::string line = head.substr(0, head.find("\r\n"));
    if (line.find("/silent") != std::string::npos) return;
    if (line.find("/missing") != std::string::npos) {
      Reply(socket, "404 Not Found", "no such page");
    } else if (line.find("/big") != std::string::npos) {
      Reply(socket, "200 OK", std::string(10000, 'x'));
    } else {
      Reply(socket, "200 OK", "Markets up;https://example.org\r\n");
    }
  }
  static void Reply(QTcpSocket* socket, const std::string& status, const std::string& body) {
    const std::string answer = "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\n" +
                               "Content-Length: " + std::to_string(body.size()) +
                               "\r\nConnection: close\r\n\r\n" + body;
    socket->write(answer.data(), static_cast<qint64>(answer.size()));
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  std::map<QTcpSocket*, std::string> buffers_;
};

class QtHttp : public ::testing::Test {
 protected:
  HttpRequest Request(std::string_view path) const {
    HttpRequest request;
    request.Url = server.Url(path);
    request.File = folder / "received";
    return request;
  }
  std::string Received() const { return ReadWholeFile(folder / "received").value_or("<none>"); }

  testing::TempFolder folder;
  TestServer server;
  QtHttpClient http;
};

TEST_F(QtHttp, ABlockingGetWritesTheBodyIntoTheFile) {
  ASSERT_TRUE(WriteFileAtomically(folder / "received", "older content").ok());
  const HttpResult result = http.Get(Request("/news.txt"));
  EXPECT_TRUE(result.ok()) << result.ReasonPhrase;
  EXPECT_EQ(result.StatusCode, 200);
  EXPECT_EQ(result.ReasonPhrase, "OK");
  EXPECT_EQ(result.Bytes, 32);
  EXPECT_EQ(Received(), "Markets up;https://example.org\r\n");
  ASSERT_EQ(server.Heads.size(), 1u);
  const std::string& head = server.Heads[0];
  EXPECT_TRUE(head.starts_with("GET /news.txt HTTP/1.1\r\n")) << head;
  EXPECT_NE(head.find("User-Agent: Mozilla/3.0 (compatible)\r\n"), std::string::npos) << head;
  EXPECT_NE(head.find("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"),
            std::string::npos)
      << head;
}

TEST_F(QtHttp, FailuresSayWhatEndedTheRequest) {
  // A port that was just closed refuses connections.
  quint16 closedPort = 0;
  {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    closedPort = closed.serverPort();
  }
  struct Case {
    std::string Name;
    HttpRequest Request;
    HttpFailure Failure;
    int Status;
    std::string Body;
  };
  HttpRequest silent = Request("/silent");
  silent.TimeoutMs = 300;
  HttpRequest big = Request("/big");
  big.MaxBytes = 1000;
  HttpRequest refused = Request("/news.txt");
  refused.Url = "http://127.0.0.1:" + std::to_string(closedPort) + "/news.txt";
  const Case cases[] = {
      {"error status", Request("/missing"), HttpFailure::Status, 404, "no such page"},
      {"time-out", silent, HttpFailure::TimedOut, 0, ""},
      {"size limit", big, HttpFailure::TooLarge, 200, std::string(1000, 'x')},
      {"refused", refused, HttpFailure::Refused, 0, ""},
  };
  for (const Case& c : cases) {
    const HttpResult result = http.Get(c.Request);
    EXPECT_EQ(result.Failure, c.Failure) << c.Name << ": " << result.ReasonPhrase;
    EXPECT_EQ(result.StatusCode, c.Status) << c.Name;
    EXPECT_EQ(Received(), c.Body) << c.Name;
    EXPECT_EQ(result.Bytes, static_cast<std::int64_t>(c.Body.size())) << c.Name;
  }
  EXPECT_EQ(FailedRequestMessage(http.Get(Request("/missing"))), "Failed : 404 Not Found");
}

TEST_F(QtHttp, ANonBlockingGetReportsTheConnectionAndTheEnd) {
  std::vector<std::string> events;
  HttpEvents handlers;
  handlers.Connected = [&] { events.push_back("connected"); };
  handlers.Done = [&](const HttpResult& result) {
    events.push_back(result.ok() ? "done" : "failed");
  };
  http.Start(Request("/news.txt"), handlers);
  EXPECT_TRUE(events.empty());  // nothing happens before the event loop runs
  EXPECT_TRUE(QTest::qWaitFor([&] { return events.size() == 2; }, 5000));
  EXPECT_EQ(events, (std::vector<std::string>{"connected", "done"}));
  EXPECT_EQ(Received(), "Markets up;https://example.org\r\n");

  events.clear();
  const HttpRequestId id = http.Start(Request("/silent"), handlers);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !events.empty(); }, 5000));  // connected
  http.Abort(id);
  EXPECT_TRUE(QTest::qWaitFor([&] { return events.size() == 2; }, 5000));
  EXPECT_EQ(events, (std::vector<std::string>{"connected", "failed"}));
  http.Abort(id);  // ended already: nothing happens
  EXPECT_EQ(events.size(), 2u);
}

// The test server stands in for the proxy: a request through a proxy names
// the whole address on its first line.
TEST_F(QtHttp, ARequestGoesThroughItsProxyOnly) {
  HttpRequest proxied = Request("/news.txt");
  proxied.Url = "http://news.example.invalid/news.txt";
  proxied.Proxy = HttpProxy{"127.0.0.1", server.Port(), "", ""};
  const HttpResult result = http.Get(proxied);
  EXPECT_TRUE(result.ok()) << result.ReasonPhrase;
  EXPECT_EQ(Received(), "Markets up;https://example.org\r\n");
  ASSERT_EQ(server.Heads.size(), 1u);
  EXPECT_TRUE(server.Heads[0].starts_with("GET http://news.example.invalid/news.txt HTTP/1.1"))
      << server.Heads[0];
  // Requests with and without the proxy at the same time each keep their way.
  server.Heads.clear();
  int done = 0;
  HttpEvents count;
  count.Done = [&](const HttpResult& ended) { done += ended.ok() ? 1 : 100; };
  HttpRequest direct = Request("/news.txt");
  direct.File = folder / "direct";
  http.Start(proxied, count);
  http.Start(direct, count);
  EXPECT_TRUE(QTest::qWaitFor([&] { return done >= 2; }, 5000));
  EXPECT_EQ(done, 2);
  ASSERT_EQ(server.Heads.size(), 2u);
  int absolute = 0;
  for (const std::string& head : server.Heads) absolute += head.starts_with("GET http://");
  EXPECT_EQ(absolute, 1);
}

}  // namespace
}  // namespace chartorium

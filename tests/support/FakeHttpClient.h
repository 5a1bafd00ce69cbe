// A scripted HttpClient: queued answers by address, every request recorded,
// and non-blocking requests that end when the test says so.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/HttpClient.h"
#include "core/SafeFile.h"

namespace chartorium::testing {

class FakeHttpClient final : public HttpClient {
 public:
  /// What the "server" answers for an address: the body written to the
  /// request's file and how the request ends. An address without an answer
  /// is refused.
  struct Answer {
    std::string Body;
    HttpResult Result;
  };

  std::map<std::string, Answer> Answers;
  /// Every request made, in order.
  std::vector<HttpRequest> Requests;

  static Answer Ok(std::string body) {
    HttpResult result;
    result.StatusCode = 200;
    result.ReasonPhrase = "OK";
    return {std::move(body), result};
  }
  static Answer Failed(HttpFailure failure, int status, std::string reason) {
    HttpResult result;
    result.Failure = failure;
    result.StatusCode = status;
    result.ReasonPhrase = std::move(reason);
    return {"", result};
  }

  HttpResult Get(const HttpRequest& request) override {
    Requests.push_back(request);
    return Respond(request);
  }
  HttpRequestId Start(const HttpRequest& request, HttpEvents events) override {
    Requests.push_back(request);
    pending_.push_back({++next_, request, std::move(events)});
    return next_;
  }
  void Abort(HttpRequestId id) override {
    for (auto at = pending_.begin(); at != pending_.end(); ++at) {
      if (at->Id != id) continue;
      Pending aborted = std::move(*at);
      pending_.erase(at);
      HttpResult result;
      result.Failure = HttpFailure::Aborted;
      if (aborted.Events.Done) aborted.Events.Done(result);
      return;
    }
  }

  /// Requests started and not ended yet.
  size_t PendingCount() const { return pending_.size(); }
  /// Ends the oldest started request with its answer: Connected (unless it
  /// was refused), then Done.
  void FinishNext() {
    Pending next = std::move(pending_.front());
    pending_.pop_front();
    const HttpResult result = Respond(next.Request);
    if (result.Failure != HttpFailure::Refused && next.Events.Connected) next.Events.Connected();
    if (next.Events.Done) next.Events.Done(result);
  }

 private:
  struct Pending {
    HttpRequestId Id;
    HttpRequest Request;
    HttpEvents Events;
  };

  HttpResult Respond(const HttpRequest& request) {
    const auto found = Answers.find(request.Url);
    HttpResult result;
    std::string body;
    if (found == Answers.end()) {
      result.Failure = HttpFailure::Refused;
      result.ReasonPhrase = "Connection refused";
    } else {
      result = found->second.Result;
      body = found->second.Body;
    }
    result.Bytes = static_cast<std::int64_t>(body.size());
    static_cast<void>(WriteFileAtomically(request.File, body));
    return result;
  }

  std::deque<Pending> pending_;
  HttpRequestId next_ = 0;
};

}  // namespace chartorium::testing

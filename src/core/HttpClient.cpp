// The offline client and the helpers every request shares.
#include "core/HttpClient.h"

#include "core/Preferences.h"
#include "core/SafeFile.h"

namespace chartorium {

std::string FailedRequestMessage(const HttpResult& result) {
  return "Failed : " + std::to_string(result.StatusCode) + " " + result.ReasonPhrase;
}

HttpResult OfflineHttpClient::Get(const HttpRequest& request) {
  HttpResult result;
  if (!WriteFileAtomically(request.File, {}).ok()) {
    result.Failure = HttpFailure::FileError;
    result.ReasonPhrase = "cannot create '" + request.File.string() + "'";
    return result;
  }
  result.Failure = HttpFailure::Network;
  result.ReasonPhrase = "no network access";
  return result;
}

HttpRequestId OfflineHttpClient::Start(const HttpRequest& request, HttpEvents events) {
  const HttpResult result = Get(request);
  if (events.Done) events.Done(result);
  return ++next_;
}

std::optional<HttpProxy> ProxyFromPreferences(const Preferences& prefs) {
  if (!prefs.Flag("ChProx")) return std::nullopt;
  return HttpProxy{prefs.Text("EP"), prefs.Integer("EPPo"), prefs.Text("EPU"), prefs.Text("EPP")};
}

}  // namespace chartorium

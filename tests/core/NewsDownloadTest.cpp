// The news download through the HTTP port: what replaces "news.txt", what the
// ticker gets, and the proxy of the preferences.
#include "core/NewsTicker.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/HttpClient.h"
#include "core/Preferences.h"
#include "core/SafeFile.h"
#include "support/FakeHttpClient.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::FakeHttpClient;

constexpr std::string_view Address = "http://news.example.org/news.txt";

class NewsDownload : public ::testing::Test {
 protected:
  // Starts the download; the text handed to the ticker, once it is done.
  void Download() {
    DownloadNews(http, prefs, folder.Path(), Address,
                 [this](const std::string& text) { shown = text; });
  }
  std::string OnDisk() const { return ReadWholeFile(folder / "news.txt").value_or("<no file>"); }

  testing::TempFolder folder;
  FakeHttpClient http;
  Preferences prefs;
  std::optional<std::string> shown;
};

TEST_F(NewsDownload, ACompleteDownloadReplacesTheNews) {
  ASSERT_TRUE(WriteFileAtomically(folder / "news.txt", "Old item\r\n").ok());
  http.Answers[std::string(Address)] = FakeHttpClient::Ok("New item;https://example.org\r\n");
  Download();
  EXPECT_FALSE(shown);  // it does not block
  ASSERT_EQ(http.PendingCount(), 1u);
  EXPECT_EQ(OnDisk(), "Old item\r\n");
  http.FinishNext();
  EXPECT_EQ(shown, "New item;https://example.org\r\n");
  EXPECT_EQ(OnDisk(), "New item;https://example.org\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "news.txt.download"));
  const HttpRequest& request = http.Requests.at(0);
  EXPECT_EQ(request.Url, Address);
  EXPECT_EQ(request.TimeoutMs, NewsTimeoutMs);
  EXPECT_EQ(request.MaxBytes, NewsMaxBytes);
  EXPECT_FALSE(request.Proxy);
}

// Whatever goes wrong, the news on disk stays and the ticker runs on with it.
TEST_F(NewsDownload, AFailureKeepsTheNewsOnDisk) {
  const std::pair<std::string_view, std::optional<FakeHttpClient::Answer>> failures[] = {
      {"refused", std::nullopt},
      {"not found", FakeHttpClient::Failed(HttpFailure::Status, 404, "Not Found")},
      {"timed out", FakeHttpClient::Failed(HttpFailure::TimedOut, 0, "time-out")},
      {"too large", FakeHttpClient::Failed(HttpFailure::TooLarge, 200, "OK")},
  };
  for (const auto& [what, answer] : failures) {
    ASSERT_TRUE(WriteFileAtomically(folder / "news.txt", "Kept\r\n").ok());
    http.Answers.clear();
    if (answer) http.Answers[std::string(Address)] = *answer;
    shown.reset();
    Download();
    http.FinishNext();
    EXPECT_EQ(shown, "Kept\r\n") << what;
    EXPECT_EQ(OnDisk(), "Kept\r\n") << what;
  }
  std::filesystem::remove(folder / "news.txt");
  Download();
  http.FinishNext();
  EXPECT_EQ(shown, "");
  EXPECT_FALSE(std::filesystem::exists(folder / "news.txt"));
}

TEST_F(NewsDownload, GoesThroughTheProxyOfThePreferences) {
  prefs.Set("EP", "proxy.example.org");
  prefs.Set("EPPo", "8080");
  prefs.Set("EPU", "me");
  prefs.Set("EPP", "secret");
  Download();
  EXPECT_FALSE(http.Requests.back().Proxy);  // "Use Proxy support" is off
  prefs.SetFlag("ChProx", true);
  Download();
  EXPECT_EQ(http.Requests.back().Proxy, (HttpProxy{"proxy.example.org", 8080, "me", "secret"}));
}

}  // namespace
}  // namespace chartorium

// The news ticker and the download of its file.
#include "core/NewsTicker.h"

#include <system_error>
#include <utility>

#include "core/HttpClient.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {

std::filesystem::path NewsFilePath(const std::filesystem::path& appFolder) {
  return appFolder / "news.txt";
}

void DownloadNews(HttpClient& http, const Preferences& prefs,
                  const std::filesystem::path& appFolder, std::string_view address,
                  std::function<void(const std::string& text)> done) {
  // The answer arrives beside the file, so a failed or partial download never
  // replaces the news the ticker already has.
  const std::filesystem::path news = NewsFilePath(appFolder);
  std::filesystem::path received = news;
  received += ".download";
  HttpRequest request;
  request.Url = std::string(address);
  request.File = received;
  request.Proxy = ProxyFromPreferences(prefs);
  request.TimeoutMs = NewsTimeoutMs;
  request.MaxBytes = NewsMaxBytes;
  HttpEvents events;
  events.Done = [news, received, done = std::move(done)](const HttpResult& result) {
    // Failures are not reported: the news is an extra, and the next start tries again.
    if (result.ok()) {
      if (const Result<std::string> bytes = ReadWholeFile(received)) {
        static_cast<void>(WriteFileAtomically(news, *bytes));
      }
    }
    std::error_code ignored;
    std::filesystem::remove(received, ignored);
    done(ReadWholeFile(news).value_or(std::string()));
  };
  static_cast<void>(http.Start(request, std::move(events)));
}

void NewsTicker::SetText(std::string_view text) {
  items_.clear();
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    if (!line.empty()) items_.emplace_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  next_ = 0;
  shown_ = static_cast<size_t>(-1);
}

std::string NewsTicker::Tick() {
  if (items_.empty()) return {};
  if (next_ >= items_.size()) next_ = 0;
  shown_ = next_++;
  return FieldOf(items_[shown_], 1, ";");
}

std::string NewsTicker::CurrentLink() const {
  if (shown_ >= items_.size()) return {};
  return std::string(Trim(FieldOf(items_[shown_], 2, ";")));
}

}  // namespace chartorium

// The rotating line of news in the main window's status bar, and the
// download of its file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

class HttpClient;
class Preferences;

/// The news file "news.txt" of the data folder.
std::filesystem::path NewsFilePath(const std::filesystem::path& appFolder);

/// The longest wait for the news site, and the largest news file taken.
constexpr int NewsTimeoutMs = 30000;
constexpr std::int64_t NewsMaxBytes = 1 << 20;

/// Fetches "news.txt" from `address` without blocking, through the proxy of
/// the Internet preferences. A complete download replaces the file; on any
/// failure the file on disk stays as it was. Once the request has ended,
/// `done` gets the text of "news.txt" (empty when there is none): whatever
/// goes wrong, the ticker runs on with what it has.
void DownloadNews(HttpClient& http, const Preferences& prefs,
                  const std::filesystem::path& appFolder, std::string_view address,
                  std::function<void(const std::string& text)> done);

/// The items of "news.txt": one per line, a text optionally followed by ";"
/// and a link. Each tick shows the next item, from the first again after the last.
class NewsTicker {
 public:
  /// Replaces the items with the lines of the text (blank lines are skipped)
  /// and restarts at the first.
  void SetText(std::string_view text);
  bool Empty() const { return items_.empty(); }

  /// The text of the next item to show (field 1), and makes it the current
  /// item; "" when there are none.
  std::string Tick();
  /// The link of the item shown last (field 2); "" when it has none.
  std::string CurrentLink() const;

 private:
  std::vector<std::string> items_;
  size_t next_ = 0;
  size_t shown_ = static_cast<size_t>(-1);
};

}  // namespace chartorium

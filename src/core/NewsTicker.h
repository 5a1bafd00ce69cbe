// The rotating line of news in the main window's status bar.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

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

// The news ticker.
#include "core/NewsTicker.h"

#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {

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

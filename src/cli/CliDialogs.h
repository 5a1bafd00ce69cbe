// The dialogs of the command line: messages go to stderr, questions are
// answered No and the progress box is not shown.
#pragma once

#include <ostream>
#include <string>

#include "core/NullDialogs.h"

namespace chartorium::cli {

class CliDialogs final : public NullDialogs {
 public:
  explicit CliDialogs(std::ostream& err) : err_(err) {}

  void Warning(std::string_view text) override { Print(text); }
  void Information(std::string_view text) override { Print(text); }
  void Error(std::string_view, std::string_view text) override { Print(text); }

 private:
  // Message boxes break lines with CR LF; a terminal takes LF alone.
  void Print(std::string_view text) {
    err_ << "chartorium-cli: ";
    for (size_t at = 0; at < text.size(); ++at) {
      if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
      err_ << text[at];
    }
    err_ << "\n";
  }

  std::ostream& err_;
};

}  // namespace chartorium::cli

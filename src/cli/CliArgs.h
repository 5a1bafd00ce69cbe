// Reading a command's arguments: positionals and --name value options.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium::cli {

/// Splits arguments into positionals, valued options and flags. An option
/// named in `valued` takes the next argument (or the text after "=").
class CliArgs {
 public:
  CliArgs(std::span<const std::string> args, std::span<const std::string_view> valued,
          std::span<const std::string_view> flags);

  /// Empty when every argument was understood; else what was wrong.
  const std::string& Error() const { return error_; }
  const std::vector<std::string>& Positionals() const { return positionals_; }
  std::optional<std::string> Value(std::string_view option) const;
  bool Has(std::string_view flag) const;

 private:
  std::vector<std::string> positionals_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> flags_;
  std::string error_;
};

}  // namespace chartorium::cli

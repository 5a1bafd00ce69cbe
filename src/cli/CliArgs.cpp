// Argument splitting for chartorium-cli commands.
#include "cli/CliArgs.h"

#include <algorithm>

namespace chartorium::cli {
namespace {

bool Contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

CliArgs::CliArgs(std::span<const std::string> args, std::span<const std::string_view> valued,
                 std::span<const std::string_view> flags) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      positionals_.push_back(arg);
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (const size_t eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    if (Contains(flags, name) && !inlineValue) {
      flags_.push_back(name);
      continue;
    }
    if (!Contains(valued, name)) {
      error_ = "unknown option '" + name + "'";
      return;
    }
    if (inlineValue) {
      values_.emplace_back(name, *inlineValue);
      continue;
    }
    if (i + 1 >= args.size()) {
      error_ = "option '" + name + "' needs a value";
      return;
    }
    values_.emplace_back(name, args[++i]);
  }
}

std::optional<std::string> CliArgs::Value(std::string_view option) const {
  // The last occurrence wins, as users of shell commands expect.
  for (auto it = values_.rbegin(); it != values_.rend(); ++it)
    if (it->first == option) return it->second;
  return std::nullopt;
}

bool CliArgs::Has(std::string_view flag) const {
  return std::find(flags_.begin(), flags_.end(), flag) != flags_.end();
}

}  // namespace chartorium::cli

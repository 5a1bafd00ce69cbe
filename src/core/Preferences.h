// The live store of the user's preferences, read by name at the moment of use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

class IniFile;

/// One value per field of PreferenceFields(), starting at the defaults.
/// Nothing copies preferences elsewhere: every part asks this store.
class Preferences {
 public:
  Preferences();

  /// The field's text. REQUIRES: `name` is a field of PreferenceFields().
  const std::string& Text(std::string_view name) const;
  /// A number text truncated toward zero (TextToInt), a choice index or a colour.
  int Integer(std::string_view name) const;
  /// A number text as a number (TextToNumber).
  double Number(std::string_view name) const;
  bool Flag(std::string_view name) const;
  std::uint32_t Colour(std::string_view name) const;

  void Set(std::string_view name, std::string_view text);
  void SetFlag(std::string_view name, bool on) { Set(name, on ? "1" : "0"); }

  /// Reads every stored field from "Quorex.ini" with the current value as the
  /// fall-back; flags fall back to off, and the three marker-style radio
  /// buttons form one group of which exactly one ends chosen.
  void Load(const IniFile& quorex);

 private:
  size_t IndexOf(std::string_view name) const;
  std::vector<std::string> values_;
};

}  // namespace chartorium

// The table of every preference: its name, kind, default, section and key.
#pragma once

#include <span>
#include <string_view>

namespace chartorium {

enum class PreferenceKind {
  Number,  ///< a decimal number kept as its text
  Flag,    ///< "1" or "0"
  Colour,  ///< 0x00BBGGRR written in decimal
  Choice,  ///< index of the chosen item of a list
  Text,    ///< free text
  Font,    ///< font text: "Name, size[, Bold][, Italic][, Underline][, Strikeout]"
};

struct PreferenceField {
  std::string_view Name;  ///< the field's name, by which every part reads it
  PreferenceKind Kind;
  std::string_view Default;  ///< value when the key is absent
  std::string_view Section;  ///< section of "Quorex.ini"
  std::string_view Key;      ///< key; empty for a field that is never stored
};

/// Every preference field, in the order the Options dialog writes them.
std::span<const PreferenceField> PreferenceFields();

}  // namespace chartorium

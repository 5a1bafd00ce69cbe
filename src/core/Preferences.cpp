// The preferences store.
#include "core/Preferences.h"

#include <cassert>

#include "core/IniFile.h"
#include "core/PreferenceFields.h"
#include "core/TextHelpers.h"

namespace chartorium {
namespace {

constexpr std::string_view MarkerStyles[] = {"RB", "RS", "RQ"};

bool IsMarkerStyle(std::string_view name) {
  for (const auto style : MarkerStyles)
    if (style == name) return true;
  return false;
}

}  // namespace

Preferences::Preferences() {
  for (const PreferenceField& field : PreferenceFields()) values_.emplace_back(field.Default);
}

size_t Preferences::IndexOf(std::string_view name) const {
  const auto fields = PreferenceFields();
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].Name == name) return i;
  assert(false && "unknown preference field");
  return 0;
}

const std::string& Preferences::Text(std::string_view name) const {
  return values_[IndexOf(name)];
}

int Preferences::Integer(std::string_view name) const {
  return TextToInt(Text(name));
}

double Preferences::Number(std::string_view name) const {
  return TextToNumber(Text(name));
}

bool Preferences::Flag(std::string_view name) const {
  return TextToInt(Text(name)) != 0;
}

std::uint32_t Preferences::Colour(std::string_view name) const {
  return static_cast<std::uint32_t>(TextToNumber(Text(name)));
}

void Preferences::Set(std::string_view name, std::string_view text) {
  values_[IndexOf(name)] = std::string(text);
}

void Preferences::Load(const IniFile& quorex) {
  const auto fields = PreferenceFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    const PreferenceField& field = fields[i];
    if (field.Key.empty() || IsMarkerStyle(field.Name)) continue;
    std::string& value = values_[i];
    switch (field.Kind) {
      case PreferenceKind::Flag: {
        // Flags fall back to off, except the proxy flag, which keeps its state.
        const bool fallback = field.Name == "ChProx" ? TextToInt(value) != 0 : false;
        value = std::string(quorex.ReadBool(field.Section, field.Key, fallback) ? "1" : "0");
        break;
      }
      case PreferenceKind::Choice:
        value = std::to_string(quorex.ReadInteger(field.Section, field.Key, 0));
        break;
      case PreferenceKind::Colour:
        value = std::to_string(quorex.ReadInteger(field.Section, field.Key, TextToInt(value)));
        break;
      default:
        value = quorex.ReadString(field.Section, field.Key, value);
    }
  }
  // The radio buttons are applied in the order RB, RS, RQ, each one that is on
  // clearing the others; with no key at all RQ ends chosen.
  for (const auto style : MarkerStyles) {
    if (!quorex.ReadBool("General", style, true)) continue;
    for (const auto other : MarkerStyles) SetFlag(other, other == style);
  }
}

}  // namespace chartorium

// Name look-up in the macro object's method table.
#include "macro/MacroLangTable.h"

#include <cctype>

namespace chartorium {

static_assert(MacroMethods[static_cast<std::size_t>(MacroMethod::Shift)].DispId == 86);
static_assert(InfoOf(MacroMethod::GetIndic).DispId == 1);

const MacroMethodInfo* FindMacroMethod(std::string_view name) {
  for (const MacroMethodInfo& info : MacroMethods) {
    if (info.Name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) {
      same = std::tolower(static_cast<unsigned char>(info.Name[i])) ==
             std::tolower(static_cast<unsigned char>(name[i]));
    }
    if (same) return &info;
  }
  return nullptr;
}

}  // namespace chartorium

// Pattern text -> RegexProgram, for the RegExp object's Test, Execute and Replace.
#pragma once

#include <string_view>

#include "vbscript/RegExpProgram.h"

namespace chartorium::vbscript {

/// The RegExp properties that change what a pattern matches (Global only changes how often).
struct RegexFlags {
  bool IgnoreCase = false;
  bool Multiline = false;

  bool operator==(const RegexFlags&) const = default;
};

/// Compiles a pattern. A malformed pattern throws the script error ParseRegex names.
RegexProgram CompileRegex(std::u16string_view pattern, RegexFlags flags);

}  // namespace chartorium::vbscript

// The script-visible regular-expression objects: RegExp, and the Matches, Match and SubMatches
// it returns.
#pragma once

#include "vbscript/Variant.h"

namespace chartorium::vbscript {

class Vm;

/// The class number the compiler gives `New RegExp`: always the built-in object, even when a
/// script defines a class of that name.
inline constexpr int BuiltinRegExpClass = -2;

/// A new RegExp object: Pattern "", IgnoreCase, Global and Multiline False. Its matches check
/// `vm`'s time-out and cancel flag. REQUIRES: only `vm` calls the object's members.
Variant NewRegExpObject(Vm& vm);

}  // namespace chartorium::vbscript

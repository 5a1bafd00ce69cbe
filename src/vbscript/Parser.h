// The parser: tokens to the syntax tree, one function per grammar rule.
#pragma once

#include <string_view>

#include "vbscript/Ast.h"
#include "vbscript/ScriptLocale.h"

namespace chartorium::vbscript {

/// Parses a whole block of code; date literals are read in `locale`'s date order. Throws a
/// compile ScriptError on the first syntax error.
ScriptBlock ParseScript(std::string_view text, const ScriptLocale& locale = UsLocale());

/// Parses one expression, the whole text (for Eval). Throws a compile ScriptError.
ExprPtr ParseExpressionText(std::string_view text, const ScriptLocale& locale = UsLocale());

}  // namespace chartorium::vbscript

// The parser: tokens to the syntax tree, one function per grammar rule.
#pragma once

#include <string_view>

#include "vbscript/Ast.h"

namespace chartorium::vbscript {

/// Parses a whole block of code. Throws a compile ScriptError on the first syntax error.
ScriptBlock ParseScript(std::string_view text);

/// Parses one expression, the whole text (for Eval). Throws a compile ScriptError.
ExprPtr ParseExpressionText(std::string_view text);

}  // namespace chartorium::vbscript

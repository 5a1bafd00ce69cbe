// The lexer: VBScript text to tokens with line and column.
#pragma once

#include <string_view>
#include <vector>

#include "vbscript/ScriptLocale.h"
#include "vbscript/Token.h"

namespace chartorium::vbscript {

/// Splits `text` into tokens, ending with EndOfText. Line continuations are joined, comments
/// dropped; date literals are read as `locale` writes dates. Throws a compile ScriptError
/// (1030..1033) on a bad token.
std::vector<Token> Tokenize(std::string_view text, const ScriptLocale& locale = UsLocale());

}  // namespace chartorium::vbscript

// Windows-1252 on disk, UTF-8 inside: the conversions at the file boundary.
#pragma once

#include <string>
#include <string_view>

namespace chartorium {

/// Each byte becomes its Windows-1252 character in UTF-8. The five bytes the
/// code page leaves undefined map to U+0081 etc., so every byte round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);
/// The reverse; a character the code page cannot hold becomes '?', and bytes
/// that are not valid UTF-8 are kept as they are.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace chartorium

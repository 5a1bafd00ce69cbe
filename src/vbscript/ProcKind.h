// The kinds of procedure, as the parser reads them and the compiled code keeps them.
#pragma once

#include <cstdint>

namespace chartorium::vbscript {

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

}  // namespace chartorium::vbscript

// The program's colours are 0x00BBGGRR values (red in the low byte); these
// turn them into Qt colours and back for the renderers and the windows.
#pragma once

#include <cstdint>

#include <QColor>

namespace chartorium {

inline QColor ToQColor(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t FromQColor(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

}  // namespace chartorium

// The pictures of the chart window's buttons, drawn at start-up.
#pragma once

#include <string_view>

#include <QIcon>

namespace chartorium {

/// The picture of button `name` ("Line", "Candles", "ZoomIn", ...); an empty
/// icon for an unknown name.
QIcon GraphIcon(std::string_view name);

}  // namespace chartorium

// What the tester's report pages share: their colours, font and line helpers.
// Internal to the report pages.
#pragma once

#include <string>
#include <string_view>

namespace chartorium::report {

constexpr std::string_view Face = "Tahoma";
constexpr std::string_view TitleColor = "#140a50";
constexpr std::string_view White = "#ffffff";
constexpr std::string_view NeutralColor = "#faf9fb";
constexpr std::string_view WinColor = "#c7f4c6";
constexpr std::string_view LossColor = "#f4d1c6";
constexpr std::string_view PageTitle = "System Tester Report";

/// Appends one line of the page, ended by CR LF as the text list writes it.
inline void Line(std::string& page, std::string_view text) {
  page += text;
  page += "\r\n";
}

/// The dark title bar above a table: "Report of " + name in white.
void TitleBar(std::string& page, std::string_view name);

}  // namespace chartorium::report

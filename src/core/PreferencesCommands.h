// The Options dialog's commands on the preferences store: loading at
// start-up, "&Ok", "&Cancel", the edits that act at once, and font texts.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/Status.h"

namespace chartorium {

class Workspace;

/// A font as the preferences and language files describe it.
struct FontSpec {
  std::string Name = "Arial";
  int Size = 8;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikeout = false;

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

/// "Name, size" followed by ", Bold", ", Italic", ", Underline", ", Strikeout"
/// for each style that is set, in that order.
std::string FontText(const FontSpec& font);
/// Reads a font text: no comma gives Arial 8; else the name is the text up to
/// the first comma, the size the integer after the comma and one character up
/// to the next comma (8 when it is not one), and each style word found
/// anywhere in the rest sets its style.
FontSpec FontFromText(std::string_view text);

/// "Quorex.ini" below the data folder.
std::filesystem::path QuorexFile(const Workspace& workspace);

/// Loads every stored preference from "Quorex.ini" (a missing or unreadable
/// file leaves the defaults) and publishes the derived values: the visible
/// bar count and, once at start-up, the first visible bar 2002 - bars.
void LoadPreferencesAtStart(Workspace& workspace);

/// "&Ok": corrects "Plot on" and "Bar width" to 1 when they read as 0,
/// drops the cached series whose period or type differs from the file, writes
/// every preference and sets the visible bar count.
Status ConfirmPreferences(Workspace& workspace);

/// "&Cancel": reloads every preference from the file as it is now.
void CancelPreferences(Workspace& workspace);

/// The chart's command for the number of bars: puts it into "Plot on" and
/// confirms every preference.
Status SetBarsToPlot(Workspace& workspace, std::string_view bars);

/// "Plot on", "Add" or "Bar width" was edited: a non-empty "Plot on" sets
/// the visible bar count at once (1 when it reads as 0).
void BarsFieldEdited(Workspace& workspace);
/// The Aroon period was edited: its three cached series go at once.
void AroonPeriodEdited(Workspace& workspace);

}  // namespace chartorium

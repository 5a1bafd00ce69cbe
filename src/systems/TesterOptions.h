// The system tester's options, as typed in its window and kept in
// "Quorex.ini" section "FBS".
#pragma once

#include <string>

namespace chartorium {

class IniFile;

/// When an order fills: at the signal bar's close, at the next bar's open or
/// at the next bar's close ("OC", "OO", "RON").
enum class FillRule { DayClose, NextOpen, NextClose };

/// Texts are kept as typed; numbers are read with TextToInt / TextToNumber
/// when a test starts, so a text that is no number counts as 0.
struct TesterOptions {
  std::string InitialAmount = "100000";  ///< "Am" (an empty stored text gives "100000")
  bool LastQuotes = true;                ///< test the last QuoteCount bars; false: the dates
  std::string QuoteCount = "500";        ///< "Nb"
  std::string FromDate, ToDate;          ///< "DFr", "DTo"
  FillRule Fill = FillRule::DayClose;    ///< "OC", "OO", "RON"
  bool FixedCommission = true;           ///< "RBF" (false: the percentage, "RBP")
  std::string Fixed = "0";               ///< "Fix"
  std::string Percentage = "0";          ///< "Per"
  std::string Maximum = "20";            ///< "Max": cap of the percentage commission
  bool KeepStock = false;                ///< "RKm": close a position after KeepDays bars
  std::string KeepDays = "10";           ///< "EMP"
  bool BuyMaximum = false;               ///< limit the size of a long entry (not stored)
  bool MaximumIsShares = true;  ///< at most MaximumShares; false: MaximumPercent of the cash
  std::string MaximumShares = "1000";
  std::string MaximumPercent;
};

/// The section holding the options in "Quorex.ini".
inline constexpr const char* TesterOptionsSection = "FBS";

/// Missing keys give the defaults above.
TesterOptions LoadTesterOptions(const IniFile& ini);
/// Writes the stored options; booleans as INI booleans. Other keys of the
/// section (window places, report options) are kept.
void SaveTesterOptions(const TesterOptions& options, IniFile& ini);

}  // namespace chartorium

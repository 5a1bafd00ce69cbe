// The macro object's interface: its 86 methods in the type library's order,
// with dispatch identifiers and parameter names. The same table drives the
// script engine's member table and the editor's keyword help.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "vbscript/NativeObject.h"

namespace chartorium {

/// How a method turns its whole-number arguments (places, periods, columns,
/// colours) into integers.
enum class WholeNumbers : std::uint8_t { Truncate, RoundHalfEven };

/// The source file that implements a method.
enum class MacroFamily : std::uint8_t { Prices, Signals, Arrays, Indicators, Reports };

struct MacroMethodInfo {
  std::string_view Name;
  int DispId = 0;
  /// The type library's parameter names; the [out, retval] "Value" included.
  std::array<std::string_view, 4> ParamNames{};
  int ParamCount = 0;
  /// The last parameter is the [out, retval] result.
  bool HasResult = false;
  WholeNumbers Rounding = WholeNumbers::Truncate;
  MacroFamily Family = MacroFamily::Prices;

  /// Arguments a script passes.
  constexpr int ScriptArgs() const { return ParamCount - (HasResult ? 1 : 0); }
};

/// Interface order: MacroMethod::X is the index of X in MacroMethods.
enum class MacroMethod : std::uint8_t {
  GetValue,
  HHV,
  LLV,
  Close,
  Open,
  High,
  Low,
  CandlePattern,
  Volume,
  AddText,
  Buy,
  Sell,
  Neutral,
  LastSignal,
  Cross,
  PrintOut,
  Level,
  TakeThisStock,
  Variation,
  Header,
  PutInGrid,
  DateToStr,
  GetSignal,
  SetValue,
  GetIndic,
  SetIndic,
  SMA,
  Add,
  Substract,
  Multiply,
  Divide,
  Sum,
  RSI,
  Parabolic,
  Trix,
  SineWMA,
  NVI,
  PVI,
  ATR,
  StochD,
  StochK,
  CCI,
  VHF,
  WilliamsR,
  TVI,
  AroonU,
  AroonD,
  SetBarColor,
  EMA,
  StdDev,
  Slope,
  SetTradingAccount,
  SetCommission,
  SetMarginAccount,
  Short,
  Cover,
  LinReg,
  GetClose,
  GetLow,
  GetHigh,
  GetOpen,
  GetVolume,
  CMO,
  VarSinceLastBuy,
  VarSinceLastAction,
  ApplyAutoStops,
  Mov,
  SetStopLoss,
  SetTrailingStop,
  BuyAtLimit,
  SellAtLimit,
  ProfitTarget,
  EMV,
  DPO,
  WMA,
  COG,
  OI,
  GetOI,
  PercentChange,
  ResetTTS,
  Corr,
  RGB,
  SetHistogram,
  SetIndicColor,
  CurrentStock,
  Shift
};

inline constexpr std::array<MacroMethodInfo, 86> MacroMethods = [] {
  using enum WholeNumbers;
  using enum MacroFamily;
  return std::array<MacroMethodInfo, 86>{{
      {"GetValue", 2, {"Name", "Place", "Value"}, 3, true, Truncate, Prices},
      {"HHV", 3, {"Name", "Deb", "Fin", "Value"}, 4, true, Truncate, Prices},
      {"LLV", 4, {"Name", "Deb", "Fin", "Value"}, 4, true, Truncate, Prices},
      {"Close", 5, {"Place", "Value"}, 2, true, RoundHalfEven, Prices},
      {"Open", 6, {"Place", "Value"}, 2, true, RoundHalfEven, Prices},
      {"High", 7, {"Place", "Value"}, 2, true, RoundHalfEven, Prices},
      {"Low", 8, {"Place", "Value"}, 2, true, RoundHalfEven, Prices},
      {"CandlePattern", 9, {"Name", "Place", "Value"}, 3, true, Truncate, Prices},
      {"Volume", 11, {"Place", "Value"}, 2, true, RoundHalfEven, Prices},
      {"AddText", 12, {"Nom"}, 1, false, Truncate, Signals},
      {"Buy", 13, {"Place"}, 1, false, Truncate, Signals},
      {"Sell", 14, {"Place"}, 1, false, Truncate, Signals},
      {"Neutral", 15, {"Place"}, 1, false, Truncate, Signals},
      {"LastSignal", 16, {"Value"}, 1, true, Truncate, Signals},
      {"Cross", 18, {"Nom1", "Nom2", "Place", "Value"}, 4, true, Truncate, Signals},
      {"PrintOut", 19, {"Nom"}, 1, false, Truncate, Reports},
      {"Level", 20, {"Nom"}, 1, false, Truncate, Arrays},
      {"TakeThisStock", 23, {}, 0, false, Truncate, Reports},
      {"Variation", 24, {"X1", "X2", "Value"}, 3, true, Truncate, Prices},
      {"Header", 26, {"Numero", "Texte"}, 2, false, RoundHalfEven, Reports},
      {"PutInGrid", 27, {"Place", "Texte"}, 2, false, Truncate, Reports},
      {"DateToStr", 28, {"Place", "Value"}, 2, true, Truncate, Prices},
      {"GetSignal", 29, {"Nom", "Place", "Value"}, 3, true, Truncate, Signals},
      {"SetValue", 34, {"Place", "Valeur"}, 2, false, RoundHalfEven, Arrays},
      {"GetIndic", 1, {"Name", "Value"}, 2, true, Truncate, Prices},
      {"SetIndic", 10, {"Indic"}, 1, false, Truncate, Arrays},
      {"SMA", 25, {"Indic", "Per", "Value"}, 3, true, Truncate, Arrays},
      {"Add", 32, {"X1", "X2", "Value"}, 3, true, Truncate, Arrays},
      {"Substract", 33, {"X1", "X2", "Value"}, 3, true, Truncate, Arrays},
      {"Multiply", 35, {"X1", "X2", "Value"}, 3, true, Truncate, Arrays},
      {"Divide", 36, {"X1", "X2", "Value"}, 3, true, Truncate, Arrays},
      {"Sum", 37, {"Value"}, 1, true, Truncate, Arrays},
      {"RSI", 31, {"Param", "Value"}, 2, true, Truncate, Indicators},
      {"Parabolic", 38, {"Per1", "Per2", "Per3", "Value"}, 4, true, Truncate, Indicators},
      {"Trix", 39, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"SineWMA", 40, {"Value"}, 1, true, Truncate, Indicators},
      {"NVI", 41, {"Value"}, 1, true, Truncate, Indicators},
      {"PVI", 42, {"Value"}, 1, true, Truncate, Indicators},
      {"ATR", 43, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"StochD", 21, {"Per", "Smo", "Value"}, 3, true, RoundHalfEven, Indicators},
      {"StochK", 22, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"CCI", 44, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"VHF", 45, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"WilliamsR", 46, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"TVI", 47, {"Value"}, 1, true, Truncate, Indicators},
      {"AroonU", 48, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"AroonD", 49, {"Per", "Value"}, 2, true, RoundHalfEven, Indicators},
      {"SetBarColor", 51, {"Place", "Couleur"}, 2, false, Truncate, Signals},
      {"EMA", 30, {"Indic", "Per", "Value"}, 3, true, Truncate, Arrays},
      {"StdDev", 50, {"Indic", "Per", "Value"}, 3, true, Truncate, Arrays},
      {"Slope", 52, {"Indic", "Per", "Value"}, 3, true, Truncate, Arrays},
      {"SetTradingAccount", 56, {"Am"}, 1, false, Truncate, Signals},
      {"SetCommission", 57, {"Am"}, 1, false, Truncate, Signals},
      {"SetMarginAccount", 58, {"Am"}, 1, false, Truncate, Signals},
      {"Short", 59, {"Place"}, 1, false, Truncate, Signals},
      {"Cover", 60, {"Place"}, 1, false, Truncate, Signals},
      {"LinReg", 53, {"Indic", "Per", "Value"}, 3, true, Truncate, Arrays},
      {"GetClose", 54, {"Value"}, 1, true, Truncate, Prices},
      {"GetLow", 55, {"Value"}, 1, true, Truncate, Prices},
      {"GetHigh", 61, {"Value"}, 1, true, Truncate, Prices},
      {"GetOpen", 62, {"Value"}, 1, true, Truncate, Prices},
      {"GetVolume", 63, {"Value"}, 1, true, Truncate, Prices},
      {"CMO", 64, {"Per", "Value"}, 2, true, Truncate, Indicators},
      {"VarSinceLastBuy", 17, {"Value"}, 1, true, Truncate, Signals},
      {"VarSinceLastAction", 66, {"Value"}, 1, true, Truncate, Signals},
      {"ApplyAutoStops", 69, {}, 0, false, Truncate, Signals},
      {"Mov", 65, {"Nom", "Place", "MM", "Value"}, 4, true, RoundHalfEven, Prices},
      {"SetStopLoss", 68, {"Value"}, 1, false, Truncate, Signals},
      {"SetTrailingStop", 70, {"Value"}, 1, false, Truncate, Signals},
      {"BuyAtLimit", 73, {"Place", "Valeur"}, 2, false, Truncate, Signals},
      {"SellAtLimit", 74, {"Place", "Valeur"}, 2, false, Truncate, Signals},
      {"ProfitTarget", 67, {"Valeur"}, 1, false, Truncate, Signals},
      {"EMV", 71, {"Value"}, 1, true, Truncate, Indicators},
      {"DPO", 72, {"Per", "Value"}, 2, true, Truncate, Indicators},
      {"WMA", 75, {"Indic", "Per", "Value"}, 3, true, Truncate, Arrays},
      {"COG", 76, {"Per", "Value"}, 2, true, Truncate, Indicators},
      {"OI", 77, {"Place", "Value"}, 2, true, RoundHalfEven, Prices},
      {"GetOI", 78, {"Value"}, 1, true, Truncate, Prices},
      {"PercentChange", 79, {"X1", "X2", "Value"}, 3, true, Truncate, Prices},
      {"ResetTTS", 80, {}, 0, false, Truncate, Reports},
      {"Corr", 81, {"Indic", "Indic2", "Per", "Value"}, 4, true, Truncate, Arrays},
      {"RGB", 82, {"R", "G", "B", "Value"}, 4, true, Truncate, Prices},
      {"SetHistogram", 83, {}, 0, false, Truncate, Arrays},
      {"SetIndicColor", 84, {"Couleur"}, 1, false, RoundHalfEven, Arrays},
      {"CurrentStock", 85, {"Value"}, 1, true, Truncate, Prices},
      {"Shift", 86, {"Arr", "Per", "Value"}, 3, true, Truncate, Arrays},
  }};
}();

static_assert(static_cast<std::size_t>(MacroMethod::Shift) + 1 == MacroMethods.size(),
              "one enumerator per method, in table order");

constexpr const MacroMethodInfo& InfoOf(MacroMethod method) {
  return MacroMethods[static_cast<std::size_t>(method)];
}

/// The member table the script engine binds names against, in the same order.
inline constexpr std::array<vbscript::NativeMember, MacroMethods.size()> MacroMembers = [] {
  std::array<vbscript::NativeMember, MacroMethods.size()> members{};
  for (std::size_t i = 0; i < MacroMethods.size(); ++i) {
    const MacroMethodInfo& info = MacroMethods[i];
    members[i] = vbscript::NativeMember{
        info.Name, vbscript::MemberKind::Method, info.ScriptArgs(), -1, info.HasResult, 0, false};
  }
  return members;
}();

/// The method of that name (ignoring case), or nullptr.
const MacroMethodInfo* FindMacroMethod(std::string_view name);

}  // namespace chartorium

// The macro object's method table: order, dispatch identifiers, parameters
// and the rounding rule, checked against the type library's interface.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "macro/MacroLangTable.h"

namespace chartorium {
namespace {

TEST(MacroLangTable, HoldsTheInterfaceInOrderWithUniqueIdentifiers) {
  std::set<int> dispIds;
  std::set<std::string> names;
  for (const MacroMethodInfo& info : MacroMethods) {
    dispIds.insert(info.DispId);
    names.insert(std::string(info.Name));
  }
  EXPECT_EQ(dispIds.size(), MacroMethods.size());
  EXPECT_EQ(names.size(), MacroMethods.size());
  // Dispatch identifiers 1..86 all occur, though not in interface order.
  EXPECT_EQ(*dispIds.begin(), 1);
  EXPECT_EQ(*dispIds.rbegin(), 86);

  struct Row {
    int Index;
    std::string_view Name;
    int DispId;
    int ScriptArgs;
    bool HasResult;
  };
  const Row rows[] = {
      {0, "GetValue", 2, 2, true},
      {3, "Close", 5, 1, true},
      {9, "AddText", 12, 1, false},
      {13, "LastSignal", 16, 0, true},
      {17, "TakeThisStock", 23, 0, false},
      {24, "GetIndic", 1, 1, true},
      {31, "Sum", 37, 0, true},
      {33, "Parabolic", 38, 3, true},
      {63, "VarSinceLastBuy", 17, 0, true},
      {65, "ApplyAutoStops", 69, 0, false},
      {66, "Mov", 65, 3, true},
      {67, "SetStopLoss", 68, 1, false},
      {68, "SetTrailingStop", 70, 1, false},
      {80, "Corr", 81, 3, true},
      {85, "Shift", 86, 2, true},
  };
  for (const Row& row : rows) {
    const MacroMethodInfo& info = MacroMethods[static_cast<std::size_t>(row.Index)];
    EXPECT_EQ(info.Name, row.Name);
    EXPECT_EQ(info.DispId, row.DispId) << row.Name;
    EXPECT_EQ(info.ScriptArgs(), row.ScriptArgs) << row.Name;
    EXPECT_EQ(info.HasResult, row.HasResult) << row.Name;
    EXPECT_EQ(MacroMembers[static_cast<std::size_t>(row.Index)].Name, row.Name);
    EXPECT_EQ(MacroMembers[static_cast<std::size_t>(row.Index)].ParamCount, row.ScriptArgs);
  }
  EXPECT_EQ(InfoOf(MacroMethod::Corr).ParamNames[1], "Indic2");
  EXPECT_EQ(InfoOf(MacroMethod::SetValue).ParamNames[1], "Valeur");
}

TEST(MacroLangTable, RoundsHalfToEvenOnlyInTheListedMethods) {
  const std::set<std::string> rounding = {
      "Close",    "Open",   "High",          "Low", "Volume",   "OI",     "Header",
      "SetValue", "Mov",    "SetIndicColor", "ATR", "Trix",     "StochD", "StochK",
      "AroonD",   "AroonU", "CCI",           "VHF", "WilliamsR"};
  for (const MacroMethodInfo& info : MacroMethods) {
    EXPECT_EQ(info.Rounding == WholeNumbers::RoundHalfEven,
              rounding.count(std::string(info.Name)) == 1)
        << info.Name;
  }
}

TEST(MacroLangTable, FindsMethodsIgnoringCase) {
  ASSERT_NE(FindMacroMethod("buyatlimit"), nullptr);
  EXPECT_EQ(FindMacroMethod("buyatlimit")->DispId, 73);
  EXPECT_EQ(FindMacroMethod("Nothing"), nullptr);
}

}  // namespace
}  // namespace chartorium

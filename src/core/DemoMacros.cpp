// The demo's macro texts. They are plain C++ constants so that the demo can
// be written from any install folder.
#include "core/DemoMacros.h"

#include <string>

#include "core/SafeFile.h"

namespace chartorium {
namespace {

constexpr std::string_view MaSpread = R"(' MA Spread
' The gap between a fast and a slow exponential average of the close,
' drawn as a histogram around zero.
Sub Main()
  Dim c, fast, slow, i
  c = GetClose()
  fast = EMA(c, 12)
  slow = EMA(c, 26)
  For i = 26 To Last
    SetValue i, fast(i) - slow(i)
  Next
  Level 0
  SetIndicColor RGB(0, 128, 0)
  SetHistogram
End Sub
)";

constexpr std::string_view RangePosition = R"(' Range Position
' Where the close stands within the range of the last 14 bars:
' 0 at the lowest low, 100 at the highest high.
Sub Main()
  Dim i, hh, ll, c
  For i = 14 To Last
    hh = HHV("high", i - 13, i)
    ll = LLV("low", i - 13, i)
    c = Close(i)
    If hh > ll Then
      SetValue i, (c - ll) / (hh - ll) * 100
    Else
      SetValue i, 50
    End If
  Next
  Level 20
  Level 80
  SetIndicColor RGB(0, 0, 255)
End Sub
)";

constexpr std::string_view SmoothedRsi = R"(' Smoothed RSI
' The 14-bar RSI smoothed by a 5-bar weighted average.
Sub Main()
  Dim r
  r = RSI(14)
  SetIndic WMA(r, 5)
  Level 30
  Level 70
  SetIndicColor RGB(200, 0, 0)
End Sub
)";

constexpr std::string_view MaCrossover = R"(' MA Crossover
' Buys when the 10-bar average of the close crosses above the 30-bar one and
' sells on the cross back. An 8 % stop loss and a 15 % trailing stop guard
' every trade.
Sub Main()
  Dim c, fast, slow
  c = GetClose()
  fast = SMA(c, 10)
  slow = SMA(c, 30)
  SetTradingAccount 10000
  SetStopLoss 8
  SetTrailingStop 15
  For CurrentBar = BeginBar To EndBar
    ApplyAutoStops
    If CurrentBar > 30 Then
      If Cross(fast, slow, CurrentBar) Then
        Buy CurrentBar
        ' A stop that fired on this bar blocks the buy.
        If Signal = 1 Then
          AddText "Buy"
          SetBarColor CurrentBar, clDarkGreen
        End If
      ElseIf Cross(slow, fast, CurrentBar) And Signal = 1 Then
        Sell CurrentBar
        SetBarColor CurrentBar, clDarkRed
      End If
    End If
  Next
End Sub
)";

constexpr std::string_view RsiReversion = R"(' RSI Reversion
' Mean reversion on the 14-bar RSI: buys below 30 and sells above 50,
' shorts above 70 on the margin account and covers below 50.
' A 10 % profit target closes either side early.
Sub Main()
  Dim r, v
  r = RSI(14)
  SetTradingAccount 10000
  SetMarginAccount 10000
  ProfitTarget 10
  For CurrentBar = BeginBar To EndBar
    ApplyAutoStops
    v = r(CurrentBar)
    If v > 0 Then
      If Signal = 1 Then
        If v > 50 Then Sell CurrentBar
      ElseIf Signal = 2 Then
        If v < 50 Then Cover CurrentBar
      ElseIf v < 30 Then
        Buy CurrentBar
        AddText "RSI " & Int(v)
      ElseIf v > 70 Then
        Short CurrentBar
        AddText "RSI " & Int(v)
      End If
    End If
  Next
End Sub
)";

constexpr DemoMacroFile Files[] = {
    {"Indicators/MA Spread", MaSpread},
    {"Indicators/Range Position", RangePosition},
    {"Indicators/Smoothed RSI", SmoothedRsi},
    {"Indicators.dat", "MA Spread\nRange Position\nSmoothed RSI\n"},
    {"Signals/MA Crossover", MaCrossover},
    {"Signals/RSI Reversion", RsiReversion},
    {"Signals.dat", "MA Crossover\nRSI Reversion\n"},
};

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 20);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

std::span<const DemoMacroFile> DemoMacroFiles() {
  return Files;
}

Status WriteDemoMacros(const std::filesystem::path& home) {
  std::error_code error;
  std::filesystem::create_directories(home / "Indicators", error);
  std::filesystem::create_directories(home / "Signals", error);
  if (error) return Status::IoError("cannot create '" + home.string() + "': " + error.message());
  for (const DemoMacroFile& file : Files) {
    if (Status s =
            WriteFileAtomically(home / std::filesystem::path(file.Path), WithCrLf(file.Text));
        !s.ok())
      return s;
  }
  return Status::Ok();
}

}  // namespace chartorium

// The macro object's trading-system methods: signals, limit orders,
// automatic stops, accounts, bar marks, crossings and GetSignal.
#include <algorithm>
#include <cmath>

#include "core/Cp1252.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "indicators/SeriesByName.h"
#include "macro/MacroCall.h"
#include "macro/MacroState.h"
#include "vbscript/Conversion.h"
#include "vbscript/ScriptError.h"

namespace chartorium {

using vbscript::Variant;

namespace {

constexpr int SubscriptOutOfRange = 9;

enum class Order { Buy, Sell, Short, Cover, Neutral };

// The place a signal call names: 0 and places past the arrays mean the
// script's CurrentBar. Places that still name no bar (negative ones, or a
// CurrentBar outside 1..2001) give 0 and the call is ignored.
int SignalPlace(Workspace& ws, int place) {
  if (place == 0 || place > MaxQuotes) place = TesterInt(ws, TesterGlobal::CurrentBar);
  return place >= 1 && place <= MaxQuotes ? place : 0;
}

Single EntryPriceOf(Workspace& ws, Order order, int p) {
  const QuoteStore& store = ws.Quotes();
  const QuoteTable& bars = store.BarSeries;
  switch (order) {
    case Order::Buy:
      if (ws.Macros.Fill.OnDayClose || p >= store.BarCount) return bars[p].Close;
      return ws.Macros.Fill.OnNextOpen ? bars[p + 1].Open : bars[p + 1].Close;
    case Order::Short:
      return bars[p].Close;
    default:
      return 0;
  }
}

void Record(Workspace& ws, Order order, int placeArg) {
  SystemRunState& run = ws.Macros.Run;
  if (run.StopsFired) return;
  const int p = SignalPlace(ws, placeArg);
  if (p == 0) return;
  std::int8_t& code = run.SignalArray[p];
  switch (order) {
    case Order::Buy:
      code = code == SignalCover ? SignalCoverAndBuy : SignalBuy;
      break;
    case Order::Short:
      code = code == SignalSell ? SignalSellAndShort : SignalShort;
      break;
    case Order::Sell:
      code = SignalSell;
      break;
    case Order::Cover:
      code = SignalCover;
      break;
    case Order::Neutral:
      code = SignalNeutral;
      return;
  }
  run.LastAction = TesterInt(ws, TesterGlobal::Signal);
  static constexpr SignalCode signals[] = {SignalBuy, SignalSell, SignalShort, SignalCover};
  SetTesterSignal(ws, signals[static_cast<int>(order)]);
  const Single price = EntryPriceOf(ws, order, p);
  run.EntryPrice = price;
  run.HighSinceEntry = price;
  run.LowSinceEntry = price;
}

void ApplyAutoStops(Workspace& ws) {
  SystemRunState& run = ws.Macros.Run;
  run.StopsFired = false;
  // Without a position there is nothing to guard; reading CurrentBar can wait.
  if (run.EntryPrice == 0) return;
  const int p = TesterInt(ws, TesterGlobal::CurrentBar);
  if (p <= 0 || p > MaxQuotes) return;
  const int s = TesterInt(ws, TesterGlobal::Signal);
  const Extended c = ws.Quotes().BarSeries[p].Close;
  const Extended e = run.EntryPrice;
  auto fire = [&](bool holds, Order order) {
    if (!holds) return;
    Record(ws, order, p);
    run.StopsFired = true;
  };
  if (s == SignalBuy) {
    run.HighSinceEntry = std::max(run.HighSinceEntry, static_cast<Single>(c));
    const Extended h = run.HighSinceEntry;
    fire(run.StopLossPercent > 0 && run.StopLossPercent <= -(c - e) / e * 100, Order::Sell);
    fire(run.TrailingStopPercent > 0 && run.TrailingStopPercent <= -(c - h) / h * 100, Order::Sell);
    fire(run.ProfitTargetPercent > 0 && run.ProfitTargetPercent <= (c - e) / e * 100, Order::Sell);
  } else if (s == SignalShort) {
    run.LowSinceEntry = std::min(run.LowSinceEntry, static_cast<Single>(c));
    const Extended l = run.LowSinceEntry;
    fire(run.StopLossPercent > 0 && run.StopLossPercent <= -(e - c) / e * 100, Order::Cover);
    fire(run.TrailingStopPercent > 0 && run.TrailingStopPercent <= -(l - c) / l * 100,
         Order::Cover);
    fire(run.ProfitTargetPercent > 0 && run.ProfitTargetPercent <= (e - c) / e * 100, Order::Cover);
  }
}

// The bar a per-cent change is measured at; 0 when it names none.
int CurrentPlace(Workspace& ws, bool orCurrentDay) {
  int p = TesterInt(ws, TesterGlobal::CurrentBar);
  if (p == 0 && orCurrentDay) p = TesterInt(ws, "CurrentDay");
  return p >= 1 && p <= MaxQuotes ? p : 0;
}

void VarSinceLastBuy(MacroCall& call) {
  const Extended e = call.Ws.Macros.Run.EntryPrice;
  if (e == 0) {
    call.Result = Variant::Double(0);
    return;
  }
  const int p = CurrentPlace(call.Ws, true);
  if (p == 0) return;
  const Extended c = call.Ws.Quotes().BarSeries[p].Close;
  call.Result = Variant::Double(static_cast<double>((c - e) / e * 100));
}

void VarSinceLastAction(MacroCall& call) {
  const Extended e = call.Ws.Macros.Run.EntryPrice;
  if (e == 0) {
    call.Result = Variant::Double(0);
    return;
  }
  const int p = CurrentPlace(call.Ws, false);
  if (p == 0) return;
  const int s = TesterInt(call.Ws, TesterGlobal::Signal);
  const Extended c = call.Ws.Quotes().BarSeries[p].Close;
  if (s == SignalBuy) call.Result = Variant::Double(static_cast<double>((c - e) / e * 100));
  if (s == SignalShort) call.Result = Variant::Double(static_cast<double>((e - c) / e * 100));
}

// Values of one side of a crossing at p - 1 and p.
struct CrossSide {
  double Before = 0;
  double At = 0;
};

CrossSide ArraySide(const ArrayArg& array, int p) {
  return {array.At(p - 1), array.At(p)};
}

CrossSide SeriesSide(MacroCall& call, const std::string& name, int p) {
  return {SeriesValue(call.Ws, name, p - 1, call.Runs), SeriesValue(call.Ws, name, p, call.Runs)};
}

void Cross(MacroCall& call) {
  call.Result = Variant::Boolean(false);
  const int p = call.Whole(2);
  if (p < 2) return;
  const Variant& first = call.Arg(0);
  const Variant& second = call.Arg(1);
  const bool firstArray = IsArrayArg(first);
  const bool secondArray = IsArrayArg(second);
  CrossSide a;
  CrossSide b;
  if (first.IsString() && second.IsString()) {
    a = SeriesSide(call, first.AsString(), p);
    b = SeriesSide(call, second.AsString(), p);
  } else if (firstArray && secondArray) {
    const ArrayArg x(first);
    const ArrayArg y(second);
    if (p > x.Hi() || p > y.Hi()) return;
    a = ArraySide(x, p);
    b = ArraySide(y, p);
  } else if (firstArray) {
    a = ArraySide(ArrayArg(first), p);
    b = SeriesSide(call, vbscript::ToString(second), p);
  } else if (secondArray) {
    a = SeriesSide(call, vbscript::ToString(first), p);
    b = ArraySide(ArrayArg(second), p);
  } else {
    return;
  }
  call.Result = Variant::Boolean(a.Before < b.Before && a.At >= b.At);
}

void GetSignal(MacroCall& call) {
  call.Result = Variant::String("");
  Workspace& ws = call.Ws;
  const std::string name = call.Text(0);
  const int p = call.Whole(1);
  const std::filesystem::path folder = ws.AppFolder() / "Signals";
  const std::filesystem::path file = ResolveFileName(folder, name);
  std::error_code error;
  if (name.empty() || !std::filesystem::is_regular_file(file, error)) return;
  // Place 0 names no bar of the signal array: nothing is run.
  if (p == 0) {
    call.Result.Clear();
    return;
  }
  if (p < 0 || p > ws.Quotes().BarCount) return;
  const Result<std::string> text = ReadWholeFile(file);
  if (!text) return;
  const RunningName running(ws.Macros.RunningSystems, name);
  if (!running.Active()) return;
  // The system's own error ends only its run; it travels with the caller's.
  call.Runs.AddNested(ws.Macros.RunSystem(ws, Cp1252ToUtf8(*text), p, p));
  call.Result = Variant::String(SignalName(ws.Macros.Run.SignalArray[p]));
}

std::int32_t BarIndex(int place) {
  if (place < 1 || place > MaxQuotes) vbscript::ThrowRuntime(SubscriptOutOfRange);
  return place;
}

}  // namespace

void InvokeSignals(MacroCall& call) {
  Workspace& ws = call.Ws;
  SystemRunState& run = ws.Macros.Run;
  switch (call.Method) {
    case MacroMethod::AddText:
      run.BarTextArray[BarIndex(TesterInt(ws, TesterGlobal::CurrentBar))] = call.Text(0);
      return;
    case MacroMethod::Buy:
      Record(ws, Order::Buy, call.Whole(0));
      return;
    case MacroMethod::Sell:
      Record(ws, Order::Sell, call.Whole(0));
      return;
    case MacroMethod::Short:
      Record(ws, Order::Short, call.Whole(0));
      return;
    case MacroMethod::Cover:
      Record(ws, Order::Cover, call.Whole(0));
      return;
    case MacroMethod::Neutral:
      Record(ws, Order::Neutral, call.Whole(0));
      return;
    case MacroMethod::BuyAtLimit:
    case MacroMethod::SellAtLimit: {
      const int p = call.Whole(0);
      if (p < 1 || p > MaxQuotes) return;
      const double limit = call.Number(1);
      const Single close = ws.Quotes().BarSeries[p].Close;
      if (call.Method == MacroMethod::BuyAtLimit && limit >= close) Record(ws, Order::Buy, p);
      if (call.Method == MacroMethod::SellAtLimit && limit <= close) Record(ws, Order::Sell, p);
      return;
    }
    case MacroMethod::LastSignal:
      call.Result = Variant::Long(run.LastAction);
      return;
    case MacroMethod::Cross:
      Cross(call);
      return;
    case MacroMethod::ApplyAutoStops:
      ApplyAutoStops(ws);
      return;
    case MacroMethod::VarSinceLastBuy:
      VarSinceLastBuy(call);
      return;
    case MacroMethod::VarSinceLastAction:
      VarSinceLastAction(call);
      return;
    case MacroMethod::SetStopLoss:
      run.StopLossPercent = static_cast<Single>(std::fabs(call.Number(0)));
      return;
    case MacroMethod::SetTrailingStop:
      run.TrailingStopPercent = static_cast<Single>(std::fabs(call.Number(0)));
      return;
    case MacroMethod::ProfitTarget:
      run.ProfitTargetPercent = static_cast<Single>(std::fabs(call.Number(0)));
      return;
    case MacroMethod::SetTradingAccount:
      run.TradingAccount = static_cast<Single>(call.Number(0));
      return;
    case MacroMethod::SetCommission:
      run.CommissionIsFixed = true;
      run.FixedCommission = static_cast<Single>(call.Number(0));
      return;
    case MacroMethod::SetMarginAccount:
      run.MarginAccount = static_cast<Single>(call.Number(0));
      run.ShortAndHoldAmount = run.MarginAccount;
      return;
    case MacroMethod::SetBarColor: {
      const int p = BarIndex(call.Whole(0));
      run.BarColorArray[p] = static_cast<std::int32_t>(call.Whole(1));
      return;
    }
    case MacroMethod::GetSignal:
      GetSignal(call);
      return;
    default:
      return;
  }
}

std::string_view SignalName(int code) {
  switch (code) {
    case SignalNeutral:
      return "Neutral";
    case SignalBuy:
      return "Buy";
    case SignalSell:
      return "Sell";
    case SignalShort:
      return "Short";
    case SignalCover:
      return "Cover";
    case SignalCoverAndBuy:
      return "Cover and Buy";
    case SignalSellAndShort:
      return "Sell and Short";
    default:
      return "";
  }
}

}  // namespace chartorium

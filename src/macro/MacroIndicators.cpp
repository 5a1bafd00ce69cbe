// The macro object's indicator methods: the built-in routines over the whole
// bar series, returned as arrays 1..2001 without touching the cache.
#include "indicators/Averages.h"
#include "indicators/Oscillators.h"
#include "indicators/TrendIndicators.h"
#include "indicators/VolatilityIndicators.h"
#include "indicators/VolumeIndicators.h"
#include "macro/MacroCall.h"

namespace chartorium {

using vbscript::Variant;

namespace {

Variant SeriesArray(const ResultSeries& series) {
  Variant array = Variant::NewArray(1, MaxQuotes);
  std::vector<Variant>& data = array.MutableArray().Data;
  for (int p = 1; p <= MaxQuotes; ++p) data[p - 1] = Variant::Single(series.Values[p]);
  return array;
}

ResultSeries Compute(MacroCall& call) {
  const BarView bars(call.Ws.Quotes());
  switch (call.Method) {
    case MacroMethod::RSI:
      return Rsi(bars, call.Whole(0));
    case MacroMethod::Parabolic:
      return Sar(bars, static_cast<Single>(call.Number(0)), static_cast<Single>(call.Number(1)),
                 static_cast<Single>(call.Number(2)));
    case MacroMethod::Trix:
      return Trix(bars, call.Whole(0));
    case MacroMethod::SineWMA:
      return SineWeightedMovingAverage(bars);
    case MacroMethod::NVI:
      return NegativeVolumeIndex(bars);
    case MacroMethod::PVI:
      return PositiveVolumeIndex(bars);
    case MacroMethod::ATR:
      return AverageTrueRange(bars, call.Whole(0));
    case MacroMethod::StochD:
      return StochasticD(bars, call.Whole(0), call.Whole(1));
    case MacroMethod::StochK:
      return StochasticK(bars, call.Whole(0));
    case MacroMethod::CCI:
      return Cci(bars, call.Whole(0));
    case MacroMethod::VHF:
      return VerticalHorizontalFilter(call.Ws.Quotes(), call.Whole(0));
    case MacroMethod::WilliamsR:
      return WilliamsR(bars, call.Whole(0));
    case MacroMethod::TVI:
      return Tvi(bars);
    case MacroMethod::AroonU:
      return AroonUp(bars, call.Whole(0));
    case MacroMethod::AroonD:
      return AroonDown(bars, call.Whole(0));
    case MacroMethod::CMO:
      return Cmo(bars, call.Whole(0));
    case MacroMethod::EMV:
      return ArmsEaseOfMovement(bars);
    case MacroMethod::DPO:
      return DetrendedPriceOscillator(bars, call.Whole(0));
    case MacroMethod::COG:
      return CenterOfGravity(bars, call.Whole(0));
    default:
      return {};
  }
}

}  // namespace

void InvokeIndicators(MacroCall& call) {
  call.Result = SeriesArray(Compute(call));
}

}  // namespace chartorium

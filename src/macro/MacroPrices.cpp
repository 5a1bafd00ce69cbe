// The macro object's quotes and named series: bar fields, whole price arrays,
// series values, averages, highs and lows, patterns and dates.
#include <algorithm>

#include "core/DateTexts.h"
#include "core/TextCase.h"
#include "indicators/CandlePatterns.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"
#include "macro/MacroCall.h"
#include "vbscript/Conversion.h"

namespace chartorium {

using vbscript::Variant;

namespace {

enum class Field { Close, Open, High, Low, Volume, OI };

bool InBars(const Workspace& ws, int place) {
  return place >= 1 && place <= ws.Quotes().BarCount;
}

Variant FieldValue(const QuoteRecord& bar, Field field) {
  switch (field) {
    case Field::Close:
      return Variant::Single(bar.Close);
    case Field::Open:
      return Variant::Single(bar.Open);
    case Field::High:
      return Variant::Single(bar.High);
    case Field::Low:
      return Variant::Single(bar.Low);
    case Field::Volume:
      return Variant::Long(bar.Volume);
    case Field::OI:
      return Variant::Long(bar.OpenInterest);
  }
  return {};
}

void BarField(MacroCall& call, Field field) {
  const int place = call.Whole(0);
  if (!InBars(call.Ws, place)) return;
  call.Result = FieldValue(call.Ws.Quotes().BarSeries[place], field);
}

// Rows after BarCount hold 0, so the whole array is read as stored.
void FieldArray(MacroCall& call, Field field) {
  Variant array = Variant::NewArray(1, MaxQuotes);
  std::vector<Variant>& data = array.MutableArray().Data;
  const QuoteTable& bars = call.Ws.Quotes().BarSeries;
  for (int p = 1; p <= MaxQuotes; ++p) data[p - 1] = FieldValue(bars[p], field);
  call.Result = std::move(array);
}

void Extreme(MacroCall& call, bool highest) {
  int deb = call.Whole(1);
  int fin = call.Whole(2);
  if (fin < deb) std::swap(deb, fin);
  const Variant& name = call.Arg(0);
  if (IsArrayArg(name)) {
    const ArrayArg array(name);
    double best = 0;
    if (deb >= array.Lo() && fin <= array.Hi()) {
      best = array.At(deb);
      for (int i = deb + 1; i <= fin; ++i) {
        best = highest ? std::max(best, array.At(i)) : std::min(best, array.At(i));
      }
    }
    call.Result = Variant::Double(best);
    return;
  }
  deb = std::max(deb, 1);
  deb = std::min(deb, call.Ws.Quotes().BarCount);
  const std::string text = vbscript::ToString(name);
  call.Result = Variant::Single(highest ? SeriesHighest(call.Ws, text, deb, fin, call.Runs)
                                        : SeriesLowest(call.Ws, text, deb, fin, call.Runs));
}

void Variation(MacroCall& call) {
  const Extended x1 = call.Number(0);
  const Extended x2 = call.Number(1);
  call.Result = Variant::Double(x2 != 0 ? static_cast<double>((x1 - x2) / x2 * 100) : 0.0);
}

void GetIndic(MacroCall& call) {
  const std::string key = FoldCase(call.Text(0));
  call.Runs.AddNested(ComputeIndicator(call.Ws, key));
  if (key == "close" || key == "open" || key == "high" || key == "low") {
    FieldArray(call, key == "close"  ? Field::Close
                     : key == "open" ? Field::Open
                     : key == "high" ? Field::High
                                     : Field::Low);
    return;
  }
  if (key == "volume" || key == "oi") {
    FieldArray(call, key == "volume" ? Field::Volume : Field::OI);
    return;
  }
  Variant array = Variant::NewArray(1, MaxQuotes);
  std::vector<Variant>& data = array.MutableArray().Data;
  const int slot = call.Ws.Indicators.Find(key);
  for (int p = 1; p <= MaxQuotes; ++p) {
    data[p - 1] = Variant::Single(slot >= 0 ? call.Ws.Indicators.Value(slot, p) : 0.0F);
  }
  call.Result = std::move(array);
}

}  // namespace

void InvokePrices(MacroCall& call) {
  Workspace& ws = call.Ws;
  switch (call.Method) {
    case MacroMethod::GetValue:
      call.Result = Variant::Single(SeriesValue(ws, call.Text(0), call.Whole(1), call.Runs));
      return;
    case MacroMethod::HHV:
      Extreme(call, true);
      return;
    case MacroMethod::LLV:
      Extreme(call, false);
      return;
    case MacroMethod::Close:
      BarField(call, Field::Close);
      return;
    case MacroMethod::Open:
      BarField(call, Field::Open);
      return;
    case MacroMethod::High:
      BarField(call, Field::High);
      return;
    case MacroMethod::Low:
      BarField(call, Field::Low);
      return;
    case MacroMethod::Volume:
      BarField(call, Field::Volume);
      return;
    case MacroMethod::OI:
      BarField(call, Field::OI);
      return;
    case MacroMethod::CandlePattern:
      call.Result = Variant::Boolean(CandlePattern(ws, call.Text(0), call.Whole(1)));
      return;
    case MacroMethod::Variation:
    case MacroMethod::PercentChange:
      Variation(call);
      return;
    case MacroMethod::DateToStr: {
      const int place = call.Whole(0);
      call.Result =
          Variant::String(InBars(ws, place) ? DateText(ws.Quotes().BarSeries[place].Date, ws.Locale)
                                            : std::string());
      return;
    }
    case MacroMethod::GetIndic:
      GetIndic(call);
      return;
    case MacroMethod::GetClose:
      FieldArray(call, Field::Close);
      return;
    case MacroMethod::GetLow:
      FieldArray(call, Field::Low);
      return;
    case MacroMethod::GetHigh:
      FieldArray(call, Field::High);
      return;
    case MacroMethod::GetOpen:
      FieldArray(call, Field::Open);
      return;
    case MacroMethod::GetVolume:
      FieldArray(call, Field::Volume);
      return;
    case MacroMethod::GetOI:
      FieldArray(call, Field::OI);
      return;
    case MacroMethod::Mov:
      call.Result =
          Variant::Single(SeriesAverage(ws, call.Text(0), call.Whole(1), call.Whole(2), call.Runs));
      return;
    case MacroMethod::RGB: {
      const int64_t colour = static_cast<int64_t>(call.Whole(0)) +
                             256 * static_cast<int64_t>(call.Whole(1)) +
                             65536 * static_cast<int64_t>(call.Whole(2));
      call.Result = Variant::Long(static_cast<int32_t>(colour));
      return;
    }
    case MacroMethod::CurrentStock:
      call.Result = Variant::String(ws.Quotes().StockName);
      return;
    default:
      return;
  }
}

}  // namespace chartorium

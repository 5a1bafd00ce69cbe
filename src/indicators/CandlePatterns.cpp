// Candlestick patterns.
#include "indicators/CandlePatterns.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {
namespace {

// The bars a pattern reads, with the size thresholds of the size names.
class Candles {
 public:
  Candles(const QuoteStore& store, CandleThresholds& thresholds)
      : bars_(store), thresholds_(thresholds) {}

  int Count() const { return bars_.Count(); }
  Extended O(int p) const { return bars_.O(p); }
  Extended H(int p) const { return bars_.H(p); }
  Extended L(int p) const { return bars_.L(p); }
  Extended C(int p) const { return bars_.C(p); }

  bool White(int p) const { return C(p) > O(p); }
  bool Black(int p) const { return C(p) < O(p); }
  // The 1 % tests compare the close with the open scaled, not with a share of the range.
  bool WhiteBy1(int p) const { return C(p) >= 1.01L * O(p); }
  bool BlackBy1(int p) const { return C(p) <= 0.99L * O(p); }
  // The range of a bar; 0.001 keeps a flat bar from dividing by zero.
  Extended Range(int p) const { return H(p) + 0.001L - L(p); }
  bool Doji(int p) const { return p <= Count() && std::fabs(C(p) - O(p)) <= 0.001L * C(p); }
  bool Near(Extended a, Extended b, Extended base) const {
    return std::fabs(a - b) <= 0.0025L * base;
  }
  Extended LowestLow(int first, int last) const {
    Single low = bars_.Low(first);
    for (int p = first + 1; p <= last; ++p) low = std::min(low, bars_.Low(p));
    return low;
  }
  Extended HighestLow(int first, int last) const {
    Single low = bars_.Low(first);
    for (int p = first + 1; p <= last; ++p) low = std::max(low, bars_.Low(p));
    return low;
  }

  Single Body(int p) const { return ToSingle(std::fabs(O(p) - C(p))); }
  Single Upper(int p) const { return ToSingle(H(p) - std::max(O(p), C(p))); }
  Single Lower(int p) const { return ToSingle(std::min(O(p), C(p)) - L(p)); }

  /// Recomputes the thresholds for place a and returns them.
  const CandleThresholds& ThresholdsFor(int a) {
    int e = a, n = 15;
    if (e == n) n = 14;
    if (e < n) std::swap(e, n);
    if (Count() == 0 || e > Count() || n < 1) return thresholds_;
    Single bodySum = 0, upperSum = 0, lowerSum = 0;
    for (int p = e - n + 1; p <= e; ++p) {
      bodySum = AddToSingle(bodySum, Body(p));
      upperSum = AddToSingle(upperSum, Upper(p));
      lowerSum = AddToSingle(lowerSum, Lower(p));
    }
    const Single bodyMean = ToSingle(Ext(bodySum) / n);
    const Single upperMean = ToSingle(Ext(upperSum) / n);
    const Single lowerMean = ToSingle(Ext(lowerSum) / n);
    Single bodyVar = 0, upperVar = 0, lowerVar = 0;
    for (int p = e - n + 1; p <= e; ++p) {
      const Extended b = Ext(Body(p)) - bodyMean;
      const Extended u = Ext(Upper(p)) - upperMean;
      const Extended l = Ext(Lower(p)) - lowerMean;
      bodyVar = AddToSingle(bodyVar, b * b);
      upperVar = AddToSingle(upperVar, u * u);
      lowerVar = AddToSingle(lowerVar, l * l);
    }
    // Variances, not standard deviations, widen the medium class.
    bodyVar = ToSingle(Ext(bodyVar) / n);
    upperVar = ToSingle(Ext(upperVar) / n);
    lowerVar = ToSingle(Ext(lowerVar) / n);
    thresholds_.BodyLarge = ToSingle(Ext(bodyMean) + 0.5L * bodyVar);
    thresholds_.BodySmall = ToSingle(Ext(bodyMean) - 0.5L * bodyVar);
    thresholds_.LowerLarge = ToSingle(Ext(lowerMean) + 0.5L * lowerVar);
    thresholds_.LowerSmall = ToSingle(Ext(lowerMean) - 0.5L * lowerVar);
    thresholds_.UpperLarge = ToSingle(Ext(upperMean) + 0.5L * upperVar);
    thresholds_.UpperSmall = ToSingle(Ext(upperMean) - 0.5L * upperVar);
    return thresholds_;
  }

 private:
  BarView bars_;
  CandleThresholds& thresholds_;
};

enum class SizeClass { Small, Medium, Large };

SizeClass Classify(Single value, Single small, Single large) {
  if (value <= small) return SizeClass::Small;
  return value <= large ? SizeClass::Medium : SizeClass::Large;
}

template <SizeClass wanted>
bool BodyIs(Candles& k, int a) {
  const CandleThresholds& t = k.ThresholdsFor(a);
  return Classify(k.Body(a), t.BodySmall, t.BodyLarge) == wanted;
}
template <SizeClass wanted>
bool UpperIs(Candles& k, int a) {
  const CandleThresholds& t = k.ThresholdsFor(a);
  return Classify(k.Upper(a), t.UpperSmall, t.UpperLarge) == wanted;
}
template <SizeClass wanted>
bool LowerIs(Candles& k, int a) {
  const CandleThresholds& t = k.ThresholdsFor(a);
  return Classify(k.Lower(a), t.LowerSmall, t.LowerLarge) == wanted;
}

bool ThreeLineStrike(Candles& k, int a) {
  return k.WhiteBy1(a - 3) && k.WhiteBy1(a - 2) && k.WhiteBy1(a - 1) && k.O(a - 2) < k.C(a - 3) &&
         k.O(a - 1) < k.C(a - 2) && k.C(a - 2) > k.C(a - 3) && k.C(a - 1) > k.C(a - 2) &&
         k.O(a) > k.C(a - 1) && k.C(a) < k.O(a - 3) && k.C(a) < k.O(a - 2) && k.C(a) < k.O(a - 1);
}
bool MeetingLines(Candles& k, int a) {
  return k.BlackBy1(a - 1) && k.WhiteBy1(a) && k.Near(k.C(a), k.C(a - 1), k.C(a));
}
bool PiercingLine(Candles& k, int a) {
  return k.White(a) && k.Black(a - 1) && k.O(a) < k.L(a - 1) &&
         k.C(a) > k.C(a - 1) + (k.O(a - 1) - k.C(a - 1)) * 0.5L;
}
bool SeparatingLines(Candles& k, int a) {
  return k.BlackBy1(a - 1) && k.WhiteBy1(a) && k.Near(k.O(a), k.O(a - 1), k.O(a));
}
bool AboveHighsOfThree(Candles& k, int a) {
  return k.C(a) > k.H(a - 3) && k.C(a) > k.H(a - 2) && k.C(a) > k.H(a - 1);
}
bool RisingThree(Candles& k, int a) {
  return k.White(a - 4) && k.H(a - 3) > k.H(a - 4) && k.H(a - 1) < k.H(a - 3) &&
         k.L(a - 1) < k.L(a - 3) && k.Black(a - 3) && k.LowestLow(a - 3, a - 1) > k.L(a - 4) &&
         k.WhiteBy1(a) && AboveHighsOfThree(k, a);
}
bool MatHold(Candles& k, int a) {
  return k.WhiteBy1(a - 4) && k.L(a - 3) > k.H(a - 4) && k.H(a - 1) < k.H(a - 3) &&
         k.L(a - 1) < k.L(a - 3) && k.Black(a - 3) && k.LowestLow(a - 3, a - 1) > k.L(a - 4) &&
         k.O(a) < k.O(a - 1) && AboveHighsOfThree(k, a) && k.WhiteBy1(a);
}
bool ThreeWhiteSoldiers(Candles& k, int a) {
  return k.L(a - 2) == k.HighestLow(a - 8, a) && k.O(a - 1) < k.C(a - 2) && k.O(a) < k.C(a - 1) &&
         k.C(a - 1) > k.C(a - 2) && k.C(a) > k.C(a - 1) && k.WhiteBy1(a - 2) && k.WhiteBy1(a - 1) &&
         k.WhiteBy1(a);
}
bool StickSandwich(Candles& k, int a) {
  return k.LowestLow(a - 8, a) == k.LowestLow(a - 3, a) && k.BlackBy1(a - 2) && k.WhiteBy1(a - 1) &&
         k.C(a - 1) >= k.H(a - 2) && k.O(a) >= k.H(a - 1) && k.Near(k.C(a), k.C(a - 2), k.C(a));
}
bool Breakaway(Candles& k, int a) {
  const Extended highest = std::max({k.H(a - 3), k.H(a - 2), k.H(a - 1)});
  return k.Black(a - 4) && highest < k.L(a - 4) && k.O(a) < highest && k.C(a) > k.L(a - 4);
}
bool Doji(Candles& k, int a) {
  return k.Doji(a);
}
bool MorningStar(Candles& k, int a) {
  return k.BlackBy1(a - 2) && k.O(a - 1) <= k.C(a - 2) && k.C(a - 1) <= k.C(a - 2) &&
         k.C(a) > k.C(a - 2) && k.WhiteBy1(a);
}
// The body tests of the next four use O - C without absolute value, so for a
// white bar they always hold and only the two position ratios decide.
bool HangingMan(Candles& k, int a) {
  return 4 * (k.O(a) - k.C(a)) < k.H(a) - k.L(a) && (k.C(a) - k.L(a)) / k.Range(a) >= 0.75L &&
         (k.O(a) - k.L(a)) / k.Range(a) >= 0.75L && k.O(a) != k.C(a);
}
bool Hammer(Candles& k, int a) {
  return 3 * (k.O(a) - k.C(a)) < k.H(a) - k.L(a) && (k.C(a) - k.L(a)) / k.Range(a) > 0.6L &&
         (k.O(a) - k.L(a)) / k.Range(a) > 0.6L && k.O(a) != k.C(a);
}
bool InvertedHammer(Candles& k, int a) {
  return 3 * (k.O(a) - k.C(a)) < k.H(a) - k.L(a) && (k.H(a) - k.C(a)) / k.Range(a) > 0.6L &&
         (k.H(a) - k.O(a)) / k.Range(a) > 0.6L && k.O(a) != k.C(a);
}
bool ShootingStar(Candles& k, int a) {
  return 4 * (k.O(a) - k.C(a)) < k.H(a) - k.L(a) && (k.H(a) - k.C(a)) / k.Range(a) >= 0.75L &&
         (k.H(a) - k.O(a)) / k.Range(a) >= 0.75L && k.O(a) != k.C(a);
}
bool BlackSpinningTop(Candles& k, int a) {
  return k.Black(a) && 3 * (k.O(a) - k.C(a)) < k.H(a) - k.L(a) &&
         (k.H(a) - k.O(a)) / k.Range(a) < 0.4L && (k.C(a) - k.L(a)) / k.Range(a) < 0.4L;
}
bool WhiteSpinningTop(Candles& k, int a) {
  return k.White(a) && 3 * (k.C(a) - k.O(a)) < k.H(a) - k.L(a) &&
         (k.H(a) - k.C(a)) / k.Range(a) < 0.4L && (k.O(a) - k.L(a)) / k.Range(a) < 0.4L;
}
bool AbandonedBaby(Candles& k, int a) {
  return k.Doji(a - 1) && k.White(a - 2) && k.Black(a) && k.L(a - 1) > k.H(a - 2) &&
         k.L(a - 1) > k.H(a);
}
bool EveningStar(Candles& k, int a) {
  return k.White(a - 2) && (k.C(a - 2) - k.O(a - 2)) / k.Range(a - 2) > 0.6L &&
         k.C(a - 2) < k.O(a - 1) && k.White(a - 1) &&
         3 * (k.C(a - 1) - k.O(a - 1)) < k.H(a - 1) - k.L(a - 1) && k.Black(a) &&
         k.O(a) < k.O(a - 1);
}
bool Kicking(Candles& k, int a) {
  return k.Black(a - 1) && k.L(a - 1) == k.C(a - 1) && k.H(a - 1) == k.O(a - 1) &&
         k.O(a) > k.O(a - 1) && k.White(a) && k.C(a) == k.H(a) && k.O(a) == k.L(a);
}
bool BlowOff(Candles& k, int a) {
  return k.White(a) && k.White(a - 2) && k.Black(a - 1) && k.O(a) > k.O(a - 1) &&
         k.O(a - 1) > k.O(a - 2) && k.C(a) < k.C(a - 1) && k.C(a - 1) < k.C(a - 2);
}
bool BearishEngulfingLine(Candles& k, int a) {
  return k.Black(a) && k.White(a - 1) && k.O(a) > k.H(a - 1) && k.C(a) < k.L(a - 1);
}
bool BullishEngulfingLine(Candles& k, int a) {
  return k.Black(a - 1) && k.White(a) && k.C(a) > k.H(a - 1) && k.O(a) < k.L(a - 1);
}
bool GravestoneDoji(Candles& k, int a) {
  return k.O(a) == k.C(a) && k.C(a) == k.L(a) && k.H(a) != k.L(a);
}
bool DarkCloudCover(Candles& k, int a) {
  return k.Black(a) && k.White(a - 1) && k.O(a) > k.H(a - 1) && k.L(a) > k.O(a - 1) &&
         k.C(a) < k.O(a - 1) + (k.C(a - 1) - k.O(a - 1)) * 0.5L;
}
bool ThreeOutsideDown(Candles& k, int a) {
  return k.White(a - 2) && k.Black(a - 1) && k.O(a - 1) >= k.C(a - 2) && k.O(a - 2) >= k.C(a - 1) &&
         k.C(a - 2) - k.O(a - 2) < k.O(a - 1) - k.C(a - 1) && k.Black(a) && k.C(a) < k.C(a - 1);
}

struct PatternEntry {
  std::string_view Name;
  int FirstPlace;
  /// Size names also classify the empty bars after the last one.
  bool SizeName;
  bool (*Test)(Candles& candles, int place);
};

constexpr PatternEntry Patterns[] = {
    {"three line strike", 4, false, ThreeLineStrike},
    {"meeting lines", 2, false, MeetingLines},
    {"piercing line", 2, false, PiercingLine},
    {"seperating lines", 2, false, SeparatingLines},
    {"rising three", 5, false, RisingThree},
    {"mat hold", 5, false, MatHold},
    {"three white soldiers", 9, false, ThreeWhiteSoldiers},
    {"stick sandwich", 9, false, StickSandwich},
    {"breakaway", 5, false, Breakaway},
    {"doji", 1, false, Doji},
    {"morning star", 3, false, MorningStar},
    {"hanging man", 1, false, HangingMan},
    {"hammer", 1, false, Hammer},
    {"inverted hammer", 1, false, InvertedHammer},
    {"shooting star", 1, false, ShootingStar},
    {"black spinning top", 1, false, BlackSpinningTop},
    {"white spinning top", 1, false, WhiteSpinningTop},
    {"abandoned baby", 3, false, AbandonedBaby},
    {"evening star", 3, false, EveningStar},
    {"kicking", 2, false, Kicking},
    {"small body", 1, true, BodyIs<SizeClass::Small>},
    {"large body", 1, true, BodyIs<SizeClass::Large>},
    {"medium body", 1, true, BodyIs<SizeClass::Medium>},
    {"blow off", 3, false, BlowOff},
    {"bearish engulfing line", 2, false, BearishEngulfingLine},
    {"bullish engulfing line", 2, false, BullishEngulfingLine},
    {"gravestone doji", 1, false, GravestoneDoji},
    {"dark cloud cover", 2, false, DarkCloudCover},
    {"large lower shadow", 1, true, LowerIs<SizeClass::Large>},
    {"medium upper shadow", 1, true, UpperIs<SizeClass::Medium>},
    {"large upper shadow", 1, true, UpperIs<SizeClass::Large>},
    {"small upper shadow", 1, true, UpperIs<SizeClass::Small>},
    {"medium lower shadow", 1, true, LowerIs<SizeClass::Medium>},
    {"small lower shadow", 1, true, LowerIs<SizeClass::Small>},
    {"three outside down", 3, false, ThreeOutsideDown},
};

// Pattern names are plain ASCII, so folding the ASCII letters of the asked
// name is all the lower-casing a match needs; this asks no allocation per call.
bool IsNamed(std::string_view name, std::string_view lowerCaseName) {
  if (name.size() != lowerCaseName.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c =
        name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
    if (c != lowerCaseName[i]) return false;
  }
  return true;
}

constexpr auto PatternNameList = [] {
  std::array<std::string_view, std::size(Patterns)> names{};
  for (size_t i = 0; i < names.size(); ++i) names[i] = Patterns[i].Name;
  return names;
}();

}  // namespace

std::span<const std::string_view> CandlePatternNames() {
  return PatternNameList;
}

bool CandlePattern(const QuoteStore& store, CandleThresholds& thresholds, std::string_view name,
                   int place) {
  if (place < 1 || place > MaxQuotes) return false;
  const auto entry = std::find_if(std::begin(Patterns), std::end(Patterns),
                                  [&](const PatternEntry& e) { return IsNamed(name, e.Name); });
  if (entry == std::end(Patterns) || place < entry->FirstPlace) return false;
  if (place > store.BarCount && !entry->SizeName) return false;
  Candles candles(store, thresholds);
  return entry->Test(candles, place);
}

bool CandlePattern(Workspace& workspace, std::string_view name, int place) {
  return CandlePattern(workspace.Quotes(), workspace.Indicators.Thresholds, name, place);
}

}  // namespace chartorium

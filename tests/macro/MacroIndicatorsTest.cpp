// The indicator methods return the built-in routines' series as arrays and
// leave the cache alone.
#include "macro/MacroLang.h"

#include "indicators/Averages.h"
#include "indicators/IndicatorCache.h"
#include "indicators/Oscillators.h"
#include "indicators/TrendIndicators.h"
#include "indicators/VolatilityIndicators.h"
#include "macro/MacroFixture.h"

namespace chartorium::testing {
namespace {

class MacroIndicators : public MacroFixture {
 protected:
  MacroIndicators() {
    std::vector<MacroBar> bars;
    unsigned state = 7;
    Single close = 50;
    for (int p = 1; p <= 60; ++p) {
      state = state * 1103515245u + 12345u;
      const Single step = static_cast<Single>((state >> 16) % 401) / 100.0F - 2.0F;
      const Single open = close;
      close = std::max(5.0F, close + step);
      bars.push_back(MacroBar{open, std::max(open, close) + 0.5F, std::min(open, close) - 0.25F,
                              close, 1000 + static_cast<int>((state >> 12) % 900), 0});
    }
    SetBars(bars);
  }
};

TEST_F(MacroIndicators, MethodsYieldTheRoutinesSeriesWithTheirRounding) {
  const BarView bars(Ws().Quotes());
  struct Row {
    const char* Call;
    ResultSeries Expected;
  };
  const Row rows[] = {
      {"RSI(14.9)", Rsi(bars, 14)},             // truncated
      {"ATR(2.5)", AverageTrueRange(bars, 2)},  // half to even
      {"ATR(3.5)", AverageTrueRange(bars, 4)},
      {"StochD(5.5, 2.5)", StochasticD(bars, 6, 2)},
      {"Trix(4.5)", Trix(bars, 4)},
      {"CMO(9.99)", Cmo(bars, 9)},
      {"Parabolic(0.02, 0.02, 0.2)", Sar(bars, 0.02F, 0.02F, 0.2F)},
      {"SineWMA()", SineWeightedMovingAverage(bars)},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(RunGlobal(std::string("x = ") + row.Call)) << row.Call;
    EXPECT_EQ(Number("LBound(x)"), 1);
    EXPECT_EQ(Number("UBound(x)"), 2001);
    bool any = false;
    for (int p = 1; p <= 61; ++p) {
      const Single value = static_cast<Single>(Number("x(" + std::to_string(p) + ")"));
      ASSERT_EQ(value, row.Expected.Values[p]) << row.Call << " at " << p;
      any = any || value != 0;
    }
    EXPECT_TRUE(any) << row.Call;
  }
  EXPECT_EQ(Ws().Indicators.SeriesCount(), 0);
}

}  // namespace
}  // namespace chartorium::testing

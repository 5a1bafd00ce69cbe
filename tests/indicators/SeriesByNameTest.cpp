// The named-series cache: computing by name, reuse, removal, aliases, the
// never-cached names, averages, highs and lows, and the custom indicator hook.
#include "indicators/SeriesByName.h"

#include <fstream>
#include <functional>
#include <utility>

#include "BarFixture.h"
#include "core/DerivedSeries.h"
#include "indicators/IndicatorCache.h"
#include "indicators/PreferenceHooks.h"

namespace chartorium {
namespace {

using testing::Bar;
using testing::BarFixture;

class SeriesByNameTest : public BarFixture {
 protected:
  IndicatorCache& Cache() { return Ws().Indicators; }
  // The names of the cache in order.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int s = 0; s < Cache().SeriesCount(); ++s) names.push_back(Cache().Name(s));
    return names;
  }
};

TEST_F(SeriesByNameTest, RequestsInAnyCaseFindOneSeries) {
  SetWanderingBars(50);
  const Single value = SeriesValue(Ws(), "RSI", 30, Runs());
  EXPECT_NE(value, 0);
  EXPECT_EQ(SeriesValue(Ws(), "rsi", 30, Runs()), value);
  EXPECT_EQ(SeriesValue(Ws(), "Rsi", 30, Runs()), value);
  EXPECT_TRUE(ComputeIndicator(Ws(), "rSI").Clean());
  EXPECT_EQ(Names(), std::vector<std::string>{"RSI"});
  EXPECT_EQ(Cache().LevelsText(0), "20;80");
}

TEST_F(SeriesByNameTest, FamiliesAddEverySeriesOnce) {
  SetWanderingBars(80);
  EXPECT_TRUE(ComputeIndicator(Ws(), "adx").Clean());
  EXPECT_TRUE(ComputeIndicator(Ws(), "DI-").Clean());
  EXPECT_TRUE(ComputeIndicator(Ws(), "macdma").Clean());
  EXPECT_TRUE(ComputeIndicator(Ws(), "MACD").Clean());
  EXPECT_TRUE(ComputeIndicator(Ws(), "Trend Detection Index").Clean());
  EXPECT_EQ(Names(), (std::vector<std::string>{"DI+", "DI-", "ADX", "ADXR", "MACD", "MACDMA",
                                               "Direction Indicator", "Trend Detection Index"}));
}

TEST_F(SeriesByNameTest, RemovingTheFirstOfThreeKeepsTheOthersValues) {
  SetWanderingBars(60);
  for (const char* name : {"RSI", "CCI", "On Balance Volume"})
    EXPECT_TRUE(ComputeIndicator(Ws(), name).Clean());
  const Single cci = SeriesValue(Ws(), "cci", 40, Runs());
  const Single obv = SeriesValue(Ws(), "on balance volume", 40, Runs());
  RemoveIndicator(Ws(), "rsi");
  EXPECT_EQ(Names(), (std::vector<std::string>{"CCI", "On Balance Volume"}));
  EXPECT_EQ(Cache().ValueArray().size(), 1u + 2u * MaxQuotes);
  EXPECT_EQ(Cache().Value(0, 40), cci);
  EXPECT_EQ(Cache().Value(1, 40), obv);
  RemoveIndicator(Ws(), "not cached");
  EXPECT_EQ(Cache().SeriesCount(), 2);
}

TEST_F(SeriesByNameTest, TheFirstOfTwoEqualNamesWins) {
  std::vector<Single> first(MaxQuotes, 1), second(MaxQuotes, 2);
  Cache().AddIndicatorSeries(first, "", "Mine");
  Cache().AddIndicatorSeries(second, "", "MINE");
  EXPECT_EQ(SeriesValue(Ws(), "mine", 7, Runs()), 1);
  RemoveIndicator(Ws(), "mine");
  EXPECT_EQ(SeriesValue(Ws(), "mine", 7, Runs()), 2);
}

TEST_F(SeriesByNameTest, UnknownNamesGetAZeroSeriesUnderTheirLowerCaseName) {
  SetWanderingBars(20);
  EXPECT_EQ(SeriesValue(Ws(), "X", 5, Runs()), 0);
  EXPECT_EQ(Names(), std::vector<std::string>{"x"});
  EXPECT_EQ(Cache().LevelsText(0), "");
  // A reference-levels text is never taken for a name.
  EXPECT_TRUE(ComputeIndicator(Ws(), "TRIX").Clean());
  EXPECT_EQ(Cache().LevelsText(1), "0");
  EXPECT_EQ(SeriesValue(Ws(), "0", 5, Runs()), 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"x", "TRIX", "0"}));
}

TEST_F(SeriesByNameTest, PlacesOutsideTheSeriesGiveZero) {
  SetWanderingBars(20);
  for (const int place : {0, -1, MaxQuotes + 1})
    EXPECT_EQ(SeriesValue(Ws(), "close", place, Runs()), 0);
  EXPECT_EQ(SeriesValue(Ws(), "close", 21, Runs()), 0);
}

TEST_F(SeriesByNameTest, PriceFieldsAndAliasesAreReadFromTheBars) {
  SetBars({{1, 4, 0.5f, 2, 300}, {2, 5, 1.5f, 3, 400}});
  Store().BarSeries[2].OpenInterest = 77;
  struct Case {
    const char* name;
    Single expected;
  };
  const Case cases[] = {{"Close", 3},    {"OPEN", 2}, {"low", 1.5f},        {"High", 5},
                        {"volume", 400}, {"oi", 77},  {"Open Interest", 77}};
  for (const Case& c : cases) EXPECT_EQ(SeriesValue(Ws(), c.name, 2, Runs()), c.expected) << c.name;
  EXPECT_EQ(Cache().SeriesCount(), 0);

  SetWanderingBars(40);
  EXPECT_EQ(SeriesValue(Ws(), "MACD MA", 30, Runs()), SeriesValue(Ws(), "macdma", 30, Runs()));
  EXPECT_EQ(Names(), (std::vector<std::string>{"MACD", "MACDMA"}));
}

TEST_F(SeriesByNameTest, AveragesAreComputedOnceAndNeverCached) {
  SetCloses({1, 2, 3, 4, 5});
  Ws().Prefs.Set("EMCT", "2");
  EXPECT_EQ(SeriesValue(Ws(), "sma", 5, Runs()), 4.5f);
  EXPECT_TRUE(Cache().Overlays().AveragesValid);
  EXPECT_EQ(Cache().SeriesCount(), 0);
  // New closes without a reset: the averages are read, not computed again.
  Store().BarSeries[5].Close = 100;
  EXPECT_EQ(SeriesValue(Ws(), "SMA", 5, Runs()), 4.5f);
  ResetDerivedSeries(Ws());
  EXPECT_FALSE(Cache().Overlays().AveragesValid);
  EXPECT_EQ(SeriesValue(Ws(), "sma", 5, Runs()), 52);
}

TEST_F(SeriesByNameTest, ResetEmptiesTheCacheAndTheOverlays) {
  SetWanderingBars(40);
  EXPECT_TRUE(ComputeIndicator(Ws(), "rsi").Clean());
  SeriesValue(Ws(), "bollh", 30, Runs());
  ResetDerivedSeries(Ws());
  EXPECT_EQ(Cache().SeriesCount(), 0);
  EXPECT_EQ(Cache().ValueArray().size(), 1u);
  EXPECT_FALSE(Cache().Overlays().BandsValid);
  EXPECT_EQ(Cache().Overlays().UpperBand[30], 0);
}

TEST_F(SeriesByNameTest, SeriesAverageOfPricesAndSeries) {
  SetCloses({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  EXPECT_EQ(SeriesAverage(Ws(), "close", 10, 10, Runs()), 5.5f);
  EXPECT_EQ(SeriesAverage(Ws(), "close", 9, 10, Runs()), 0);
  EXPECT_EQ(SeriesAverage(Ws(), "close", 11, 0, Runs()), 0);
  EXPECT_EQ(SeriesAverage(Ws(), "", 11, 2, Runs()), 0);
  EXPECT_EQ(SeriesAverage(Ws(), "close", MaxQuotes + 1, 2, Runs()), 0);
  Ws().Prefs.Set("ERSI", "3");
  // RSI of a steady rise is 100 from place 4; a window reaching place 3 is a warm-up window.
  EXPECT_EQ(SeriesAverage(Ws(), "rsi", 6, 3, Runs()), 100);
  EXPECT_EQ(SeriesAverage(Ws(), "rsi", 6, 4, Runs()), 0);
}

TEST_F(SeriesByNameTest, HighestAndLowestSkipTheWarmUpZeros) {
  SetCloses({5, 4, 6, 3, 7, 6, 8, 2, 9});
  Ws().Prefs.Set("ERSI", "2");
  const int n = Store().BarCount;
  // RSI(2): place 3 (-1, +2) 66.7, 4 (+2, -3) 40, 5 (-3, +4) 57.1, 6 (+4, -1) 80,
  // 7 (-1, +2) 66.7, 8 (+2, -6) 25, 9 (-6, +7) 53.8.
  EXPECT_FLOAT_EQ(SeriesHighest(Ws(), "rsi", 1, n, Runs()), 80);
  EXPECT_FLOAT_EQ(SeriesLowest(Ws(), "RSI", 1, n, Runs()), 25);
  EXPECT_FLOAT_EQ(SeriesLowest(Ws(), "rsi", 1, 7, Runs()), 40);
  EXPECT_EQ(SeriesLowest(Ws(), "close", 3, 3, Runs()), 6);
  EXPECT_EQ(SeriesHighest(Ws(), "close", 1, n, Runs()), 9);
  EXPECT_EQ(SeriesLowest(Ws(), "close", 1, n, Runs()), 2);
  EXPECT_EQ(SeriesHighest(Ws(), "close", 1, n + 1, Runs()), 0);
  EXPECT_EQ(SeriesHighest(Ws(), "close", 0, n, Runs()), 0);
  Ws().Prefs.Set("EMCT", "3");
  // The 3-bar average from place 3: 5, 4.33, 5.33, 5.33, 7, 5.33, 6.33.
  EXPECT_FLOAT_EQ(SeriesLowest(Ws(), "sma", 1, n, Runs()), 13.0f / 3);
  EXPECT_EQ(SeriesLowest(Ws(), "sma", 1, 2, Runs()), 0);
}

TEST_F(SeriesByNameTest, PreferenceHooksDropExactlyTheirSeries) {
  SetWanderingBars(60);
  for (const char* name : {"RSI", "StochRSI", "Aroon Up", "Aroon Oscillator", "CCI", "Aroon Down"})
    EXPECT_TRUE(ComputeIndicator(Ws(), name).Clean());
  SeriesValue(Ws(), "sma", 40, Runs());
  SeriesValue(Ws(), "bollh", 40, Runs());
  DropRsiSeries(Ws());
  DropAroonSeries(Ws());
  EXPECT_EQ(Names(), (std::vector<std::string>{"StochRSI", "CCI"}));
  InvalidateBands(Ws());
  EXPECT_FALSE(Cache().Overlays().BandsValid);
  EXPECT_TRUE(Cache().Overlays().AveragesValid);
  DiscardAverages(Ws());
  EXPECT_FALSE(Cache().Overlays().AveragesValid);
  EXPECT_EQ(Cache().Overlays().ShortAverage[40], 0);
  // A changed period takes effect at the next request.
  Ws().Prefs.Set("ERSI", "5");
  SeriesValue(Ws(), "rsi", 40, Runs());
  EXPECT_EQ(Cache().Values(Cache().Find("rsi"))[5 - 1], 0);
  EXPECT_NE(Cache().Values(Cache().Find("rsi"))[6 - 1], 0);
}

TEST_F(SeriesByNameTest, HautBasComputesTheOverlaysItTakesIn) {
  SetCloses({10, 10, 10, 40});
  Ws().Prefs.Set("EMCT", "2");
  Ws().Prefs.Set("EMLT", "3");
  EXPECT_EQ(HautBas(Ws(), 1, 4, HautBasMode::PricesOnly), (PriceRange{40, 10}));
  EXPECT_FALSE(Cache().Overlays().AveragesValid);
  EXPECT_EQ(HautBas(Ws(), 1, 3, HautBasMode::WithAverages), (PriceRange{10, 10}));
  EXPECT_TRUE(Cache().Overlays().AveragesValid);
  EXPECT_TRUE(Cache().Overlays().BandsValid);
}

class CustomIndicatorTest : public SeriesByNameTest {
 protected:
  void WriteFile(const std::string& relative, const std::string& text) {
    std::filesystem::create_directories((Folder() / relative).parent_path());
    std::ofstream(Folder() / relative, std::ios::binary) << text;
  }
};

TEST_F(CustomIndicatorTest, ListedNamesRunThroughTheRunner) {
  SetWanderingBars(20);
  WriteFile("Indicators.dat", "Trend\r\n\tMy Line\r\n\tOther\r\n");
  WriteFile("Indicators/My Line", "Sub Main\r\nEnd Sub\r\n");
  std::vector<std::string> runs;
  Cache().RunCustomIndicator = [&](Workspace& workspace, const std::string& name,
                                   std::string_view text) {
    runs.push_back(name + "|" + std::string(text));
    std::vector<Single> values(MaxQuotes, 3);
    workspace.Indicators.AddIndicatorSeries(values,
                                            "1;2\xC2\xA8"
                                            "255*0",
                                            name);
    return MacroStatus();
  };
  EXPECT_EQ(SeriesValue(Ws(), "MY LINE", 4, Runs()), 3);
  EXPECT_EQ(SeriesValue(Ws(), "my line", 5, Runs()), 3);
  EXPECT_EQ(runs, std::vector<std::string>{"My Line|Sub Main\r\nEnd Sub\r\n"});
  // Built-in names are not looked up by the runner when the list lacks them.
  EXPECT_TRUE(ComputeIndicator(Ws(), "rsi").Clean());
  EXPECT_EQ(runs.size(), 1u);
}

// The run's error reaches the read that started it, and only that one: the
// series it left is cached, so later reads run nothing and report nothing.
TEST_F(CustomIndicatorTest, TheRunnersErrorReachesTheReadThatStartedTheRun) {
  SetWanderingBars(20);
  WriteFile("Indicators.dat", "\tMy Line\r\n");
  const MacroError error{1002, "Microsoft VBScript compilation error", "Syntax error", 3, 7, ""};
  int runs = 0;
  Cache().RunCustomIndicator = [&](Workspace& workspace, const std::string& name,
                                   std::string_view) {
    ++runs;
    workspace.Indicators.AddIndicatorSeries(std::vector<Single>(MaxQuotes, 2), "", name);
    return MacroStatus::Failed(error);
  };
  using Read = std::function<Single(Workspace&, MacroStatus&)>;
  const std::pair<std::string_view, Read> reads[] = {
      {"value", [](Workspace& w, MacroStatus& s) { return SeriesValue(w, "my line", 4, s); }},
      {"average",
       [](Workspace& w, MacroStatus& s) { return SeriesAverage(w, "My Line", 6, 3, s); }},
      {"highest",
       [](Workspace& w, MacroStatus& s) { return SeriesHighest(w, "MY LINE", 1, 9, s); }},
      {"lowest", [](Workspace& w, MacroStatus& s) { return SeriesLowest(w, "my line", 1, 9, s); }},
  };
  for (const auto& [what, read] : reads) {
    Cache().Clear();
    MacroStatus status;
    EXPECT_EQ(read(Ws(), status), 2) << what;
    EXPECT_EQ(read(Ws(), status), 2) << what;
    ASSERT_EQ(status.Errors().size(), 1u) << what;
    EXPECT_EQ(status.Errors()[0], error) << what;
    // An error of an inner run does not end the run that asked for the series.
    EXPECT_TRUE(status.ok()) << what;
  }
  EXPECT_EQ(runs, 4);
  Cache().Clear();
  const MacroStatus computed = ComputeIndicator(Ws(), "MY LINE");
  EXPECT_FALSE(computed.ok());
  EXPECT_EQ(std::vector<MacroError>(computed.Errors().begin(), computed.Errors().end()),
            std::vector<MacroError>{error});
  EXPECT_TRUE(ComputeIndicator(Ws(), "my line").Clean());
}

TEST_F(CustomIndicatorTest, WithoutARunnerAListedNameIsUnknown) {
  SetWanderingBars(20);
  WriteFile("Indicators.dat", "\tMy Line\r\n");
  Cache().RunCustomIndicator = nullptr;
  EXPECT_EQ(SeriesValue(Ws(), "My Line", 4, Runs()), 0);
  EXPECT_EQ(Names(), std::vector<std::string>{"my line"});
}

}  // namespace
}  // namespace chartorium

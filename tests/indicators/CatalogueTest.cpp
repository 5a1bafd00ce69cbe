// The catalogue: every built-in name computes its series under its own name,
// with its reference levels and its warm-up places.
#include "indicators/Catalogue.h"

#include <set>

#include "BarFixture.h"
#include "core/TextCase.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

using testing::BarFixture;

struct Expected {
  std::string_view name;
  std::string_view levels;
  int firstPlace;  ///< with the default periods
  /// The value at the first place may be 0 by its definition (MACD starts at
  /// 0) or for some data (Aroon at the oldest extreme, %R at the high, ...).
  bool mayStartAtZero = false;
};

constexpr Expected Catalogue[] = {
    {"Center of Gravity", "", 10},
    {"Positive Volume Index", "", 3},
    {"Negative Volume Index", "", 2},
    {"Intraday Volatility", "0", 14},
    {"Elliot Oscillator", "", 34},
    {"Detrended Price Oscillator", "0", 31},
    {"TVI", "0", 2},
    {"Price-Volume Rank", "", 2, true},
    {"Sine Weighted Moving Average", "", 5},
    {"Stochastic %K", "20;80", 13, true},
    {"Stochastic %D", "20;80", 21},
    {"Average True Range", "", 30},
    {"Trend Analysis Index", "", 32},
    {"McGinley Dynamic", "", 14},
    {"Coppock Curve", "", 272},
    {"Ultimate Oscillator", "", 30},
    {"ADXR", "23", 43},
    {"ADX", "23", 28},
    {"DI+", "0", 15},
    {"DI-", "0", 15},
    {"Vertical Horizontal Filter", "0.35", 29},
    {"Velmora", "0", 13},
    {"Ehlers Filter", "", 20},
    {"William's A/D", "", 2},
    {"William's %R", "-20;-80", 14, true},
    {"Disparity Index", "", 13},
    {"IRM", "", 15, true},
    {"Mass Index", "26.5;27", 26},
    {"Balance of Power", "", 1},
    {"Support", "", 16, true},
    {"TRIX", "0", 36},
    {"Elder's Force Index", "0", 2},
    {"Arms Ease of Movement", "0", 2},
    {"Direction Indicator", "0", 40},
    {"Trend Detection Index", "0", 60},
    {"Aroon Up", "", 10, true},
    {"Aroon Down", "", 10, true},
    {"Aroon Oscillator", "", 10, true},
    {"MACD", "0", 1, true},
    {"MACDMA", "", 1, true},
    {"CCI", "0;-100;100", 20},
    {"CMO", "0", 16},
    {"Money Flow Index", "", 14},
    {"StochRSI", "50", 26, true},
    {"RSI", "20;80", 13},
    {"On Balance Volume", "", 2},
    {"SAR", "", 4},
};

TEST(CatalogueTableTest, KeysAreTheLowerCaseNamesAndUnique) {
  std::set<std::string_view> keys;
  for (const CatalogueEntry& entry : IndicatorCatalogue()) {
    EXPECT_TRUE(keys.insert(entry.Key).second) << entry.Key;
    EXPECT_EQ(FindCatalogueEntry(entry.Key), &entry);
    if (entry.Key[0] != ' ') EXPECT_EQ(entry.Key, FoldCase(entry.Name)) << entry.Name;
  }
  EXPECT_EQ(FindCatalogueEntry("RSI"), nullptr);
  EXPECT_NE(FindCatalogueEntry(" ma"), nullptr);
  EXPECT_NE(FindCatalogueEntry(" boll"), nullptr);
}

TEST(CatalogueTableTest, EveryExpectedNameIsListedOnce) {
  for (const Expected& e : Catalogue) {
    const CatalogueEntry* entry = FindCatalogueEntry(FoldCase(e.name));
    ASSERT_NE(entry, nullptr) << e.name;
    EXPECT_EQ(entry->Name, e.name);
    EXPECT_EQ(entry->LevelsText, e.levels) << e.name;
    EXPECT_EQ(entry->ListEntry.empty(), e.name == "SAR") << e.name;
  }
  EXPECT_EQ(FindCatalogueEntry("macdma")->ListEntry, "MACD MA");
}

class CatalogueSeriesTest : public BarFixture {};

TEST_F(CatalogueSeriesTest, EachNameWarmsUpToItsFirstPlace) {
  SetWanderingBars(400);
  for (const Expected& e : Catalogue) {
    EXPECT_TRUE(ComputeIndicator(Ws(), e.name).Clean());
    const int slot = Ws().Indicators.Find(e.name);
    ASSERT_GE(slot, 0) << e.name;
    EXPECT_EQ(Ws().Indicators.Name(slot), e.name);
    EXPECT_EQ(Ws().Indicators.LevelsText(slot), e.levels) << e.name;
    for (int p = 1; p < e.firstPlace; ++p)
      EXPECT_EQ(Ws().Indicators.Value(slot, p), 0) << e.name << " at " << p;
    if (!e.mayStartAtZero) EXPECT_NE(Ws().Indicators.Value(slot, e.firstPlace), 0) << e.name;
    bool any = false;
    for (int p = e.firstPlace; p <= 400; ++p) any = any || Ws().Indicators.Value(slot, p) != 0;
    EXPECT_TRUE(any) << e.name;
    for (int p = 401; p <= MaxQuotes; ++p)
      ASSERT_EQ(Ws().Indicators.Value(slot, p), 0) << e.name << " after the last bar at " << p;
  }
}

TEST_F(CatalogueSeriesTest, WithoutBarsEverySeriesIsZero) {
  SetBars({});
  for (const CatalogueEntry& entry : IndicatorCatalogue())
    EXPECT_TRUE(ComputeIndicator(Ws(), entry.Key).Clean());
  const auto values = Ws().Indicators.ValueArray();
  EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](Single v) { return v == 0; }));
  const PriceOverlays& overlays = Ws().Indicators.Overlays();
  for (const SeriesValues* overlay :
       {&overlays.ShortAverage, &overlays.LongAverage, &overlays.UpperBand, &overlays.LowerBand})
    EXPECT_TRUE(std::all_of(overlay->begin(), overlay->end(), [](Single v) { return v == 0; }));
}

}  // namespace
}  // namespace chartorium

// The catalogue table and the routines it calls with their periods.
#include "indicators/Catalogue.h"

#include "core/Workspace.h"
#include "indicators/Averages.h"
#include "indicators/IndicatorCache.h"
#include "indicators/Oscillators.h"
#include "indicators/SeriesByName.h"
#include "indicators/TrendIndicators.h"
#include "indicators/VolatilityIndicators.h"
#include "indicators/VolumeIndicators.h"

namespace chartorium {
namespace {

BarView Bars(Workspace& workspace) {
  return BarView(workspace.Quotes());
}

int Period(Workspace& workspace, std::string_view field) {
  return workspace.Prefs.Integer(field);
}

void Add(Workspace& workspace, const ResultSeries& series) {
  workspace.Indicators.AddSeries(series.Values, series.LevelsText, series.Name);
}

void RunCenterOfGravity(Workspace& w) {
  Add(w, CenterOfGravity(Bars(w), 9));
}
void RunPositiveVolumeIndex(Workspace& w) {
  Add(w, PositiveVolumeIndex(Bars(w)));
}
void RunNegativeVolumeIndex(Workspace& w) {
  Add(w, NegativeVolumeIndex(Bars(w)));
}
void RunIntradayVolatility(Workspace& w) {
  Add(w, IntradayVolatility(Bars(w), Period(w, "IV")));
}
void RunElliotOscillator(Workspace& w) {
  Add(w, ElliotOscillator(Bars(w)));
}
void RunDetrendedPriceOscillator(Workspace& w) {
  Add(w, DetrendedPriceOscillator(Bars(w), 20));
}
void RunTvi(Workspace& w) {
  Add(w, Tvi(Bars(w)));
}
void RunPriceVolumeRank(Workspace& w) {
  Add(w, PriceVolumeRank(Bars(w)));
}
void RunSineWeightedMovingAverage(Workspace& w) {
  Add(w, SineWeightedMovingAverage(Bars(w)));
}
void RunStochasticK(Workspace& w) {
  Add(w, StochasticK(Bars(w), Period(w, "StK")));
}
void RunStochasticD(Workspace& w) {
  Add(w, StochasticD(Bars(w), Period(w, "StK"), Period(w, "StD")));
}
void RunAverageTrueRange(Workspace& w) {
  Add(w, AverageTrueRange(Bars(w), Period(w, "ATR")));
}
void RunTrendAnalysisIndex(Workspace& w) {
  Add(w, TrendAnalysisIndex(Bars(w)));
}
void RunMcGinleyDynamic(Workspace& w) {
  Add(w, McGinleyDynamic(Bars(w), 12));
}
void RunCoppockCurve(Workspace& w) {
  Add(w, CoppockCurve(Bars(w)));
}
void RunUltimateOscillator(Workspace& w) {
  Add(w, UltimateOscillator(Bars(w)));
}
void RunDirectionalMovement(Workspace& w) {
  const DirectionalMovement family = ComputeDirectionalMovement(Bars(w));
  Add(w, family.PlusDi);
  Add(w, family.MinusDi);
  Add(w, family.Adx);
  Add(w, family.Adxr);
}
void RunVerticalHorizontalFilter(Workspace& w) {
  Add(w, VerticalHorizontalFilter(w.Quotes(), Period(w, "VHF")));
}
void RunVelmora(Workspace& w) {
  Add(w, Velmora(Bars(w), 12));
}
void RunEhlersFilter(Workspace& w) {
  // A stock without intraday data gets no series at all.
  if (const auto series = EhlersFilter(Bars(w))) Add(w, *series);
}
void RunWilliamsAccumulation(Workspace& w) {
  Add(w, WilliamsAccumulation(Bars(w)));
}
void RunWilliamsR(Workspace& w) {
  Add(w, WilliamsR(Bars(w), Period(w, "WD")));
}
void RunDisparityIndex(Workspace& w) {
  Add(w, DisparityIndex(Bars(w)));
}
void RunIrm(Workspace& w) {
  Add(w, Irm(Bars(w)));
}
void RunMassIndex(Workspace& w) {
  Add(w, MassIndex(Bars(w)));
}
void RunBalanceOfPower(Workspace& w) {
  Add(w, BalanceOfPower(Bars(w)));
}
void RunSupport(Workspace& w) {
  Add(w, Support(Bars(w)));
}
void RunTrix(Workspace& w) {
  Add(w, Trix(Bars(w), Period(w, "TR")));
}
void RunEldersForceIndex(Workspace& w) {
  Add(w, EldersForceIndex(Bars(w)));
}
void RunArmsEaseOfMovement(Workspace& w) {
  Add(w, ArmsEaseOfMovement(Bars(w)));
}
void RunDirectionTrend(Workspace& w) {
  const DirectionTrend pair = ComputeDirectionTrend(Bars(w));
  Add(w, pair.Direction);
  Add(w, pair.TrendDetection);
}
void RunAroonUp(Workspace& w) {
  Add(w, AroonUp(Bars(w), Period(w, "Ar")));
}
void RunAroonDown(Workspace& w) {
  Add(w, AroonDown(Bars(w), Period(w, "Ar")));
}
void RunAroonOscillator(Workspace& w) {
  Add(w, AroonOscillator(Bars(w), Period(w, "Ar")));
}
void RunMacd(Workspace& w) {
  const Macd macd = ComputeMacd(Bars(w), Period(w, "M26"), Period(w, "M12"), Period(w, "M9"));
  Add(w, macd.Line);
  Add(w, macd.Signal);
}
void RunCci(Workspace& w) {
  Add(w, Cci(Bars(w), Period(w, "CCI")));
}
void RunCmo(Workspace& w) {
  Add(w, Cmo(Bars(w), 14));
}
void RunMoneyFlowIndex(Workspace& w) {
  Add(w, MoneyFlowIndex(Bars(w), Period(w, "MFI")));
}
void RunStochRsi(Workspace& w) {
  Add(w, StochRsi(Bars(w), Period(w, "ERSI")));
}
void RunRsi(Workspace& w) {
  Add(w, Rsi(Bars(w), Period(w, "ERSI")));
}
void RunOnBalanceVolume(Workspace& w) {
  Add(w, OnBalanceVolume(Bars(w)));
}
void RunSar(Workspace& w) {
  Add(w,
      Sar(Bars(w), static_cast<Single>(w.Prefs.Number("EP1")),
          static_cast<Single>(w.Prefs.Number("EP2")), static_cast<Single>(w.Prefs.Number("EP3"))));
}
void RunAverages(Workspace& w) {
  ComputeAverages(w);
}
void RunBands(Workspace& w) {
  ComputeBands(w);
}

constexpr CatalogueEntry Catalogue[] = {
    {"Center of Gravity", "Center of Gravity", "center of gravity", "period 9", "", "10",
     RunCenterOfGravity},
    {"Positive Volume Index", "Positive Volume Index", "positive volume index", "none", "", "3",
     RunPositiveVolumeIndex},
    {"Negative Volume Index", "Negative Volume Index", "negative volume index", "none", "", "2",
     RunNegativeVolumeIndex},
    {"Intraday Volatility", "Intraday Volatility", "intraday volatility", "IV (14)", "0", "n",
     RunIntradayVolatility},
    {"Elliot Oscillator", "Elliot Oscillator", "elliot oscillator", "5 and 34", "", "34",
     RunElliotOscillator},
    {"Detrended Price Oscillator", "Detrended Price Oscillator", "detrended price oscillator",
     "period 20", "0", "31", RunDetrendedPriceOscillator},
    {"TVI", "TVI", "tvi", "threshold 4 %", "0", "2", RunTvi},
    {"Price-Volume Rank", "Price-Volume Rank", "price-volume rank", "none", "", "2",
     RunPriceVolumeRank},
    {"Sine Weighted Moving Average", "Sine Weighted Moving Average", "sine weighted moving average",
     "5 bars", "", "5", RunSineWeightedMovingAverage},
    {"Stochastic %K", "Stochastic %K", "stochastic %k", "StK (13)", "20;80", "n", RunStochasticK},
    {"Stochastic %D", "Stochastic %D", "stochastic %d", "StK (13), StD (9)", "20;80", "n + m - 1",
     RunStochasticD},
    {"Average True Range", "Average True Range", "average true range", "ATR (28)", "", "n + 2",
     RunAverageTrueRange},
    {"Trend Analysis Index", "Trend Analysis Index", "trend analysis index", "28 and 5", "", "32",
     RunTrendAnalysisIndex},
    {"McGinley Dynamic", "McGinley Dynamic", "mcginley dynamic", "period 12", "", "14",
     RunMcGinleyDynamic},
    {"Coppock Curve", "Coppock Curve", "coppock curve", "22, 250 and 150", "", "272",
     RunCoppockCurve},
    {"Ultimate Oscillator", "Ultimate Oscillator", "ultimate oscillator", "7, 14 and 28", "", "30",
     RunUltimateOscillator},
    {"ADXR", "ADXR", "adxr", "period 14", "23", "43", RunDirectionalMovement},
    {"ADX", "ADX", "adx", "period 14", "23", "28", RunDirectionalMovement},
    {"DI+", "DI+", "di+", "period 14", "0", "15", RunDirectionalMovement},
    {"DI-", "DI-", "di-", "period 14", "0", "15", RunDirectionalMovement},
    {"Vertical Horizontal Filter", "Vertical Horizontal Filter", "vertical horizontal filter",
     "VHF (28)", "0.35", "n + 1", RunVerticalHorizontalFilter},
    {"Velmora", "Velmora", "velmora", "period 12", "0", "13", RunVelmora},
    {"Ehlers Filter", "Ehlers Filter", "ehlers filter", "5 and 15", "", "20", RunEhlersFilter},
    {"William's A/D", "William's A/D", "william's a/d", "none", "", "2", RunWilliamsAccumulation},
    {"William's %R", "William's %R", "william's %r", "WD (14)", "-20;-80", "n", RunWilliamsR},
    {"Disparity Index", "Disparity Index", "disparity index", "period 13", "", "13",
     RunDisparityIndex},
    {"IRM", "IRM", "irm", "period 15", "", "15", RunIrm},
    {"Mass Index", "Mass Index", "mass index", "9 and 25", "26.5;27", "26", RunMassIndex},
    {"Balance of Power", "Balance of Power", "balance of power", "none", "", "1",
     RunBalanceOfPower},
    {"Support", "Support", "support", "9-bar window", "", "16", RunSupport},
    {"TRIX", "TRIX", "trix", "TR (12)", "0", "3n", RunTrix},
    {"Elder's Force Index", "Elder's Force Index", "elder's force index", "period 2", "0", "2",
     RunEldersForceIndex},
    {"Arms Ease of Movement", "Arms Ease of Movement", "arms ease of movement", "none", "0", "2",
     RunArmsEaseOfMovement},
    {"Direction Indicator", "Direction Indicator", "direction indicator", "19 and 40", "0", "40",
     RunDirectionTrend},
    {"Trend Detection Index", "Trend Detection Index", "trend detection index", "19, 20 and 40",
     "0", "60", RunDirectionTrend},
    {"Aroon Up", "Aroon Up", "aroon up", "Ar (9)", "", "n + 1", RunAroonUp},
    {"Aroon Down", "Aroon Down", "aroon down", "Ar (9)", "", "n + 1", RunAroonDown},
    {"Aroon Oscillator", "Aroon Oscillator", "aroon oscillator", "Ar (9)", "", "n + 1",
     RunAroonOscillator},
    {"MACD", "MACD", "macd", "M26 (26), M12 (12), M9 (9)", "0", "1", RunMacd},
    {"MACD MA", "MACDMA", "macdma", "M26 (26), M12 (12), M9 (9)", "", "1", RunMacd},
    {"CCI", "CCI", "cci", "CCI (20)", "0;-100;100", "n", RunCci},
    {"CMO", "CMO", "cmo", "period 14", "0", "16", RunCmo},
    {"Money Flow Index", "Money Flow Index", "money flow index", "MFI (14)", "", "n",
     RunMoneyFlowIndex},
    {"StochRSI", "StochRSI", "stochrsi", "ERSI (12)", "50", "2n + 2", RunStochRsi},
    {"RSI", "RSI", "rsi", "ERSI (12)", "20;80", "n + 1", RunRsi},
    {"On Balance Volume", "On Balance Volume", "on balance volume", "none", "", "2",
     RunOnBalanceVolume},
    {"", "SAR", "sar", "EP1 (0.02), EP2 (0.02), EP3 (0.4)", "", "3", RunSar},
    {"", "sma, lma", " ma", "EMCT (21), MAT1, EMLT (51), MAT2", "", "n", RunAverages},
    {"", "bollh, bolll", " boll", "EBoll (20)", "", "n", RunBands},
};

}  // namespace

std::span<const CatalogueEntry> IndicatorCatalogue() {
  return Catalogue;
}

const CatalogueEntry* FindCatalogueEntry(std::string_view key) {
  for (const CatalogueEntry& entry : Catalogue)
    if (entry.Key == key) return &entry;
  return nullptr;
}

}  // namespace chartorium

// The chart window's two steps on a 1600 x 1000 picture: preparing the frame
// (scale, overlays, studies, the panes' layout, a trading system's run) and
// one full repaint of a prepared frame: the price pane with candles, both
// moving averages, the Bollinger bands and the parabolic SAR, and three
// indicator panes of two series each.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "chart/ChartFrame.h"
#include "chart/IndicatorPanes.h"
#include "chart/render/IndicatorPane.h"
#include "chart/render/PricePane.h"
#include "chart/render/RenderText.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"
#include "support/BenchLibrary.h"

namespace chartorium {
namespace {

constexpr int Width = 1600;
constexpr int Height = 1000;
constexpr int PaneHeight = 99;
constexpr int PriceHeight = Height - 3 * (PaneHeight + 1);

// A workspace holding 2001 wandering daily bars with every field filled.
std::unique_ptr<Workspace> FullStock() {
  auto workspace = std::make_unique<Workspace>(std::filesystem::temp_directory_path());
  QuoteStore& store = workspace->Quotes();
  unsigned state = 2024;
  double close = 40;
  for (int p = 1; p <= MaxQuotes; ++p) {
    state = state * 1103515245u + 12345u;
    const double open = close;
    close = std::max(5.0, close + static_cast<double>((state >> 16) % 2001) / 1000.0 - 1.0);
    QuoteRecord& bar = store.BarSeries[static_cast<size_t>(p)];
    bar.Date = 40000 + p + 2 * (p / 5);  // five trading days a week
    bar.Open = static_cast<Single>(open);
    bar.Close = static_cast<Single>(close);
    bar.High = static_cast<Single>(std::max(open, close) + ((state >> 8) % 7) / 10.0);
    bar.Low = static_cast<Single>(std::min(open, close) - ((state >> 4) % 5) / 10.0);
    bar.Volume = static_cast<int>(1000 + (state >> 12) % 5000);
  }
  store.BarCount = MaxQuotes;
  return workspace;
}

// The chart of the newest `visible` bars, its three panes' values gathered
// as the chart window gathers them when the stock is opened.
struct BenchChart {
  std::unique_ptr<Workspace> Space = FullStock();
  IndicatorPaneData Panes;
  ChartFrameOptions Options;
  DateLocale Locale;
  QImage Image{Width, Height, QImage::Format_RGB32};

  explicit BenchChart(int visible) {
    QuoteStore& store = Space->Quotes();
    store.VisibleBarCount = visible;
    store.FirstVisibleBar = store.BarCount;
    Space->Prefs.SetFlag("CBY", true);
    Space->Prefs.SetFlag("CBY2", true);
    Space->Prefs.SetFlag("ChHi", true);
    IndicatorSlots& paneSlots = Space->OpenStockSettings.Slots;
    paneSlots[0] = {"MACD;MACD MA", "1;0", "255;16711680", "1;1"};
    paneSlots[2] = {"RSI;Stochastic %K", "1;1", "32768;8388736", "1;2"};
    paneSlots[4] = {"ADX;ADXR", "1;1", "128;32896", "1;1"};
    Panes = RefreshPanes(*Space);

    Image.setDotsPerMeterX(3780);  // 96 dpi, as on screen
    Image.setDotsPerMeterY(3780);
    PriceChartOptions& chart = Options.Chart;
    chart.Buttons.Type = ChartType::Candles;
    chart.Buttons.Overlays = {true, true, true};
    chart.Buttons.ParabolicSar = true;
    chart.Caption = "Bench";
    chart.Ticker = "BNCH";
    Options.Layout.Price = {0, 0, Width, PriceHeight};
    for (int pane = 0; pane < PaneCount; ++pane)
      Options.Layout.Panes[static_cast<size_t>(pane)] = {
          0, PriceHeight + 1 + pane * (PaneHeight + 1), Width, PaneHeight};
    Options.Text = MeasureChartText(Image, Space->Prefs.Text("BFon"));
  }

  ChartFrame Prepare() { return PrepareChartFrame(*Space, Panes, Locale, Options); }
};

void PrepareFrame(benchmark::State& state) {
  BenchChart chart(static_cast<int>(state.range(0)));
  if (state.range(1) != 0) chart.Options.Chart.SystemText = DemoMacroText("Signals/MA Crossover");
  chart.Prepare();  // the averages, bands and SAR enter the cache the first time
  for (auto _ : state) benchmark::DoNotOptimize(chart.Prepare());
  state.SetLabel(std::to_string(state.range(0)) + " bars" +
                 (state.range(1) != 0 ? ", MA Crossover" : ""));
}
BENCHMARK(PrepareFrame)
    ->Args({500, 0})
    ->Args({MaxQuotes, 0})
    ->Args({500, 1})
    ->Unit(benchmark::kMillisecond);

void FullRepaint(benchmark::State& state) {
  BenchChart chart(static_cast<int>(state.range(0)));
  const ChartFrame frame = chart.Prepare();
  for (auto _ : state) {
    QPainter painter(&chart.Image);
    DrawPricePane(painter, frame);
    for (int pane = 1; pane <= PaneCount; ++pane) DrawIndicatorPane(painter, frame, pane);
    benchmark::DoNotOptimize(chart.Image.constBits());
  }
  state.SetLabel(std::to_string(state.range(0)) + " bars");
}
BENCHMARK(FullRepaint)->Arg(500)->Arg(MaxQuotes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chartorium

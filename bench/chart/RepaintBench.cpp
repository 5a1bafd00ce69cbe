// One full repaint of the chart window: the price pane with candles, both
// moving averages, the Bollinger bands and the parabolic SAR, and three
// indicator panes of two series each, into a 1600 x 1000 picture.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "chart/IndicatorPanes.h"
#include "chart/render/IndicatorPane.h"
#include "chart/render/PricePane.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"

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

void FullRepaint(benchmark::State& state) {
  const auto workspace = FullStock();
  QuoteStore& store = workspace->Quotes();
  store.VisibleBarCount = static_cast<int>(state.range(0));
  store.FirstVisibleBar = store.BarCount;  // the newest bars, as when a stock is opened
  workspace->Prefs.SetFlag("CBY", true);
  workspace->Prefs.SetFlag("CBY2", true);
  workspace->Prefs.SetFlag("ChHi", true);

  PriceChartOptions options;
  options.Buttons.Type = ChartType::Candles;
  options.Buttons.Overlays = {true, true, true};
  options.Buttons.ParabolicSar = true;
  options.Caption = "Bench";
  options.Ticker = "BNCH";
  IndicatorSlots& paneSlots = workspace->OpenStockSettings.Slots;
  paneSlots[0] = {"MACD;MACD MA", "1;0", "255;16711680", "1;1"};
  paneSlots[2] = {"RSI;Stochastic %K", "1;1", "32768;8388736", "1;2"};
  paneSlots[4] = {"ADX;ADXR", "1;1", "128;32896", "1;1"};
  // The panes' values come from the cache, filled once here as the chart
  // window fills it when the stock is opened.
  const IndicatorPaneData panes = RefreshPanes(*workspace);
  const DateLocale locale;

  QImage image(Width, Height, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi, as on screen
  image.setDotsPerMeterY(3780);
  const auto paint = [&] {
    QPainter painter(&image);
    const ChartScale scale =
        DrawPricePane(painter, *workspace, options, locale, {0, 0, Width, PriceHeight});
    for (int pane = 1; pane <= PaneCount; ++pane)
      DrawIndicatorPane(painter, *workspace, panes, scale, 0,
                        PriceHeight + 1 + (pane - 1) * (PaneHeight + 1), SlotOfPane(pane), Width,
                        PaneHeight);
  };
  paint();  // the averages, bands and SAR enter the cache on the first paint
  for (auto _ : state) {
    paint();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetLabel(std::to_string(store.VisibleBarCount) + " bars");
}
BENCHMARK(FullRepaint)->Arg(500)->Arg(MaxQuotes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chartorium

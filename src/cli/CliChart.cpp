// chartorium-cli chart: the price chart of a stock as a picture.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdlib>
#include <memory>
#include <ostream>

#include "chart/ChartButtons.h"
#include "chart/render/PricePane.h"
#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/DateLocale.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium::cli {
namespace {

struct OverlayName {
  std::string_view Name;
  bool ChartButtons::*Flag;
};

constexpr OverlayName OverlayNames[] = {
    {"speed", &ChartButtons::SpeedResistance},
    {"quadrant", &ChartButtons::Quadrant},
    {"fibtime", &ChartButtons::FibonacciTimeZones},
    {"fibretr", &ChartButtons::FibonacciRetracements},
    {"fibfan", &ChartButtons::FibonacciFans},
    {"sr", &ChartButtons::SupportResistance},
    {"sar", &ChartButtons::ParabolicSar},
};

// Sets the overlays of a list such as "boll,sma,sar"; false for an unknown name.
bool SetOverlays(CliContext& context, ChartButtons& buttons, const std::string& list) {
  buttons.Overlays = {};
  for (const OverlayName& overlay : OverlayNames) buttons.*overlay.Flag = false;
  for (int i = 1;; ++i) {
    const std::string name = FieldOf(list, i, ",");
    if (name.empty()) return true;
    if (name == "boll") {
      buttons.Overlays.BollingerBands = true;
    } else if (name == "sma") {
      buttons.Overlays.ShortAverage = true;
    } else if (name == "lma") {
      buttons.Overlays.LongAverage = true;
    } else if (name == "zigzag") {
      buttons.Type = ChartType::ZigZag;
    } else {
      bool known = false;
      for (const OverlayName& overlay : OverlayNames) {
        if (overlay.Name != name) continue;
        buttons.*overlay.Flag = true;
        known = true;
      }
      if (!known) {
        context.Err << "chartorium-cli chart: unknown overlay '" << name << "'\n";
        return false;
      }
    }
  }
}

bool SetType(CliContext& context, ChartButtons& buttons, const std::string& type) {
  if (type == "line")
    buttons.Type = ChartType::Line;
  else if (type == "bar")
    buttons.Type = ChartType::Bars;
  else if (type == "candle")
    buttons.Type = ChartType::Candles;
  else {
    context.Err << "chartorium-cli chart: unknown type '" << type << "' (line, bar or candle)\n";
    return false;
  }
  return true;
}

// The process needs a Gui application for fonts; without a display it draws off-screen.
void EnsureGuiApplication(std::unique_ptr<QGuiApplication>& app) {
  if (QGuiApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "chartorium-cli";
  static char* argv[] = {name, nullptr};
  app = std::make_unique<QGuiApplication>(argc, argv);
}

int RunChart(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--out",      "--size", "--type",
                                         "--overlays", "--bars", "--period"};
  const CliArgs parsed(args, Valued, {});
  if (!parsed.Error().empty() || parsed.Positionals().size() != 1 || !parsed.Value("--out")) {
    context.Err << "chartorium-cli chart: "
                << (parsed.Error().empty() ? "expected one stock name and --out FILE"
                                           : parsed.Error())
                << " (see chart --help)\n";
    return ExitUsage;
  }
  int width = 1000, height = 600;
  if (const auto size = parsed.Value("--size")) {
    width = TextToInt(FieldOf(*size, 1, "x"));
    height = TextToInt(FieldOf(*size, 2, "x"));
    if (width < 100 || height < 100 || width > 10000 || height > 10000) {
      context.Err << "chartorium-cli chart: --size must be WxH, each 100..10000 pixels\n";
      return ExitUsage;
    }
  }
  const auto period = ParsePeriod(context, parsed.Value("--period").value_or("daily"));
  if (!period) return ExitUsage;

  Workspace workspace(context.Home);
  if (!LoadCliPreferences(context, workspace)) return ExitFailed;
  const auto quorex = IniFile::Load(ResolveFileName(context.Home, "Quorex.ini"));
  PriceChartOptions options;
  if (quorex) options.Buttons = LoadChartButtons(*quorex);
  if (const auto type = parsed.Value("--type"); type && !SetType(context, options.Buttons, *type))
    return ExitUsage;
  if (const auto list = parsed.Value("--overlays");
      list && !SetOverlays(context, options.Buttons, *list))
    return ExitUsage;
  const std::string stock = parsed.Positionals()[0];
  if (const int loaded = LoadCliStock(context, workspace, stock, *period); loaded != ExitOk)
    return loaded;
  QuoteStore& store = workspace.Quotes();
  if (store.BarCount < 2) {
    context.Err << "chartorium-cli chart: '" << stock << "' has fewer than two bars to draw\n";
    return ExitFailed;
  }
  store.VisibleBarCount =
      std::max(1, TextToInt(parsed.Value("--bars").value_or(workspace.Prefs.Text("ENbD"))));
  store.FirstVisibleBar = store.BarCount;  // the newest bars, as when a stock is opened
  options.Caption = store.StockName;
  options.Ticker = workspace.OpenStockSettings.Properties.Tick;

  std::unique_ptr<QGuiApplication> app;
  EnsureGuiApplication(app);
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi, as on screen
  image.setDotsPerMeterY(3780);
  {
    QPainter painter(&image);
    DrawPricePane(painter, workspace, options, DateLocale{}, {0, 0, width, height});
  }
  const std::string out = *parsed.Value("--out");
  if (!image.save(QString::fromStdString(out), nullptr, 92)) {
    context.Err << "chartorium-cli chart: cannot write '" << out
                << "' (the name must end in .png or .jpg)\n";
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace

extern const CliCommand ChartCommand;
constexpr CliCommand ChartCommand{
    "chart", "draw a stock's price chart as a PNG or JPEG picture",
    "usage: chartorium-cli chart STOCK --out FILE.png|FILE.jpg [--size WxH]\n"
    "           [--type line|bar|candle] [--overlays boll,sma,lma,sar,zigzag,quadrant]\n"
    "           [--bars N] [--period daily|weekly|monthly]\n"
    "\n"
    "Draws the price pane of STOCK with the current preferences, the newest N bars\n"
    "(default: the preference \"Plot on ... bars\"). The chart type and overlays default to\n"
    "the chart window's buttons in Quorex.ini. The picture's format follows the file name.\n",
    RunChart};

}  // namespace chartorium::cli

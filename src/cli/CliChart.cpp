// chartorium-cli chart: the price chart of a stock as a picture.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>

#include "chart/ChartButtons.h"
#include "chart/ChartFrame.h"
#include "chart/ChartView.h"
#include "chart/IndicatorPanes.h"
#include "chart/render/ChartPicture.h"
#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/Cp1252.h"
#include "core/DateLocale.h"
#include "core/DateTexts.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "core/TextHelpers.h"
#include "core/Version.h"
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

// "RSI;MACD|Volume": panes separated by "|", the indicators of a pane by ";".
bool SetPanes(CliContext& context, Workspace& workspace, const std::string& text) {
  for (IndicatorSlot& slot : workspace.OpenStockSettings.Slots) slot = IndicatorSlot{};
  for (int pane = 1; pane <= PaneCount + 1; ++pane) {
    const std::string group = FieldOf(text, pane, "|");
    if (group.empty()) return true;
    if (pane > PaneCount) {
      context.Err << "chartorium-cli chart: at most " << PaneCount << " indicator panes\n";
      return false;
    }
    for (int k = 1;; ++k) {
      const std::string name = FieldOf(group, k, ";");
      if (name.empty()) break;
      const PaneEdit edit =
          k == 1 ? AddIndicatorPane(workspace, name) : AppendToPane(workspace, pane, name);
      if (edit != PaneEdit::Done) {
        context.Err << "chartorium-cli chart: '" << name << "' is already in a pane\n";
        return false;
      }
    }
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
  constexpr std::string_view Valued[] = {"--out",  "--size",   "--type",  "--overlays",
                                         "--bars", "--period", "--panes", "--system"};
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
  Workspace workspace(context.Home);
  const std::string stock = parsed.Positionals()[0];
  if (const int opened = OpenCliStock(context, workspace, stock, parsed); opened != ExitOk)
    return opened;
  const auto quorex = IniFile::Load(ResolveFileName(context.Home, "Quorex.ini"));
  PriceChartOptions options;
  if (quorex) options.Buttons = LoadChartButtons(*quorex);
  if (const auto type = parsed.Value("--type"); type && !SetType(context, options.Buttons, *type))
    return ExitUsage;
  if (const auto list = parsed.Value("--overlays");
      list && !SetOverlays(context, options.Buttons, *list))
    return ExitUsage;
  QuoteStore& store = workspace.Quotes();
  if (store.BarCount < 2) {
    context.Err << "chartorium-cli chart: '" << stock << "' has fewer than two bars to draw\n";
    return ExitFailed;
  }
  store.VisibleBarCount =
      std::max(1, TextToInt(parsed.Value("--bars").value_or(workspace.Prefs.Text("ENbD"))));
  store.FirstVisibleBar = store.BarCount;  // the newest bars, as when a stock is opened
  const std::optional<std::string> system = parsed.Value("--system");
  if (system) {
    const auto text = ReadWholeFile(ResolveFileName(context.Home, "Signals/" + *system));
    if (!text) {
      context.Err << "chartorium-cli chart: no trading system '" << *system << "' in "
                  << (context.Home / "Signals").string() << "\n";
      return ExitUsage;
    }
    options.SystemText = Cp1252ToUtf8(*text);
  }
  options.Caption = store.StockName;
  options.Ticker = workspace.OpenStockSettings.Properties.Tick;

  if (const auto panes = parsed.Value("--panes"); panes && !SetPanes(context, workspace, *panes))
    return ExitUsage;

  std::unique_ptr<QGuiApplication> app;
  EnsureGuiApplication(app);
  const IndicatorPaneData panes = RefreshPanes(workspace);
  ClampView(store);
  ChartPictureLayout layout;
  layout.Width = width;
  const DateLocale locale;
  layout.Footer =
      std::string(ProductTitle) + " - " + store.StockName + " - " +
      DateText(store.BarSeries[static_cast<size_t>(store.FirstVisibleBar)].Date, locale) + " to " +
      DateText(store.BarSeries[static_cast<size_t>(store.BarCount)].Date, locale);
  // The panes take a fifth of the picture each; the price pane the rest.
  const int paneHeight = std::max(60, height / 5);
  layout.PaneHeights = {paneHeight, paneHeight, paneHeight};
  layout.PriceHeight = height;
  const int extra = ChartPictureHeight(layout, panes.Visible) - height;
  layout.PriceHeight = height - extra;
  if (layout.PriceHeight < 100) {
    context.Err << "chartorium-cli chart: --size is too small for the indicator panes\n";
    return ExitUsage;
  }
  ChartFrameOptions frameOptions;
  frameOptions.Chart = options;
  frameOptions.Layout = PictureChartLayout(layout, panes.Visible);
  frameOptions.Text = PictureTextHeights(workspace.Prefs.Text("BFon"));
  const ChartFrame frame = PrepareChartFrame(workspace, panes, locale, frameOptions);
  // Script errors are reported as the script host lays them out; the picture
  // is still written, without the failed system's signals.
  MacroStatus script = panes.Script;
  if (frame.SystemFailure) script.Fail(*frame.SystemFailure);
  const bool failed = PrintScriptErrors(context, script);
  const QImage image = DrawChartPicture(frame, layout);
  const std::string out = *parsed.Value("--out");
  if (!image.save(QString::fromStdString(out), nullptr, 92)) {
    context.Err << "chartorium-cli chart: cannot write '" << out
                << "' (the name must end in .png or .jpg)\n";
    return ExitFailed;
  }
  return failed ? ExitFailed : ExitOk;
}

}  // namespace

extern const CliCommand ChartCommand;
constexpr CliCommand ChartCommand{
    "chart", "draw a stock's price chart as a PNG or JPEG picture",
    "usage: chartorium-cli chart STOCK --out FILE.png|FILE.jpg [--size WxH]\n"
    "           [--type line|bar|candle] [--overlays boll,sma,lma,sar,zigzag,quadrant]\n"
    "           [--panes \"RSI;MACD|Volume\"] [--bars N] [--period daily|weekly|monthly]\n"
    "           [--system NAME]\n"
    "\n"
    "Draws the price pane of STOCK, the indicator panes (\"|\" between panes, \";\"\n"
    "between the indicators of a pane; default: the stock's own panes) and a footer\n"
    "line, with the current preferences and the newest N bars\n"
    "(default: the preference \"Plot on ... bars\"). The chart type and overlays default to\n"
    "the chart window's buttons in Quorex.ini. With --system, the trading system\n"
    "Signals/NAME runs over the bars and its signals are drawn; a script error of\n"
    "the system is printed on stderr with its line, writes no picture and exits\n"
    "with 1. The picture's format follows the file name.\n",
    RunChart};

}  // namespace chartorium::cli

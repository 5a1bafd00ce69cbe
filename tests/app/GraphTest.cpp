#include "chart/ui/Graph.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <string>

#include "chart/ChartScale.h"
#include "chart/render/ChartPicture.h"
#include "chart/render/Colours.h"
#include "chart/ui/ChartArea.h"
#include "chart/ui/IndicatorsList.h"
#include "core/Calendar.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/DateTexts.h"
#include "core/RebuildBars.h"
#include "core/SafeFile.h"
#include "core/Workspace.h"
#include "macro/MacroHosts.h"
#include "macro/MacroState.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

// 300 working days from Monday 2 January 2023, with 100 of them in view.
class ChartWindow : public ::testing::Test {
 protected:
  ChartWindow() {
    QuoteStore& store = workspace->Quotes();
    int day = DayNumber(2023, 1, 2);
    for (int i = 1; i <= 300; ++i, ++day) {
      while (DayOfWeek(day) == 1 || DayOfWeek(day) == 7) ++day;
      QuoteRecord& q = store.QuoteArray[static_cast<size_t>(i)];
      q.Date = day;
      q.Close = 50 + (i % 20) * 0.5f;
      q.Open = q.Close - 0.25f;
      q.Low = q.Close - 1;
      q.High = q.Close + 1;
      q.Volume = 1000 + i;
    }
    store.QuoteCount = 300;
    store.StockName = workspace->ChartCaption = "Acme";
    RebuildBars(*workspace);
    store.VisibleBarCount = 100;
    store.FirstVisibleBar = store.BarCount;
  }

  std::unique_ptr<Graph> Start() {
    auto graph = std::make_unique<Graph>(*workspace, dialogs, locale, clock, nullptr);
    graph->resize(1200, 800);
    graph->ShowChart();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(graph.get()));
    Paint(*graph);
    return graph;
  }
  // The panes draw (and take their scale) when they paint.
  static void Paint(Graph& graph) {
    for (int pane = 0; pane <= 3; ++pane)
      if (graph.Chart()->Pane(pane)->isVisible()) graph.Chart()->Pane(pane)->grab();
  }
  static void Mouse(QWidget* pane, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, pane->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pane, &event);
  }
  // The x of the middle of visible bar offset `offset`.
  static int SlotCentre(const Graph& graph, int offset) {
    const ChartScale& scale = graph.Chart()->Scale();
    return scale.PlotLeft + static_cast<int>((offset + 0.5) * scale.BarWidth);
  }
  static QString DataWindow(const Graph& graph) {
    return graph.findChild<QPlainTextEdit*>("MDatas")->toPlainText();
  }
  std::string DateOfBar(int bar) const {
    return DateText(workspace->Quotes().BarSeries[static_cast<size_t>(bar)].Date, locale);
  }
  // A systems list of one system with that text.
  void WriteSystem(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(folder / "Signals");
    ASSERT_TRUE(WriteFileAtomically(folder / "Signals.dat", name + "\r\n").ok());
    ASSERT_TRUE(WriteFileAtomically(folder / "Signals" / name, text).ok());
  }
  static void ClickSystem(Graph& graph, int row) {
    auto* systems = graph.findChild<QListWidget*>("LSystems");
    QTest::mouseClick(systems->viewport(), Qt::LeftButton, {},
                      systems->visualItemRect(systems->item(row)).center());
  }
  int ErrorsShown() const {
    return static_cast<int>(std::count_if(dialogs.Messages.begin(), dialogs.Messages.end(),
                                          [](const auto& m) { return m.Kind == "error"; }));
  }

  testing::TempFolder folder;
  std::unique_ptr<Workspace> workspace = std::make_unique<Workspace>(folder.Path());
  testing::FakeDialogs dialogs;
  const DateLocale locale = LocaleFromPattern("dd/MM/yyyy");
  const FixedClock clock{DayNumber(2024, 6, 1)};
};

TEST_F(ChartWindow, ShowsTheStockWithTheNewestBars) {
  auto graph = Start();
  EXPECT_EQ(graph->windowTitle(), "Acme");
  EXPECT_EQ(workspace->Quotes().FirstVisibleBar, 201);
  EXPECT_TRUE(graph->findChild<QAction*>("BDaily")->isChecked());
  const auto* systems = graph->findChild<QListWidget*>("LSystems");
  ASSERT_GE(systems->count(), 1);
  EXPECT_EQ(systems->item(0)->text(), "None");
  EXPECT_EQ(systems->currentRow(), 0);
}

TEST_F(ChartWindow, ThePanesTakeTheirHeightsFromTheSettings) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Graph]\r\nIE1=110\r\nIE2=130\r\n").ok());
  workspace->OpenStockSettings.Slots[0] = {"RSI", "1", "255", "1"};
  workspace->OpenStockSettings.Slots[2] = {"CCI", "1", "255", "1"};
  auto graph = Start();
  EXPECT_EQ(graph->Chart()->Pane(1)->height(), 110);
  EXPECT_EQ(graph->Chart()->Pane(2)->height(), 130);
  const int price = graph->Chart()->Pane(0)->height();
  graph->resize(1200, 900);
  QCoreApplication::processEvents();
  EXPECT_EQ(graph->Chart()->Pane(1)->height(), 110) << "a larger window grows the price pane";
  EXPECT_EQ(graph->Chart()->Pane(2)->height(), 130);
  EXPECT_GT(graph->Chart()->Pane(0)->height(), price);
}

TEST_F(ChartWindow, ADoubleClickOnAnIndicatorAddsAPane) {
  auto graph = Start();
  EXPECT_FALSE(graph->Chart()->Pane(1)->isVisible());
  auto* list = graph->findChild<QListWidget*>("LIndic");
  const QList<QListWidgetItem*> found = list->findItems("RSI", Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  QTest::keyClicks(graph->findChild<QWidget*>("EFilter"), "macd");
  EXPECT_EQ(list->currentItem()->text(), "MACD") << "typing selects the first entry it starts";
  list->scrollToItem(found.front());
  // The view takes a double click on the item it was pressed on.
  const QPoint centre = list->visualItemRect(found.front()).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  EXPECT_EQ(workspace->OpenStockSettings.Slots[0].Names, "RSI");
  EXPECT_TRUE(graph->Chart()->Pane(1)->isVisible());
  EXPECT_TRUE(graph->Chart()->Panes().Visible[0]);
  EXPECT_FALSE(graph->Chart()->Pane(2)->isVisible());
}

TEST_F(ChartWindow, TheMarkerKeepsTheDataWindowWhileTheMouseMoves) {
  auto graph = Start();
  graph->findChild<QAction*>("BMarker")->setChecked(true);
  QWidget* price = graph->Chart()->Pane(0);
  const QPoint marked(SlotCentre(*graph, 10), price->height() / 2);
  Mouse(price, QEvent::MouseButtonPress, marked, Qt::LeftButton);
  Mouse(price, QEvent::MouseButtonRelease, marked, Qt::NoButton);
  ASSERT_EQ(workspace->Quotes().MarkerBar, 211);
  const QString marking = DataWindow(*graph);
  EXPECT_TRUE(marking.startsWith(QString::fromStdString("Date: " + DateOfBar(211))))
      << marking.toStdString();

  Mouse(price, QEvent::MouseMove, {SlotCentre(*graph, 60), 40}, Qt::NoButton);
  EXPECT_EQ(DataWindow(*graph), marking);
  EXPECT_EQ(workspace->Quotes().MarkerBar, 211);

  graph->findChild<QAction*>("BMarker")->setChecked(false);
  Mouse(price, QEvent::MouseMove, {SlotCentre(*graph, 60), 40}, Qt::NoButton);
  EXPECT_TRUE(DataWindow(*graph).startsWith(QString::fromStdString("Date: " + DateOfBar(261))));
}

TEST_F(ChartWindow, APeriodicitySwitchKeepsTheMarkedDay) {
  auto graph = Start();
  graph->findChild<QAction*>("BMarker")->setChecked(true);
  QWidget* price = graph->Chart()->Pane(0);
  const QPoint marked(SlotCentre(*graph, 30), price->height() / 2);
  Mouse(price, QEvent::MouseButtonPress, marked, Qt::LeftButton);
  ASSERT_EQ(workspace->Quotes().MarkerBar, 231);
  const double markedDay = workspace->Quotes().BarSeries[231].Date;

  graph->findChild<QAction*>("BWeekly")->trigger();
  QuoteStore& store = workspace->Quotes();
  ASSERT_EQ(store.Period, Periodicity::Weekly);
  EXPECT_GE(store.BarSeries[static_cast<size_t>(store.MarkerBar)].Date, markedDay);
  EXPECT_LT(store.BarSeries[static_cast<size_t>(store.MarkerBar - 1)].Date, markedDay);

  const double weekEnd = store.BarSeries[static_cast<size_t>(store.MarkerBar)].Date;
  graph->findChild<QAction*>("BDaily")->trigger();
  EXPECT_EQ(store.BarSeries[static_cast<size_t>(store.MarkerBar)].Date, weekEnd);
  EXPECT_EQ(store.FirstVisibleBar, store.MarkerBar - store.VisibleBarCount / 2);

  graph->close();  // hiding the window forgets the marker
  EXPECT_EQ(store.MarkerBar, 0);
}

TEST_F(ChartWindow, HoveringOverTheLastSlotOfAWindowNotFullShowsTheLastBar) {
  workspace->Prefs.Set("EAdd", "5");
  auto graph = Start();
  QWidget* price = graph->Chart()->Pane(0);
  const int lastSlot = graph->Chart()->Scale().PlotRight - 2;
  Mouse(price, QEvent::MouseMove, {lastSlot, 60}, Qt::NoButton);
  EXPECT_EQ(graph->findChild<QLabel*>("SBDate")->text().toStdString(), "Date: " + DateOfBar(300));
  EXPECT_TRUE(graph->findChild<QLabel*>("SBPrices")->text().startsWith("C: "));
  EXPECT_TRUE(graph->findChild<QLabel*>("SBValue")->text().startsWith("Y: "));
}

TEST_F(ChartWindow, SeekingADateBeforeTheFirstQuoteShowsBarOne) {
  auto graph = Start();
  dialogs.InputAnswers = {"31/13/2022", "1/1/2000"};
  graph->findChild<QAction*>("MSeek")->trigger();
  EXPECT_EQ(workspace->Quotes().FirstVisibleBar, 1);
  ASSERT_EQ(dialogs.Messages.size(), 3u);
  EXPECT_EQ(dialogs.Messages[1].Text, "The date format is invalid");
}

TEST_F(ChartWindow, ExportsTheChartWithItsPanesAsAJpegPicture) {
  workspace->OpenStockSettings.Slots[0] = {"RSI", "1", "255", "1"};
  workspace->OpenStockSettings.Slots[2] = {"Volume", "0", "65280", "1"};
  auto graph = Start();
  ASSERT_TRUE(graph->Chart()->Pane(2)->isVisible());
  const std::filesystem::path file = folder / "chart.jpg";
  ASSERT_TRUE(graph->ExportPicture(file).ok());
  QImage picture;
  ASSERT_TRUE(picture.load(QString::fromStdString(file.string()), "JPG"));
  ChartArea* chart = graph->Chart();
  ChartPictureLayout layout;
  layout.PriceHeight = chart->Pane(0)->height();
  layout.PaneHeights = {chart->Pane(1)->height(), chart->Pane(2)->height(), 0};
  EXPECT_EQ(picture.width(), chart->Pane(0)->width());
  EXPECT_EQ(picture.height(), ChartPictureHeight(layout, chart->Panes().Visible));
  EXPECT_GT(picture.height(), layout.PriceHeight + layout.PaneHeights[0] + layout.PaneHeights[1]);

  EXPECT_FALSE(graph->ExportPicture(folder / "missing" / "chart.jpg").ok());
}

// Right-clicks pane `pane` and answers its pop-up menu with the accelerator key.
void ChoosePaneCommand(Graph& graph, int pane, char key) {
  QTimer::singleShot(0, [key] {
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, key);
  });
  QWidget* target = graph.Chart()->Pane(pane);
  const QPoint at(target->width() / 2, target->height() / 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

TEST_F(ChartWindow, ThePanePopUpMenuRemovesAnIndicatorOrThePane) {
  workspace->OpenStockSettings.Slots[0] = {"RSI;CCI", "1;1", "255;65280", "1;1"};
  workspace->OpenStockSettings.Slots[2] = {"Volume", "0", "65280", "1"};
  auto graph = Start();
  ChoosePaneCommand(*graph, 1, 'r');
  auto* chooser = graph->findChild<QListWidget*>("IndicatorChooser");
  ASSERT_NE(chooser, nullptr) << "two indicators: the chooser asks which";
  EXPECT_EQ(chooser->windowTitle(), "Remove an indicator");
  ASSERT_EQ(chooser->count(), 2);
  emit chooser->itemDoubleClicked(chooser->item(0));
  EXPECT_EQ(workspace->OpenStockSettings.Slots[0].Names, "CCI");

  ChoosePaneCommand(*graph, 1, 'p');
  QCoreApplication::processEvents();
  // The emptied pane takes the indicators of the next one.
  EXPECT_EQ(workspace->OpenStockSettings.Slots[0].Names, "Volume");
  EXPECT_TRUE(graph->Chart()->Pane(1)->isVisible());
  EXPECT_FALSE(graph->Chart()->Pane(2)->isVisible());
}

void Drop(QWidget* pane, const QString& name) {
  QMimeData data;
  data.setData(IndicatorMimeType, name.toUtf8());
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(pane, &enter);
  ASSERT_TRUE(enter.isAccepted()) << "the pane takes indicators";
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(pane, &drop);
}

TEST_F(ChartWindow, DroppingAnIndicatorAddsAPaneOrJoinsOne) {
  auto graph = Start();
  const IndicatorSlots& panes = workspace->OpenStockSettings.Slots;
  Drop(graph->Chart()->Pane(0), "RSI");
  ASSERT_EQ(panes[0].Names, "RSI");
  ASSERT_TRUE(graph->Chart()->Pane(1)->isVisible());
  Drop(graph->Chart()->Pane(0), "RSI");
  EXPECT_EQ(panes[2].Names, "") << "a pane shows RSI alone already";
  Drop(graph->Chart()->Pane(1), "CCI");
  EXPECT_EQ(panes[0].Names, "RSI;CCI");
  EXPECT_EQ(panes[0].Colours, std::to_string(workspace->Prefs.Colour("C23")) + ";" +
                                  std::to_string(workspace->Prefs.Colour("C24")));
  Drop(graph->Chart()->Pane(0), "MACD");
  EXPECT_EQ(panes[2].Names, "MACD;MACD MA");
  EXPECT_TRUE(graph->Chart()->Pane(2)->isVisible());
  EXPECT_FALSE(graph->Chart()->Pane(3)->isVisible());
}

TEST_F(ChartWindow, AClickOnASystemShowsItsSignals) {
  std::filesystem::create_directories(folder / "Signals");
  ASSERT_TRUE(WriteFileAtomically(folder / "Signals.dat", "Cross\r\n").ok());
  ASSERT_TRUE(WriteFileAtomically(folder / "Signals" / "Cross", "Sub Main\r\nEnd Sub\r\n").ok());
  auto graph = Start();
  auto* systems = graph->findChild<QListWidget*>("LSystems");
  ASSERT_EQ(systems->count(), 2);
  workspace->Quotes().SystemError = true;
  const auto click = [&](int row) {
    QTest::mouseClick(systems->viewport(), Qt::LeftButton, {},
                      systems->visualItemRect(systems->item(row)).center());
  };
  click(1);
  EXPECT_EQ(graph->Chart()->Options().SystemText, "Sub Main\r\nEnd Sub\r\n");
  EXPECT_FALSE(workspace->Quotes().SystemError) << "a new choice gives the system another chance";
  click(0);
  EXPECT_EQ(graph->Chart()->Options().SystemText, "");
}

TEST_F(ChartWindow, AFailingSystemReportsItsErrorOnceNotAtEveryRepaint) {
  WriteSystem("Broken", "Sub Main\r\nBuy 250\r\nx = 1 / 0\r\nEnd Sub\r\n");
  auto graph = Start();
  ClickSystem(*graph, 1);
  ASSERT_EQ(ErrorsShown(), 1);
  EXPECT_NE(dialogs.Messages.back().Text.find("Division by zero"), std::string::npos)
      << dialogs.Messages.back().Text;
  EXPECT_NE(dialogs.Messages.back().Text.find("line:3"), std::string::npos);

  // Repaints, a scroll, a zoom and new pane sizes draw and prepare the chart again.
  for (int i = 0; i < 3; ++i) Paint(*graph);
  QTest::keyClick(graph->Chart()->Pane(0), Qt::Key_Left);
  graph->findChild<QAction*>("BZoomIn")->trigger();
  graph->resize(1100, 700);
  QCoreApplication::processEvents();
  Paint(*graph);
  EXPECT_EQ(ErrorsShown(), 1) << "the failure is reported once";
  EXPECT_FALSE(graph->Chart()->Frame().Price.Signals) << "its signals stay off";

  ClickSystem(*graph, 1);
  EXPECT_EQ(ErrorsShown(), 2) << "chosen again, the system runs again";
}

TEST_F(ChartWindow, APaintRunsNoSystem) {
  // The text's top level runs each time the system runs and counts the runs.
  WriteSystem("Counting", "Runs = Runs + 1\r\nSub Main\r\nBuy EndBar\r\nEnd Sub\r\n");
  auto graph = Start();
  ClickSystem(*graph, 1);
  ASSERT_TRUE(graph->Chart()->Frame().Price.Signals);
  const auto runs = [&] {
    return workspace->Macros.Tester(*workspace).Variable("CStr(Runs)").AsString();
  };
  const std::string chosen = runs();
  for (int i = 0; i < 3; ++i) Paint(*graph);
  graph->Chart()->Pane(0)->repaint();
  EXPECT_EQ(runs(), chosen);

  graph->findChild<QAction*>("BZoomOut")->trigger();
  EXPECT_EQ(runs(), std::to_string(std::stoi(chosen) + 1)) << "a new view runs it again";
}

TEST_F(ChartWindow, TheCrossHairAndTheMarkerLineAreDrawnOverThePanes) {
  workspace->OpenStockSettings.Slots[0] = {"RSI", "1", "255", "1"};
  auto graph = Start();
  ChartArea* chart = graph->Chart();
  const ChartScale& scale = chart->Scale();
  const int y = static_cast<int>((scale.PlotTop + scale.PlotBottom) / 2);
  graph->findChild<QAction*>("BCross")->setChecked(true);
  Mouse(chart->Pane(0), QEvent::MouseMove, {SlotCentre(*graph, 40), y}, Qt::NoButton);
  const QImage cross = chart->Pane(0)->grab().toImage();
  int black = 0;
  for (int x = scale.PlotLeft; x < scale.PlotRight; ++x)
    black += cross.pixelColor(x, y) == Qt::black;
  EXPECT_GT(black, (scale.PlotRight - scale.PlotLeft) * 9 / 10);
  EXPECT_EQ(cross.pixelColor(SlotCentre(*graph, 40), static_cast<int>(scale.PlotTop) + 3),
            Qt::black);

  graph->findChild<QAction*>("BMarker")->setChecked(true);
  EXPECT_FALSE(graph->findChild<QAction*>("BCross")->isChecked()) << "the two exclude each other";
  Mouse(chart->Pane(0), QEvent::MouseButtonPress, {SlotCentre(*graph, 20), y}, Qt::LeftButton);
  const QColor marker = ToQColor(workspace->Prefs.Colour("C22"));
  const QImage pane = chart->Pane(1)->grab().toImage();
  const int x = SlotCentre(*graph, 20);
  for (const int paneY : {1, pane.height() / 2, pane.height() - 2})
    EXPECT_EQ(pane.pixelColor(x, paneY), marker) << paneY;
}

TEST_F(ChartWindow, HoldingAScrollButtonMovesTheChartUntilReleased) {
  auto graph = Start();
  auto* left = graph->findChild<QToolButton*>("BLeft");
  auto* right = graph->findChild<QToolButton*>("BRight");
  EXPECT_FALSE(right->isEnabled()) << "the newest bars are in view";
  QTest::mousePress(left, Qt::LeftButton);
  QTest::qWait(150);
  QTest::mouseRelease(left, Qt::LeftButton);
  const int first = workspace->Quotes().FirstVisibleBar;
  EXPECT_LT(first, 201);
  EXPECT_TRUE(right->isEnabled());
  QTest::qWait(100);
  EXPECT_EQ(workspace->Quotes().FirstVisibleBar, first) << "released: the chart stays";
}

TEST_F(ChartWindow, TheArrowKeysScrollFromAnyControl) {
  auto graph = Start();
  graph->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(graph.get()));
  QWidget* filter = graph->findChild<QWidget*>("EFilter");
  filter->setFocus();
  QTest::keyPress(filter, Qt::Key_Left);
  QTest::keyRelease(filter, Qt::Key_Left);
  EXPECT_EQ(workspace->Quotes().FirstVisibleBar, 198);
}

TEST_F(ChartWindow, TheSettingsRoundTripThroughQuorexIni) {
  GraphSettings changed;
  {
    auto graph = Start();
    graph->findChild<QAction*>("BCandles")->setChecked(true);
    graph->findChild<QAction*>("BBollinger")->setChecked(false);
    graph->findChild<QAction*>("BSar")->setChecked(true);
    graph->findChild<QAction*>("BMarker")->setChecked(true);
    graph->resize(900, 700);
    graph->move(30, 40);
    changed = graph->CurrentSettings();
  }
  EXPECT_EQ(changed.Buttons.Type, ChartType::Candles);
  EXPECT_TRUE(changed.Buttons.ParabolicSar);
  EXPECT_FALSE(changed.Buttons.Overlays.BollingerBands);
  EXPECT_TRUE(changed.MarkerButton);
  auto graph = std::make_unique<Graph>(*workspace, dialogs, locale, clock, nullptr);
  const GraphSettings read = graph->CurrentSettings();
  EXPECT_EQ(read.Buttons, changed.Buttons);
  EXPECT_EQ(read.MarkerButton, true);
  EXPECT_EQ(read.Width, 900);
  EXPECT_EQ(read.Height, 700);
  EXPECT_EQ(read.PaneHeights, changed.PaneHeights);
  EXPECT_TRUE(graph->findChild<QAction*>("BCandles")->isChecked());
}

}  // namespace
}  // namespace chartorium

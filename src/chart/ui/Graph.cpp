// The chart window's construction: its toolbars, tool windows, menus and
// status bar, and the settings of section "Graph".
#include "chart/ui/Graph.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "chart/ChartLists.h"
#include "chart/ChartView.h"
#include "chart/ui/ChartArea.h"
#include "chart/ui/DateSeeker.h"
#include "chart/ui/GraphIcons.h"
#include "chart/ui/IndicatorsList.h"
#include "core/IniFile.h"
#include "core/LibraryCommands.h"
#include "core/PreferencesCommands.h"
#include "core/Workspace.h"
#include "core/ui/LibraryModel.h"
#include "core/ui/LibraryView.h"
#include "core/ui/Options.h"

namespace chartorium {
namespace {

constexpr int ScrollInterval = 30;

// The chart-type and overlay buttons with their hints and pictures.
struct ButtonEntry {
  const char* Name;
  const char* Icon;
  const char* Hint;
};

constexpr ButtonEntry TypeButtons[] = {
    {"BLine", "Line", "Show graph"},
    {"BBars", "Bars", "Show bar chart graph"},
    {"BCandles", "Candles", "Show Japanese candlestick graph"},
    {"BZigZag", "ZigZag", "Show ZigZag lines"},
};

constexpr ButtonEntry OverlayButtons[] = {
    {"BBollinger", "Bollinger", "Show bollinger bands"},
    {"BShortMA", "ShortMA", "Show short moving average"},
    {"BLongMA", "LongMA", "Show long moving average"},
    {"BSpeed", "SpeedResistance", "Show speed resistance lines"},
    {"BQuadrant", "Quadrant", "Show quadrant lines"},
    {"BFibTime", "FibonacciTimeZones", "Show Fibonacci Time Zones"},
    {"BFibRetr", "FibonacciRetracements", "Show Fibonacci Retracements"},
    {"BFibFan", "FibonacciFans", "Show Fibonacci Fans"},
    {"BSupRes", "SupportResistance", "Support & resistance"},
    {"BSar", "ParabolicSar", "Show Parabolic SAR"},
};

constexpr const char* PeriodNames[] = {"Daily", "Weekly", "Monthly"};

constexpr const char* DockTitles[ToolWindowCount] = {"Indicators list", "Systems list", "Datas",
                                                     "Stocks list"};

}  // namespace

Graph::Graph(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
             Options* preferences, QWidget* parent)
    : QMainWindow(parent),
      workspace_(workspace),
      dialogs_(dialogs),
      locale_(locale),
      clock_(clock),
      preferences_(preferences),
      observer_(std::make_unique<LibraryObserver>(workspace.Library)),
      chart_(new ChartArea(workspace, locale, this)),
      TScroll(new QTimer(this)) {
  setObjectName("Graph");
  setWindowFlag(Qt::Window);
  setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
  setCentralWidget(chart_);
  const auto quorex = IniFile::Load(QuorexFile(workspace_));
  settings_ = quorex ? ReadGraphSettings(*quorex) : GraphSettings{};

  CreateToolBars();
  CreateOptionsBar();
  CreateDocks();
  CreateMenus();
  CreateStatusBar();
  ApplySettings();

  TScroll->setObjectName("TScroll");
  TScroll->setInterval(ScrollInterval);
  connect(TScroll, &QTimer::timeout, this, &Graph::OnScrollTimeout);
  connect(chart_, &ChartArea::BarShown, this, &Graph::OnBarShown);
  connect(chart_, &ChartArea::ValueShown, SBValue, &QLabel::setText);
  connect(chart_, &ChartArea::IndicatorDropped, this, &Graph::OnIndicatorDropped);
  connect(chart_, &ChartArea::PaneMenuRequested, this, &Graph::OnPaneMenuRequested);
  connect(chart_, &ChartArea::SystemFailed, this, &Graph::OnChartSystemFailed);
  // Preferences confirmed here or from the main window change the picture.
  if (preferences_) connect(preferences_, &QDialog::finished, this, &Graph::OnPreferencesClosed);
  // The window sees the arrow keys before its controls do.
  qApp->installEventFilter(this);
}

Graph::~Graph() {
  qApp->removeEventFilter(this);
  const std::filesystem::path file = QuorexFile(workspace_);
  auto quorex = IniFile::Load(file);
  if (!quorex) return;
  WriteGraphSettings(*quorex, CurrentSettings());
  static_cast<void>(quorex->Save(file));
}

QAction* Graph::AddButton(QToolBar* bar, const char* name, const char* icon, const char* hint,
                          bool checkable) {
  QAction* action = bar->addAction(GraphIcon(icon), hint);
  action->setObjectName(name);
  action->setToolTip(hint);
  action->setCheckable(checkable);
  return action;
}

void Graph::CreateToolBars() {
  TBTools = new QToolBar("Tools", this);
  TBTools->setObjectName("TBTools");
  TBTools->setIconSize({20, 20});
  typeGroup_ = new QActionGroup(this);
  typeGroup_->setExclusive(true);
  QAction** types[] = {&BLine, &BBars, &BCandles, &BZigZag};
  for (size_t i = 0; i < std::size(TypeButtons); ++i) {
    *types[i] =
        AddButton(TBTools, TypeButtons[i].Name, TypeButtons[i].Icon, TypeButtons[i].Hint, true);
    typeGroup_->addAction(*types[i]);
    connect(*types[i], &QAction::toggled, this, &Graph::OnChartButtonToggled);
  }
  TBTools->addSeparator();
  QAction** overlays[] = {&BBollinger, &BShortMA, &BLongMA, &BSpeed,  &BQuadrant,
                          &BFibTime,   &BFibRetr, &BFibFan, &BSupRes, &BSar};
  for (size_t i = 0; i < std::size(OverlayButtons); ++i) {
    if (i == 3 || i == 8) TBTools->addSeparator();
    *overlays[i] = AddButton(TBTools, OverlayButtons[i].Name, OverlayButtons[i].Icon,
                             OverlayButtons[i].Hint, true);
    connect(*overlays[i], &QAction::toggled, this, &Graph::OnChartButtonToggled);
  }
  TBTools->addSeparator();
  periodGroup_ = new QActionGroup(this);
  periodGroup_->setExclusive(true);
  for (int period = 1; period <= 3; ++period) {
    const char* name = PeriodNames[period - 1];
    QAction* action = TBTools->addAction(name);
    action->setObjectName(QString("B") + name);
    action->setToolTip(name);
    action->setCheckable(true);
    periodGroup_->addAction(action);
    BPeriods[static_cast<size_t>(period - 1)] = action;
    connect(action, &QAction::triggered, this, [this, period] { OnPeriodTriggered(period); });
  }
  BLine->setChecked(true);

  TBSeeker = new QToolBar("Date Seeker", this);
  TBSeeker->setObjectName("TBSeeker");
  TBSeeker->setIconSize({16, 16});
  BLeft = new QToolButton(TBSeeker);
  BLeft->setObjectName("BLeft");
  BLeft->setIcon(GraphIcon("Left"));
  BLeft->setToolTip("Scroll to older quotes");
  BRight = new QToolButton(TBSeeker);
  BRight->setObjectName("BRight");
  BRight->setIcon(GraphIcon("Right"));
  BRight->setToolTip("Scroll to newer quotes");
  PBScroll = new DateSeeker(workspace_.Quotes(), TBSeeker);
  TBSeeker->addWidget(BLeft);
  TBSeeker->addWidget(PBScroll);
  TBSeeker->addWidget(BRight);
  connect(BLeft, &QToolButton::pressed, this, [this] { StartScroll(-1); });
  connect(BRight, &QToolButton::pressed, this, [this] { StartScroll(1); });
  connect(BLeft, &QToolButton::released, this, &Graph::StopScroll);
  connect(BRight, &QToolButton::released, this, &Graph::StopScroll);
  connect(PBScroll, &DateSeeker::FirstBarChosen, this, &Graph::OnSeekerFirstBarChosen);
}

void Graph::CreateOptionsBar() {
  TBOptions = new QToolBar("Options bar", this);
  TBOptions->setObjectName("TBOptions");
  TBOptions->setIconSize({20, 20});
  BMarker = AddButton(TBOptions, "BMarker", "Marker", "Show vertical marker line", true);
  BCross = AddButton(TBOptions, "BCross", "Cross", "Show cross marker", true);
  connect(BMarker, &QAction::toggled, this, &Graph::OnBMarkerToggled);
  connect(BCross, &QAction::toggled, this, &Graph::OnBCrossToggled);
  TBOptions->addSeparator();
  QAction* zoomIn = AddButton(TBOptions, "BZoomIn", "ZoomIn", "Zoom In", false);
  QAction* zoomOut = AddButton(TBOptions, "BZoomOut", "ZoomOut", "Zoom Out", false);
  QAction* period =
      AddButton(TBOptions, "BPeriod", "Period", "Chose the period to be plotted", false);
  QAction* seek = AddButton(TBOptions, "BSeek", "Seek", "Seek a date", false);
  TBOptions->addSeparator();
  QAction* prefs = AddButton(TBOptions, "BPreferences", "Preferences", "Preferences", false);
  QAction* print = AddButton(TBOptions, "BPrint", "Print", "Print (not available yet)", false);
  print->setEnabled(false);
  QAction* help = AddButton(TBOptions, "BHelp", "Help", "Help", false);
  QAction* close = AddButton(TBOptions, "BClose", "Close", "Close", false);
  connect(zoomIn, &QAction::triggered, this, &Graph::OnBZoomInTriggered);
  connect(zoomOut, &QAction::triggered, this, &Graph::OnBZoomOutTriggered);
  connect(period, &QAction::triggered, this, &Graph::OnBPeriodTriggered);
  connect(seek, &QAction::triggered, this, &Graph::OnBSeekTriggered);
  connect(prefs, &QAction::triggered, this, &Graph::OnBPreferencesTriggered);
  connect(help, &QAction::triggered, this, &Graph::OnBHelpTriggered);
  connect(close, &QAction::triggered, this, &QWidget::close);
}

void Graph::CreateDocks() {
  indicators_ = new IndicatorsList(this);
  connect(indicators_, &IndicatorsList::AddRequested, this, &Graph::OnIndicatorAddRequested);
  LSystems = new QListWidget(this);
  LSystems->setObjectName("LSystems");
  LSystems->setToolTip("The system whose signals the chart shows");
  connect(LSystems, &QListWidget::itemClicked, this, &Graph::OnLSystemsClicked);
  MDatas = new QPlainTextEdit(this);
  MDatas->setObjectName("MDatas");
  MDatas->setReadOnly(true);
  MDatas->setFrameShape(QFrame::NoFrame);
  MDatas->setFont(QFont("DejaVu Sans Mono", 9));
  TVStocks = new LibraryView(this);
  TVStocks->setObjectName("TVStocks");
  TVStocks->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TVStocks->setDragDropMode(QAbstractItemView::NoDragDrop);
  stocksModel_ = new LibraryModel(workspace_.Library, workspace_.AppFolder(), this);
  TVStocks->setModel(stocksModel_);
  connect(TVStocks, &QTreeView::clicked, this, &Graph::OnTVStocksClicked);
  connect(TVStocks, &LibraryView::KeyReleased, this, &Graph::OnTVStocksClicked);

  QWidget* contents[ToolWindowCount] = {indicators_, LSystems, MDatas, TVStocks};
  for (int i = 0; i < ToolWindowCount; ++i) {
    auto* dock = new QDockWidget(DockTitles[i], this);
    dock->setObjectName(QString("TW%1").arg(i + 1));
    dock->setWidget(contents[i]);
    docks_[static_cast<size_t>(i)] = dock;
  }
  addDockWidget(Qt::LeftDockWidgetArea, docks_[3]);
  addDockWidget(Qt::LeftDockWidgetArea, docks_[2]);
  addDockWidget(Qt::RightDockWidgetArea, docks_[0]);
  addDockWidget(Qt::RightDockWidgetArea, docks_[1]);
}

void Graph::CreateMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("MenuFile");
  QAction* exportFile = file->addAction("&Export to file");
  exportFile->setObjectName("MExport");
  QAction* print = file->addAction("&Print");
  print->setObjectName("MPrint");
  print->setEnabled(false);
  print->setToolTip("Printing is not available yet");
  QAction* seek = file->addAction("&Seek a date");
  seek->setObjectName("MSeek");
  file->addSeparator();
  QAction* exit = file->addAction("&Exit");
  exit->setObjectName("MExit");
  connect(exportFile, &QAction::triggered, this, &Graph::OnMExportTriggered);
  connect(seek, &QAction::triggered, this, &Graph::OnBSeekTriggered);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* view = menuBar()->addMenu("&View");
  view->setObjectName("MenuView");
  QWidget* const targets[] = {TBTools,   TBSeeker,  TBOptions, docks_[0],
                              docks_[1], docks_[2], docks_[3]};
  constexpr const char* Captions[] = {"&Toolbar",         "&Date seeker",  "&Options bar",
                                      "&Indicators list", "&Signals list", "D&atas",
                                      "Sto&cks list"};
  static_assert(std::size(Captions) == 7);
  for (size_t i = 0; i < std::size(Captions); ++i) {
    QAction* action = view->addAction(Captions[i]);
    action->setObjectName(QString("MView%1").arg(i + 1));
    QWidget* target = targets[i];
    // Showing a window disables its item; closing it enables the item again.
    connect(action, &QAction::triggered, target, [target] { target->show(); });
    const auto follow = [action](bool visible) { action->setEnabled(!visible); };
    if (auto* dock = qobject_cast<QDockWidget*>(target))
      connect(dock, &QDockWidget::visibilityChanged, action,
              [action, dock] { action->setEnabled(!dock->isVisibleTo(dock->parentWidget())); });
    else
      connect(qobject_cast<QToolBar*>(target), &QToolBar::visibilityChanged, action, follow);
  }
  view->addSeparator();
  QAction* help = view->addAction("&Help");
  help->setObjectName("MHelp");
  connect(help, &QAction::triggered, this, &Graph::OnBHelpTriggered);
}

void Graph::CreateStatusBar() {
  SBDate = new QLabel(this);
  SBDate->setObjectName("SBDate");
  SBDate->setMinimumWidth(90);
  SBPrices = new QLabel(this);
  SBPrices->setObjectName("SBPrices");
  SBPrices->setMinimumWidth(300);
  SBValue = new QLabel(this);
  SBValue->setObjectName("SBValue");
  SBValue->setMinimumWidth(50);
  for (QLabel* panel : {SBDate, SBPrices, SBValue}) {
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
  }
  statusBar()->setObjectName("SB");
  statusBar()->addWidget(SBDate);
  statusBar()->addWidget(SBPrices);
  statusBar()->addWidget(SBValue, 1);
}

void Graph::ApplySettings() {
  resize(settings_.Width, settings_.Height);
  move(settings_.Left, settings_.Top);
  const ChartButtons& b = settings_.Buttons;
  QAction* const types[] = {BLine, BBars, BCandles, BZigZag};
  types[static_cast<int>(b.Type)]->setChecked(true);
  const std::pair<QAction*, bool> overlays[] = {{BBollinger, b.Overlays.BollingerBands},
                                                {BShortMA, b.Overlays.ShortAverage},
                                                {BLongMA, b.Overlays.LongAverage},
                                                {BSpeed, b.SpeedResistance},
                                                {BQuadrant, b.Quadrant},
                                                {BFibTime, b.FibonacciTimeZones},
                                                {BFibRetr, b.FibonacciRetracements},
                                                {BFibFan, b.FibonacciFans},
                                                {BSupRes, b.SupportResistance},
                                                {BSar, b.ParabolicSar}};
  for (const auto& [action, on] : overlays) action->setChecked(on);
  BMarker->setChecked(settings_.MarkerButton);

  switch (settings_.Tools) {
    case ToolsDock::Left:
      addToolBar(Qt::LeftToolBarArea, TBTools);
      addToolBar(Qt::TopToolBarArea, TBOptions);
      addToolBarBreak(Qt::TopToolBarArea);
      addToolBar(Qt::TopToolBarArea, TBSeeker);
      break;
    case ToolsDock::DateSeekerRow:
      addToolBar(Qt::TopToolBarArea, TBOptions);
      addToolBarBreak(Qt::TopToolBarArea);
      addToolBar(Qt::TopToolBarArea, TBTools);
      addToolBar(Qt::TopToolBarArea, TBSeeker);
      break;
    case ToolsDock::Top:
      addToolBar(Qt::TopToolBarArea, TBTools);
      addToolBar(Qt::TopToolBarArea, TBOptions);
      addToolBarBreak(Qt::TopToolBarArea);
      addToolBar(Qt::TopToolBarArea, TBSeeker);
      break;
  }
  QList<QDockWidget*> docks;
  QList<int> widths, heights;
  for (int i = 0; i < ToolWindowCount; ++i) {
    const ToolWindowPlace& place = settings_.ToolWindows[static_cast<size_t>(i)];
    QDockWidget* dock = docks_[static_cast<size_t>(i)];
    dock->setVisible(place.Visible);
    docks.append(dock);
    widths.append(place.Width);
    heights.append(place.Height);
  }
  resizeDocks(docks, widths, Qt::Horizontal);
  resizeDocks(docks, heights, Qt::Vertical);
  chart_->SetPaneHeights(settings_.PaneHeights);
  chart_->SetOptions(ChartOptions());
}

void Graph::KeepNormalPlace() {
  if (isMaximized() || isMinimized() || isFullScreen()) return;
  settings_.Left = x();
  settings_.Top = y();
  settings_.Width = width();
  settings_.Height = height();
}

void Graph::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  KeepNormalPlace();
}

void Graph::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  KeepNormalPlace();
}

GraphSettings Graph::CurrentSettings() const {
  GraphSettings settings = settings_;
  settings.Maximized = isMaximized();
  if (!settings.Maximized) {
    settings.Left = x();
    settings.Top = y();
    settings.Width = width();
    settings.Height = height();
    settings.PaneHeights = chart_->PaneHeights();
  }
  settings.Buttons = chart_->Options().Buttons;
  settings.MarkerButton = BMarker->isChecked();
  for (int i = 0; i < ToolWindowCount; ++i) {
    const QDockWidget* dock = docks_[static_cast<size_t>(i)];
    ToolWindowPlace& place = settings.ToolWindows[static_cast<size_t>(i)];
    place.Visible = dock->isVisibleTo(this);
    if (!place.Visible) continue;
    place.Height = dock->height();
    place.Width = dock->width();
    place.Top = dock->y();
    place.Left = dock->x();
  }
  if (toolBarArea(TBTools) == Qt::LeftToolBarArea)
    settings.Tools = ToolsDock::Left;
  else if (TBTools->isVisibleTo(this) && TBTools->y() == TBSeeker->y())
    settings.Tools = ToolsDock::DateSeekerRow;
  else
    settings.Tools = ToolsDock::Top;
  settings.FirstPaneVisible = chart_->Panes().Visible[0];
  return settings;
}

void Graph::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  workspace_.Quotes().ChartVisible = true;
}

void Graph::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  if (event->spontaneous()) return;
  workspace_.Quotes().ChartVisible = false;
  workspace_.Quotes().MarkerBar = 0;
  StopScroll();
}

bool Graph::eventFilter(QObject* watched, QEvent* event) {
  const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
  if (!keyEvent || !isActiveWindow()) return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right)
    return QMainWindow::eventFilter(watched, event);
  if (key->isAutoRepeat()) return true;
  const int direction = key->key() == Qt::Key_Left ? -1 : 1;
  if (event->type() == QEvent::KeyRelease) {
    StopScroll();
    return true;
  }
  if (ScrollView(workspace_.Quotes(), 3 * direction).Moved) ViewChanged();
  StartScroll(direction);
  return true;
}

}  // namespace chartorium

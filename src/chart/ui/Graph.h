// The chart window: the chart area with its toolbars, the date seeker, the
// four tool windows (indicators, systems, bar data, stocks), the menus and
// the status bar. Created once at start-up and shown by SGraph.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include <QMainWindow>

#include "chart/GraphSettings.h"
#include "core/Status.h"

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class QToolButton;

namespace chartorium {

class ChartArea;
class Clock;
class DateSeeker;
class Dialogs;
class IndicatorsList;
class LibraryModel;
class LibraryObserver;
class LibraryView;
class OptGraph;
class Options;
class Workspace;
struct DateLocale;
struct PriceChartOptions;

class Graph final : public QMainWindow {
  Q_OBJECT

 public:
  /// Builds the window and reads its settings from section "Graph".
  /// `preferences` is the Options dialog that "Preferences" opens (may be null).
  Graph(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
        Options* preferences, QWidget* parent = nullptr);
  /// Writes the settings of section "Graph".
  ~Graph() override;

  /// Shows the window on the open stock (nothing without bars) and redraws.
  void ShowChart();
  /// The open stock changed while the window shows: caption, strip and panes.
  void StockChanged();
  /// The library tree changed: the stocks list shows it again.
  void RefreshStocksList();
  /// The settings of section "Graph" as they are now.
  GraphSettings CurrentSettings() const;

  ChartArea* Chart() const { return chart_; }
  /// "&Export to file" once the file is chosen: the chart as it shows, with
  /// its panes and a footer line, as a JPEG picture written crash-safely.
  Status ExportPicture(const std::filesystem::path& file);

 signals:
  /// The stocks list opened another stock.
  void StockOpened();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateToolBars();
  void CreateOptionsBar();
  void CreateDocks();
  void CreateMenus();
  void CreateStatusBar();
  QAction* AddButton(QToolBar* bar, const char* name, const char* icon, const char* hint,
                     bool checkable);
  void ApplySettings();
  /// Remembers the normal place and pane heights, which a maximized window keeps.
  void KeepNormalPlace();
  /// The chart-type and overlay buttons, the caption and the chosen system.
  PriceChartOptions ChartOptions() const;
  void RedrawDateSeeker();
  void RefreshAll();
  void ViewChanged();
  void StartScroll(int direction);
  void StopScroll();

  void OnChartButtonToggled();
  void OnPeriodTriggered(int period);
  void OnScrollTimeout();
  void OnSeekerFirstBarChosen(int firstBar);
  void OnBMarkerToggled(bool on);
  void OnBCrossToggled(bool on);
  void OnBSeekTriggered();
  void OnBPreferencesTriggered();
  void OnPreferencesClosed();
  void OnBPeriodTriggered();
  void OnBHelpTriggered();
  void OnBZoomInTriggered();
  void OnBZoomOutTriggered();
  void OnMExportTriggered();
  void OnLSystemsClicked();
  void OnTVStocksClicked();
  void OnIndicatorAddRequested(const QString& name);
  void OnIndicatorDropped(int pane, const QString& name);
  void OnPaneMenuRequested(int pane, const QPoint& global);
  void OnChartSystemFailed(const QString& message);
  void OnBarShown(const QString& datePanel, const QString& pricePanel, const QString& dataWindow);
  void RemoveIndicator(int pane, int item);
  void EditIndicator(int pane, int item);
  void PanesEdited();

  Workspace& workspace_;
  Dialogs& dialogs_;
  const DateLocale& locale_;
  const Clock& clock_;
  Options* preferences_;
  GraphSettings settings_;
  /// The stocks list opens stocks the way the library tree does.
  std::unique_ptr<LibraryObserver> observer_;
  std::string systemText_;
  int scrollDirection_ = 0;

  ChartArea* chart_;
  QToolBar* TBTools;
  QToolBar* TBSeeker;
  QToolBar* TBOptions;
  QActionGroup* typeGroup_;
  QActionGroup* periodGroup_;
  QAction* BLine;
  QAction* BBars;
  QAction* BCandles;
  QAction* BZigZag;
  QAction* BBollinger;
  QAction* BShortMA;
  QAction* BLongMA;
  QAction* BSpeed;
  QAction* BQuadrant;
  QAction* BFibTime;
  QAction* BFibRetr;
  QAction* BFibFan;
  QAction* BSupRes;
  QAction* BSar;
  std::array<QAction*, 3> BPeriods{};
  QToolButton* BLeft;
  QToolButton* BRight;
  DateSeeker* PBScroll;
  QTimer* TScroll;
  QAction* BMarker;
  QAction* BCross;
  std::array<QDockWidget*, ToolWindowCount> docks_{};
  IndicatorsList* indicators_;
  QListWidget* LSystems;
  QPlainTextEdit* MDatas;
  LibraryView* TVStocks;
  LibraryModel* stocksModel_;
  QLabel* SBDate;
  QLabel* SBPrices;
  QLabel* SBValue;
  OptGraph* optGraph_ = nullptr;
};

}  // namespace chartorium

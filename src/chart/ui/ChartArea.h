// The chart area of the chart window: the price pane and up to three
// indicator panes. The chart's frame is prepared when what it shows changes;
// each pane draws it off screen and copies it, with the marker line and the
// cross-hair over it.
#pragma once

#include <array>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "chart/ChartFrame.h"
#include "chart/IndicatorPanes.h"

class QSplitter;

namespace chartorium {

struct DateLocale;
class ChartPane;
class Workspace;

class ChartArea final : public QWidget {
  Q_OBJECT

 public:
  ChartArea(Workspace& workspace, const DateLocale& locale, QWidget* parent = nullptr);

  /// The buttons, caption and system the chart shows; prepares the frame.
  void SetOptions(PriceChartOptions options);
  const PriceChartOptions& Options() const { return options_; }
  /// A stock shown anew: the options and the panes' values, in one frame.
  void ShowChart(PriceChartOptions options);
  /// The vertical marker line button: turning it on or off clears the marker.
  void SetMarkerOn(bool on);
  bool MarkerOn() const { return markerOn_; }
  void SetCrossOn(bool on);

  /// Gathers the panes' values from the indicator slots, shows the panes in
  /// use, hides the others and prepares the frame.
  void RefreshIndicatorPanes();
  /// Prepares the frame again from the bars, the view and the preferences,
  /// and repaints. While the chart is hidden the frame waits until it shows.
  void Redraw();
  /// Repaints the panes from the frame they have.
  void RepaintPanes();
  /// The mouse data shown last are forgotten (a new stock, a new view).
  void ForgetShownBar() { shownBar_ = 0; }
  /// Shows the data of the last visible bar until the mouse shows another.
  void ShowLastBar();

  /// What the panes show, and the price pane's scale in it.
  const ChartFrame& Frame() const { return frame_; }
  const ChartScale& Scale() const { return frame_.Price.Scale; }
  const IndicatorPaneData& Panes() const { return panes_; }
  /// Pane 0 is the price pane, 1..3 the indicator panes.
  QWidget* Pane(int pane) const;
  /// The heights of the indicator panes: the shown ones as they are, the
  /// hidden ones as they were last shown.
  std::array<int, PaneCount> PaneHeights() const;
  void SetPaneHeights(const std::array<int, PaneCount>& heights);

  // Called by the panes.
  void PaintPane(int pane, QPainter& painter);
  void PaneResized();
  void PaneMouseMoved(int pane, QPoint position, QPoint global, Qt::MouseButtons buttons);
  void PaneMousePressed(int pane, QPoint position, Qt::MouseButton button, QPoint global);
  void PaneLeft(int pane);
  void PaneDropped(int pane, const QString& name) { emit IndicatorDropped(pane, name); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 signals:
  /// The data of a bar for the status bar and the data window.
  void BarShown(const QString& datePanel, const QString& pricePanel, const QString& dataWindow);
  /// "Y: " + the value under the mouse over the price pane.
  void ValueShown(const QString& text);
  /// An indicator of the indicators list was dropped on pane 0..3.
  void IndicatorDropped(int pane, const QString& name);
  /// The pop-up menu of indicator pane 1..3 was asked for.
  void PaneMenuRequested(int pane, const QPoint& global);
  /// The selected trading system failed while the frame was prepared;
  /// `message` is its script error report. Sent once per failure.
  void SystemFailed(const QString& message);

 private:
  /// Where the panes are now: each its own picture, the hidden ones empty.
  ChartLayout CurrentLayout() const;
  /// PrepareChartFrame for the panes as they are now; the images follow at the next paint.
  void Prepare();
  /// Draws the frame into the panes' images.
  void Render();
  void ShowBar(int bar);
  void SetMarkerFrom(int x);
  void PlacePanes();

  Workspace& workspace_;
  const DateLocale& locale_;
  PriceChartOptions options_;
  IndicatorPaneData panes_;
  ChartFrame frame_;
  QSplitter* Splitter;
  std::array<ChartPane*, PaneCount + 1> panesWidgets_{};
  std::array<QImage, PaneCount + 1> images_;
  std::array<int, PaneCount> heights_{74, 74, 74};
  std::array<bool, PaneCount> shown_{};
  bool imagesStale_ = true;
  /// A frame is owed: asked for while the chart was hidden.
  bool frameStale_ = true;
  /// A preparation for new pane sizes is queued.
  bool resizePending_ = false;
  bool placePending_ = false;
  bool markerOn_ = false;
  bool crossOn_ = false;
  std::optional<QPoint> cross_;
  int shownBar_ = 0;
};

}  // namespace chartorium

// The chart area of the chart window: the price pane and up to three
// indicator panes, each drawn off screen by the renderers and copied, with
// the marker line and the cross-hair drawn over them.
#pragma once

#include <array>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "chart/IndicatorPanes.h"
#include "chart/render/PricePane.h"

class QSplitter;

namespace chartorium {

struct DateLocale;
class ChartPane;
class Workspace;

class ChartArea final : public QWidget {
  Q_OBJECT

 public:
  ChartArea(Workspace& workspace, const DateLocale& locale, QWidget* parent = nullptr);

  /// The buttons, caption and system the price pane draws with; redraws.
  void SetOptions(PriceChartOptions options);
  const PriceChartOptions& Options() const { return options_; }
  /// The vertical marker line button: turning it on or off clears the marker.
  void SetMarkerOn(bool on);
  bool MarkerOn() const { return markerOn_; }
  void SetCrossOn(bool on);

  /// Gathers the panes' values from the indicator slots, shows the panes in
  /// use, hides the others and redraws.
  void RefreshIndicatorPanes();
  /// Draws every pane again from the bars and the view.
  void Redraw();
  /// The mouse data shown last are forgotten (a new stock, a new view).
  void ForgetShownBar() { shownBar_ = 0; }
  /// Shows the data of the last visible bar until the mouse shows another.
  void ShowLastBar();

  /// The scale the price pane was last drawn with.
  const ChartScale& Scale() const { return scale_; }
  const IndicatorPaneData& Panes() const { return panes_; }
  /// Pane 0 is the price pane, 1..3 the indicator panes.
  QWidget* Pane(int pane) const;
  /// The heights of the indicator panes: the shown ones as they are, the
  /// hidden ones as they were last shown.
  std::array<int, PaneCount> PaneHeights() const;
  void SetPaneHeights(const std::array<int, PaneCount>& heights);

  // Called by the panes.
  void PaintPane(int pane, QPainter& painter);
  void PaneMouseMoved(int pane, QPoint position, QPoint global, Qt::MouseButtons buttons);
  void PaneMousePressed(int pane, QPoint position, Qt::MouseButton button, QPoint global);
  void PaneLeft(int pane);
  void PaneDropped(int pane, const QString& name) { emit IndicatorDropped(pane, name); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 signals:
  /// The data of a bar for the status bar and the data window.
  void BarShown(const QString& datePanel, const QString& pricePanel, const QString& dataWindow);
  /// "Y: " + the value under the mouse over the price pane.
  void ValueShown(const QString& text);
  /// An indicator of the indicators list was dropped on pane 0..3.
  void IndicatorDropped(int pane, const QString& name);
  /// The pop-up menu of indicator pane 1..3 was asked for.
  void PaneMenuRequested(int pane, const QPoint& global);

 private:
  void Render();
  /// Draws the images again when the view changed or pane `pane` has another size.
  void EnsureRendered(int pane);
  void RepaintPanes();
  void ShowBar(int bar);
  void SetMarkerFrom(int x);
  void PlacePanes();

  Workspace& workspace_;
  const DateLocale& locale_;
  PriceChartOptions options_;
  ChartScale scale_;
  IndicatorPaneData panes_;
  QSplitter* Splitter;
  std::array<ChartPane*, PaneCount + 1> panesWidgets_{};
  std::array<QImage, PaneCount + 1> images_;
  std::array<int, PaneCount> heights_{74, 74, 74};
  std::array<bool, PaneCount> shown_{};
  bool dirty_ = true;
  bool placePending_ = false;
  bool markerOn_ = false;
  bool crossOn_ = false;
  std::optional<QPoint> cross_;
  int shownBar_ = 0;
};

}  // namespace chartorium

// The chart area. A frame is prepared when the bars, the view, the options,
// the panes or their sizes change; the renderers draw it into images kept
// until the next frame, so a paint only copies them, with the mouse's marker
// line and cross-hair over them.
#include "chart/ui/ChartArea.h"

#include <QDragEnterEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitter>
#include <QToolTip>
#include <QVBoxLayout>

#include "chart/BarData.h"
#include "chart/ChartPointer.h"
#include "chart/render/Colours.h"
#include "chart/render/IndicatorPane.h"
#include "chart/render/PricePane.h"
#include "chart/render/RenderText.h"
#include "chart/ui/IndicatorsList.h"
#include "core/MacroStatus.h"
#include "core/Workspace.h"

namespace chartorium {

/// One pane of the chart area; it only forwards its paint and mouse to the area.
class ChartPane final : public QWidget {
 public:
  ChartPane(ChartArea& area, int index, QWidget* parent)
      : QWidget(parent), area_(area), index_(index) {
    setObjectName(index == 0 ? QString("PB") : QString("PBIndic%1").arg(index));
    setMouseTracking(true);
    setAcceptDrops(true);
    setMinimumHeight(index == 0 ? 120 : 30);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    area_.PaintPane(index_, painter);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    area_.PaneMouseMoved(index_, event->position().toPoint(), event->globalPosition().toPoint(),
                         event->buttons());
  }
  void mousePressEvent(QMouseEvent* event) override {
    area_.PaneMousePressed(index_, event->position().toPoint(), event->button(),
                           event->globalPosition().toPoint());
  }
  void resizeEvent(QResizeEvent*) override { area_.PaneResized(); }
  void leaveEvent(QEvent*) override { area_.PaneLeft(index_); }
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasFormat(IndicatorMimeType)) event->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* event) override {
    if (event->mimeData()->hasFormat(IndicatorMimeType)) event->acceptProposedAction();
  }
  void dropEvent(QDropEvent* event) override {
    const QString name = QString::fromUtf8(event->mimeData()->data(IndicatorMimeType));
    event->acceptProposedAction();
    area_.PaneDropped(index_, name);
  }

 private:
  ChartArea& area_;
  int index_;
};

ChartArea::ChartArea(Workspace& workspace, const DateLocale& locale, QWidget* parent)
    : QWidget(parent),
      workspace_(workspace),
      locale_(locale),
      Splitter(new QSplitter(Qt::Vertical, this)) {
  setObjectName("ChartArea");
  Splitter->setObjectName("Splitter");
  Splitter->setHandleWidth(2);
  Splitter->setChildrenCollapsible(false);
  for (int pane = 0; pane <= PaneCount; ++pane) {
    panesWidgets_[static_cast<size_t>(pane)] = new ChartPane(*this, pane, Splitter);
    Splitter->addWidget(panesWidgets_[static_cast<size_t>(pane)]);
    // The price pane takes what the window gains or loses; the panes keep their heights.
    Splitter->setStretchFactor(pane, pane == 0 ? 1 : 0);
    if (pane > 0) panesWidgets_[static_cast<size_t>(pane)]->hide();
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Splitter);
  connect(Splitter, &QSplitter::splitterMoved, this, [this] { heights_ = PaneHeights(); });
}

void ChartArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (placePending_) PlacePanes();
}

void ChartArea::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A frame asked for while hidden, prepared once the window has shown: what
  // shows the window mostly prepares one at once, and this one is then left out.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (frameStale_) Prepare();
      },
      Qt::QueuedConnection);
}

QWidget* ChartArea::Pane(int pane) const {
  return panesWidgets_[static_cast<size_t>(pane)];
}

void ChartArea::SetOptions(PriceChartOptions options) {
  options_ = std::move(options);
  Redraw();
}

void ChartArea::ShowChart(PriceChartOptions options) {
  options_ = std::move(options);
  RefreshIndicatorPanes();
}

void ChartArea::SetMarkerOn(bool on) {
  markerOn_ = on;
  workspace_.Quotes().MarkerBar = 0;
  RepaintPanes();
}

void ChartArea::SetCrossOn(bool on) {
  crossOn_ = on;
  cross_.reset();
  RepaintPanes();
}

void ChartArea::RefreshIndicatorPanes() {
  panes_ = RefreshPanes(workspace_);
  ReportScriptErrors(workspace_.Messages(), panes_.Script);
  PlacePanes();
  Redraw();
}

void ChartArea::PlacePanes() {
  for (int pane = 1; pane <= PaneCount; ++pane) {
    const size_t i = static_cast<size_t>(pane - 1);
    const bool visible = panes_.Visible[i];
    panesWidgets_[static_cast<size_t>(pane)]->setVisible(visible);
    shown_[i] = visible;
  }
  // A splitter that is not laid out yet would scale the heights to its
  // later size; the panes are placed once it has one.
  placePending_ = !Splitter->isVisible() || Splitter->height() <= 0;
  if (placePending_) return;
  const int total = Splitter->height();
  QList<int> wanted{0};
  int used = 0;
  for (size_t i = 0; i < PaneCount; ++i) {
    wanted.append(shown_[i] ? heights_[i] : 0);
    used += shown_[i] ? heights_[i] : 0;
  }
  wanted[0] = std::max(120, total - used);
  Splitter->setSizes(wanted);
}

std::array<int, PaneCount> ChartArea::PaneHeights() const {
  std::array<int, PaneCount> heights = heights_;
  if (placePending_) return heights;
  const QList<int> sizes = Splitter->sizes();
  for (int pane = 1; pane <= PaneCount && pane < sizes.size(); ++pane)
    if (shown_[static_cast<size_t>(pane - 1)] && sizes[pane] > 0)
      heights[static_cast<size_t>(pane - 1)] = sizes[pane];
  return heights;
}

void ChartArea::SetPaneHeights(const std::array<int, PaneCount>& heights) {
  heights_ = heights;
  PlacePanes();
}

void ChartArea::Redraw() {
  Prepare();
}

void ChartArea::RepaintPanes() {
  for (ChartPane* pane : panesWidgets_)
    if (pane->isVisible()) pane->update();
}

ChartLayout ChartArea::CurrentLayout() const {
  ChartLayout layout;
  const QSize price = panesWidgets_[0]->size();
  layout.Price = {0, 0, price.width(), price.height()};
  for (int pane = 1; pane <= PaneCount; ++pane) {
    const auto i = static_cast<size_t>(pane - 1);
    const QSize size = panesWidgets_[static_cast<size_t>(pane)]->size();
    if (shown_[i] && !size.isEmpty()) layout.Panes[i] = {0, 0, size.width(), size.height()};
  }
  return layout;
}

void ChartArea::Prepare() {
  // A hidden chart prepares nothing (and runs no system) until it shows.
  frameStale_ = !isVisible();
  if (frameStale_) return;
  ChartFrameOptions options;
  options.Chart = options_;
  options.Layout = CurrentLayout();
  // The panes' images take the resolution of a fresh image, as Render makes them.
  const QImage probe(1, 1, QImage::Format_RGB32);
  options.Text = MeasureChartText(probe, workspace_.Prefs.Text("BFon"));
  frame_ = PrepareChartFrame(workspace_, panes_, locale_, options);
  imagesStale_ = true;
  RepaintPanes();
  if (frame_.SystemFailure)
    emit SystemFailed(QString::fromStdString(ScriptErrorText(*frame_.SystemFailure)));
}

void ChartArea::PaneResized() {
  if (resizePending_) return;
  resizePending_ = true;
  // The panes of the splitter are resized one after the other: one frame for all of them.
  QMetaObject::invokeMethod(
      this,
      [this] {
        resizePending_ = false;
        if (isVisible() && CurrentLayout() != frame_.Layout) Prepare();
      },
      Qt::QueuedConnection);
}

void ChartArea::Render() {
  imagesStale_ = false;
  const auto draw = [this](QImage& image, const PaneRect& rect, int pane) {
    if (rect.Width <= 0 || rect.Height <= 0) {
      image = QImage();
      return;
    }
    image = QImage(rect.Width, rect.Height, QImage::Format_RGB32);
    image.fill(ToQColor(frame_.Colours.Background));
    QPainter painter(&image);
    if (pane == 0) {
      DrawPricePane(painter, frame_);
    } else {
      DrawIndicatorPane(painter, frame_, pane);
    }
  };
  draw(images_[0], frame_.Layout.Price, 0);
  for (int pane = 1; pane <= PaneCount; ++pane)
    draw(images_[static_cast<size_t>(pane)], frame_.Layout.Panes[static_cast<size_t>(pane - 1)],
         pane);
}

void ChartArea::PaintPane(int pane, QPainter& painter) {
  QWidget* widget = panesWidgets_[static_cast<size_t>(pane)];
  if (imagesStale_) Render();
  const QImage& image = images_[static_cast<size_t>(pane)];
  // Between a resize and the frame prepared for it the picture may be smaller.
  if (image.size() != widget->size())
    painter.fillRect(widget->rect(), ToQColor(frame_.Colours.Background));
  painter.drawImage(0, 0, image);
  if (!frame_.HasBars) return;

  const ChartScale& scale = frame_.Price.Scale;
  const int width = panesWidgets_[0]->width();
  if (markerOn_) {
    if (const std::optional<int> x = MarkerLineXOf(workspace_, scale, width)) {
      painter.setPen(QPen(ToQColor(frame_.Colours.Marker), 2));
      const int top = pane == 0 ? static_cast<int>(scale.PlotTop) : 0;
      const int bottom = pane == 0 ? static_cast<int>(scale.PlotBottom) : widget->height();
      painter.drawLine(*x, top, *x, bottom);
    }
  }
  if (pane == 0 && crossOn_ && cross_) {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(scale.PlotLeft, cross_->y(), scale.PlotRight, cross_->y());
    painter.drawLine(cross_->x(), static_cast<int>(scale.PlotTop), cross_->x(),
                     static_cast<int>(scale.PlotBottom));
  }
}

void ChartArea::ShowBar(int bar) {
  const BarDataTexts texts = ShowBarData(workspace_, bar, locale_);
  emit BarShown(QString::fromStdString(texts.DatePanel), QString::fromStdString(texts.PricePanel),
                QString::fromStdString(texts.DataWindow));
}

void ChartArea::ShowLastBar() {
  const QuoteStore& store = workspace_.Quotes();
  if (store.BarCount <= 0) return;
  ShowBar(std::min(store.BarCount, store.FirstVisibleBar + store.VisibleBarCount - 1));
}

void ChartArea::SetMarkerFrom(int x) {
  const int bar = SetMarkerAt(workspace_, Scale(), x, panesWidgets_[0]->width());
  RepaintPanes();
  ShowBar(bar);
}

void ChartArea::PaneMouseMoved(int pane, QPoint position, QPoint global, Qt::MouseButtons buttons) {
  if (workspace_.Quotes().BarCount <= 0) return;
  const ChartScale& scale = Scale();
  const int width = panesWidgets_[0]->width();
  if (markerOn_ && (buttons & Qt::LeftButton)) SetMarkerFrom(position.x());
  if (crossOn_) {
    const bool inPlot = pane == 0 && InPlot(scale, position.x(), position.y(), width);
    if (inPlot || cross_) {
      cross_ = inPlot ? std::optional<QPoint>(position) : std::nullopt;
      panesWidgets_[0]->update();
    }
  }
  const PointerReading reading = ReadPointer(workspace_, scale, position.x(), position.y(), width,
                                             pane == 0, markerOn_, shownBar_);
  if (!reading.ValueText.empty()) emit ValueShown(QString::fromStdString(reading.ValueText));
  if (reading.ShowData) {
    shownBar_ = reading.Bar;
    ShowBar(reading.Bar);
  }
  if (pane != 0) return;
  if (reading.NearClose) {
    const BarDataTexts texts = ShowBarData(workspace_, reading.Bar, locale_);
    QString tip = QString::fromStdString(texts.DataWindow);
    tip.replace("\r\n", "\n");
    QToolTip::showText(global, tip, panesWidgets_[0]);
  } else {
    QToolTip::hideText();
  }
}

void ChartArea::PaneMousePressed(int pane, QPoint position, Qt::MouseButton button, QPoint global) {
  if (workspace_.Quotes().BarCount <= 0) return;
  if (button == Qt::LeftButton && markerOn_) SetMarkerFrom(position.x());
  if (button == Qt::RightButton && pane > 0) emit PaneMenuRequested(pane, global);
}

void ChartArea::PaneLeft(int pane) {
  if (pane == 0 && cross_) {
    cross_.reset();
    panesWidgets_[0]->update();
  }
}

}  // namespace chartorium

// A trading system's signals on the price pane: markers, bar labels and the
// optional rectangles at the bottom of the plot.
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QString>

#include <array>
#include <cmath>

#include "chart/render/Colours.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

enum class Marker { Buy, Sell, Short, Cover };

// The three styles of buy and sell pictures, then short and cover: dark shapes
// on white, so that drawing them with AND keeps the chart under the white.
QImage MarkerPicture(Marker marker, MarkerStyle style) {
  const bool buyOrSell = marker == Marker::Buy || marker == Marker::Sell;
  const bool wide = style == MarkerStyle::WideArrows && buyOrSell;
  const bool small = style == MarkerStyle::Triangles && buyOrSell;
  const int width = wide ? 11 : 9;
  const int height = small ? 9 : 12;
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  const bool up = marker == Marker::Buy || marker == Marker::Cover;
  const QColor colour = marker == Marker::Buy     ? QColor(0, 150, 0)
                        : marker == Marker::Sell  ? QColor(220, 0, 0)
                        : marker == Marker::Short ? QColor(170, 0, 170)
                                                  : QColor(0, 0, 200);
  painter.setPen(colour);
  painter.setBrush(colour);
  const int mid = width / 2;
  if (small) {
    // A plain triangle.
    const QPolygon triangle =
        up ? QPolygon({QPoint(mid, 0), QPoint(width - 1, height - 1), QPoint(0, height - 1)})
           : QPolygon({QPoint(0, 0), QPoint(width - 1, 0), QPoint(mid, height - 1)});
    painter.drawPolygon(triangle);
    return picture;
  }
  // An arrow: a head of half the height and a shaft.
  const int head = height / 2;
  const QPolygon arrow =
      up ? QPolygon({QPoint(mid, 0), QPoint(width - 1, head), QPoint(mid + 1, head),
                     QPoint(mid + 1, height - 1), QPoint(mid - 1, height - 1),
                     QPoint(mid - 1, head), QPoint(0, head)})
         : QPolygon({QPoint(mid - 1, 0), QPoint(mid + 1, 0), QPoint(mid + 1, head),
                     QPoint(width - 1, head), QPoint(mid, height - 1), QPoint(0, head),
                     QPoint(mid - 1, head)});
  painter.drawPolygon(arrow);
  if (wide) painter.drawRect(0, up ? height - 2 : 0, width - 1, 1);
  return picture;
}

void Stamp(QPainter& painter, int x, int y, const QImage& picture) {
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  painter.drawImage(x, y, picture);
  painter.restore();
}

// The four pictures of one style, made once per picture of the chart.
using MarkerPictures = std::array<QImage, 4>;

void DrawMarker(const PriceDrawing& d, const SystemSignals& marks, int bar, int x, Marker marker,
                MarkerStyle style, const MarkerPictures& pictures) {
  const FrameBar& q = d.Bar(bar);
  const QImage& picture = pictures[static_cast<size_t>(marker)];
  int left = x - 4;
  int top = 0;
  switch (marker) {
    case Marker::Buy:
      if (style == MarkerStyle::WideArrows) left = x - 5;
      top = q.YLow + 2;
      break;
    case Marker::Sell:
      if (style == MarkerStyle::WideArrows) left = x - 5;
      top = q.YHigh - (style == MarkerStyle::WideArrows  ? 13
                       : style == MarkerStyle::Triangles ? 11
                                                         : 14);
      break;
    case Marker::Short:
      top = q.YHigh - 14;
      break;
    case Marker::Cover:
      top = q.YLow + 2;
      break;
  }
  Stamp(d.Painter, left, top, picture);

  const std::string& label = marks.Labels[static_cast<size_t>(bar - marks.First)];
  if (!label.empty()) {
    d.Painter.setPen(Qt::black);
    const QString text = QString::fromStdString(label);
    const int width = TextWidth(d.Painter, text);
    TextOut(d.Painter, x - width / 2, q.YHigh - 15 - TextHeight(d.Painter), text, nullptr);
  }
  if (d.Frame.Look.SignalRectangles) {
    const std::uint32_t colour = marker == Marker::Buy    ? 0xA7F5B7
                                 : marker == Marker::Sell ? 0x8A8AFF
                                                          : d.Colours.Plot;
    const int bottom = static_cast<int>(d.Scale.PlotBottom);
    const int slotWidth = std::max(1, static_cast<int>(std::trunc(d.Scale.BarWidth)));
    d.Painter.fillRect(QRect(d.SlotLeft(bar), bottom - 10, slotWidth, 10), ToQColor(colour));
  }
}

}  // namespace

void DrawSystemSignals(const PriceDrawing& d) {
  if (!d.Price.Signals) return;
  const SystemSignals& marks = *d.Price.Signals;
  d.Painter.setFont(ChartFont("Arial", 8));
  const MarkerStyle style = d.Frame.Look.Markers;
  const MarkerPictures pictures{
      MarkerPicture(Marker::Buy, style), MarkerPicture(Marker::Sell, style),
      MarkerPicture(Marker::Short, style), MarkerPicture(Marker::Cover, style)};
  for (int j = d.First; j <= d.Last; ++j) {
    const int code = marks.Codes[static_cast<size_t>(j - marks.First)];
    if (code == 0) continue;
    const int x = d.Bar(j).X;
    const auto draw = [&](Marker marker) { DrawMarker(d, marks, j, x, marker, style, pictures); };
    switch (code) {
      case 1:
        draw(Marker::Buy);
        break;
      case -1:
        draw(Marker::Sell);
        break;
      case 2:
        draw(Marker::Short);
        break;
      case -2:
        draw(Marker::Cover);
        break;
      case 3:
        draw(Marker::Buy);
        draw(Marker::Cover);
        break;
      case -3:
        draw(Marker::Sell);
        draw(Marker::Short);
        break;
      default:
        break;
    }
  }
}

}  // namespace chartorium

// A trading system's signals on the price pane: markers, bar labels and the
// optional rectangles at the bottom of the plot.
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QString>

#include <array>
#include <cmath>

#include "chart/render/PriceDrawing.h"
#include "chart/render/PricePane.h"
#include "chart/render/RenderText.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"
#include "macro/MacroState.h"
#include "macro/SystemRunState.h"
#include "systems/Exec.h"

namespace chartorium {
namespace {

enum class Marker { Buy, Sell, Short, Cover };

// The three styles of buy and sell pictures, then short and cover: dark shapes
// on white, so that drawing them with AND keeps the chart under the white.
QImage MarkerPicture(Marker marker, int style) {
  const bool wide = style == 1 && (marker == Marker::Buy || marker == Marker::Sell);
  const bool small = style == 2 && (marker == Marker::Buy || marker == Marker::Sell);
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

// RS chooses the first pair, RB the second, anything else (RQ) the third.
int MarkerStyle(const PriceDrawing& d) {
  if (d.Prefs().Flag("RS")) return 0;
  if (d.Prefs().Flag("RB")) return 1;
  return 2;
}

void Stamp(QPainter& painter, int x, int y, const QImage& picture) {
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  painter.drawImage(x, y, picture);
  painter.restore();
}

void DrawMarker(const PriceDrawing& d, int bar, int x, Marker marker, int style) {
  const QuoteRecord& q = d.Bar(bar);
  const QImage picture = MarkerPicture(marker, style);
  int left = x - 4;
  int top = 0;
  switch (marker) {
    case Marker::Buy:
      if (style == 1) left = x - 5;
      top = d.Y(q.Low) + 2;
      break;
    case Marker::Sell:
      if (style == 1) left = x - 5;
      top = d.Y(q.High) - (style == 1 ? 13 : style == 2 ? 11 : 14);
      break;
    case Marker::Short:
      top = d.Y(q.High) - 14;
      break;
    case Marker::Cover:
      top = d.Y(q.Low) + 2;
      break;
  }
  Stamp(d.Painter, left, top, picture);

  const std::string& label = d.Space.Macros.Run.BarTextArray[static_cast<size_t>(bar)];
  if (!label.empty()) {
    d.Painter.setPen(Qt::black);
    const QString text = QString::fromStdString(label);
    const int width = TextWidth(d.Painter, text);
    TextOut(d.Painter, x - width / 2, d.Y(q.High) - 15 - TextHeight(d.Painter), text, nullptr);
  }
  if (d.Prefs().Flag("RRe")) {
    const std::uint32_t colour = marker == Marker::Buy    ? 0xA7F5B7
                                 : marker == Marker::Sell ? 0x8A8AFF
                                                          : d.Colour("C29");
    const int bottom = static_cast<int>(d.Scale.PlotBottom);
    const int slotWidth = std::max(1, static_cast<int>(std::trunc(d.Scale.BarWidth)));
    d.Painter.fillRect(QRect(d.SlotLeft(bar), bottom - 10, slotWidth, 10), ToQColor(colour));
  }
}

}  // namespace

bool RunChartSystem(const PriceDrawing& d) {
  QuoteStore& store = d.Space.Quotes();
  if (d.Options.SystemText.empty() || store.SystemError) return false;
  // A failing system turns the signals off silently until the next load.
  if (!Exec(d.Space, d.Options.SystemText, d.First, d.Last).ok()) store.SystemError = true;
  return !store.SystemError;
}

void DrawSystemSignals(const PriceDrawing& d) {
  if (!d.SystemShown) return;
  d.Painter.setFont(ChartFont("Arial", 8));
  const int style = MarkerStyle(d);
  const auto& codes = d.Space.Macros.Run.SignalArray;
  for (int j = d.First; j <= d.Last; ++j) {
    const int code = codes[static_cast<size_t>(j)];
    if (code == 0) continue;
    const int x =
        static_cast<int>(std::trunc((j - d.First) * static_cast<Extended>(d.Scale.BarWidth) +
                                    d.Scale.BarWidth / 2.0L)) +
        d.Scale.PlotLeft;
    switch (code) {
      case 1:
        DrawMarker(d, j, x, Marker::Buy, style);
        break;
      case -1:
        DrawMarker(d, j, x, Marker::Sell, style);
        break;
      case 2:
        DrawMarker(d, j, x, Marker::Short, style);
        break;
      case -2:
        DrawMarker(d, j, x, Marker::Cover, style);
        break;
      case 3:
        DrawMarker(d, j, x, Marker::Buy, style);
        DrawMarker(d, j, x, Marker::Cover, style);
        break;
      case -3:
        DrawMarker(d, j, x, Marker::Sell, style);
        DrawMarker(d, j, x, Marker::Short, style);
        break;
      default:
        break;
    }
  }
}

}  // namespace chartorium

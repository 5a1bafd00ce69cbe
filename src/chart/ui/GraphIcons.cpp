// Button pictures drawn with QPainter on a 20-pixel grid, in the colours of
// the chart itself, so that they stay sharp at any scale.
#include "chart/ui/GraphIcons.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace chartorium {
namespace {

const QColor Ink(0x30, 0x3A, 0x4A);
const QColor Up(0x1E, 0x8C, 0x3C);
const QColor Down(0xD0, 0x30, 0x30);
const QColor Blue(0x2A, 0x6C, 0xC8);
const QColor Orange(0xE0, 0x80, 0x10);
const QColor Violet(0x80, 0x40, 0xB0);

using Painter = void (*)(QPainter&);

void Polyline(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour,
              double width = 1.6) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(std::data(points), static_cast<int>(points.size()));
}

void Candle(QPainter& p, double x, double top, double bodyTop, double bodyBottom, double bottom,
            bool up) {
  const QColor colour = up ? Up : Down;
  p.setPen(QPen(colour, 1.2));
  p.drawLine(QPointF(x, top), QPointF(x, bottom));
  p.setBrush(up ? QColor(Qt::white) : colour);
  p.drawRect(QRectF(x - 2.5, bodyTop, 5, bodyBottom - bodyTop));
}

void Bar(QPainter& p, double x, double high, double open, double close, double low, bool up) {
  p.setPen(QPen(up ? Up : Down, 1.5));
  p.drawLine(QPointF(x, high), QPointF(x, low));
  p.drawLine(QPointF(x - 3, open), QPointF(x, open));
  p.drawLine(QPointF(x, close), QPointF(x + 3, close));
}

void Letters(QPainter& p, const char* text, const QColor& colour, int pixels = 9) {
  QFont font("Arial");
  font.setPixelSize(pixels);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, text);
}

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(Ink, 1.8));
  p.setBrush(QColor(0xEA, 0xF2, 0xFC));
  p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
  p.setPen(QPen(Ink, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12.2, 12.2), QPointF(17.5, 17.5));
  p.setPen(QPen(Ink, 1.6));
  p.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
  if (plus) p.drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
}

void Arrow(QPainter& p, bool left) {
  p.setPen(Qt::NoPen);
  p.setBrush(Ink);
  const double tip = left ? 5 : 15, back = left ? 14 : 6;
  const QPointF points[] = {{tip, 10}, {back, 4}, {back, 16}};
  p.drawPolygon(points, 3);
}

struct IconEntry {
  std::string_view Name;
  Painter Draw;
};

const IconEntry Icons[] = {
    {"Line",
     [](QPainter& p) {
       Polyline(p, {{2, 15}, {6, 10}, {9, 12}, {13, 5}, {18, 8}}, Blue, 1.8);
     }},
    {"Bars",
     [](QPainter& p) {
       Bar(p, 5, 4, 7, 11, 15, true);
       Bar(p, 10, 6, 10, 13, 17, false);
       Bar(p, 15, 3, 12, 5, 13, true);
     }},
    {"Candles",
     [](QPainter& p) {
       Candle(p, 5, 4, 7, 13, 16, true);
       Candle(p, 10, 3, 5, 11, 14, false);
       Candle(p, 15, 6, 8, 15, 18, true);
     }},
    {"ZigZag",
     [](QPainter& p) {
       Polyline(p, {{2, 16}, {7, 5}, {11, 13}, {18, 3}}, Violet, 1.8);
     }},
    {"Bollinger",
     [](QPainter& p) {
       Polyline(p, {{2, 6}, {7, 4}, {12, 6}, {18, 3}}, Blue, 1.2);
       Polyline(p, {{2, 16}, {7, 14}, {12, 16}, {18, 13}}, Blue, 1.2);
       Polyline(p, {{2, 12}, {6, 9}, {10, 11}, {14, 8}, {18, 9}}, Ink, 1.4);
     }},
    {"ShortMA",
     [](QPainter& p) {
       Polyline(p, {{2, 14}, {6, 9}, {10, 12}, {14, 6}, {18, 8}}, QColor(0xB0, 0xB8, 0xC4), 1.2);
       Polyline(p, {{2, 13}, {6, 11}, {10, 10}, {14, 8}, {18, 7}}, Orange, 2);
     }},
    {"LongMA",
     [](QPainter& p) {
       Polyline(p, {{2, 14}, {6, 9}, {10, 12}, {14, 6}, {18, 8}}, QColor(0xB0, 0xB8, 0xC4), 1.2);
       Polyline(p, {{2, 14}, {10, 11}, {18, 9}}, Up, 2);
     }},
    {"SpeedResistance",
     [](QPainter& p) {
       Polyline(p, {{3, 17}, {17, 3}}, Ink, 1.3);
       Polyline(p, {{3, 17}, {17, 8}}, Ink, 1.3);
       Polyline(p, {{3, 17}, {17, 12}}, Ink, 1.3);
     }},
    {"Quadrant",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.2));
       for (const double y : {3.0, 7.5, 12.5, 17.0}) p.drawLine(QPointF(2, y), QPointF(18, y));
       p.setPen(QPen(Ink, 1.2, Qt::DotLine));
       p.drawLine(QPointF(2, 10), QPointF(18, 10));
     }},
    {"FibonacciTimeZones",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.2));
       for (const double x : {2.0, 3.5, 5.0, 7.5, 11.0, 17.0})
         p.drawLine(QPointF(x, 3), QPointF(x, 17));
     }},
    {"FibonacciRetracements",
     [](QPainter& p) {
       p.setPen(QPen(Down, 1.2));
       for (const double y : {3.0, 17.0}) p.drawLine(QPointF(2, y), QPointF(18, y));
       p.setPen(QPen(Down, 1.2, Qt::DotLine));
       for (const double y : {6.5, 8.5, 10.0, 12.5}) p.drawLine(QPointF(2, y), QPointF(18, y));
     }},
    {"FibonacciFans",
     [](QPainter& p) {
       for (const double y : {2.0, 7.0, 10.0, 13.0}) Polyline(p, {{2, 18}, {18, y}}, Violet, 1.2);
     }},
    {"SupportResistance",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 0.8));
       p.setBrush(QColor(0x9C, 0xC4, 0xEE));
       const double widths[] = {5, 9, 15, 11, 6, 13, 4};
       for (int i = 0; i < 7; ++i) p.drawRect(QRectF(2, 2 + i * 2.3, widths[i], 2.3));
     }},
    {"ParabolicSar",
     [](QPainter& p) {
       p.setPen(Qt::NoPen);
       p.setBrush(Down);
       for (int i = 0; i < 5; ++i)
         p.drawEllipse(QPointF(3 + i * 3.5, 15 - i * 1.2 - (i > 2) * 2), 1.4, 1.4);
       Polyline(p, {{2, 11}, {7, 8}, {12, 9}, {18, 4}}, Ink, 1.2);
     }},
    {"Marker",
     [](QPainter& p) {
       Polyline(p, {{2, 14}, {6, 10}, {10, 12}, {14, 7}, {18, 9}}, QColor(0xA0, 0xA8, 0xB4), 1.2);
       p.setPen(QPen(Down, 2.2));
       p.drawLine(QPointF(10, 2), QPointF(10, 18));
     }},
    {"Cross",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.3));
       p.drawLine(QPointF(10, 2), QPointF(10, 18));
       p.drawLine(QPointF(2, 10), QPointF(18, 10));
       p.setBrush(Qt::NoBrush);
       p.drawEllipse(QPointF(10, 10), 3.5, 3.5);
     }},
    {"Seek",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.3));
       p.setBrush(Qt::white);
       p.drawRect(QRectF(2.5, 4.5, 15, 13));
       p.fillRect(QRectF(2.5, 4.5, 15, 3.5), Blue);
       p.setBrush(Down);
       p.setPen(Qt::NoPen);
       p.drawRect(QRectF(10, 11, 4, 4));
     }},
    {"Close",
     [](QPainter& p) {
       p.setPen(QPen(Down, 2.4, Qt::SolidLine, Qt::RoundCap));
       p.drawLine(QPointF(5, 5), QPointF(15, 15));
       p.drawLine(QPointF(15, 5), QPointF(5, 15));
     }},
    {"Preferences",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.4));
       for (const double y : {5.0, 10.0, 15.0}) p.drawLine(QPointF(2, y), QPointF(18, y));
       p.setBrush(Qt::white);
       p.drawEllipse(QPointF(6, 5), 2.2, 2.2);
       p.drawEllipse(QPointF(13, 10), 2.2, 2.2);
       p.drawEllipse(QPointF(8, 15), 2.2, 2.2);
     }},
    {"Print",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.2));
       p.setBrush(Qt::white);
       p.drawRect(QRectF(5.5, 2.5, 9, 6));
       p.setBrush(QColor(0xC8, 0xCE, 0xD8));
       p.drawRoundedRect(QRectF(2.5, 7.5, 15, 7), 1.5, 1.5);
       p.setBrush(Qt::white);
       p.drawRect(QRectF(5.5, 12.5, 9, 5));
     }},
    {"Period",
     [](QPainter& p) {
       p.setPen(QPen(Ink, 1.2));
       p.drawLine(QPointF(2, 17), QPointF(18, 17));
       p.setPen(QPen(Blue, 1.6));
       p.drawLine(QPointF(4, 4), QPointF(4, 14));
       p.drawLine(QPointF(16, 4), QPointF(16, 14));
       p.drawLine(QPointF(4, 9), QPointF(16, 9));
       Polyline(p, {{7, 6}, {4, 9}, {7, 12}}, Blue, 1.6);
       Polyline(p, {{13, 6}, {16, 9}, {13, 12}}, Blue, 1.6);
     }},
    {"Help",
     [](QPainter& p) {
       p.setPen(Qt::NoPen);
       p.setBrush(Blue);
       p.drawEllipse(QPointF(10, 10), 8, 8);
       Letters(p, "?", Qt::white, 13);
     }},
    {"ZoomIn", [](QPainter& p) { Magnifier(p, true); }},
    {"ZoomOut", [](QPainter& p) { Magnifier(p, false); }},
    {"Left", [](QPainter& p) { Arrow(p, true); }},
    {"Right", [](QPainter& p) { Arrow(p, false); }},
    {"Daily", [](QPainter& p) { Letters(p, "D", Ink, 12); }},
    {"Weekly", [](QPainter& p) { Letters(p, "W", Ink, 12); }},
    {"Monthly", [](QPainter& p) { Letters(p, "M", Ink, 12); }},
};

}  // namespace

QIcon GraphIcon(std::string_view name) {
  for (const IconEntry& icon : Icons) {
    if (icon.Name != name) continue;
    QIcon result;
    for (const int size : {20, 40}) {
      QPixmap pixmap(size, size);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.scale(size / 20.0, size / 20.0);
      icon.Draw(painter);
      painter.end();
      result.addPixmap(pixmap);
    }
    return result;
  }
  return {};
}

}  // namespace chartorium

// Chart texts and fonts.
#include "chart/render/RenderText.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QString>

#include "chart/ChartFrame.h"
#include "chart/render/Colours.h"
#include "core/PreferencesCommands.h"

namespace chartorium {

QFont ChartFont(std::string_view family, double points, bool bold, bool italic) {
  QFont font(QString::fromUtf8(family.data(), static_cast<int>(family.size())));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QPen ChartPen(std::uint32_t colour, Qt::PenStyle style, int width) {
  // A thin line leaves out its last point, as the program's canvas does, so
  // that a line to (x2, y2) and the next one from there meet without overlap.
  // Wider lines get square ends: within a pixel of the canvas's round ends
  // at chart widths, and Qt strokes them several times faster.
  return QPen(ToQColor(colour), width, style, width > 1 ? Qt::SquareCap : Qt::FlatCap,
              Qt::BevelJoin);
}

QLine ThinLineTo(int x1, int y1, int x2, int y2) {
  // Run it the other way, one pixel on, so that Qt leaves out (x2, y2).
  if (y1 == y2 && x2 < x1) return QLine(x2 + 1, y1, x1 + 1, y2);
  if (x1 == x2 && y2 < y1) return QLine(x1, y2 + 1, x2, y1 + 1);
  return QLine(x1, y1, x2, y2);
}

void DrawLineTo(QPainter& painter, int x1, int y1, int x2, int y2) {
  if (painter.pen().width() <= 1) return painter.drawLine(ThinLineTo(x1, y1, x2, y2));
  painter.drawLine(x1, y1, x2, y2);
}

QFont FontOfText(std::string_view fontText) {
  const FontSpec spec = FontFromText(fontText);
  QFont font = ChartFont(spec.Name, spec.Size, spec.Bold, spec.Italic);
  font.setUnderline(spec.Underline);
  font.setStrikeOut(spec.Strikeout);
  return font;
}

void TextOut(QPainter& painter, int x, int y, const QString& text,
             const std::uint32_t* background) {
  TextOut(painter, QFontMetrics(painter.font(), painter.device()), x, y, text, background);
}

void TextOut(QPainter& painter, const QFontMetrics& metrics, int x, int y, const QString& text,
             const std::uint32_t* background) {
  const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
  if (background) painter.fillRect(cell, ToQColor(*background));
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

ChartTextHeights MeasureChartText(const QPaintDevice& device, std::string_view titleFont) {
  const auto height = [&device](const QFont& font) { return QFontMetrics(font, &device).height(); };
  return {height(FontOfText(titleFont)), height(ChartFont("Tahoma", 8)),
          height(ChartFont("Arial", 8))};
}

int TextHeight(const QPainter& painter) {
  return QFontMetrics(painter.font(), painter.device()).height();
}

int TextWidth(const QPainter& painter, const QString& text) {
  return QFontMetrics(painter.font(), painter.device()).horizontalAdvance(text);
}

}  // namespace chartorium

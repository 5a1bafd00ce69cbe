// Chart texts and fonts.
#include "chart/render/RenderText.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

#include "core/PreferencesCommands.h"
#include "core/ui/Colours.h"

namespace chartorium {

QFont ChartFont(std::string_view family, double points, bool bold, bool italic) {
  QFont font(QString::fromUtf8(family.data(), static_cast<int>(family.size())));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QPen ChartPen(std::uint32_t colour, Qt::PenStyle style, int width) {
  QPen pen(ToQColor(colour));
  pen.setStyle(style);
  pen.setWidth(width);
  return pen;
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
  const QFontMetrics metrics(painter.font(), painter.device());
  const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
  if (background) painter.fillRect(cell, ToQColor(*background));
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

int TextHeight(const QPainter& painter) {
  return QFontMetrics(painter.font(), painter.device()).height();
}

int TextWidth(const QPainter& painter, const QString& text) {
  return QFontMetrics(painter.font(), painter.device()).horizontalAdvance(text);
}

}  // namespace chartorium

// The summary panel. Positions are the program's own, from the top left of
// the panel; each text is placed by its top edge.
#include "core/ui/SummaryPanel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "chart/render/Colours.h"

namespace chartorium {
namespace {

constexpr std::uint32_t TitleColour = 0xC61A37;
constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Green = 0x008000;

QFont PanelFont(const char* family, int points, bool bold, bool italic) {
  QFont font(family);
  font.setPointSize(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

// Draws the text with its top left corner at (x, y); returns its width.
int TextAt(QPainter& painter, int x, int y, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  const QFontMetrics metrics(painter.font());
  painter.drawText(x, y + metrics.ascent(), shown);
  return metrics.horizontalAdvance(shown);
}

// The program's logo: a small candlestick chart in a rounded frame.
void DrawLogo(QPainter& painter, const QRect& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(ToQColor(TitleColour), 2));
  painter.setBrush(QColor(0xF4, 0xF6, 0xFC));
  painter.drawRoundedRect(area, 8, 8);
  const int step = area.width() / 6;
  const int heights[] = {10, 18, 14, 24, 20};
  for (int i = 0; i < 5; ++i) {
    const int x = area.left() + step * (i + 1);
    const int bottom = area.bottom() - 10;
    const QColor colour = ToQColor(i % 2 ? Red : Green);
    painter.setPen(QPen(colour, 1));
    painter.drawLine(x, bottom - heights[i] - 6, x, bottom + 2);
    painter.fillRect(x - 3, bottom - heights[i], 7, heights[i] - 4, colour);
  }
  painter.restore();
}

}  // namespace

SummaryPanel::SummaryPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("PBox");
  setAutoFillBackground(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 120);
}

void SummaryPanel::SetSummary(SummaryTexts summary) {
  summary_ = std::move(summary);
  update();
}

void SummaryPanel::Draw(QPainter& painter) const {
  painter.fillRect(rect(), Qt::white);
  painter.setPen(ToQColor(TitleColour));
  painter.setFont(PanelFont("Arial", 22, false, true));
  TextAt(painter, 30, 15, ProductTitle);
  DrawLogo(painter, QRect(width() - 10 - 64, height() - 10 - 48, 64, 48));
  if (!summary_.HasStock) return;

  painter.setPen(Qt::black);
  painter.setFont(PanelFont("Arial", 16, true, true));
  TextAt(painter, 35, 90, summary_.NameLine);
  const int h = QFontMetrics(painter.font()).height();
  painter.setFont(PanelFont("Arial", 9, false, true));
  TextAt(painter, 55, h + 90, summary_.PeriodLine);

  const QFont values = PanelFont("Tahoma", 8, false, false);
  painter.setFont(values);
  TextAt(painter, 50, h + 120, summary_.LastClose);
  if (summary_.PreviousClose.empty()) return;
  const QFontMetrics metrics(values);
  const int hL = metrics.boundingRect("L").height();
  TextAt(painter, 50, h + hL + 125, summary_.PreviousClose);
  const int y =
      h + hL + metrics.boundingRect(QString::fromStdString(summary_.ChangeLabel)).height() + 130;
  const int labelWidth = TextAt(painter, 50, y, summary_.ChangeLabel);
  QFont bold = values;
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(ToQColor(summary_.ChangeIsNegative ? Red : Green));
  TextAt(painter, 50 + labelWidth, y, summary_.Change);
  painter.setFont(values);
  painter.setPen(Qt::black);
  TextAt(painter, 50, y + hL + 5, summary_.YearRange);
}

void SummaryPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter);
  emit Painted();
}

void SummaryPanel::mouseDoubleClickEvent(QMouseEvent*) {
  emit DoubleClicked();
}

}  // namespace chartorium

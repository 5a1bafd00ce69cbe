// The dates under a plot.
#include "chart/render/DateAxis.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QString>

#include <cmath>
#include <vector>

#include "chart/ChartFrame.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

// "Mar 03": the short month name with a capital first letter and the year's last two digits.
QString MonthLabel(const DateMark& mark, const ChartFrame& frame) {
  QString month =
      QString::fromStdString(frame.MonthNames[static_cast<size_t>(mark.Month - 1)]).toLower();
  if (!month.isEmpty()) month[0] = month[0].toUpper();
  return month + QString(" %1").arg(mark.Year % 100, 2, 10, QChar('0'));
}

}  // namespace

int DrawDateAxis(QPainter& painter, const ChartFrame& frame, const DateAxisPlace& place) {
  painter.setFont(ChartFont("Tahoma", 8));
  const QFontMetrics metrics(painter.font(), painter.device());
  const int labelHeight = metrics.height();
  const QPen tick = ChartPen(frame.Colours.Axis);
  const QPen separator = ChartPen(frame.Colours.Grid, Qt::DotLine);
  const QPen text = ChartPen(frame.Colours.Text);
  const std::uint32_t background = frame.Colours.Background;
  const bool everyMonth = frame.Look.SeparatorEveryMonth;
  const int bottom = place.Bottom;
  // The previous label's x + width + 1; before the first label one at the
  // plot's left edge, 0 pixels wide.
  int labelsEnd = place.PlotLeft + 1;
  // The ticks go down from the plot's bottom, where nothing else is drawn but
  // the labels, each right of its own ticks: drawn together after the labels
  // they end up as drawn one by one.
  std::vector<QLine> ticks;
  for (const DateMark& mark : frame.Dates) {
    if (mark.Bar < place.First) continue;
    if (mark.Bar > place.LastExamined) break;
    const int x = place.PlotLeft +
                  static_cast<int>(
                      std::trunc(static_cast<Extended>(mark.Bar - place.First) * place.BarWidth));
    if (mark.NewWeek) ticks.emplace_back(x, bottom, x, bottom + 3);
    if (!mark.NewMonth) continue;
    const bool roomForLabel = x >= labelsEnd;
    // A new year is always marked, even where its label has no room.
    if (mark.Month == 1 || (everyMonth && roomForLabel)) {
      painter.setPen(separator);
      painter.drawLine(x, place.SeparatorTop, x, bottom);
    }
    if (!roomForLabel) continue;
    ticks.emplace_back(x, bottom, x, bottom + labelHeight + 2);
    const QString label = MonthLabel(mark, frame);
    const int width = metrics.horizontalAdvance(label);
    if (x + width + 3 < place.PlotRight) {
      painter.setPen(text);
      TextOut(painter, metrics, x + 3, bottom + 1, label, &background);
    }
    labelsEnd = x + width + 1;
  }
  painter.setPen(tick);
  painter.drawLines(ticks.data(), static_cast<int>(ticks.size()));
  return labelHeight;
}

}  // namespace chartorium

// The dates under a plot.
#include "chart/render/DateAxis.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QString>

#include <cmath>
#include <vector>

#include "chart/render/RenderText.h"
#include "core/Calendar.h"
#include "core/DateLocale.h"
#include "core/RebuildBars.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

// "Mar 03": the short month name with a capital first letter and the year's last two digits.
QString MonthLabel(const CivilDate& date, const DateLocale& locale) {
  QString month =
      QString::fromStdString(locale.ShortMonthNames[static_cast<size_t>(date.Month - 1)]).toLower();
  if (!month.isEmpty()) month[0] = month[0].toUpper();
  return month + QString(" %1").arg(date.Year % 100, 2, 10, QChar('0'));
}

}  // namespace

int DrawDateAxis(QPainter& painter, const Workspace& workspace, const DateLocale& locale,
                 const DateAxisPlace& place) {
  const Preferences& prefs = workspace.Prefs;
  const auto& bars = workspace.Quotes().BarSeries;
  painter.setFont(ChartFont("Tahoma", 8));
  const QFontMetrics metrics(painter.font(), painter.device());
  const int labelHeight = metrics.height();
  const QPen tick = ChartPen(prefs.Colour("C17"));
  const QPen separator = ChartPen(prefs.Colour("C19"), Qt::DotLine);
  const QPen text = ChartPen(prefs.Colour("C16"));
  const std::uint32_t background = prefs.Colour("C5");
  const bool everyMonth = prefs.Flag("CBYM");
  const int bottom = place.Bottom;
  const double firstDate = bars[static_cast<size_t>(place.First)].Date;
  int month = DateOf(firstDate).Month;
  int week = WeekOfYear(firstDate);
  // The previous label's x + width + 1; before the first label one at the
  // plot's left edge, 0 pixels wide.
  int labelsEnd = place.PlotLeft + 1;
  // The ticks go down from the plot's bottom, where nothing else is drawn but
  // the labels, each right of its own ticks: drawn together after the labels
  // they end up as drawn one by one.
  std::vector<QLine> ticks;
  for (int j = place.First; j <= place.LastExamined; ++j) {
    const double date = bars[static_cast<size_t>(j)].Date;
    const int x =
        place.PlotLeft +
        static_cast<int>(std::trunc(static_cast<Extended>(j - place.First) * place.BarWidth));
    if (const int w = WeekOfYear(date); w != week) {
      week = w;
      ticks.emplace_back(x, bottom, x, bottom + 3);
    }
    const CivilDate civil = DateOf(date);
    if (civil.Month == month) continue;
    month = civil.Month;
    const bool roomForLabel = x >= labelsEnd;
    // A new year is always marked, even where its label has no room.
    if (month == 1 || (everyMonth && roomForLabel)) {
      painter.setPen(separator);
      painter.drawLine(x, place.SeparatorTop, x, bottom);
    }
    if (!roomForLabel) continue;
    ticks.emplace_back(x, bottom, x, bottom + labelHeight + 2);
    const QString label = MonthLabel(civil, locale);
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

// The exported chart picture.
#include "chart/render/ChartPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include "chart/IndicatorPanes.h"
#include "chart/render/Colours.h"
#include "chart/render/IndicatorPane.h"
#include "chart/render/RenderText.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

constexpr int DotsPerMeter = 3780;  // 96 dots per inch, as on screen

int FooterTextHeight() {
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(DotsPerMeter);
  probe.setDotsPerMeterY(DotsPerMeter);
  return QFontMetrics(ChartFont("Arial", 8), &probe).height();
}

}  // namespace

int ChartPictureHeight(const ChartPictureLayout& layout, const IndicatorPaneData& panes) {
  const int footerTextHeight = FooterTextHeight();
  int height = layout.PriceHeight + 1;
  for (int pane = 0; pane < PaneCount; ++pane)
    if (panes.Visible[static_cast<size_t>(pane)])
      height += layout.PaneHeights[static_cast<size_t>(pane)] + 1;
  return height + footerTextHeight + 4;
}

QImage DrawChartPicture(Workspace& workspace, const PriceChartOptions& options,
                        const IndicatorPaneData& panes, const DateLocale& locale,
                        const ChartPictureLayout& layout) {
  QImage image(layout.Width, ChartPictureHeight(layout, panes), QImage::Format_RGB32);
  image.setDotsPerMeterX(DotsPerMeter);
  image.setDotsPerMeterY(DotsPerMeter);
  image.fill(ToQColor(workspace.Prefs.Colour("C5")));
  QPainter painter(&image);
  const ChartScale scale =
      DrawPricePane(painter, workspace, options, locale, {0, 0, layout.Width, layout.PriceHeight});
  const bool systemShown = SystemSignalsShown(workspace, options);
  int top = layout.PriceHeight + 1;
  for (int pane = 1; pane <= PaneCount; ++pane) {
    if (!panes.Visible[static_cast<size_t>(pane - 1)]) continue;
    const int height = layout.PaneHeights[static_cast<size_t>(pane - 1)];
    DrawIndicatorPane(painter, workspace, panes, scale, locale, systemShown,
                      {0, top, layout.Width, height}, SlotOfPane(pane));
    top += height + 1;
  }
  painter.setFont(ChartFont("Arial", 8));
  painter.setPen(ToQColor(workspace.Prefs.Colour("C16")));
  TextOut(painter, 4, top + 2, QString::fromStdString(layout.Footer), nullptr);
  return image;
}

}  // namespace chartorium

// The exported chart picture.
#include "chart/render/ChartPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include "chart/render/Colours.h"
#include "chart/render/IndicatorPane.h"
#include "chart/render/PricePane.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

constexpr int DotsPerMeter = 3780;  // 96 dots per inch, as on screen

QImage Probe() {
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(DotsPerMeter);
  probe.setDotsPerMeterY(DotsPerMeter);
  return probe;
}

int FooterTextHeight() {
  const QImage probe = Probe();
  return QFontMetrics(ChartFont("Arial", 8), &probe).height();
}

}  // namespace

int ChartPictureHeight(const ChartPictureLayout& layout,
                       const std::array<bool, PaneCount>& visible) {
  const int footerTextHeight = FooterTextHeight();
  int height = layout.PriceHeight + 1;
  for (size_t pane = 0; pane < PaneCount; ++pane)
    if (visible[pane]) height += layout.PaneHeights[pane] + 1;
  return height + footerTextHeight + 4;
}

ChartLayout PictureChartLayout(const ChartPictureLayout& layout,
                               const std::array<bool, PaneCount>& visible) {
  ChartLayout placed;
  placed.Price = {0, 0, layout.Width, layout.PriceHeight};
  int top = layout.PriceHeight + 1;
  for (size_t pane = 0; pane < PaneCount; ++pane) {
    if (!visible[pane]) continue;
    placed.Panes[pane] = {0, top, layout.Width, layout.PaneHeights[pane]};
    top += layout.PaneHeights[pane] + 1;
  }
  return placed;
}

ChartTextHeights PictureTextHeights(std::string_view titleFont) {
  const QImage probe = Probe();
  return MeasureChartText(probe, titleFont);
}

QImage DrawChartPicture(const ChartFrame& frame, const ChartPictureLayout& layout) {
  std::array<bool, PaneCount> visible{};
  for (size_t pane = 0; pane < PaneCount; ++pane) visible[pane] = frame.Panes[pane].has_value();
  QImage image(layout.Width, ChartPictureHeight(layout, visible), QImage::Format_RGB32);
  image.setDotsPerMeterX(DotsPerMeter);
  image.setDotsPerMeterY(DotsPerMeter);
  image.fill(ToQColor(frame.Colours.Background));
  QPainter painter(&image);
  DrawPricePane(painter, frame);
  int top = layout.PriceHeight + 1;
  for (int pane = 1; pane <= PaneCount; ++pane) {
    const std::optional<PaneFrame>& prepared = frame.Panes[static_cast<size_t>(pane - 1)];
    if (!prepared) continue;
    DrawIndicatorPane(painter, frame, pane);
    top = prepared->Pane.Top + prepared->Pane.Height + 1;
  }
  painter.setFont(ChartFont("Arial", 8));
  painter.setPen(ToQColor(frame.Colours.Text));
  TextOut(painter, 4, top + 2, QString::fromStdString(layout.Footer), nullptr);
  return image;
}

}  // namespace chartorium

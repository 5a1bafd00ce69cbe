// The date seeker strip, painted from the engine's layout of thumb and years.
#include "chart/ui/DateSeeker.h"

#include <QMouseEvent>
#include <QPainter>

#include "chart/ChartView.h"
#include "chart/render/RenderText.h"
#include "core/QuoteStore.h"

namespace chartorium {
namespace {

constexpr int LineY = 14;
constexpr int TickTop = 9;
constexpr int StripHeight = 24;

}  // namespace

DateSeeker::DateSeeker(const QuoteStore& store, QWidget* parent) : QWidget(parent), store_(store) {
  setObjectName("PBScroll");
  setMinimumWidth(120);
  setFixedHeight(StripHeight);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setCursor(Qt::PointingHandCursor);
  setToolTip("Drag to move through the quotes");
}

QSize DateSeeker::sizeHint() const {
  return {400, StripHeight};
}

void DateSeeker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int s = width();
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QColor(0xA0, 0xA0, 0xA0));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (store_.BarCount < 1 || s <= 16) return;
  const DateSeekerLayout layout = LayOutDateSeeker(store_, s);

  // The thumb under the line and the labels, so the years stay readable.
  const QRect thumb(layout.ThumbLeft, 2, std::max(2, layout.ThumbWidth), StripHeight - 4);
  painter.fillRect(thumb, QColor(0xC6, 0xD8, 0xF2));
  painter.setPen(QColor(0x37, 0x5A, 0x9E));
  painter.drawRect(thumb.adjusted(0, 0, -1, -1));
  for (const int x : {thumb.left() - 3, thumb.right() + 2})
    painter.fillRect(QRect(x, 6, 2, StripHeight - 12), QColor(0x37, 0x5A, 0x9E));

  painter.setPen(Qt::black);
  painter.drawLine(8, LineY, s - 7, LineY);
  painter.drawLine(8, TickTop, 8, LineY);
  painter.drawLine(s - 8, TickTop, s - 8, LineY);
  painter.setFont(ChartFont("Arial", 7, true));
  const QFontMetrics metrics = painter.fontMetrics();
  for (const DateSeekerLayout::YearMark& mark : layout.YearMarks) {
    if (mark.Tick) painter.drawLine(mark.X, TickTop, mark.X, LineY);
    const QString label = QString::fromStdString(mark.Label);
    const int w = metrics.horizontalAdvance(label);
    // The label's bottom sits at y = 10, above the line.
    painter.drawText(mark.X - w / 2, 10 - metrics.descent(), label);
  }
}

void DateSeeker::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || store_.BarCount < 1 || width() <= 16) return;
  const DateSeekerLayout layout = LayOutDateSeeker(store_, width());
  const int x = event->position().toPoint().x();
  if (x >= layout.ThumbLeft && x < layout.ThumbLeft + layout.ThumbWidth) {
    grabOffset_ = x - layout.ThumbLeft;
    return;
  }
  // A click beside the thumb brings the thumb's middle there, then drags on.
  grabOffset_ = layout.ThumbWidth / 2;
  MoveThumbTo(x - grabOffset_);
}

void DateSeeker::mouseMoveEvent(QMouseEvent* event) {
  if (grabOffset_ < 0) return;
  MoveThumbTo(event->position().toPoint().x() - grabOffset_);
}

void DateSeeker::mouseReleaseEvent(QMouseEvent*) {
  grabOffset_ = -1;
}

void DateSeeker::MoveThumbTo(int thumbLeft) {
  const DateSeekerLayout layout = LayOutDateSeeker(store_, width());
  const int first = FirstBarForThumb(store_, thumbLeft, layout.ThumbWidth, width());
  if (first != store_.FirstVisibleBar) emit FirstBarChosen(first);
}

}  // namespace chartorium

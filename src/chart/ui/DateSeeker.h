// The date seeker strip: the whole stock as a line with its years, and a
// thumb over the bars in view that the user drags to move the chart.
#pragma once

#include <QWidget>

namespace chartorium {

struct QuoteStore;

class DateSeeker final : public QWidget {
  Q_OBJECT

 public:
  explicit DateSeeker(const QuoteStore& store, QWidget* parent = nullptr);

  QSize sizeHint() const override;

 signals:
  /// The thumb was dragged or the strip clicked: the chart starts at `firstBar`.
  void FirstBarChosen(int firstBar);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void MoveThumbTo(int thumbLeft);

  const QuoteStore& store_;
  int grabOffset_ = -1;  ///< where the thumb was grabbed, -1 when not dragging
};

}  // namespace chartorium

// The summary panel of the main window: it draws the summary texts of the
// open stock where the program places them.
#pragma once

#include <QWidget>

#include "core/Summary.h"

namespace chartorium {

class SummaryPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit SummaryPanel(QWidget* parent = nullptr);

  /// Replaces the texts and repaints.
  void SetSummary(SummaryTexts summary);
  /// Draws the panel on any device of the panel's size (tests paint a QImage).
  void Draw(QPainter& painter) const;

 signals:
  void Painted();
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  SummaryTexts summary_;
};

}  // namespace chartorium

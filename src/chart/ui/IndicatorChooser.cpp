// The indicator chooser of the pane pop-up menu.
#include "chart/ui/IndicatorChooser.h"

#include <QKeyEvent>

namespace chartorium {

IndicatorChooser::IndicatorChooser(const QString& caption, const std::vector<std::string>& names,
                                   std::function<void(int)> chosen, QWidget* parent)
    : QListWidget(parent), chosen_(std::move(chosen)) {
  setObjectName("IndicatorChooser");
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  for (const std::string& name : names) addItem(QString::fromStdString(name));
  setCurrentRow(0);
  resize(200, std::min(300, 24 + 20 * static_cast<int>(names.size())));
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { Choose(row(item)); });
}

void IndicatorChooser::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return Choose(currentRow());
  if (event->key() == Qt::Key_Escape) return static_cast<void>(close());
  QListWidget::keyPressEvent(event);
}

void IndicatorChooser::Choose(int row) {
  if (row < 0) return;
  const auto chosen = chosen_;
  close();
  chosen(row + 1);
}

}  // namespace chartorium

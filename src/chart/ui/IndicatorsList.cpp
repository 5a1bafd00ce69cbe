// The indicators list with its filter field.
#include "chart/ui/IndicatorsList.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QVBoxLayout>

#include "core/TextHelpers.h"

namespace chartorium {
namespace {

// Drags carry the indicator's name in their own format, so that only the
// chart's panes take them.
class IndicatorListView final : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QStringList mimeTypes() const override { return {IndicatorMimeType}; }
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
    if (items.isEmpty()) return nullptr;
    auto* data = new QMimeData;  // owned by the drag
    data->setData(IndicatorMimeType, items.front()->text().toUtf8());
    return data;
  }
};

}  // namespace

IndicatorsList::IndicatorsList(QWidget* parent)
    : QWidget(parent), EFilter(new QLineEdit(this)), LIndic(new IndicatorListView(this)) {
  setObjectName("IndicatorsList");
  EFilter->setObjectName("EFilter");
  EFilter->setPlaceholderText("Type to find an indicator");
  EFilter->setClearButtonEnabled(true);
  LIndic->setObjectName("LIndic");
  LIndic->setDragEnabled(true);
  LIndic->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  LIndic->setTextElideMode(Qt::ElideRight);
  LIndic->setAlternatingRowColors(true);
  LIndic->setDragDropMode(QAbstractItemView::DragOnly);
  LIndic->setToolTip("Double-click or drag an indicator onto the chart");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addWidget(EFilter);
  layout->addWidget(LIndic, 1);
  connect(EFilter, &QLineEdit::textEdited, this, &IndicatorsList::OnEFilterEdited);
  connect(EFilter, &QLineEdit::returnPressed, this, &IndicatorsList::OnEFilterReturnPressed);
  connect(LIndic, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { emit AddRequested(item->text()); });
}

void IndicatorsList::SetEntries(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  LIndic->clear();
  for (const std::string& entry : entries_) LIndic->addItem(QString::fromStdString(entry));
}

void IndicatorsList::ClearFilter() {
  EFilter->clear();
  if (LIndic->count() > 0) LIndic->setCurrentRow(0);
}

QString IndicatorsList::Selected() const {
  const QListWidgetItem* item = LIndic->currentItem();
  return item ? item->text() : QString();
}

void IndicatorsList::OnEFilterEdited(const QString& text) {
  const int index = IndexOfPrefix(text.toStdString(), entries_);
  if (index < 0) return;
  LIndic->setCurrentRow(index);
  LIndic->scrollToItem(LIndic->item(index), QAbstractItemView::PositionAtTop);
}

void IndicatorsList::OnEFilterReturnPressed() {
  const QString selected = Selected();
  if (!selected.isEmpty()) emit AddRequested(selected);
}

}  // namespace chartorium

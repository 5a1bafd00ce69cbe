// The file preview's model.
#include "quotes/ui/ImportLinesModel.h"

#include "quotes/ImportWizard.h"

namespace chartorium {

ImportLinesModel::ImportLinesModel(const ImportWizard& wizard, QObject* parent)
    : QAbstractListModel(parent), wizard_(wizard) {}

void ImportLinesModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int ImportLinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(wizard_.Text().LineCount());
}

QVariant ImportLinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rowCount()) return {};
  return QString::fromStdString(wizard_.LineText(static_cast<size_t>(index.row())));
}

}  // namespace chartorium

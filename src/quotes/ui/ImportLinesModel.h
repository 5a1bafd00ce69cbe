// The import wizard's file preview: every line of the file, shown from the
// engine's copy without making one of its own.
#pragma once

#include <QAbstractListModel>

namespace chartorium {

class ImportWizard;

class ImportLinesModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit ImportLinesModel(const ImportWizard& wizard, QObject* parent = nullptr);

  /// The wizard's lines changed: the view reads them again.
  void Refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const ImportWizard& wizard_;
};

}  // namespace chartorium

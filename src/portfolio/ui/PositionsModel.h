// The portfolio's positions as the grid of the portfolio window shows them.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

namespace chartorium {

struct Portfolio;

/// Seven text columns; the first shows image 0 (rising) or image 1 (falling).
/// Holds no rule: call Refresh after the portfolio changed.
class PositionsModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit PositionsModel(const Portfolio& portfolio, QObject* parent = nullptr);

  void Refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const Portfolio& portfolio_;
  QIcon rising_;
  QIcon falling_;
};

}  // namespace chartorium

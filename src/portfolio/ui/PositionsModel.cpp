// The positions grid's model and its two row images.
#include "portfolio/ui/PositionsModel.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "portfolio/Portfolio.h"

namespace chartorium {
namespace {

// A small triangle pointing up (green) or down (red).
QIcon Arrow(bool up) {
  QPixmap pixmap(12, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  if (up) {
    path.moveTo(6, 2);
    path.lineTo(11, 10);
    path.lineTo(1, 10);
  } else {
    path.moveTo(1, 2);
    path.lineTo(11, 2);
    path.lineTo(6, 10);
  }
  path.closeSubpath();
  painter.fillPath(path, up ? QColor(0x00, 0x80, 0x00) : QColor(0xFF, 0x00, 0x00));
  return QIcon(pixmap);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

PositionsModel::PositionsModel(const Portfolio& portfolio, QObject* parent)
    : QAbstractTableModel(parent),
      portfolio_(portfolio),
      rising_(Arrow(true)),
      falling_(Arrow(false)) {}

void PositionsModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int PositionsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(portfolio_.Rows.size());
}

int PositionsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : PositionColumnCount;
}

QVariant PositionsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= PositionColumnCount)
    return {};
  const PositionRow& row = portfolio_.Rows[static_cast<size_t>(index.row())];
  const auto column = static_cast<PositionColumn>(index.column());
  if (role == Qt::DisplayRole) return Text(row.Column(column));
  if (role == Qt::DecorationRole && column == PositionColumn::Stocks)
    return row.Falling() ? falling_ : rising_;
  if (role == Qt::TextAlignmentRole && column != PositionColumn::Stocks)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant PositionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= PositionColumnCount)
    return {};
  const std::string_view title = PositionColumnTitles[static_cast<size_t>(section)];
  return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

}  // namespace chartorium

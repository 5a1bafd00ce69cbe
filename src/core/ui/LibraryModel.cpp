// The library model. The node images are drawn here rather than shipped, so
// they follow the palette's sizes on every screen.
#include "core/ui/LibraryModel.h"

#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "core/LibraryTree.h"

namespace chartorium {
namespace {

constexpr const char* NodeMimeType = "application/x-chartorium-library-node";

QPixmap Canvas() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QIcon RootImage() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // A stack of three books.
  const QColor colours[] = {QColor(0x37, 0x1A, 0xC6), QColor(0x20, 0x80, 0x40),
                            QColor(0xC0, 0x60, 0x10)};
  for (int i = 0; i < 3; ++i) {
    painter.setPen(Qt::black);
    painter.setBrush(colours[i]);
    painter.drawRect(2 + (i % 2), 2 + i * 4, 11, 3);
  }
  painter.fillRect(2, 14, 12, 1, Qt::black);
  return QIcon(pixmap);
}

QIcon StockImage() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 1));
  painter.setBrush(QColor(0xF8, 0xF8, 0xF8));
  painter.drawRect(1, 1, 13, 13);
  painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
  painter.drawRect(1, 1, 13, 13);
  painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 1.6));
  const QPointF line[] = {{3, 11}, {6, 8}, {8, 9.5}, {12, 4}};
  painter.drawPolyline(line, 4);
  return QIcon(pixmap);
}

QIcon FolderImage(bool open) {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(0x9A, 0x74, 0x10));
  painter.setBrush(QColor(0xE8, 0xC0, 0x50));
  QPainterPath back;
  back.moveTo(1, 4);
  back.lineTo(6, 4);
  back.lineTo(7, 5);
  back.lineTo(14, 5);
  back.lineTo(14, 13);
  back.lineTo(1, 13);
  back.closeSubpath();
  painter.drawPath(back);
  if (open) {
    painter.setBrush(QColor(0xF8, 0xDC, 0x80));
    const QPointF front[] = {{3, 7.5}, {15.5, 7.5}, {13.5, 13}, {1, 13}};
    painter.drawPolygon(front, 4);
  }
  return QIcon(pixmap);
}

}  // namespace

LibraryModel::LibraryModel(LibraryTree& tree, std::filesystem::path appFolder, QObject* parent)
    : QAbstractItemModel(parent),
      tree_(tree),
      appFolder_(std::move(appFolder)),
      images_{RootImage(), StockImage(), FolderImage(false), FolderImage(true)} {}

LibraryNode* LibraryModel::NodeOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<LibraryNode*>(index.internalPointer()) : nullptr;
}

QModelIndex LibraryModel::IndexOf(const LibraryNode* node) const {
  if (!node) return {};
  return createIndex(node->Row(), 0, const_cast<LibraryNode*>(node));
}

void LibraryModel::Refresh() {
  beginResetModel();
  endResetModel();
}

QModelIndex LibraryModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 ? createIndex(0, 0, &tree_.Root()) : QModelIndex();
  const LibraryNode* node = NodeOf(parent);
  if (row >= static_cast<int>(node->Children.size())) return {};
  return createIndex(row, 0, node->Children[static_cast<size_t>(row)].get());
}

QModelIndex LibraryModel::parent(const QModelIndex& child) const {
  const LibraryNode* node = NodeOf(child);
  if (!node || !node->Parent) return {};
  return IndexOf(node->Parent);
}

int LibraryModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  if (!parent.isValid()) return 1;
  return static_cast<int>(NodeOf(parent)->Children.size());
}

int LibraryModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
  const LibraryNode* node = NodeOf(index);
  if (!node) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) return QString::fromStdString(node->Text);
  if (role == Qt::DecorationRole) {
    const NodeImage image = ImageOf(appFolder_, *node, node == tree_.Selected());
    return images_[static_cast<int>(image)];
  }
  return {};
}

bool LibraryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  LibraryNode* node = NodeOf(index);
  if (!node || role != Qt::EditRole) return false;
  // The rename command decides what the node keeps; the view is refreshed then.
  emit NodeEdited(node, value.toString());
  return false;
}

Qt::ItemFlags LibraryModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
         Qt::ItemIsDropEnabled;
}

Qt::DropActions LibraryModel::supportedDropActions() const {
  return Qt::MoveAction;
}

QStringList LibraryModel::mimeTypes() const {
  return {NodeMimeType};
}

QMimeData* LibraryModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.isEmpty()) return nullptr;
  auto* data = new QMimeData;  // handed to the drag, which owns it
  data->setData(NodeMimeType, QByteArray());
  return data;
}

}  // namespace chartorium

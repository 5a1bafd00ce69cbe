// The library tree as a Qt item model: it shows the engine's nodes and
// forwards label edits; every rule stays in the library commands.
#pragma once

#include <filesystem>

#include <QAbstractItemModel>
#include <QIcon>

namespace chartorium {

class LibraryTree;
struct LibraryNode;

class LibraryModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  LibraryModel(LibraryTree& tree, std::filesystem::path appFolder, QObject* parent = nullptr);

  /// The node of an index; the root for an invalid one is not given: null.
  static LibraryNode* NodeOf(const QModelIndex& index);
  QModelIndex IndexOf(const LibraryNode* node) const;
  /// The tree changed under the model: every index is rebuilt.
  void Refresh();

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;

 signals:
  /// The user finished editing a node's label.
  void NodeEdited(LibraryNode* node, const QString& text);

 private:
  LibraryTree& tree_;
  std::filesystem::path appFolder_;
  QIcon images_[4];
};

}  // namespace chartorium

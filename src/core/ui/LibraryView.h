// The tree view of the library: drops and keys are passed to the main window.
#pragma once

#include <QTreeView>

namespace chartorium {

struct LibraryNode;

class LibraryView final : public QTreeView {
  Q_OBJECT

 public:
  explicit LibraryView(QWidget* parent = nullptr);

 signals:
  /// The selected node was dropped on `target` (null: no node under the cursor).
  void NodeDropped(LibraryNode* source, LibraryNode* target);
  void EnterPressed();
  void KeyReleased();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
};

}  // namespace chartorium

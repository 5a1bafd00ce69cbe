// The library view. A drag is accepted only from the tree itself; the move
// is the library command's, so the view never moves rows on its own.
#include "core/ui/LibraryView.h"

#include <QDropEvent>
#include <QKeyEvent>

#include "core/ui/LibraryModel.h"

namespace chartorium {

LibraryView::LibraryView(QWidget* parent) : QTreeView(parent) {
  setHeaderHidden(true);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

void LibraryView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() != this) {
    event->ignore();
    return;
  }
  QTreeView::dragEnterEvent(event);
  event->acceptProposedAction();
}

void LibraryView::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() != this) {
    event->ignore();
    return;
  }
  QTreeView::dragMoveEvent(event);
  event->acceptProposedAction();
}

void LibraryView::dropEvent(QDropEvent* event) {
  if (event->source() != this) {
    event->ignore();
    return;
  }
  LibraryNode* source = LibraryModel::NodeOf(currentIndex());
  LibraryNode* target = LibraryModel::NodeOf(indexAt(event->position().toPoint()));
  // The drag itself must not remove anything: the tree is changed by the command.
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  stopAutoScroll();
  setState(NoState);
  if (source) emit NodeDropped(source, target);
}

void LibraryView::keyPressEvent(QKeyEvent* event) {
  if (state() != EditingState &&
      (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    emit EnterPressed();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void LibraryView::keyReleaseEvent(QKeyEvent* event) {
  QTreeView::keyReleaseEvent(event);
  if (state() != EditingState) emit KeyReleased();
}

}  // namespace chartorium

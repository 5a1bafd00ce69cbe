// The help viewer: the program's own HTML pages, shipped in its resources.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace chartorium {

class HelpWindow final : public QDialog {
  Q_OBJECT

 public:
  /// Shows the page `topic` (e.g. "index.html"); the window deletes itself when closed.
  explicit HelpWindow(const QString& topic, QWidget* parent = nullptr);

 private:
  QTextBrowser* HelpText;
};

}  // namespace chartorium

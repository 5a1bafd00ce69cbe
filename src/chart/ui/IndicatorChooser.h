// The small tool window that lists a pane's indicators when the pane's
// pop-up command must know which one it acts on.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QListWidget>

namespace chartorium {

class IndicatorChooser final : public QListWidget {
  Q_OBJECT

 public:
  /// `chosen` gets the 1-based item of the entry double-clicked; the window
  /// then closes and deletes itself.
  IndicatorChooser(const QString& caption, const std::vector<std::string>& names,
                   std::function<void(int)> chosen, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Choose(int row);

  std::function<void(int)> chosen_;
};

}  // namespace chartorium

// The progress box that batch features show while they run.
#pragma once

#include <string_view>

#include <QDialog>

class QLabel;
class QPushButton;

namespace chartorium {

/// A small stay-on-top box captioned "Progress" with one line of text and a
/// "&Cancel" button that hides it.
class Progress final : public QDialog {
  Q_OBJECT

 public:
  explicit Progress(QWidget* parent = nullptr);

  /// Shows the box (without blocking) with the text; clears the cancel mark.
  void ShowText(std::string_view text);
  /// Whether "&Cancel" was pressed since the box was last shown.
  bool Cancelled() const { return cancelled_; }

 private:
  void OnBCancelClicked();

  QLabel* LText;
  QPushButton* BCancel;
  bool cancelled_ = false;
};

}  // namespace chartorium

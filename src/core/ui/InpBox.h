// The input box: a prompt, one edit field, "&Ok" and "&Cancel".
#pragma once

#include <string>
#include <string_view>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace chartorium {

/// A small stay-on-top modal window captioned "Input", centred on the screen.
class InpBox final : public QDialog {
  Q_OBJECT

 public:
  explicit InpBox(QWidget* parent = nullptr);

  /// Shows the box with the prompt and the field prefilled and selected; the
  /// trimmed text on "&Ok" or Enter, "" on "&Cancel".
  std::string Ask(std::string_view prompt, std::string_view initial);

 private:
  void OnBOkClicked();
  void OnBCancelClicked();

  QLabel* LPrompt;
  QLineEdit* EInput;
  QPushButton* BOk;
  QPushButton* BCancel;
  std::string result_;
};

}  // namespace chartorium

// The stock properties dialog: ticker, update site, currency, shares, and
// behind "&More >>" the yearly earnings and notes.
#pragma once

#include <string_view>

#include <QDialog>

#include "quotes/StockPropertiesForm.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace chartorium {

class Dialogs;
class Workspace;

/// Titled with the stock's name. Enter moves to the next field; Enter in
/// "Number of released stocks:" confirms.
class Nouveau final : public QDialog {
  Q_OBJECT

 public:
  Nouveau(Workspace& workspace, Dialogs& dialogs, QWidget* parent = nullptr);

  /// Loads the properties of `stock` and shows the dialog modally; true when
  /// "Ok" saved them.
  bool Edit(std::string_view stock);
  /// Loads the properties of `stock` into the controls; false (with the
  /// error shown) when its files cannot be read.
  bool Load(std::string_view stock);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowForm();
  void ReadControls();
  void ShowEarnings();
  void OnBOkClicked();
  void OnBAddClicked();
  void OnBDeleteClicked();
  void OnBMoreClicked();

  Workspace& workspace_;
  Dialogs& dialogs_;
  StockPropertiesForm form_;
  QLineEdit* ETick;
  QPushButton* BSymb;
  QComboBox* CBSite;
  QLineEdit* ECur;
  QLineEdit* ENbr;
  QWidget* PMore;
  QTreeWidget* LVEarnings;
  QPushButton* BAdd;
  QPushButton* BDelete;
  QLineEdit* ENot;
  QPushButton* BMore;
  QPushButton* BOk;
  QPushButton* BCancel;
};

}  // namespace chartorium

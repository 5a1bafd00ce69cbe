// The split dialog "Split the stock".
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace chartorium {

class Clock;
class Dialogs;
class Workspace;
struct DateLocale;

/// Rescales the open stock's quotes between two dates by "Divisor:" / "by".
/// Enter moves from field to field; Enter in the last divisor splits.
class Split1 final : public QDialog {
  Q_OBJECT

 public:
  Split1(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
         QWidget* parent = nullptr);

 private:
  void OnBFirstClicked();
  void OnBLastClicked();
  void OnBSplitClicked();

  Workspace& workspace_;
  Dialogs& dialogs_;
  const DateLocale& locale_;
  const Clock& clock_;
  QLineEdit* EFrom;
  QLineEdit* ETo;
  QPushButton* BFirst;
  QPushButton* BLast;
  QLineEdit* EDiv1;
  QLineEdit* EDiv2;
  QPushButton* BSplit;
  QPushButton* BCancel;
};

}  // namespace chartorium

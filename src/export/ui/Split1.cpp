// The split dialog. Its slots call the engine's split commands.
#include "export/ui/Split1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/Split.h"

namespace chartorium {
namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter belongs to the fields, which move on or split.
  button->setAutoDefault(false);
  return button;
}

QLineEdit* Field(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  return field;
}

}  // namespace

Split1::Split1(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
               QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      dialogs_(dialogs),
      locale_(locale),
      clock_(clock),
      EFrom(Field("EFrom", this)),
      ETo(Field("ETo", this)),
      BFirst(Button("&First date", "BFirst", this)),
      BLast(Button("&Last date", "BLast", this)),
      EDiv1(Field("EDiv1", this)),
      EDiv2(Field("EDiv2", this)),
      BSplit(Button("&Split", "BSplit", this)),
      BCancel(Button("&Cancel", "BCancel", this)) {
  setObjectName("FSplit");
  setWindowTitle("Split the stock");
  EDiv2->setText("1");
  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel("From date:", this), 0, 0);
  fields->addWidget(EFrom, 0, 1);
  fields->addWidget(BFirst, 0, 2);
  fields->addWidget(new QLabel("To date:", this), 1, 0);
  fields->addWidget(ETo, 1, 1);
  fields->addWidget(BLast, 1, 2);
  auto* divisors = new QHBoxLayout;
  divisors->addWidget(EDiv1);
  divisors->addWidget(new QLabel("by", this));
  divisors->addWidget(EDiv2);
  fields->addWidget(new QLabel("Divisor:", this), 2, 0);
  fields->addLayout(divisors, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BSplit);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  setTabOrder(EFrom, ETo);
  setTabOrder(ETo, EDiv1);
  setTabOrder(EDiv1, EDiv2);

  connect(BFirst, &QPushButton::clicked, this, &Split1::OnBFirstClicked);
  connect(BLast, &QPushButton::clicked, this, &Split1::OnBLastClicked);
  connect(BSplit, &QPushButton::clicked, this, &Split1::OnBSplitClicked);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(EFrom, &QLineEdit::returnPressed, ETo, qOverload<>(&QWidget::setFocus));
  connect(ETo, &QLineEdit::returnPressed, EDiv1, qOverload<>(&QWidget::setFocus));
  connect(EDiv1, &QLineEdit::returnPressed, EDiv2, qOverload<>(&QWidget::setFocus));
  connect(EDiv2, &QLineEdit::returnPressed, this, &Split1::OnBSplitClicked);
}

void Split1::OnBFirstClicked() {
  EFrom->setText(QString::fromStdString(FirstQuoteDateText(workspace_, locale_)));
}

void Split1::OnBLastClicked() {
  ETo->setText(QString::fromStdString(LastQuoteDateText(workspace_, locale_)));
}

void Split1::OnBSplitClicked() {
  const SplitRequest request =
      ReadSplitFields(EFrom->text().toStdString(), ETo->text().toStdString(),
                      EDiv1->text().toStdString(), EDiv2->text().toStdString(), locale_, clock_);
  if (SplitStock(workspace_, dialogs_, request) == SplitResult::Done) accept();
}

}  // namespace chartorium

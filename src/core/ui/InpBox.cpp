// The input box.
#include "core/ui/InpBox.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace chartorium {

InpBox::InpBox(QWidget* parent)
    : QDialog(parent),
      LPrompt(new QLabel(this)),
      EInput(new QLineEdit(this)),
      BOk(new QPushButton("&Ok", this)),
      BCancel(new QPushButton("&Cancel", this)) {
  setObjectName("InpBox");
  setWindowTitle("Input");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(true);
  LPrompt->setObjectName("LPrompt");
  EInput->setObjectName("EInput");
  BOk->setObjectName("BOk");
  BCancel->setObjectName("BCancel");
  BOk->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LPrompt);
  layout->addWidget(EInput);
  layout->addLayout(buttons);
  setMinimumWidth(300);
  connect(BOk, &QPushButton::clicked, this, &InpBox::OnBOkClicked);
  connect(BCancel, &QPushButton::clicked, this, &InpBox::OnBCancelClicked);
}

std::string InpBox::Ask(std::string_view prompt, std::string_view initial) {
  result_.clear();
  LPrompt->setText(QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())));
  EInput->setText(QString::fromUtf8(initial.data(), static_cast<qsizetype>(initial.size())));
  EInput->selectAll();
  EInput->setFocus();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  exec();
  return result_;
}

void InpBox::OnBOkClicked() {
  result_ = EInput->text().trimmed().toStdString();
  accept();
}

void InpBox::OnBCancelClicked() {
  result_.clear();
  reject();
}

}  // namespace chartorium

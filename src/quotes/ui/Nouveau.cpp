// The stock properties dialog. Its slots call the engine's properties
// commands and show the form they return.
#include "quotes/ui/Nouveau.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/Dialogs.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter belongs to the fields, which move on or confirm.
  button->setAutoDefault(false);
  return button;
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Nouveau::Nouveau(Workspace& workspace, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      dialogs_(dialogs),
      ETick(new QLineEdit(this)),
      BSymb(Button("...", "BSymb", this)),
      CBSite(new QComboBox(this)),
      ECur(new QLineEdit(this)),
      ENbr(new QLineEdit(this)),
      PMore(new QWidget(this)),
      LVEarnings(new QTreeWidget(PMore)),
      BAdd(Button("&Add", "BAdd", PMore)),
      BDelete(Button("&Delete", "BDelete", PMore)),
      ENot(new QLineEdit(PMore)),
      BMore(Button("&More >>", "BMore", this)),
      BOk(Button("Ok", "BOk", this)),
      BCancel(Button("&Cancel", "BCancel", this)) {
  setObjectName("FNew");
  ETick->setObjectName("ETick");
  CBSite->setObjectName("CBSite");
  ECur->setObjectName("ECur");
  ENbr->setObjectName("ENbr");
  PMore->setObjectName("PMore");
  LVEarnings->setObjectName("LVEarnings");
  ENot->setObjectName("ENot");
  // The symbol lookup comes with the quote download.
  BSymb->setToolTip("Symbol lookup");
  BSymb->setEnabled(false);
  LVEarnings->setHeaderLabels({"Year", "Earnings"});
  LVEarnings->setRootIsDecorated(false);
  LVEarnings->header()->setSectionResizeMode(QHeaderView::Stretch);

  auto* ticker = new QHBoxLayout;
  ticker->addWidget(ETick, 1);
  ticker->addWidget(BSymb);
  auto* fields = new QFormLayout;
  fields->addRow("Stock ticker:", ticker);
  fields->addRow("Site for updates:", CBSite);
  fields->addRow("Currency:", ECur);
  fields->addRow("Number of released stocks:", ENbr);

  auto* earningsButtons = new QVBoxLayout;
  earningsButtons->addWidget(BAdd);
  earningsButtons->addWidget(BDelete);
  earningsButtons->addStretch();
  auto* earnings = new QHBoxLayout;
  earnings->addWidget(LVEarnings, 1);
  earnings->addLayout(earningsButtons);
  auto* more = new QVBoxLayout(PMore);
  more->setContentsMargins(0, 0, 0, 0);
  more->addWidget(new QLabel("Earnings:", PMore));
  more->addLayout(earnings);
  more->addWidget(new QLabel("Notes:", PMore));
  more->addWidget(ENot);
  PMore->hide();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BMore);
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(fields);
  layout->addWidget(PMore);
  layout->addLayout(buttons);

  connect(BOk, &QPushButton::clicked, this, &Nouveau::OnBOkClicked);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BAdd, &QPushButton::clicked, this, &Nouveau::OnBAddClicked);
  connect(BDelete, &QPushButton::clicked, this, &Nouveau::OnBDeleteClicked);
  connect(BMore, &QPushButton::clicked, this, &Nouveau::OnBMoreClicked);
  connect(ETick, &QLineEdit::returnPressed, CBSite, qOverload<>(&QWidget::setFocus));
  connect(ECur, &QLineEdit::returnPressed, ENbr, qOverload<>(&QWidget::setFocus));
  connect(ENbr, &QLineEdit::returnPressed, this, &Nouveau::OnBOkClicked);
  CBSite->installEventFilter(this);
}

bool Nouveau::Edit(std::string_view stock) {
  return Load(stock) && exec() == QDialog::Accepted;
}

bool Nouveau::Load(std::string_view stock) {
  auto form = LoadStockPropertiesForm(workspace_.AppFolder(), stock);
  if (!form) {
    dialogs_.Error("Chartorium", form.status().message());
    return false;
  }
  form_ = std::move(*form);
  ShowForm();
  ETick->setFocus();
  return true;
}

bool Nouveau::eventFilter(QObject* watched, QEvent* event) {
  // Enter on the closed site list moves on, as in the other fields.
  if (watched == CBSite && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ECur->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Nouveau::ShowForm() {
  setWindowTitle(Text(form_.Stock));
  ETick->setText(Text(form_.Ticker));
  CBSite->clear();
  for (const std::string& site : form_.Sites) CBSite->addItem(Text(site));
  CBSite->setCurrentIndex(form_.Site);
  ECur->setText(Text(form_.Currency));
  ENbr->setText(Text(form_.Shares));
  ENot->setText(Text(form_.Notes));
  ShowEarnings();
}

void Nouveau::ShowEarnings() {
  LVEarnings->clear();
  for (const EarningsRow& row : form_.Earnings)
    LVEarnings->addTopLevelItem(new QTreeWidgetItem({Text(row.Year), Text(row.Earnings)}));
}

void Nouveau::ReadControls() {
  form_.Ticker = ETick->text().toStdString();
  form_.Site = CBSite->currentIndex();
  form_.Currency = ECur->text().toStdString();
  form_.Shares = ENbr->text().toStdString();
  form_.Notes = ENot->text().toStdString();
}

void Nouveau::OnBOkClicked() {
  ReadControls();
  if (const Status saved = ConfirmStockProperties(workspace_, form_); !saved.ok()) {
    dialogs_.Error("Chartorium", saved.message());
    return;
  }
  accept();
}

void Nouveau::OnBAddClicked() {
  if (AddEarnings(form_, dialogs_)) ShowEarnings();
}

void Nouveau::OnBDeleteClicked() {
  DeleteEarnings(form_, LVEarnings->indexOfTopLevelItem(LVEarnings->currentItem()));
  ShowEarnings();
}

void Nouveau::OnBMoreClicked() {
  PMore->setVisible(!PMore->isVisible());
  BMore->setText(PMore->isVisible() ? "<< &Less" : "&More >>");
}

}  // namespace chartorium

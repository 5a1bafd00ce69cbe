// The operation dialog. Accepting hands the fields to the engine, which books
// the operation or says why not.
#include "portfolio/ui/FInpP.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/TextHelpers.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioQuotes.h"

namespace chartorium {
namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter belongs to the fields, which move on or accept.
  button->setAutoDefault(false);
  return button;
}

QLineEdit* Field(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  return field;
}

// Enter moves to the next field with its text selected, so typing replaces it.
void MoveTo(QLineEdit* field) {
  field->setFocus();
  field->selectAll();
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FInpP::FInpP(Portfolio& portfolio, const PortfolioContext& context, QWidget* parent)
    : QDialog(parent),
      portfolio_(portfolio),
      context_(context),
      ESearch(Field("ESearch", this)),
      LBStocks(new QListWidget(this)),
      ENumber(Field("ENumber", this)),
      EPrice(Field("EPrice", this)),
      ECommission(Field("ECommission", this)),
      EDate(Field("EDate", this)),
      BToday(Button("&Today", "BToday", this)),
      BAccept(Button("&Accept", "BAccept", this)),
      BCancel(Button("&Cancel", "BCancel", this)) {
  setObjectName("FInpP");
  setWindowTitle("Input datas");
  LBStocks->setObjectName("LBStocks");
  ESearch->setPlaceholderText("Search");
  ESearch->setClearButtonEnabled(true);

  auto* stocks = new QVBoxLayout;
  stocks->addWidget(new QLabel("Stocks:", this));
  stocks->addWidget(ESearch);
  stocks->addWidget(LBStocks, 1);

  EDate->setMinimumWidth(EDate->fontMetrics().horizontalAdvance("00/00/00000") + 16);
  auto* date = new QHBoxLayout;
  date->addWidget(EDate, 1);
  date->addWidget(BToday);
  auto* fields = new QFormLayout;
  fields->addRow("Number of stocks:", ENumber);
  fields->addRow("Price of the stock:", EPrice);
  fields->addRow("Commission:", ECommission);
  fields->addRow("Date of the operation:", date);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BAccept);
  buttons->addWidget(BCancel);
  auto* right = new QVBoxLayout;
  right->addLayout(fields);
  right->addStretch();
  right->addLayout(buttons);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(stocks, 1);
  layout->addLayout(right, 1);
  resize(600, 320);

  connect(ESearch, &QLineEdit::textEdited, this, &FInpP::OnESearchTextEdited);
  connect(ESearch, &QLineEdit::returnPressed, this, &FInpP::OnESearchReturnPressed);
  connect(LBStocks, &QListWidget::currentRowChanged, this, &FInpP::OnLBStocksCurrentRowChanged);
  // A click on the stock the search box found proposes its price too.
  connect(LBStocks, &QListWidget::itemClicked, this, &FInpP::ProposePriceOfSelection);
  connect(ENumber, &QLineEdit::returnPressed, this, [this] { MoveTo(EPrice); });
  connect(EPrice, &QLineEdit::returnPressed, this, [this] { MoveTo(ECommission); });
  connect(ECommission, &QLineEdit::returnPressed, this, [this] { MoveTo(EDate); });
  connect(EDate, &QLineEdit::returnPressed, this, &FInpP::OnBAcceptClicked);
  connect(BToday, &QPushButton::clicked, this, &FInpP::OnBTodayClicked);
  connect(BAccept, &QPushButton::clicked, this, &FInpP::OnBAcceptClicked);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
  EDate->installEventFilter(this);
}

void FInpP::Prepare(OperationKind kind, std::string_view stock) {
  kind_ = kind;
  outcome_ = OperationOutcome::Ignored;
  setWindowTitle(kind == OperationKind::Buy ? "Buy stock" : "Sell stock");
  stocks_ = PortfolioStockList(context_.AppFolder);
  const QSignalBlocker blocker(LBStocks);
  LBStocks->clear();
  for (const std::string& name : stocks_) LBStocks->addItem(Text(name));
  LBStocks->setCurrentRow(-1);
  for (QLineEdit* field : {ESearch, ENumber, EPrice, ECommission, EDate}) field->clear();
  ECommission->setText("0");
  EDate->setText(Text(OperationDateToday(context_)));
  for (size_t i = 0; i < stocks_.size(); ++i) {
    if (stocks_[i] != stock) continue;
    LBStocks->setCurrentRow(static_cast<int>(i));
    ProposePriceOfSelection();
  }
  // With the stock chosen the number comes next; else the stock is searched.
  (SelectedStock().empty() ? ESearch : ENumber)->setFocus();
}

OperationOutcome FInpP::Run(OperationKind kind, std::string_view stock) {
  Prepare(kind, stock);
  exec();
  return outcome_;
}

bool FInpP::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EDate && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->text() == "t" || key->text() == "T") {
      OnBTodayClicked();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FInpP::OnESearchTextEdited(const QString& text) {
  const int found = IndexOfPrefix(text.toStdString(), stocks_);
  if (found < 0) return;
  // Typing only finds the stock; Enter or a choice in the list proposes its price.
  const QSignalBlocker blocker(LBStocks);
  LBStocks->setCurrentRow(found);
  LBStocks->scrollToItem(LBStocks->item(found));
}

void FInpP::OnESearchReturnPressed() {
  ProposePriceOfSelection();
  MoveTo(ENumber);
}

void FInpP::OnLBStocksCurrentRowChanged(int) {
  ProposePriceOfSelection();
}

void FInpP::OnBTodayClicked() {
  EDate->setText(Text(OperationDateToday(context_)));
}

void FInpP::ProposePriceOfSelection() {
  const std::string stock = SelectedStock();
  if (stock.empty()) return;
  EPrice->setText(Text(ProposePrice(context_, stock, EDate->text().toStdString())));
}

std::string FInpP::SelectedStock() const {
  const int row = LBStocks->currentRow();
  return row < 0 || row >= static_cast<int>(stocks_.size()) ? std::string() : stocks_[row];
}

void FInpP::OnBAcceptClicked() {
  const OperationInput input{SelectedStock(), ENumber->text().toStdString(),
                             EPrice->text().toStdString(), ECommission->text().toStdString(),
                             EDate->text().toStdString()};
  outcome_ = AcceptOperation(portfolio_, context_, kind_, input);
  if (outcome_ == OperationOutcome::Booked) return accept();
  if (outcome_ == OperationOutcome::Ignored) return reject();
}

}  // namespace chartorium

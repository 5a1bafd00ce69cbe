// The operation dialog "Input datas": a stock, its number, price, commission
// and date, booked as a buy or a sale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QDialog>

#include "portfolio/PortfolioOperations.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace chartorium {

struct Portfolio;

/// Captioned "Buy stock" or "Sell stock". Typing in the search box selects
/// the first stock whose name begins with it; choosing a stock proposes its
/// close on the operation's date. Enter moves from field to field and
/// accepts in the date field, where "t" or "T" types today's date.
class FInpP final : public QDialog {
  Q_OBJECT

 public:
  FInpP(Portfolio& portfolio, const PortfolioContext& context, QWidget* parent = nullptr);

  /// Prepares the dialog for one operation: the stock list read again, the
  /// fields empty but for a commission of "0" and today's date, and `stock`
  /// (if any) selected with its price proposed.
  void Prepare(OperationKind kind, std::string_view stock);
  /// Prepare, then shows the dialog modally; the operation's outcome
  /// (Ignored when the dialog was cancelled).
  OperationOutcome Run(OperationKind kind, std::string_view stock);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnESearchTextEdited(const QString& text);
  void OnESearchReturnPressed();
  void OnLBStocksCurrentRowChanged(int row);
  void OnBTodayClicked();
  void OnBAcceptClicked();
  void ProposePriceOfSelection();
  std::string SelectedStock() const;

  Portfolio& portfolio_;
  const PortfolioContext& context_;
  OperationKind kind_ = OperationKind::Buy;
  OperationOutcome outcome_ = OperationOutcome::Ignored;
  std::vector<std::string> stocks_;

  QLineEdit* ESearch;
  QListWidget* LBStocks;
  QLineEdit* ENumber;
  QLineEdit* EPrice;
  QLineEdit* ECommission;
  QLineEdit* EDate;
  QPushButton* BToday;
  QPushButton* BAccept;
  QPushButton* BCancel;
};

}  // namespace chartorium

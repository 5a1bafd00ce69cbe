// The window "Portfolio management": the positions grid or the journal, the
// name bar, the totals, the operation buttons, the toolbar and the menus.
#pragma once

#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCommands.h"

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace chartorium {

class Clock;
class Dialogs;
class FInpP;
class HTML;
class PositionsModel;
class Workspace;
struct DateLocale;

class Portef final : public QMainWindow {
  Q_OBJECT

 public:
  /// Reads the window's settings (section "Port"). `files` answers the open
  /// and save dialogs; null means the platform's file dialogs.
  Portef(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
         QWidget* parent = nullptr, PortfolioFileDialogs* files = nullptr);
  ~Portef() override;

  /// "Portfolio manager": a hidden window starts empty and reopens the last
  /// portfolio; then it is shown and brought up.
  void ShowWindow();
  /// The program ends: asks to save a modified portfolio and stores the
  /// window's settings. False when the user chose to stay (the save was
  /// cancelled), so the program goes on.
  bool EndProgram();

  const Portfolio& Current() const { return portfolio_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class QtFileDialogs;

  void CreateActions();
  void CreateLayout();
  void Refresh();
  void SaveSettings();
  int SelectedRow() const;
  std::string SelectedStock() const;
  void RunOperation(OperationKind kind, const std::string& stock);

  void OnTBSaveTriggered();
  void OnMSaveAsTriggered();
  void OnTBOpenTriggered();
  void OnTBNewTriggered();
  void OnTBHelpTriggered();
  void OnTBExportTriggered();
  void OnBBuyClicked();
  void OnBSellClicked();
  void OnBWithdrawalClicked();
  void OnBDepositClicked();
  void OnBDividendsClicked();
  void OnBReportToggled(bool down);
  void OnPMBuyAgainTriggered();
  void OnPNameDoubleClicked();
  void OnSGContextMenuRequested(const QPoint& at);

  Portfolio portfolio_;
  PortfolioContext context_;
  std::unique_ptr<PortfolioFileDialogs> ownFiles_;
  PortfolioFileDialogs& files_;
  PortSettings settings_;
  std::filesystem::path quorex_;

  QAction* TBSave;
  QAction* TBOpen;
  QAction* TBNew;
  QAction* TBClose;
  QAction* TBHelp;
  QAction* TBPreview;
  QAction* TBExport;
  QAction* MSaveAs;
  QAction* MReport;
  QAction* PMSell;
  QAction* PMBuyNew;
  QAction* PMBuyAgain;
  QAction* PMDividends;
  QLabel* PName;
  QTableView* SG;
  QListWidget* LBReport;
  QLabel* LCash;
  QLabel* LTotal;
  QLabel* LChange;
  QPushButton* BBuy;
  QPushButton* BSell;
  QPushButton* BWithdrawal;
  QPushButton* BDeposit;
  QPushButton* BDividends;
  QPushButton* BReport;
  PositionsModel* model_;
  FInpP* input_;
  QPointer<HTML> preview_;
};

}  // namespace chartorium

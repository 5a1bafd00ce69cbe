// The portfolio window. Every slot calls one portfolio command of the engine
// and shows the portfolio again; the messages and questions are the engine's.
#include "portfolio/ui/Portef.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/Workspace.h"
#include "core/ui/HelpWindow.h"
#include "portfolio/PortfolioPage.h"
#include "portfolio/ui/FInpP.h"
#include "portfolio/ui/PositionsModel.h"
#include "reports/ui/HTML.h"

namespace chartorium {
namespace {

constexpr std::string_view ProductName = "Chartorium";
constexpr int WindowHeight = 440;
constexpr const char* PortfolioFilter = "Portfolio files (*.por);;All files (*.*)";

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon Glyph(const char* letters) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x37, 0x1A, 0xC6), 1.5));
  painter.setBrush(QColor(0xF4, 0xF6, 0xFC));
  painter.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
  QFont font("Arial");
  font.setPixelSize(10);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, letters);
  return QIcon(pixmap);
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QLabel* Value(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setMinimumWidth(90);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

// The platform's open and save dialogs, starting in the "Portfolios" folder.
class Portef::QtFileDialogs final : public PortfolioFileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}

  std::optional<std::filesystem::path> ChooseFileToOpen(
      const std::filesystem::path& folder) override {
    return Choose(QFileDialog::AcceptOpen, "Open a portfolio", folder, "");
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view name) override {
    return Choose(QFileDialog::AcceptSave, "Save the portfolio", folder, name);
  }

 private:
  std::optional<std::filesystem::path> Choose(QFileDialog::AcceptMode mode, const char* caption,
                                              const std::filesystem::path& folder,
                                              std::string_view name) {
    QFileDialog dialog(parent_, caption, QString::fromStdString(folder.string()), PortfolioFilter);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix("por");
    if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
    if (!name.empty()) dialog.selectFile(Text(name) + ".por");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
  }

  QWidget* parent_;
};

Portef::Portef(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
               QWidget* parent, PortfolioFileDialogs* files)
    : QMainWindow(parent),
      context_{workspace.AppFolder(), dialogs, locale, clock},
      ownFiles_(files ? nullptr : std::make_unique<QtFileDialogs>(this)),
      files_(files ? *files : *ownFiles_),
      quorex_(ResolveFileName(workspace.AppFolder(), "Quorex.ini")),
      PName(new QLabel(this)),
      SG(new QTableView(this)),
      LBReport(new QListWidget(this)),
      LCash(Value("LCash", this)),
      LTotal(Value("LTotal", this)),
      LChange(Value("LChange", this)),
      BBuy(Button("&Buy", "BBuy", this)),
      BSell(Button("&Sell", "BSell", this)),
      BWithdrawal(Button(" &Withdrawal", "BWithdrawal", this)),
      BDeposit(Button("&Deposit", "BDeposit", this)),
      BDividends(Button("D&ividends", "BDividends", this)),
      BReport(Button("&Report", "BReport", this)),
      model_(new PositionsModel(portfolio_, this)),
      input_(new FInpP(portfolio_, context_, this)) {
  setObjectName("Portef");
  setWindowTitle(Text(PortfolioCaption) + "[*]");
  setWindowFlag(Qt::Window);
  CreateActions();
  CreateLayout();
  const auto quorex = IniFile::Load(quorex_);
  settings_ = ReadPortSettings(quorex ? *quorex : IniFile());
  move(settings_.Left, settings_.Top);
  resize(settings_.Width, WindowHeight);
  Refresh();
}

Portef::~Portef() = default;

void Portef::CreateActions() {
  struct Entry {
    QAction*& Action;
    const char* Name;
    const char* Caption;
    const char* Glyph;
  };
  const Entry toolbar[] = {
      {TBSave, "TBSave", "Save the portfolio", "Sv"},
      {TBOpen, "TBOpen", "Open a portfolio", "Op"},
      {TBNew, "TBNew", "New portfolio", "Nw"},
      {TBClose, "TBClose", "Close", "X"},
      {TBHelp, "TBHelp", "Help", "?"},
      {TBPreview, "TBPreview", "Print preview", "Pv"},
      {TBExport, "TBExport", "Export to HTML", "Ht"},
  };
  QToolBar* bar = addToolBar("ToolBar1");
  bar->setObjectName("ToolBar1");
  bar->setIconSize(QSize(24, 24));
  for (const Entry& entry : toolbar) {
    entry.Action = bar->addAction(Glyph(entry.Glyph), entry.Caption);
    entry.Action->setObjectName(entry.Name);
    entry.Action->setToolTip(entry.Caption);
  }
  // Printing comes with the program's print window.
  TBPreview->setEnabled(false);
  TBPreview->setToolTip("Print preview (not available yet: it comes with printing)");

  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("MenuFile");
  const auto item = [](QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  QAction* menuNew = item(file, "MNew", "&New protfolio");
  QAction* menuOpen = item(file, "MOpen", "&Open a portfolio");
  QAction* menuSave = item(file, "MSave", "&Save");
  MSaveAs = item(file, "MSaveAs", "Save &As...");
  QAction* menuExport = item(file, "MExport", "E&xport");
  file->addSeparator();
  QAction* menuExit = item(file, "MExit", "&Exit");
  QMenu* view = menuBar()->addMenu("&View");
  view->setObjectName("MenuView");
  MReport = item(view, "MReport", "&Report");
  MReport->setCheckable(true);
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("MenuHelp");
  QAction* menuHelp = item(help, "MHelp", "&Help");

  PMSell = new QAction("&Sell stocks", this);
  PMSell->setObjectName("PMSell");
  PMBuyNew = new QAction("&Buy new stock", this);
  PMBuyNew->setObjectName("PMBuyNew");
  PMBuyAgain = new QAction("Buy this stock &again", this);
  PMBuyAgain->setObjectName("PMBuyAgain");
  PMDividends = new QAction("&Dividends", this);
  PMDividends->setObjectName("PMDividends");

  connect(TBSave, &QAction::triggered, this, &Portef::OnTBSaveTriggered);
  connect(menuSave, &QAction::triggered, this, &Portef::OnTBSaveTriggered);
  connect(MSaveAs, &QAction::triggered, this, &Portef::OnMSaveAsTriggered);
  connect(TBOpen, &QAction::triggered, this, &Portef::OnTBOpenTriggered);
  connect(menuOpen, &QAction::triggered, this, &Portef::OnTBOpenTriggered);
  connect(TBNew, &QAction::triggered, this, &Portef::OnTBNewTriggered);
  connect(menuNew, &QAction::triggered, this, &Portef::OnTBNewTriggered);
  connect(TBClose, &QAction::triggered, this, &QWidget::close);
  connect(menuExit, &QAction::triggered, this, &QWidget::close);
  connect(TBHelp, &QAction::triggered, this, &Portef::OnTBHelpTriggered);
  connect(menuHelp, &QAction::triggered, this, &Portef::OnTBHelpTriggered);
  connect(TBExport, &QAction::triggered, this, &Portef::OnTBExportTriggered);
  connect(menuExport, &QAction::triggered, this, &Portef::OnTBExportTriggered);
  connect(MReport, &QAction::toggled, this, [this](bool down) { BReport->setChecked(down); });
  connect(PMSell, &QAction::triggered, this, &Portef::OnBSellClicked);
  connect(PMBuyNew, &QAction::triggered, this, &Portef::OnBBuyClicked);
  connect(PMBuyAgain, &QAction::triggered, this, &Portef::OnPMBuyAgainTriggered);
  connect(PMDividends, &QAction::triggered, this, &Portef::OnBDividendsClicked);
}

void Portef::CreateLayout() {
  auto* central = new QWidget(this);
  central->setObjectName("PMain");
  PName->setObjectName("PName");
  PName->setFrameShape(QFrame::StyledPanel);
  PName->setToolTip("Double click to rename the portfolio");
  QFont nameFont = PName->font();
  nameFont.setBold(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.2);
  PName->setFont(nameFont);
  PName->setMinimumHeight(26);
  PName->installEventFilter(this);

  SG->setObjectName("SG");
  SG->setModel(model_);
  SG->setSelectionBehavior(QAbstractItemView::SelectRows);
  SG->setSelectionMode(QAbstractItemView::SingleSelection);
  SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SG->setContextMenuPolicy(Qt::CustomContextMenu);
  SG->verticalHeader()->hide();
  // The numbers fit their texts; the names take the room that is left.
  SG->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  SG->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  LBReport->setObjectName("LBReport");
  LBReport->hide();

  auto* totals = new QHBoxLayout;
  for (const auto& [caption, value] :
       {std::pair{"Portfolio cash:", LCash}, std::pair{"Total assets:", LTotal},
        std::pair{"Portfolio change:", LChange}}) {
    totals->addWidget(new QLabel(caption, central));
    totals->addWidget(value);
  }
  totals->addStretch();
  BReport->setCheckable(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {BBuy, BSell, BWithdrawal, BDeposit, BDividends})
    buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(BReport);

  auto* layout = new QVBoxLayout(central);
  layout->addWidget(PName);
  layout->addWidget(SG, 1);
  layout->addWidget(LBReport, 1);
  layout->addLayout(totals);
  layout->addLayout(buttons);
  setCentralWidget(central);

  connect(BBuy, &QPushButton::clicked, this, &Portef::OnBBuyClicked);
  connect(BSell, &QPushButton::clicked, this, &Portef::OnBSellClicked);
  connect(BWithdrawal, &QPushButton::clicked, this, &Portef::OnBWithdrawalClicked);
  connect(BDeposit, &QPushButton::clicked, this, &Portef::OnBDepositClicked);
  connect(BDividends, &QPushButton::clicked, this, &Portef::OnBDividendsClicked);
  connect(BReport, &QPushButton::toggled, this, &Portef::OnBReportToggled);
  connect(SG, &QWidget::customContextMenuRequested, this, &Portef::OnSGContextMenuRequested);
}

void Portef::Refresh() {
  PName->setText(Text(portfolio_.PortfolioName));
  // The grid is rebuilt: the row the user chose stays chosen while it exists.
  const int selected = SelectedRow();
  model_->Refresh();
  if (selected >= 0 && selected < model_->rowCount()) SG->selectRow(selected);
  LBReport->clear();
  for (const std::string& line : portfolio_.Journal) LBReport->addItem(Text(line));
  LCash->setText(Text(portfolio_.Cash));
  LTotal->setText(Text(portfolio_.TotalAssets));
  LChange->setText(Text(portfolio_.PortfolioChange));
  LChange->setStyleSheet(portfolio_.ChangeIsNegative ? "color: #ff0000;" : "color: #008000;");
  const bool loaded = portfolio_.Loaded();
  for (QWidget* control : {static_cast<QWidget*>(BBuy), static_cast<QWidget*>(BSell),
                           static_cast<QWidget*>(BDeposit), static_cast<QWidget*>(BWithdrawal),
                           static_cast<QWidget*>(BDividends), static_cast<QWidget*>(BReport)})
    control->setEnabled(loaded);
  for (QAction* action :
       {TBSave, MSaveAs, TBExport, MReport, PMSell, PMBuyNew, PMBuyAgain, PMDividends})
    action->setEnabled(loaded);
  setWindowModified(portfolio_.Modified);
}

void Portef::ShowWindow() {
  if (!isVisible()) {
    ReopenLastPortfolio(portfolio_, context_, settings_.Last);
    BReport->setChecked(false);
    Refresh();
  }
  show();
  raise();
  activateWindow();
}

bool Portef::EndProgram() {
  if (isVisible() && !SaveChangesBeforeClosing(portfolio_, context_, files_)) {
    Refresh();
    return false;
  }
  SaveSettings();
  hide();
  return true;
}

void Portef::closeEvent(QCloseEvent* event) {
  if (!SaveChangesBeforeClosing(portfolio_, context_, files_)) {
    Refresh();
    event->ignore();
    return;
  }
  SaveSettings();
  BReport->setChecked(false);
  event->accept();
}

void Portef::SaveSettings() {
  settings_.Left = x();
  settings_.Top = y();
  settings_.Width = width();
  settings_.Last = LastPortfolioFile(portfolio_);
  auto quorex = IniFile::Load(quorex_);
  if (!quorex) return;
  WritePortSettings(*quorex, settings_);
  if (const Status saved = quorex->Save(quorex_); !saved.ok())
    context_.Messages.Error(ProductName, saved.message());
}

bool Portef::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PName && event->type() == QEvent::MouseButtonDblClick) {
    OnPNameDoubleClicked();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

int Portef::SelectedRow() const {
  const QModelIndex current = SG->currentIndex();
  return current.isValid() && SG->selectionModel()->isRowSelected(current.row()) ? current.row()
                                                                                 : -1;
}

std::string Portef::SelectedStock() const {
  const int row = SelectedRow();
  return row < 0 ? std::string() : portfolio_.Rows[static_cast<size_t>(row)].Stocks;
}

void Portef::RunOperation(OperationKind kind, const std::string& stock) {
  if (input_->Run(kind, stock) == OperationOutcome::Booked) Refresh();
}

void Portef::OnTBSaveTriggered() {
  static_cast<void>(SavePortfolioCommand(portfolio_, context_, files_, false));
  Refresh();
}

void Portef::OnMSaveAsTriggered() {
  static_cast<void>(SavePortfolioCommand(portfolio_, context_, files_, true));
  Refresh();
}

void Portef::OnTBOpenTriggered() {
  if (OpenPortfolioCommand(portfolio_, context_, files_)) BReport->setChecked(false);
  Refresh();
}

void Portef::OnTBNewTriggered() {
  if (NewPortfolioCommand(portfolio_, context_, files_)) BReport->setChecked(false);
  Refresh();
}

void Portef::OnTBHelpTriggered() {
  auto* help = new HelpWindow("portf.html", this);  // deletes itself when closed
  help->show();
}

void Portef::OnTBExportTriggered() {
  const std::filesystem::path page = context_.AppFolder / std::string(PortfolioPageFile);
  if (const Status written = WritePortfolioPage(portfolio_, page); !written.ok()) {
    context_.Messages.Error(ProductName, written.message());
    return;
  }
  if (!preview_) preview_ = new HTML(context_.AppFolder, context_.Messages, this);
  preview_->ShowPage(page);
}

void Portef::OnBBuyClicked() {
  RunOperation(OperationKind::Buy, "");
}

void Portef::OnBSellClicked() {
  RunOperation(OperationKind::Sell, SelectedStock());
}

void Portef::OnPMBuyAgainTriggered() {
  RunOperation(OperationKind::Buy, SelectedStock());
}

void Portef::OnBWithdrawalClicked() {
  if (WithdrawalCommand(portfolio_, context_)) Refresh();
}

void Portef::OnBDepositClicked() {
  if (DepositCommand(portfolio_, context_)) Refresh();
}

void Portef::OnBDividendsClicked() {
  if (DividendsCommand(portfolio_, context_, SelectedRow())) Refresh();
}

void Portef::OnBReportToggled(bool down) {
  MReport->setChecked(down);
  SG->setVisible(!down);
  LBReport->setVisible(down);
}

void Portef::OnPNameDoubleClicked() {
  if (RenamePortfolioCommand(portfolio_, context_)) Refresh();
}

void Portef::OnSGContextMenuRequested(const QPoint& at) {
  QMenu menu(this);
  menu.setObjectName("PopupMenu1");
  menu.addActions({PMSell, PMBuyNew, PMBuyAgain, PMDividends});
  menu.exec(SG->viewport()->mapToGlobal(at));
}

}  // namespace chartorium

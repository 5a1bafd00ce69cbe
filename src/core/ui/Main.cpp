// The main window. Its slots call the library and preference commands and
// redraw; which command does what, and with which message, is the engine's.
#include "core/ui/Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "chart/ChartView.h"
#include "chart/ui/Graph.h"
#include "core/Clock.h"
#include "core/DateTexts.h"
#include "core/Dialogs.h"
#include "core/IniFile.h"
#include "core/LibraryCommands.h"
#include "core/LibraryTree.h"
#include "core/PreferencesCommands.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/Summary.h"
#include "core/Workspace.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/LibraryModel.h"
#include "core/ui/LibraryView.h"
#include "core/ui/Options.h"
#include "core/ui/SummaryPanel.h"
#include "export/Languages.h"
#include "export/ui/FLang.h"
#include "export/ui/Split1.h"
#include "export/ui/WidgetTranslation.h"
#include "portfolio/ui/Portef.h"
#include "quotes/StockPropertiesForm.h"
#include "quotes/ui/Import.h"
#include "quotes/ui/Nouveau.h"

namespace chartorium {
namespace {

constexpr int NewsInterval = 5000;

// The command table of the menus and the toolbar. Entries whose window is
// not part of the program yet are shown disabled.
struct Command {
  const char* Menu;
  const char* Name;
  const char* Caption;
  const char* Hint;  ///< "" when the toolbar has no button for it
  const char* Glyph;
  bool Available;
};

constexpr Command Commands[] = {
    {"&File", "MOpen", "&Open a stock file", "Open a file", "Op", true},
    {"&File", "MImport", "&Import from ASCII file", "Import ASCII file", "As", true},
    {"&File", "MExport", "E&xport data to file", "Export data to file", "Ex", false},
    {"&File", "MAddList", "&Add a list of stocks names", "Add a list of stocks names", "Li", false},
    {"&File", "MGeneral", "&General options of the selected stock", "", "", true},
    {"&File", "MSymbol", "&Symbol lookup", "Symbol lookup", "Sy", false},
    {"&File", "MExit", "&Exit", "Close", "X", true},
    {"&Stocks", "MUpdate", "Update quotes of &all stocks", "Update quotes of all stocks", "Up",
     false},
    {"&Stocks", "MSplit", "&Split the stock", "Split the stock", "Sp", true},
    {"&Stocks", "MCompare", "&Compare stocks", "Compare stocks", "Co", false},
    {"&Tools", "MPortfolio", "&Portfolio manager", "Portfolio", "Pf", true},
    {"&Tools", "MBuilder", "&Indicators &builder", "Indicators builder", "Ib", false},
    {"&Tools", "MTester", "&System tester", "System tester", "St", false},
    {"&Tools", "MReports", "&Custom reports", "Custom reports", "Cr", false},
    {"&Tools", "MSignals", "Buy / Sell signals of the stock", "Buy / Sell signals", "BS", false},
    {"&Options", "MPreferences", "&Preferences", "Preferences", "Pr", true},
    {"&Options", "MLanguages", "&Languages", "", "", true},
    {"&Help", "MContents", "&Contents", "Help", "?", true},
    {"&Help", "MAbout", "&About", "About", "i", true},
    {"&Help", "MVersion", "Check for last &version", "", "", false},
};

QIcon Glyph(const char* letters, bool available) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor ink = available ? QColor(0x37, 0x1A, 0xC6) : QColor(0x90, 0x90, 0x90);
  painter.setPen(QPen(ink, 1.5));
  painter.setBrush(QColor(0xF4, 0xF6, 0xFC));
  painter.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
  QFont font("Arial");
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, letters);
  return QIcon(pixmap);
}

void ExpandAll(LibraryNode& node, bool expanded) {
  node.Expanded = expanded;
  for (auto& child : node.Children) ExpandAll(*child, expanded);
}

}  // namespace

// Carries out what the engine decides when it opens a stock.
class Main::Observer final : public LibraryObserver {
 public:
  Observer(Main& main, LibraryTree& tree) : LibraryObserver(tree), main_(main) {}
  void StockOpened(bool showGraph, bool showSignals) override { main_.StockShown(showGraph); }
  void EditNewStockProperties(std::string_view stockName) override {
    main_.nouveau_->Edit(stockName);
  }

 private:
  Main& main_;
};

Main::Main(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
           QWidget* parent)
    : QMainWindow(parent),
      workspace_(workspace),
      dialogs_(dialogs),
      locale_(locale),
      clock_(clock),
      observer_(std::make_unique<Observer>(*this, workspace.Library)),
      Tim(new QTimer(this)) {
  setObjectName("Main");
  setWindowTitle(ProductTitle);

  // The library, fully expanded, with the store empty and the root selected.
  LibraryTree& tree = workspace_.Library;
  if (const Status loaded = tree.Load(workspace_.AppFolder() / "List.ini"); !loaded.ok())
    dialogs_.Error("Chartorium", loaded.message());
  ExpandAll(tree.Root(), true);
  ClearQuoteStore(workspace_.Quotes());
  tree.Select(&tree.Root());

  CreateLeftPanel();
  CreateMenus();

  const auto quorex = IniFile::Load(QuorexFile(workspace_));
  settings_ = quorex ? ReadMainSettings(*quorex) : MainSettings{};
  workspace_.Quotes().Period = static_cast<Periodicity>(settings_.Periodicity);
  resize(settings_.Width, settings_.Height);
  move(settings_.Left, settings_.Top);
  Splitter1->setSizes({settings_.LeftPanel, std::max(1, settings_.Width - settings_.LeftPanel)});

  WidgetTranslation translation(*this);
  static_cast<void>(
      Translate(LanguageFilePath(workspace_.AppFolder(), settings_.Language), translation));

  if (auto text = ReadWholeFile(NewsFilePath(workspace_.AppFolder()))) news_.SetText(*text);
  Tim->setObjectName("Tim");
  Tim->setInterval(NewsInterval);
  connect(Tim, &QTimer::timeout, this, &Main::OnTimTimeout);

  options_ = new Options(workspace_, dialogs_, settings_.Language, this);
  // A window of its own that the main window owns; it lives as long as the program.
  graph_ = new Graph(workspace_, dialogs_, locale_, clock_, options_, this);
  connect(graph_, &Graph::StockOpened, this, &Main::OnGraphStockOpened);
  nouveau_ = new Nouveau(workspace_, dialogs_, this);
  import_ = new Import(workspace_, dialogs_, *observer_, locale_, clock_, this);
  portef_ = new Portef(workspace_, dialogs_, locale_, clock_, this);
  RefreshTree();
}

Main::~Main() = default;

void Main::CreateLeftPanel() {
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setChildrenCollapsible(false);
  P2 = new QWidget(Splitter1);
  P2->setObjectName("P2");
  BAddStock = new QPushButton("&Add Stock", P2);
  BAddStock->setObjectName("BAddStock");
  BAddFolder = new QPushButton("Add &Folder", P2);
  BAddFolder->setObjectName("BAddFolder");
  BRemove = new QPushButton("&Remove", P2);
  BRemove->setObjectName("BRemove");
  TV = new LibraryView(P2);
  TV->setObjectName("TV");
  model_ = new LibraryModel(workspace_.Library, workspace_.AppFolder(), this);
  TV->setModel(model_);
  auto* left = new QVBoxLayout(P2);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(2);
  left->addWidget(BAddStock);
  left->addWidget(BAddFolder);
  left->addWidget(BRemove);
  left->addWidget(TV, 1);

  // The summary fills the right panel less 4 pixels at the right and bottom.
  auto* right = new QWidget(Splitter1);
  right->setObjectName("P1");
  PBox = new SummaryPanel(right);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 4, 4);
  rightLayout->addWidget(PBox);
  Splitter1->addWidget(P2);
  Splitter1->addWidget(right);
  Splitter1->setStretchFactor(1, 1);
  setCentralWidget(Splitter1);

  connect(BAddStock, &QPushButton::clicked, this, &Main::OnBAddStockClicked);
  connect(BAddFolder, &QPushButton::clicked, this, &Main::OnBAddFolderClicked);
  connect(BRemove, &QPushButton::clicked, this, &Main::OnBRemoveClicked);
  connect(TV, &QTreeView::clicked, this, &Main::OnTVClicked);
  connect(TV, &LibraryView::KeyReleased, this, &Main::OnTVKeyReleased);
  connect(TV, &LibraryView::EnterPressed, this, &Main::OnTVEnterPressed);
  connect(TV, &QTreeView::expanded, this, &Main::OnTVExpanded);
  connect(TV, &QTreeView::collapsed, this, &Main::OnTVCollapsed);
  connect(model_, &LibraryModel::NodeEdited, this, &Main::OnTVEdited);
  connect(TV, &LibraryView::NodeDropped, this, &Main::OnTVDropped);
  connect(PBox, &SummaryPanel::Painted, this, &Main::OnPBoxPainted);
  connect(PBox, &SummaryPanel::DoubleClicked, this, &Main::SGraph);
}

void Main::CreateMenus() {
  ToolBar1 = addToolBar("ToolBar1");
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(true);
  ToolBar1->setIconSize(QSize(24, 24));
  QMenu* menu = nullptr;
  for (const Command& command : Commands) {
    if (!menu || menu->title() != command.Menu) {
      menu = menuBar()->addMenu(command.Menu);
      menu->setObjectName(QString("Menu") + QString(command.Menu).remove('&'));
    }
    QAction* action = menu->addAction(command.Caption);
    action->setObjectName(command.Name);
    action->setEnabled(command.Available);
    if (*command.Hint) {
      action->setToolTip(command.Hint);
      action->setIcon(Glyph(command.Glyph, command.Available));
      ToolBar1->addAction(action);
    }
    const std::string_view name = command.Name;
    if (name == "MOpen") connect(action, &QAction::triggered, this, &Main::OnMOpenTriggered);
    if (name == "MExit") connect(action, &QAction::triggered, this, &QWidget::close);
    if (name == "MPreferences")
      connect(action, &QAction::triggered, this, &Main::OnMPreferencesTriggered);
    if (name == "MLanguages")
      connect(action, &QAction::triggered, this, &Main::OnMLanguagesTriggered);
    if (name == "MContents")
      connect(action, &QAction::triggered, this, &Main::OnMContentsTriggered);
    if (name == "MAbout") connect(action, &QAction::triggered, this, &Main::OnMAboutTriggered);
    if (name == "MImport") connect(action, &QAction::triggered, this, &Main::OnMImportTriggered);
    if (name == "MGeneral") connect(action, &QAction::triggered, this, &Main::OnMGeneralTriggered);
    if (name == "MSplit") connect(action, &QAction::triggered, this, &Main::OnMSplitTriggered);
    if (name == "MPortfolio")
      connect(action, &QAction::triggered, this, &Main::OnMPortfolioTriggered);
  }
  BGraph = new QToolButton(ToolBar1);
  BGraph->setObjectName("BGraph");
  BGraph->setText("&Graph");
  BGraph->setToolTip("Show the graph");
  ToolBar1->addWidget(BGraph);
  connect(BGraph, &QToolButton::clicked, this, &Main::SGraph);

  SBDate = new QLabel(this);
  SBDate->setObjectName("SBDate");
  SBDate->setMinimumWidth(90);
  SBNews = new QLabel(this);
  SBNews->setObjectName("SBNews");
  statusBar()->setObjectName("SB");
  statusBar()->addWidget(SBDate);
  statusBar()->addWidget(SBNews, 1);
  statusBar()->installEventFilter(this);
  SBNews->installEventFilter(this);
}

MainSettings Main::CurrentSettings() const {
  MainSettings settings = settings_;
  settings.Width = width();
  settings.Height = height();
  settings.Left = x();
  settings.Top = y();
  const QList<int> sizes = Splitter1->sizes();
  settings.LeftPanel = sizes.isEmpty() ? settings_.LeftPanel : sizes.front();
  settings.Splitter = settings.LeftPanel;
  settings.Periodicity = static_cast<int>(workspace_.Quotes().Period);
  return settings;
}

void Main::RefreshTree() {
  model_->Refresh();
  // The chart's stocks list shows the same tree: its indexes go stale too.
  if (graph_) graph_->RefreshStocksList();
  // The reset forgets which folders were open; the nodes remember it.
  const auto restore = [this](auto& self, LibraryNode& node) -> void {
    if (node.Expanded) TV->setExpanded(model_->IndexOf(&node), true);
    for (auto& child : node.Children) self(self, *child);
  };
  restore(restore, workspace_.Library.Root());
  if (LibraryNode* selected = workspace_.Library.Selected())
    TV->setCurrentIndex(model_->IndexOf(selected));
  connect(TV->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &Main::OnTVCurrentChanged, Qt::UniqueConnection);
}

void Main::RefreshSummary() {
  PBox->SetSummary(Affiche(workspace_, locale_));
  TV->viewport()->update();
}

void Main::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  Tim->start();
  // Collapsing reports every node as closed, so the root is opened after it.
  TV->collapseAll();
  ExpandAll(workspace_.Library.Root(), false);
  workspace_.Library.Root().Expanded = true;
  RefreshTree();
  SBDate->setText(" " + QString::fromStdString(DateText(clock_.Today(), locale_)));
  setWindowTitle(ProductTitle);
  RefreshSummary();
}

void Main::closeEvent(QCloseEvent* event) {
  // A portfolio with unsaved changes is saved or given up first; cancelling
  // its save keeps the program running.
  if (!saved_ && !portef_->EndProgram()) {
    event->ignore();
    return;
  }
  SaveAtExit();
  event->accept();
}

void Main::SaveAtExit() {
  if (saved_) return;
  saved_ = true;
  Tim->stop();
  graph_->hide();
  if (const Status status = SauveFich(workspace_); !status.ok())
    dialogs_.Error("Chartorium", status.message());
  CloseStockFile(workspace_);
  workspace_.Quotes().StockName.clear();
  const std::filesystem::path file = QuorexFile(workspace_);
  if (auto quorex = IniFile::Load(file)) {
    WriteMainSettings(*quorex, CurrentSettings());
    static_cast<void>(quorex->Save(file));
  }
  static_cast<void>(workspace_.Library.Save(workspace_.AppFolder() / "List.ini"));
}

bool Main::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && (watched == statusBar() || watched == SBNews))
    OnSBClicked();
  return QMainWindow::eventFilter(watched, event);
}

void Main::OnTVCurrentChanged(const QModelIndex& current) {
  workspace_.Library.Select(LibraryModel::NodeOf(current));
}

void Main::OnTVClicked() {
  const LibraryContext context{workspace_, dialogs_, *observer_};
  if (OpenSelectedStock(context) == CommandResult::Done) RefreshSummary();
}

void Main::OnTVKeyReleased() {
  OnTVClicked();
}

void Main::OnTVEnterPressed() {
  const EnterAction action = EnterOnSelectedNode(workspace_);
  if (action == EnterAction::ShowGraph) return SGraph();
  if (action != EnterAction::ToggleFolder) return;
  const QModelIndex index = TV->currentIndex();
  TV->setExpanded(index, !TV->isExpanded(index));
}

void Main::OnTVExpanded(const QModelIndex& index) {
  if (LibraryNode* node = LibraryModel::NodeOf(index)) node->Expanded = true;
}

void Main::OnTVCollapsed(const QModelIndex& index) {
  if (LibraryNode* node = LibraryModel::NodeOf(index)) node->Expanded = false;
}

// Renaming and moving rebuild the tree under the view, so both run once the
// view is done with the edit or the drop.
void Main::OnTVEdited(LibraryNode* node, const QString& text) {
  QMetaObject::invokeMethod(
      this, [this, node, text] { RenameEdited(node, text); }, Qt::QueuedConnection);
}

void Main::RenameEdited(LibraryNode* node, const QString& text) {
  RenameNode({workspace_, dialogs_, *observer_}, *node, text.toStdString());
  RefreshTree();
  RefreshSummary();
}

void Main::OnTVDropped(LibraryNode* source, LibraryNode* target) {
  QMetaObject::invokeMethod(
      this, [this, source, target] { MoveDropped(source, target); }, Qt::QueuedConnection);
}

void Main::MoveDropped(LibraryNode* source, LibraryNode* target) {
  if (MoveNode({workspace_, dialogs_, *observer_}, *source, target) == CommandResult::Done)
    RefreshTree();
}

void Main::OnBAddStockClicked() {
  static_cast<void>(AddStock({workspace_, dialogs_, *observer_}));
  RefreshTree();
  RefreshSummary();
}

void Main::OnBAddFolderClicked() {
  static_cast<void>(AddFolder({workspace_, dialogs_, *observer_}));
  RefreshTree();
}

void Main::OnBRemoveClicked() {
  static_cast<void>(RemoveSelected({workspace_, dialogs_, *observer_}));
  RefreshTree();
  RefreshSummary();
}

void Main::OnMOpenTriggered() {
  const QString chosen =
      QFileDialog::getOpenFileName(this, "Open", QString::fromStdString(ImportFolder(workspace_)),
                                   "Chartorium (*.kvx);;All files (*.*)");
  if (chosen.isEmpty()) return;
  static_cast<void>(ImportStockFile({workspace_, dialogs_, *observer_}, chosen.toStdString()));
  RefreshTree();
  RefreshSummary();
}

void Main::OnMImportTriggered() {
  import_->Run();
  RefreshTree();
  RefreshSummary();
}

void Main::OnMGeneralTriggered() {
  const std::string stock = StockToEdit(workspace_);
  if (!stock.empty() && nouveau_->Edit(stock)) RefreshSummary();
}

void Main::OnMSplitTriggered() {
  Split1 dialog(workspace_, dialogs_, locale_, clock_, this);
  if (dialog.exec() == QDialog::Accepted) StockShown(false);
}

void Main::OnMPortfolioTriggered() {
  portef_->ShowWindow();
}

void Main::OnMPreferencesTriggered() {
  options_->show();
  options_->raise();
  options_->activateWindow();
}

void Main::OnMLanguagesTriggered() {
  FLang dialog(workspace_.AppFolder(), dialogs_, settings_.Language, this);
  if (dialog.exec() == QDialog::Accepted) settings_.Language = dialog.Chosen();
}

void Main::OnMContentsTriggered() {
  auto* help = new HelpWindow("index.html", this);  // deletes itself when closed
  help->show();
}

void Main::OnMAboutTriggered() {
  QMessageBox::about(
      this, "About",
      QString(ProductTitle) + "\n\nTechnical analysis of stocks from end-of-day quotes.");
}

void Main::OnTimTimeout() {
  if (!newsDownloaded_ && !settings_.NewsAddress.empty()) {
    // The news is fetched once per run; whatever goes wrong, the file found
    // on disk (if any) is shown and the ticker runs on.
    newsDownloaded_ = true;
    Tim->stop();
    DownloadNews(workspace_.Http(), workspace_.Prefs, workspace_.AppFolder(), settings_.NewsAddress,
                 [window = QPointer<Main>(this)](const std::string& text) {
                   if (window) window->OnNewsDownloaded(text);
                 });
    return;
  }
  if (!news_.Empty()) SBNews->setText(QString::fromStdString(news_.Tick()));
}

void Main::OnNewsDownloaded(const std::string& text) {
  news_.SetText(text);
  Tim->start();
}

void Main::OnSBClicked() {
  const std::string link = news_.CurrentLink();
  if (!link.empty()) QDesktopServices::openUrl(QUrl(QString::fromStdString(link)));
}

void Main::SGraph() {
  if (ChartCanShow(workspace_.Quotes())) graph_->ShowChart();
}

void Main::StockShown(bool showGraph) {
  RefreshSummary();
  if (showGraph && ChartCanShow(workspace_.Quotes()))
    graph_->ShowChart();
  else
    graph_->StockChanged();
}

void Main::OpenStock(std::string_view name) {
  if (LibraryNode* node = workspace_.Library.Find(name)) {
    workspace_.Library.Select(node);
    RefreshTree();
  }
  workspace_.Quotes().StockName = std::string(name);
  if (const Status status =
          Ouvre(workspace_, dialogs_, *observer_, StockFilePath(workspace_, name));
      !status.ok())
    dialogs_.Error("Chartorium", status.message());
  RefreshSummary();
}

void Main::OnGraphStockOpened() {
  RefreshTree();
  RefreshSummary();
}

void Main::OnPBoxPainted() {
  if (painted_) return;
  painted_ = true;
  emit FirstPainted();
}

}  // namespace chartorium

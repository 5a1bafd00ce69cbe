// The ASCII import wizard. Its slots call the engine's ImportWizard and show
// what it holds; every rule of the import lives there.
#include "quotes/ui/Import.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Dialogs.h"
#include "core/Workspace.h"
#include "quotes/ImportFields.h"
#include "quotes/ImportTemplates.h"
#include "quotes/ui/ImportLinesModel.h"

namespace chartorium {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(const char* caption, QWidget* parent) {
  return new QLabel(caption, parent);
}

}  // namespace

Import::Import(Workspace& workspace, Dialogs& dialogs, StockObserver& observer,
               const DateLocale& locale, const Clock& clock, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      dialogs_(dialogs),
      observer_(observer),
      locale_(locale),
      clock_(clock),
      wizard_(workspace.AppFolder()),
      lines_(new ImportLinesModel(wizard_, this)),
      Pages(new QStackedWidget(this)) {
  setObjectName("FImport");
  setWindowTitle(Text(ImportWindowTitle({})));
  if (const Status loaded = wizard_.LoadMemory(); !loaded.ok())
    dialogs_.Error("Chartorium", loaded.message());
  Pages->setObjectName("Pages");
  Pages->addWidget(CreatePageOne());
  Pages->addWidget(CreatePageTwo());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);

  const ImportMemory& memory = wizard_.Memory();
  resize(memory.Width > 0 ? memory.Width : 680, memory.Height > 0 ? memory.Height : 520);
  if (memory.Width > 0) move(memory.Left, memory.Top);
}

Import::~Import() {
  ImportMemory& memory = wizard_.Memory();
  memory.Top = y();
  memory.Left = x();
  memory.Height = height();
  memory.Width = width();
  static_cast<void>(wizard_.SaveMemory());
}

QWidget* Import::CreatePageOne() {
  auto* page = new QWidget(Pages);
  page->setObjectName("P1");
  EFile = new QLineEdit(page);
  EFile->setObjectName("EFile");
  EFile->setReadOnly(true);
  BBrowse = Button("&Browse", "BBrowse", page);
  LBPreview = new QListView(page);
  LBPreview->setObjectName("LBPreview");
  LBPreview->setModel(lines_);
  LBPreview->setUniformItemSizes(true);
  LHeader = new QLabel(page);
  LHeader->setObjectName("LHeader");
  LHeader->setTextFormat(Qt::PlainText);
  BNext = Button("&Next", "BNext", page);
  BNext->setDefault(true);
  BCancel = Button("&Cancel", "BCancel", page);

  auto* file = new QHBoxLayout;
  file->addWidget(Label("File:", page));
  file->addWidget(EFile, 1);
  file->addWidget(BBrowse);
  auto* header = new QHBoxLayout;
  header->addWidget(Label("Header:", page));
  header->addWidget(LHeader, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BNext);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(file);
  layout->addWidget(
      Label("File preview (Select the header line if any, if not select the first line):", page));
  layout->addWidget(LBPreview, 1);
  layout->addLayout(header);
  layout->addLayout(buttons);

  connect(BBrowse, &QPushButton::clicked, this, &Import::OnBBrowseClicked);
  connect(LBPreview->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &Import::OnLBPreviewCurrentChanged);
  connect(BNext, &QPushButton::clicked, this, &Import::OnBNextClicked);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
  return page;
}

QWidget* Import::CreatePageTwo() {
  auto* page = new QWidget(Pages);
  page->setObjectName("P2");
  CBSep = new QComboBox(page);
  CBSep->setObjectName("CBSep");
  for (const std::string_view entry : SeparatorEntries) CBSep->addItem(Text(entry));
  CBDate = new QComboBox(page);
  CBDate->setObjectName("CBDate");
  for (const std::string_view format : DateFormatNames) CBDate->addItem(Text(format));
  EDS = new QLineEdit(page);
  EDS->setObjectName("EDS");
  EDS->setMaxLength(1);
  EDS->setFixedWidth(30);
  EIgn = new QLineEdit(page);
  EIgn->setObjectName("EIgn");
  EIgn->setMaxLength(1);
  EIgn->setFixedWidth(30);
  CBNew = new QCheckBox("&Import in a new file", page);
  CBNew->setObjectName("CBNew");
  CBDelete = new QCheckBox("&Delete existing data", page);
  CBDelete->setObjectName("CBDelete");
  SG = new QTableWidget(page);
  SG->setObjectName("SG");
  SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SG->horizontalHeader()->setSectionsClickable(true);
  SG->horizontalHeader()->setHighlightSections(false);
  SG->verticalHeader()->setDefaultSectionSize(SG->fontMetrics().height() + 6);
  // The role list drops down under a header and closes on any click elsewhere.
  LBRoles = new QListWidget(this);
  LBRoles->setObjectName("LBRoles");
  LBRoles->setWindowFlag(Qt::Popup);
  for (const std::string_view entry : RoleEntries) LBRoles->addItem(Text(entry));
  LBRoles->setFixedSize(120, LBRoles->sizeHintForRow(0) * LBRoles->count() + 6);
  CBTemplates = new QComboBox(page);
  CBTemplates->setObjectName("CBTemplates");
  CBTemplates->setEditable(true);
  CBTemplates->setInsertPolicy(QComboBox::NoInsert);
  BSave = Button("&Save", "BSave", page);
  BDelete = Button("&Delete", "BDelete", page);
  PB = new QProgressBar(page);
  PB->setObjectName("PB");
  PB->setRange(0, 100);
  BPrevious = Button("P&revious", "BPrevious", page);
  BCancel2 = Button("&Cancel", "BCancel2", page);
  BProcess = Button("&Process", "BProcess", page);

  auto* settings = new QHBoxLayout;
  settings->addWidget(Label("Separator:", page));
  settings->addWidget(CBSep);
  settings->addSpacing(12);
  settings->addWidget(Label("Date format:", page));
  settings->addWidget(CBDate);
  settings->addSpacing(12);
  settings->addWidget(Label("Decimal separator:", page));
  settings->addWidget(EDS);
  settings->addSpacing(12);
  settings->addWidget(Label("Ignore first", page));
  settings->addWidget(EIgn);
  settings->addWidget(Label("line(s)", page));
  settings->addStretch();
  auto* options = new QHBoxLayout;
  options->addWidget(CBNew);
  options->addWidget(CBDelete);
  options->addStretch();
  auto* templates = new QHBoxLayout;
  templates->addWidget(Label("Templates:", page));
  templates->addWidget(CBTemplates, 1);
  templates->addWidget(BSave);
  templates->addWidget(BDelete);
  auto* progress = new QHBoxLayout;
  progress->addWidget(Label("Progression:", page));
  progress->addWidget(PB, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BPrevious);
  buttons->addStretch();
  buttons->addWidget(BCancel2);
  buttons->addWidget(BProcess);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(settings);
  layout->addLayout(options);
  layout->addWidget(Label("Click on the headers to select the data:", page));
  layout->addWidget(SG, 1);
  layout->addLayout(templates);
  layout->addLayout(progress);
  layout->addLayout(buttons);

  connect(CBSep, &QComboBox::activated, this, &Import::OnCBSepActivated);
  connect(CBDate, &QComboBox::activated, this,
          [this](int index) { wizard_.Settings.DateFormat = index; });
  connect(EDS, &QLineEdit::textEdited, this,
          [this](const QString& text) { wizard_.Settings.DecimalSeparator = text.toStdString(); });
  connect(EIgn, &QLineEdit::textEdited, this,
          [this](const QString& text) { wizard_.Settings.IgnoreLines = text.toStdString(); });
  connect(CBNew, &QCheckBox::clicked, this,
          [this](bool checked) { wizard_.Settings.NewFile = checked; });
  connect(CBDelete, &QCheckBox::clicked, this,
          [this](bool checked) { wizard_.Settings.DeleteExisting = checked; });
  connect(SG->horizontalHeader(), &QHeaderView::sectionClicked, this, &Import::OnSGHeaderClicked);
  connect(LBRoles, &QListWidget::itemClicked, this, &Import::OnLBRolesClicked);
  connect(CBTemplates, &QComboBox::activated, this, &Import::OnCBTemplatesActivated);
  connect(BSave, &QPushButton::clicked, this, &Import::OnBSaveClicked);
  connect(BDelete, &QPushButton::clicked, this, &Import::OnBDeleteClicked);
  connect(BPrevious, &QPushButton::clicked, this, &Import::OnBPreviousClicked);
  connect(BCancel2, &QPushButton::clicked, this, &QDialog::reject);
  connect(BProcess, &QPushButton::clicked, this, &Import::OnBProcessClicked);
  return page;
}

bool Import::Run() {
  Start();
  exec();
  LBRoles->hide();
  wizard_.Hidden();
  wizard_.Closed();
  ShowPageOne();
  return imported_;
}

void Import::Start() {
  setWindowTitle(Text(ImportWindowTitle(workspace_.Quotes().StockName)));
  wizard_.Shown();
  imported_ = false;
  LBRoles->setCurrentRow(0);
  ShowTemplates(Text(DefaultTemplate));
  PB->setValue(0);
  ShowPageOne();
}

void Import::OpenFile(const QString& file) {
  static_cast<void>(wizard_.OpenFile(file.toStdString(), dialogs_, true));
  ShowPageOne();
}

void Import::ShowPageOne() {
  Pages->setCurrentIndex(0);
  EFile->setText(Text(wizard_.FileName().string()));
  lines_->Refresh();
  if (lines_->rowCount() > 0)
    LBPreview->setCurrentIndex(lines_->index(static_cast<int>(wizard_.SelectedLine())));
  LHeader->setText(Text(wizard_.HeaderText()));
  BNext->setFocus();
}

void Import::ShowSettings() {
  const ImportSettings& settings = wizard_.Settings;
  const int separator = CBSep->findText(Text(settings.Separator));
  if (separator < 0) CBSep->addItem(Text(settings.Separator));
  CBSep->setCurrentText(Text(settings.Separator));
  CBDate->setCurrentIndex(settings.DateFormat);
  EDS->setText(Text(settings.DecimalSeparator));
  EIgn->setText(Text(settings.IgnoreLines));
  CBNew->setChecked(settings.NewFile);
  CBDelete->setChecked(settings.DeleteExisting);
}

void Import::ShowGrid() {
  const PreviewGrid& grid = wizard_.Grid();
  SG->clear();
  SG->setColumnCount(static_cast<int>(grid.Columns));
  SG->setRowCount(static_cast<int>(grid.Rows.size()));
  QStringList captions;
  for (const std::string& caption : wizard_.Captions()) captions << Text(caption);
  SG->setHorizontalHeaderLabels(captions);
  for (size_t row = 0; row < grid.Rows.size(); ++row)
    for (size_t column = 0; column < grid.Columns; ++column)
      SG->setItem(static_cast<int>(row), static_cast<int>(column),
                  new QTableWidgetItem(Text(grid.Rows[row][column])));
}

void Import::ShowTemplates(const QString& selected) {
  CBTemplates->clear();
  for (const std::string& name : wizard_.Templates()) CBTemplates->addItem(Text(name));
  CBTemplates->setCurrentText(selected);
}

void Import::OnBBrowseClicked() {
  const std::string& folder = wizard_.Memory().Folder;
  const QString chosen = QFileDialog::getOpenFileName(
      this, "Open", Text(folder.empty() ? workspace_.AppFolder().string() : folder),
      "Comma separated files (*.csv);;Text files (*.txt);;All files (*.*)");
  // The wizard takes the keyboard back, also where no window manager gives it.
  activateWindow();
  if (!chosen.isEmpty()) OpenFile(chosen);
}

void Import::OnLBPreviewCurrentChanged() {
  wizard_.SelectLine(static_cast<size_t>(std::max(0, LBPreview->currentIndex().row())));
  LHeader->setText(Text(wizard_.HeaderText()));
}

void Import::OnBNextClicked() {
  if (!wizard_.Next(dialogs_, true, locale_)) return;
  ShowSettings();
  ShowGrid();
  Pages->setCurrentIndex(1);
}

void Import::OnCBSepActivated() {
  wizard_.ChangeSeparator(CBSep->currentText().toStdString());
  ShowGrid();
}

void Import::OnSGHeaderClicked(int column) {
  roleColumn_ = column;
  const QHeaderView* header = SG->horizontalHeader();
  LBRoles->move(header->viewport()->mapToGlobal(
      QPoint(header->sectionViewportPosition(column), header->height())));
  LBRoles->setCurrentRow(0);
  LBRoles->show();
  LBRoles->setFocus();
}

void Import::OnLBRolesClicked(QListWidgetItem* item) {
  LBRoles->hide();
  if (roleColumn_ < 0) return;
  wizard_.ChooseRole(static_cast<size_t>(roleColumn_), item->text().toStdString());
  ShowGrid();
}

void Import::OnCBTemplatesActivated() {
  if (const Status chosen = wizard_.ChooseTemplate(CBTemplates->currentText().toStdString());
      !chosen.ok()) {
    dialogs_.Error("Chartorium", chosen.message());
    return;
  }
  ShowSettings();
  ShowGrid();
}

void Import::OnBSaveClicked() {
  const QString name = CBTemplates->currentText().trimmed();
  const Status saved = wizard_.SaveTemplate(name.toStdString(), dialogs_);
  if (saved.ok()) return ShowTemplates(name);
  // A name that cannot be saved was already told; a file that cannot be written is told here.
  if (saved.code() != StatusCode::InvalidArgument) dialogs_.Error("Chartorium", saved.message());
}

void Import::OnBDeleteClicked() {
  if (const Status deleted = wizard_.DeleteTemplate(CBTemplates->currentText().toStdString());
      !deleted.ok())
    dialogs_.Error("Chartorium", deleted.message());
  ShowTemplates(Text(DefaultTemplate));
}

void Import::OnBPreviousClicked() {
  Pages->setCurrentIndex(0);
}

void Import::OnBProcessClicked() {
  ImportRunOptions options;
  options.Progress = [this](int percent) {
    PB->setValue(percent);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  const ImportPorts ports{workspace_, dialogs_, observer_, locale_, clock_};
  if (!wizard_.Process(ports, options).ok()) return;
  imported_ = true;
  accept();
}

}  // namespace chartorium

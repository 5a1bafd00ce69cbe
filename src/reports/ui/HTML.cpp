// The page preview window. Links to the web open in the desktop's browser.
#include "reports/ui/HTML.h"

#include <QAction>
#include <QFileDialog>
#include <QTextBrowser>
#include <QToolBar>

#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/IniFile.h"

namespace chartorium {
namespace {

constexpr std::string_view ProductName = "Chartorium";

std::filesystem::path QuorexOf(const std::filesystem::path& appFolder) {
  return ResolveFileName(appFolder, "Quorex.ini");
}

}  // namespace

HTML::HTML(std::filesystem::path appFolder, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      appFolder_(std::move(appFolder)),
      dialogs_(dialogs),
      Browser(new QTextBrowser(this)) {
  setObjectName("HTML");
  setWindowTitle("Page preview");
  setWindowFlag(Qt::Window);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  Browser->setObjectName("Browser");
  Browser->setOpenExternalLinks(true);
  setCentralWidget(Browser);

  QToolBar* toolbar = addToolBar("ToolBar1");
  toolbar->setObjectName("ToolBar1");
  toolbar->setMovable(false);
  TBClose = toolbar->addAction("Close");
  TBClose->setObjectName("TBClose");
  TBClose->setToolTip("Close");
  TBSave = toolbar->addAction("Save the report");
  TBSave->setObjectName("TBSave");
  TBSave->setToolTip("Save the report");
  connect(TBClose, &QAction::triggered, this, &QWidget::close);
  connect(TBSave, &QAction::triggered, this, &HTML::OnTBSaveTriggered);

  const auto quorex = IniFile::Load(QuorexOf(appFolder_));
  settings_ = ReadPagePreviewSettings(quorex ? *quorex : IniFile(), appFolder_);
  move(settings_.Left, settings_.Top);
  resize(settings_.Width, settings_.Height);
}

HTML::~HTML() {
  settings_.Left = x();
  settings_.Top = y();
  settings_.Width = width();
  settings_.Height = height();
  const std::filesystem::path file = QuorexOf(appFolder_);
  if (auto quorex = IniFile::Load(file)) {
    WritePagePreviewSettings(*quorex, settings_);
    static_cast<void>(quorex->Save(file));
  }
}

void HTML::ShowPage(const std::filesystem::path& page) {
  page_ = page;
  const auto text = ReadPageText(page);
  if (!text) {
    dialogs_.Error(ProductName, text.status().message());
    return;
  }
  Browser->setHtml(QString::fromStdString(*text));
  show();
  raise();
  activateWindow();
}

void HTML::OnTBSaveTriggered() {
  QFileDialog dialog(this, "Save the report", QString::fromStdString(settings_.Folder),
                     "HTML files (*.htm *.html)");
  dialog.setObjectName("SaveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("html");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::filesystem::path target = dialog.selectedFiles().front().toStdString();
  if (const Status saved = SaveReportCopy(page_, target, settings_); !saved.ok())
    dialogs_.Error(ProductName, saved.message());
}

}  // namespace chartorium

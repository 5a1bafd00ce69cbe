// The ASCII import wizard "Import ASCII file": page one chooses the file and
// its header line, page two the separator, formats, column roles and
// templates, and imports.
#pragma once

#include <QDialog>

#include "quotes/ImportWizard.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace chartorium {

class Clock;
class Dialogs;
class ImportLinesModel;
class StockObserver;
class Workspace;
struct DateLocale;

/// Lives as long as the main window; its settings survive between uses and
/// are kept in section "FMaj" of "Quorex.ini" when it is destroyed.
class Import final : public QDialog {
  Q_OBJECT

 public:
  Import(Workspace& workspace, Dialogs& dialogs, StockObserver& observer, const DateLocale& locale,
         const Clock& clock, QWidget* parent = nullptr);
  ~Import() override;

  /// Shows the wizard modally on page one; true when a file was imported.
  bool Run();
  /// What showing the wizard resets: the title, the date format, the role
  /// list, the templates, the progress and page one.
  void Start();
  /// Opens a file as "&Browse" does once the file is chosen.
  void OpenFile(const QString& file);
  ImportWizard& Wizard() { return wizard_; }

 private:
  QWidget* CreatePageOne();
  QWidget* CreatePageTwo();
  void ShowPageOne();
  void ShowSettings();
  void ShowGrid();
  void ShowTemplates(const QString& selected);

  void OnBBrowseClicked();
  void OnLBPreviewCurrentChanged();
  void OnBNextClicked();
  void OnCBSepActivated();
  void OnSGHeaderClicked(int column);
  void OnLBRolesClicked(QListWidgetItem* item);
  void OnCBTemplatesActivated();
  void OnBSaveClicked();
  void OnBDeleteClicked();
  void OnBPreviousClicked();
  void OnBProcessClicked();

  Workspace& workspace_;
  Dialogs& dialogs_;
  StockObserver& observer_;
  const DateLocale& locale_;
  const Clock& clock_;
  ImportWizard wizard_;
  ImportLinesModel* lines_;
  int roleColumn_ = -1;
  bool imported_ = false;

  QStackedWidget* Pages;
  QLineEdit* EFile;
  QPushButton* BBrowse;
  QListView* LBPreview;
  QLabel* LHeader;
  QPushButton* BNext;
  QPushButton* BCancel;
  QComboBox* CBSep;
  QComboBox* CBDate;
  QLineEdit* EDS;
  QLineEdit* EIgn;
  QCheckBox* CBNew;
  QCheckBox* CBDelete;
  QTableWidget* SG;
  QListWidget* LBRoles;
  QComboBox* CBTemplates;
  QPushButton* BSave;
  QPushButton* BDelete;
  QProgressBar* PB;
  QPushButton* BPrevious;
  QPushButton* BCancel2;
  QPushButton* BProcess;
};

}  // namespace chartorium

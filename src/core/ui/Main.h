// The main window: the stock library on the left, the summary panel of the
// open stock on the right, the menus, the toolbar and the status bar.
#pragma once

#include <memory>
#include <string>

#include <QMainWindow>

#include "core/MainSettings.h"
#include "core/NewsTicker.h"

class QAction;
class QLabel;
class QPushButton;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;

namespace chartorium {

class Clock;
class Dialogs;
class Graph;
class Import;
class LibraryModel;
class LibraryView;
class Nouveau;
class Options;
class Portef;
class SummaryPanel;
class Workspace;
struct DateLocale;
struct LibraryNode;

class Main final : public QMainWindow {
  Q_OBJECT

 public:
  /// Runs the creation step: loads the library tree, the window's settings
  /// and language, and the news; creates the Options dialog, which loads the
  /// preferences.
  Main(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale, const Clock& clock,
       QWidget* parent = nullptr);
  ~Main() override;

  /// The settings the window keeps in section "Main", as they are now.
  MainSettings CurrentSettings() const;
  /// The language chosen for the next start.
  const std::string& Language() const { return settings_.Language; }
  /// The chart window, created with the main window.
  Graph* Chart() const { return graph_; }
  /// SGraph: shows the chart window when a stock with more than one bar is open.
  void SGraph();
  /// Opens the stock `name` of the library (for a start on a given chart).
  void OpenStock(std::string_view name);

 signals:
  /// The summary panel was painted for the first time.
  void FirstPainted();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Observer;

  void CreateMenus();
  void CreateLeftPanel();
  void RefreshTree();
  void RefreshSummary();
  void SaveAtExit();
  void RenameEdited(LibraryNode* node, const QString& text);
  void MoveDropped(LibraryNode* source, LibraryNode* target);

  void OnTVClicked();
  void OnTVKeyReleased();
  void OnTVEnterPressed();
  void OnTVEdited(LibraryNode* node, const QString& text);
  void OnTVDropped(LibraryNode* source, LibraryNode* target);
  void OnTVExpanded(const QModelIndex& index);
  void OnTVCollapsed(const QModelIndex& index);
  void OnTVCurrentChanged(const QModelIndex& current);
  void OnBAddStockClicked();
  void OnBAddFolderClicked();
  void OnBRemoveClicked();
  void OnMOpenTriggered();
  void OnMImportTriggered();
  void OnMGeneralTriggered();
  void OnMSplitTriggered();
  void OnMPortfolioTriggered();
  void OnMPreferencesTriggered();
  void OnMLanguagesTriggered();
  void OnMContentsTriggered();
  void OnMAboutTriggered();
  void OnTimTimeout();
  void OnNewsDownloaded(const std::string& text);
  void OnSBClicked();
  void OnPBoxPainted();
  void OnGraphStockOpened();
  void StockShown(bool showGraph);

  Workspace& workspace_;
  Dialogs& dialogs_;
  const DateLocale& locale_;
  const Clock& clock_;
  MainSettings settings_;
  NewsTicker news_;
  bool newsDownloaded_ = false;
  bool shown_ = false;
  bool saved_ = false;
  bool painted_ = false;
  std::unique_ptr<Observer> observer_;

  QSplitter* Splitter1;
  QWidget* P2;
  QPushButton* BAddStock;
  QPushButton* BAddFolder;
  QPushButton* BRemove;
  LibraryView* TV;
  LibraryModel* model_;
  SummaryPanel* PBox;
  QToolBar* ToolBar1;
  QToolButton* BGraph;
  QLabel* SBDate;
  QLabel* SBNews;
  QTimer* Tim;
  Options* options_;
  Graph* graph_ = nullptr;
  Nouveau* nouveau_ = nullptr;
  Import* import_ = nullptr;
  Portef* portef_ = nullptr;
};

}  // namespace chartorium

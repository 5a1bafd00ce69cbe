// The page preview window: a page the program wrote, with "Close" and
// "Save the report".
#pragma once

#include <filesystem>

#include <QMainWindow>

#include "reports/PagePreview.h"

class QAction;
class QTextBrowser;

namespace chartorium {

class Dialogs;

/// A stay-on-top window captioned "Page preview". It keeps its position,
/// size and the folder of the last saved report in section "HTML" of
/// "Quorex.ini", and deletes itself when closed: its owner holds it in a
/// QPointer and creates it again when needed.
class HTML final : public QMainWindow {
  Q_OBJECT

 public:
  HTML(std::filesystem::path appFolder, Dialogs& dialogs, QWidget* parent = nullptr);
  ~HTML() override;

  /// Shows the page file (Windows-1252) and brings the window up.
  void ShowPage(const std::filesystem::path& page);

 private:
  void OnTBSaveTriggered();

  std::filesystem::path appFolder_;
  Dialogs& dialogs_;
  PagePreviewSettings settings_;
  std::filesystem::path page_;

  QAction* TBClose;
  QAction* TBSave;
  QTextBrowser* Browser;
};

}  // namespace chartorium

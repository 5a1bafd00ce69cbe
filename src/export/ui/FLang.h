// The language dialog "Choose your language".
#pragma once

#include <filesystem>
#include <string>

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace chartorium {

class Dialogs;

/// Lists the language files; "&Ok" chooses the selected one for the next start.
class FLang final : public QDialog {
  Q_OBJECT

 public:
  FLang(const std::filesystem::path& appFolder, Dialogs& dialogs, const std::string& language,
        QWidget* parent = nullptr);

  /// The language chosen with "&Ok" ("" for the built-in English).
  const std::string& Chosen() const { return chosen_; }

 private:
  void OnBOkClicked();

  Dialogs& dialogs_;
  std::string chosen_;
  QLabel* L1;
  QListWidget* LBLang;
  QPushButton* BOk;
  QPushButton* BClose;
};

}  // namespace chartorium

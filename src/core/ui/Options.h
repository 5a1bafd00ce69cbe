// The preferences dialog "Options": four pages whose fields are the live
// store of the preferences, bound by their names.
#pragma once

#include <string>
#include <string_view>

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace chartorium {

class Dialogs;
class Workspace;

class Options final : public QDialog {
  Q_OBJECT

 public:
  /// Creates the pages, applies the language and loads the preferences with
  /// their derived values.
  Options(Workspace& workspace, Dialogs& dialogs, const std::string& language,
          QWidget* parent = nullptr);

  /// Shows every field's value from the store.
  void ShowFields();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  /// Escape and the window's close button act as "&Cancel".
  void reject() override;

 private:
  void BuildPages();
  void OnFieldEdited(std::string_view name, const QString& text);
  void OnColourClicked(std::string_view name);
  void OnBFonClicked();
  void OnBOkClicked();
  void OnBCancelClicked();

  Workspace& workspace_;
  Dialogs& dialogs_;
  QTabWidget* PC;
  QPushButton* BOk;
  QPushButton* BCancel;
};

}  // namespace chartorium

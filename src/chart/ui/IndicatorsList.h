// The "Indicators list" tool window's contents: a filter field over the
// indicators that can go into a pane, dragged, double-clicked or entered.
#pragma once

#include <string>
#include <vector>

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace chartorium {

/// The drag format of an indicator name (UTF-8).
constexpr const char* IndicatorMimeType = "application/x-chartorium-indicator";

class IndicatorsList final : public QWidget {
  Q_OBJECT

 public:
  explicit IndicatorsList(QWidget* parent = nullptr);

  void SetEntries(std::vector<std::string> entries);
  /// Empties the filter field and selects the first entry.
  void ClearFilter();
  /// The selected entry, "" when none.
  QString Selected() const;

 signals:
  /// A double click on an entry or Enter in the filter field.
  void AddRequested(const QString& name);

 private:
  void OnEFilterEdited(const QString& text);
  void OnEFilterReturnPressed();

  std::vector<std::string> entries_;
  QLineEdit* EFilter;
  QListWidget* LIndic;
};

}  // namespace chartorium

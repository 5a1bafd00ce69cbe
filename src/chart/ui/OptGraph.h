// The indicator options dialog: colour, pen width and line or histogram of
// one indicator of a pane.
#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace chartorium {

class Workspace;

class OptGraph final : public QDialog {
  Q_OBJECT

 public:
  /// Takes its position from "Quorex.ini" section "GrO".
  explicit OptGraph(Workspace& workspace, QWidget* parent = nullptr);
  /// Keeps its position in section "GrO".
  ~OptGraph() override;

  /// Shows item `item` (1..) of slot `slot` (0..5) named `name`, modally;
  /// true when "&Ok" wrote the new look into the slot.
  bool Edit(int slot, int item, const std::string& name);
  /// The number of the indicator shown: the slot's digit and the item (slot 3, item 2: 32).
  int Id() const { return id_; }

 private:
  void OnBColourClicked();
  void OnBOkClicked();
  void ShowColour();

  Workspace& workspace_;
  int slot_ = 0;
  int item_ = 1;
  int id_ = 0;
  std::uint32_t colour_ = 0;
  QPushButton* BColour;
  QLineEdit* EWidth;
  QRadioButton* RLine;
  QRadioButton* RHisto;
  QPushButton* BOk;
  QPushButton* BCancel;
};

}  // namespace chartorium

// The indicator options dialog; what it writes is SetIndicatorLook's.
#include "chart/ui/OptGraph.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "chart/IndicatorPanes.h"
#include "chart/render/Colours.h"
#include "core/IniFile.h"
#include "core/PreferencesCommands.h"
#include "core/Workspace.h"

namespace chartorium {

OptGraph::OptGraph(Workspace& workspace, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      BColour(new QPushButton(this)),
      EWidth(new QLineEdit(this)),
      RLine(new QRadioButton("Line", this)),
      RHisto(new QRadioButton("Histogram", this)),
      BOk(new QPushButton("&Ok", this)),
      BCancel(new QPushButton("&Cancel", this)) {
  setObjectName("OptGraph");
  BColour->setObjectName("BColour");
  BColour->setMinimumWidth(90);
  EWidth->setObjectName("EWidth");
  EWidth->setText("1");
  EWidth->setValidator(new QIntValidator(0, 99, EWidth));
  EWidth->setMaximumWidth(50);
  RLine->setObjectName("RLine");
  RHisto->setObjectName("RHisto");
  BOk->setObjectName("BOk");
  BOk->setDefault(true);
  BCancel->setObjectName("BCancel");

  auto* form = new QFormLayout;
  form->addRow("Color of the indicator:", BColour);
  form->addRow(" Width:", EWidth);
  auto* kind = new QHBoxLayout;
  kind->addWidget(RLine);
  kind->addWidget(RHisto);
  kind->addStretch();
  form->addRow(kind);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);

  connect(BColour, &QPushButton::clicked, this, &OptGraph::OnBColourClicked);
  connect(BOk, &QPushButton::clicked, this, &OptGraph::OnBOkClicked);
  connect(EWidth, &QLineEdit::returnPressed, this, &OptGraph::OnBOkClicked);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);

  if (const auto quorex = IniFile::Load(QuorexFile(workspace_)); quorex && quorex->Find("GrO", "L"))
    move(quorex->ReadInteger("GrO", "L", x()), quorex->ReadInteger("GrO", "T", y()));
}

OptGraph::~OptGraph() {
  const std::filesystem::path file = QuorexFile(workspace_);
  auto quorex = IniFile::Load(file);
  if (!quorex) return;
  quorex->WriteInteger("GrO", "L", x());
  quorex->WriteInteger("GrO", "T", y());
  static_cast<void>(quorex->Save(file));
}

bool OptGraph::Edit(int slot, int item, const std::string& name) {
  slot_ = slot;
  item_ = item;
  id_ = (slot + 1) * 10 + item;
  setWindowTitle(QString::fromStdString("Options for " + name));
  const IndicatorLook look = LookOf(workspace_, slot, item);
  colour_ = look.Colour;
  EWidth->setText(QString::fromStdString(look.Width.empty() ? "1" : look.Width));
  (look.Line ? RLine : RHisto)->setChecked(true);
  ShowColour();
  EWidth->setFocus();
  EWidth->selectAll();
  return exec() == QDialog::Accepted;
}

void OptGraph::ShowColour() {
  const QColor colour = ToQColor(colour_);
  BColour->setText(colour.name(QColor::HexRgb).toUpper());
  BColour->setStyleSheet(QString("background-color: %1; color: %2;")
                             .arg(colour.name(), colour.lightness() < 128 ? "white" : "black"));
}

void OptGraph::OnBColourClicked() {
  const QColor chosen = QColorDialog::getColor(ToQColor(colour_), this, "Color of the indicator:");
  if (!chosen.isValid()) return;
  colour_ = FromQColor(chosen);
  ShowColour();
}

void OptGraph::OnBOkClicked() {
  SetIndicatorLook(workspace_, slot_, item_,
                   {colour_, EWidth->text().trimmed().toStdString(), RLine->isChecked()});
  accept();
}

}  // namespace chartorium

// The Options dialog. Each control's objectName is the name of the
// preference it edits, so the pages are built and bound from one table.
#include "core/ui/Options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "chart/render/Colours.h"
#include "core/Dialogs.h"
#include "core/PreferenceFields.h"
#include "core/PreferencesCommands.h"
#include "core/Workspace.h"
#include "export/Languages.h"
#include "export/ui/WidgetTranslation.h"

namespace chartorium {
namespace {

enum Page { General, ColoursPage, Periods, Internet };

// One line of a page: a caption, up to three fields and a text after them.
struct OptionRow {
  Page OnPage;
  const char* Group;  ///< "" for the page's main list
  const char* Caption;
  const char* Fields[3];
  const char* After = "";
};

constexpr OptionRow Rows[] = {
    {General, "", "Plot on", {"ENbD"}, "bars"},
    {General, "", "Add", {"EAdd"}, "spaces on the graph"},
    {General, "", "&Show graph on open file", {"B1"}},
    {General, "", "Show &X axis", {"CBX"}},
    {General, "", "Show dates on graph", {"CBY"}},
    {General, "", "Show dates on indicators", {"CBY2"}},
    {General, "", "Show an &Y axis each month", {"CBYM"}},
    {General, "", "Show signals window on open file", {"CBS"}},
    {General, "", "", {"RS", "RB", "RQ"}},
    {General, "", "Put buy/sell rectangle in bottom of the graph", {"RRe"}},
    {General, "", "Set &name in the graph", {"CCom"}},
    {General, "", "Highlight the last close on the graph", {"ChHi"}},
    {General, "", "Background:", {"C99"}},
    {General, "", "Font:", {"C98"}},
    {General, "", "Font of the title:", {"BFon"}},
    {ColoursPage, "Graph", "Positive day:", {"C14"}},
    {ColoursPage, "Graph", "Negative day:", {"C15"}},
    {ColoursPage, "Graph", "Background color:", {"C5"}},
    {ColoursPage, "Graph", "Graph background:", {"C29"}},
    {ColoursPage, "Graph", "Text color:", {"C16"}},
    {ColoursPage, "Graph", "Contour color:", {"C17"}},
    {ColoursPage, "Graph", "Axis color:", {"C19"}},
    {ColoursPage, "Graph", "Vertical marker line:", {"C22"}},
    {ColoursPage, "Graph", "Bar width:", {"EBW"}},
    {ColoursPage, "Bar charts", "Positive day:", {"C10"}},
    {ColoursPage, "Bar charts", "Negative day:", {"C11"}},
    {ColoursPage, "Japanese candlestick", "Positive day:", {"C12"}},
    {ColoursPage, "Japanese candlestick", "Negative day:", {"C13"}},
    {ColoursPage, "Indicators in panels", "First:", {"C23", "C24"}},
    {ColoursPage, "Indicators in panels", "Second:", {"C25", "C26"}},
    {ColoursPage, "Indicators in panels", "Third:", {"C27", "C28"}},
    {ColoursPage, "Indicators", "Bollinger bands:", {"C2"}},
    {ColoursPage, "Indicators", "Short moving average:", {"C3"}},
    {ColoursPage, "Indicators", "Long moving average:", {"C4"}},
    {ColoursPage, "Indicators", "Speed resistance line:", {"C6"}},
    {ColoursPage, "Indicators", "Quadrant lines:", {"C8"}},
    {ColoursPage, "Indicators", "ZigZag lines:", {"C9"}},
    {ColoursPage, "Indicators", "Volume Weighted Av.:", {"C18"}},
    {ColoursPage, "Indicators", "Support && resistance:", {"C20"}},
    {ColoursPage, "Indicators", "Parabolic SAR:", {"C21"}},
    {Periods, "", " William's %R:", {"WD"}},
    {Periods, "", "RSI:", {"ERSI"}},
    {Periods, "", "ZigZag %:", {"EZZ"}},
    {Periods, "", "Bollinger bands:", {"EBoll"}},
    {Periods, "", "MACD:", {"M26", "M12", "M9"}},
    {Periods, "", "Money Flow Index:", {"MFI"}},
    {Periods, "", "Vertical Horizontal Filter:", {"VHF"}},
    {Periods, "", "Stochastic %K and %D:", {"StK", "StD"}},
    {Periods, "", "1st Mov. Average:", {"EMCT", "MAT1"}},
    {Periods, "", "2nd Mov. Average:", {"EMLT", "MAT2"}},
    {Periods, "", "Aroon:", {"Ar"}},
    {Periods, "", "TRIX:", {"TR"}},
    {Periods, "", "Intraday Volatility:", {"IV"}},
    {Periods, "", "Average True Range:", {"ATR"}},
    {Periods, "", "Par. SAR:", {"EP1", "EP2", "EP3"}},
    {Periods, "", "CCI:", {"CCI"}},
    {Internet, "", "Use Proxy support", {"ChProx"}},
    {Internet, "", "Proxy:", {"EP"}},
    {Internet, "", "Username:", {"EPU"}},
    {Internet, "", "Password:", {"EPP"}},
    {Internet, "", "Port:", {"EPPo"}},
};

constexpr const char* PageCaptions[] = {"&Options", "&Colors", "&Indicators", "Internet"};
constexpr const char* PageNames[] = {"TSOptions", "TSColors", "TSIndicators", "TSInternet"};
constexpr const char* PageHeadings[] = {"General options", "", "Periods", "Internet settings"};
constexpr const char* AverageTypes[] = {"Simple", "Exponential", "Linear regression"};

const PreferenceField& FieldNamed(std::string_view name) {
  for (const PreferenceField& field : PreferenceFields())
    if (field.Name == name) return field;
  return PreferenceFields().front();
}

bool IsMarkerStyle(std::string_view name) {
  return name == "RB" || name == "RS" || name == "RQ";
}

// The buy and sell markers of a style, drawn beside its radio button.
QIcon MarkerPicture(std::string_view style) {
  QPixmap pixmap(36, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor buy(0x00, 0x80, 0x00);
  const QColor sell(0xFF, 0x00, 0x00);
  if (style == "RS") {
    painter.setBrush(buy);
    const QPointF up[] = {{8, 2}, {14, 14}, {2, 14}};
    painter.drawPolygon(up, 3);
    painter.setBrush(sell);
    const QPointF down[] = {{22, 2}, {34, 2}, {28, 14}};
    painter.drawPolygon(down, 3);
  } else if (style == "RB") {
    painter.setPen(QPen(buy, 2));
    painter.drawLine(8, 15, 8, 2);
    painter.drawLine(8, 2, 3, 7);
    painter.drawLine(8, 2, 13, 7);
    painter.setPen(QPen(sell, 2));
    painter.drawLine(28, 1, 28, 14);
    painter.drawLine(28, 14, 23, 9);
    painter.drawLine(28, 14, 33, 9);
  } else {
    painter.fillRect(2, 3, 12, 10, buy);
    painter.fillRect(22, 3, 12, 10, sell);
  }
  return QIcon(pixmap);
}

QIcon ColourSwatch(std::uint32_t colour) {
  QPixmap pixmap(40, 14);
  pixmap.fill(ToQColor(colour));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, 39, 13);
  return QIcon(pixmap);
}

}  // namespace

Options::Options(Workspace& workspace, Dialogs& dialogs, const std::string& language,
                 QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      dialogs_(dialogs),
      PC(new QTabWidget(this)),
      BOk(new QPushButton("&Ok", this)),
      BCancel(new QPushButton("&Cancel", this)) {
  setObjectName("FOptions");
  setWindowTitle("Options");
  PC->setObjectName("PC");
  BOk->setObjectName("BOk");
  BCancel->setObjectName("BCancel");
  // Enter moves to the next field, so no button takes it.
  BOk->setAutoDefault(false);
  BCancel->setAutoDefault(false);
  BuildPages();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PC);
  layout->addLayout(buttons);
  connect(BOk, &QPushButton::clicked, this, &Options::OnBOkClicked);
  connect(BCancel, &QPushButton::clicked, this, &Options::OnBCancelClicked);

  WidgetTranslation translation(*this);
  static_cast<void>(Translate(LanguageFilePath(workspace_.AppFolder(), language), translation));
  LoadPreferencesAtStart(workspace_);
  ShowFields();
}

void Options::BuildPages() {
  QFormLayout* forms[4] = {};
  // The colour groups stand in two columns, so the dialog fits a small screen.
  QVBoxLayout* columns[2] = {new QVBoxLayout, new QVBoxLayout};
  std::string groupName;
  QFormLayout* groupForm = nullptr;
  auto* markerGroup = new QButtonGroup(this);
  for (int page = 0; page < 4; ++page) {
    auto* widget = new QWidget(PC);
    widget->setObjectName(PageNames[page]);
    auto* pageLayout = new QVBoxLayout(widget);
    if (*PageHeadings[page]) {
      auto* heading = new QLabel(PageHeadings[page], widget);
      heading->setObjectName(QString("LHead") + QString::number(page));
      QFont bold = heading->font();
      bold.setBold(true);
      heading->setFont(bold);
      pageLayout->addWidget(heading);
    }
    forms[page] = new QFormLayout;
    pageLayout->addLayout(forms[page]);
    if (page == ColoursPage) {
      auto* sideBySide = new QHBoxLayout;
      sideBySide->addLayout(columns[0]);
      sideBySide->addLayout(columns[1]);
      columns[0]->addStretch();
      columns[1]->addStretch();
      pageLayout->addLayout(sideBySide);
    }
    pageLayout->addStretch();
    PC->addTab(widget, PageCaptions[page]);
  }
  int labelNumber = 0;
  for (const OptionRow& row : Rows) {
    QFormLayout* form = forms[row.OnPage];
    QWidget* page = PC->widget(row.OnPage);
    if (*row.Group) {
      if (groupName != row.Group) {
        groupName = row.Group;
        auto* box = new QGroupBox(row.Group, page);
        box->setObjectName(QString("G") + QString(row.Group).remove(' '));
        groupForm = new QFormLayout(box);
        const bool right = groupName.starts_with("Indicators");
        QVBoxLayout* column = columns[right ? 1 : 0];
        column->insertWidget(column->count() - 1, box);
      }
      form = groupForm;
    }
    auto* line = new QHBoxLayout;
    QString caption = row.Caption;
    for (const char* name : row.Fields) {
      if (!name) break;
      const PreferenceField& field = FieldNamed(name);
      const std::string fieldName(name);
      QWidget* control = nullptr;
      switch (field.Kind) {
        case PreferenceKind::Flag: {
          if (IsMarkerStyle(name)) {
            auto* radio = new QRadioButton(page);
            radio->setIcon(MarkerPicture(name));
            radio->setIconSize(QSize(36, 16));
            markerGroup->addButton(radio);
            connect(radio, &QRadioButton::toggled, this,
                    [this, fieldName](bool on) { workspace_.Prefs.SetFlag(fieldName, on); });
            control = radio;
          } else {
            auto* check = new QCheckBox(caption, page);
            connect(check, &QCheckBox::toggled, this,
                    [this, fieldName](bool on) { workspace_.Prefs.SetFlag(fieldName, on); });
            control = check;
            caption.clear();
          }
          break;
        }
        case PreferenceKind::Colour: {
          auto* button = new QPushButton(page);
          button->setAutoDefault(false);
          button->setIconSize(QSize(40, 14));
          connect(button, &QPushButton::clicked, this,
                  [this, fieldName] { OnColourClicked(fieldName); });
          control = button;
          break;
        }
        case PreferenceKind::Choice: {
          auto* combo = new QComboBox(page);
          for (const char* type : AverageTypes) combo->addItem(type);
          connect(combo, &QComboBox::currentIndexChanged, this, [this, fieldName](int index) {
            workspace_.Prefs.Set(fieldName, std::to_string(index));
          });
          control = combo;
          break;
        }
        case PreferenceKind::Font: {
          auto* button = new QPushButton(page);
          button->setAutoDefault(false);
          connect(button, &QPushButton::clicked, this, &Options::OnBFonClicked);
          control = button;
          break;
        }
        default: {
          auto* edit = new QLineEdit(page);
          if (fieldName == "EPP" || fieldName == "EPPo") edit->setEchoMode(QLineEdit::Password);
          if (field.Kind == PreferenceKind::Number) edit->setMaximumWidth(70);
          connect(edit, &QLineEdit::textEdited, this,
                  [this, fieldName](const QString& text) { OnFieldEdited(fieldName, text); });
          connect(edit, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
          control = edit;
        }
      }
      control->setObjectName(name);
      line->addWidget(control);
    }
    if (*row.After) {
      auto* after = new QLabel(row.After, page);
      after->setObjectName(QString("LA") + QString::number(++labelNumber));
      line->addWidget(after);
    }
    line->addStretch();
    if (caption.isEmpty()) {
      form->addRow(line);
      continue;
    }
    auto* label = new QLabel(caption, page);
    label->setObjectName(QString("L") + QString::number(++labelNumber));
    // With a buddy the label reads "&" as an accelerator and "&&" as "&".
    if (line->count() > 0) label->setBuddy(line->itemAt(0)->widget());
    form->addRow(label, line);
  }
}

void Options::ShowFields() {
  const Preferences& prefs = workspace_.Prefs;
  for (const PreferenceField& field : PreferenceFields()) {
    const QString name = QString::fromUtf8(field.Name.data(), field.Name.size());
    QWidget* control = findChild<QWidget*>(name);
    if (!control) continue;
    const QSignalBlocker blocker(control);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
      edit->setText(QString::fromStdString(prefs.Text(field.Name)));
    else if (auto* check = qobject_cast<QAbstractButton*>(control); check && check->isCheckable())
      check->setChecked(prefs.Flag(field.Name));
    else if (auto* combo = qobject_cast<QComboBox*>(control))
      combo->setCurrentIndex(prefs.Integer(field.Name));
    else if (auto* button = qobject_cast<QPushButton*>(control);
             button && field.Kind == PreferenceKind::Colour)
      button->setIcon(ColourSwatch(prefs.Colour(field.Name)));
    else if (button)
      button->setText(QString::fromStdString(prefs.Text(field.Name)));
  }
}

void Options::keyPressEvent(QKeyEvent* event) {
  // Enter never closes the dialog: the number fields pass it on to the next one.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

void Options::OnFieldEdited(std::string_view name, const QString& text) {
  workspace_.Prefs.Set(name, text.toStdString());
  if (name == "ENbD" || name == "EAdd" || name == "EBW") BarsFieldEdited(workspace_);
  if (name == "Ar") AroonPeriodEdited(workspace_);
}

void Options::OnColourClicked(std::string_view name) {
  const QColor chosen = QColorDialog::getColor(ToQColor(workspace_.Prefs.Colour(name)), this);
  if (!chosen.isValid()) return;
  workspace_.Prefs.Set(name, std::to_string(FromQColor(chosen)));
  ShowFields();
}

void Options::OnBFonClicked() {
  const FontSpec spec = FontFromText(workspace_.Prefs.Text("BFon"));
  QFont initial(QString::fromStdString(spec.Name), spec.Size);
  initial.setBold(spec.Bold);
  initial.setItalic(spec.Italic);
  initial.setUnderline(spec.Underline);
  initial.setStrikeOut(spec.Strikeout);
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, this);
  if (!ok) return;
  const FontSpec chosen{font.family().toStdString(),
                        font.pointSize(),
                        font.bold(),
                        font.italic(),
                        font.underline(),
                        font.strikeOut()};
  workspace_.Prefs.Set("BFon", FontText(chosen));
  ShowFields();
}

void Options::OnBOkClicked() {
  if (const Status status = ConfirmPreferences(workspace_); !status.ok())
    dialogs_.Error("Chartorium", status.message());
  ShowFields();
  hide();
}

void Options::OnBCancelClicked() {
  reject();
}

void Options::reject() {
  CancelPreferences(workspace_);
  ShowFields();
  QDialog::reject();
}

}  // namespace chartorium

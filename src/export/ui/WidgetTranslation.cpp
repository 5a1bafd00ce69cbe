// The walker: buttons, labels, check boxes and actions have a "Caption"; a
// group box's is its title, a menu's its title and a tab page's its tab
// text. Every one of them has a "Hint", its tool tip.
#include "export/ui/WidgetTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

#include "chart/render/Colours.h"
#include "core/TextCase.h"

namespace chartorium {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The tab widget holding a page, and the page's index in it.
std::pair<QTabWidget*, int> TabOf(QObject* object) {
  auto* page = qobject_cast<QWidget*>(object);
  if (!page || !page->parentWidget()) return {nullptr, -1};
  // A page's parent is the tab widget's internal stack.
  auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
  return tabs ? std::pair{tabs, tabs->indexOf(page)} : std::pair<QTabWidget*, int>{nullptr, -1};
}

std::optional<QString> CaptionOf(QObject* object) {
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
  if (auto* box = qobject_cast<QGroupBox*>(object)) return box->title();
  if (auto* action = qobject_cast<QAction*>(object)) return action->text();
  if (auto* menu = qobject_cast<QMenu*>(object)) return menu->title();
  if (const auto [tabs, index] = TabOf(object); tabs && index >= 0) return tabs->tabText(index);
  return {};
}

bool SetCaptionOf(QObject* object, const QString& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(object))
    button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(object))
    label->setText(text);
  else if (auto* box = qobject_cast<QGroupBox*>(object))
    box->setTitle(text);
  else if (auto* action = qobject_cast<QAction*>(object))
    action->setText(text);
  else if (auto* menu = qobject_cast<QMenu*>(object))
    menu->setTitle(text);
  else if (const auto [tabs, index] = TabOf(object); tabs && index >= 0)
    tabs->setTabText(index, text);
  else
    return false;
  return true;
}

std::optional<QString> HintOf(QObject* object) {
  if (auto* action = qobject_cast<QAction*>(object)) return action->toolTip();
  if (auto* widget = qobject_cast<QWidget*>(object)) return widget->toolTip();
  return {};
}

bool SetHintOf(QObject* object, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(object))
    action->setToolTip(text);
  else if (auto* widget = qobject_cast<QWidget*>(object))
    widget->setToolTip(text);
  else
    return false;
  return true;
}

}  // namespace

std::string WidgetTranslation::WindowName() const {
  return window_.objectName().toStdString();
}

std::string WidgetTranslation::Caption() const {
  return window_.windowTitle().toStdString();
}

void WidgetTranslation::SetCaption(std::string_view caption) {
  window_.setWindowTitle(ToQString(caption));
}

LanguageFont WidgetTranslation::Font() const {
  const QFont font = window_.font();
  LanguageFont result;
  result.Font = {font.family().toStdString(),
                 font.pointSize(),
                 font.bold(),
                 font.italic(),
                 font.underline(),
                 font.strikeOut()};
  result.Colour = FromQColor(window_.palette().color(QPalette::WindowText));
  return result;
}

void WidgetTranslation::SetFont(const LanguageFont& font) {
  QFont qfont(QString::fromStdString(font.Font.Name), font.Font.Size);
  qfont.setBold(font.Font.Bold);
  qfont.setItalic(font.Font.Italic);
  qfont.setUnderline(font.Font.Underline);
  qfont.setStrikeOut(font.Font.Strikeout);
  window_.setFont(qfont);
  if (!font.Colour) return;
  QPalette palette = window_.palette();
  palette.setColor(QPalette::WindowText, ToQColor(*font.Colour));
  window_.setPalette(palette);
}

std::vector<TextProperty> WidgetTranslation::Properties() const {
  std::vector<TextProperty> properties;
  for (QObject* object : window_.findChildren<QObject*>()) {
    const std::string name = object->objectName().toStdString();
    if (name.empty() || name.starts_with("qt_")) continue;
    if (const auto caption = CaptionOf(object))
      properties.push_back({name, "Caption", caption->toStdString()});
    if (const auto hint = HintOf(object)) properties.push_back({name, "Hint", hint->toStdString()});
  }
  return properties;
}

bool WidgetTranslation::SetProperty(std::string_view component, std::string_view property,
                                    std::string_view value) {
  QObject* object = window_.findChild<QObject*>(ToQString(component));
  if (!object) return false;
  if (EqualsIgnoreCase(property, "Caption")) return SetCaptionOf(object, ToQString(value));
  if (EqualsIgnoreCase(property, "Hint")) return SetHintOf(object, ToQString(value));
  return false;
}

}  // namespace chartorium

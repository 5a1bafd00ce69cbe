// Message boxes are captioned with the product name, as the program's own are.
#include "app/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "core/ui/InpBox.h"
#include "core/ui/Progress.h"

namespace chartorium {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString Caption = QStringLiteral("Chartorium");

}  // namespace

void QtDialogs::Warning(std::string_view text) {
  QMessageBox::warning(parent_, Caption, ToQString(text));
}

void QtDialogs::Information(std::string_view text) {
  QMessageBox::information(parent_, Caption, ToQString(text));
}

void QtDialogs::Error(std::string_view caption, std::string_view text) {
  QMessageBox::critical(parent_, ToQString(caption), ToQString(text));
}

bool QtDialogs::Confirm(std::string_view text) {
  return QMessageBox::question(parent_, Caption, ToQString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string QtDialogs::Input(std::string_view prompt, std::string_view initial) {
  return input_.Ask(prompt, initial);
}

void QtDialogs::Beep() {
  QApplication::beep();
}

void QtDialogs::ShowProgress(std::string_view text) {
  progress_.ShowText(text);
}

void QtDialogs::HideProgress() {
  progress_.hide();
}

bool QtDialogs::ProgressVisible() const {
  return progress_.isVisible();
}

bool QtDialogs::ProgressCancelled() const {
  return progress_.Cancelled();
}

}  // namespace chartorium

// A window as the language files see it: its named controls and their
// "Caption" and "Hint" texts, found by object name.
#pragma once

#include "export/Languages.h"

class QWidget;

namespace chartorium {

class WidgetTranslation final : public TranslationTarget {
 public:
  /// The window's objectName is its section name.
  explicit WidgetTranslation(QWidget& window) : window_(window) {}

  std::string WindowName() const override;
  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;
  LanguageFont Font() const override;
  void SetFont(const LanguageFont& font) override;
  std::vector<TextProperty> Properties() const override;
  bool SetProperty(std::string_view component, std::string_view property,
                   std::string_view value) override;

 private:
  QWidget& window_;
};

}  // namespace chartorium

// What scripts may ask of their host: message and input boxes.
#pragma once

#include <functional>
#include <string>

namespace chartorium::vbscript {

/// MsgBox and InputBox of scripts; an unset function answers 0 or "".
struct HostCallbacks {
  /// MsgBox(prompt, buttons, title): returns the button id (vbOK = 1 ...).
  std::function<int(const std::string& prompt, int buttons, const std::string& title)> MsgBox;
  /// InputBox(prompt, title, default): returns the text ("" on cancel).
  std::function<std::string(const std::string& prompt, const std::string& title,
                            const std::string& defaultText)>
      InputBox;
};

}  // namespace chartorium::vbscript

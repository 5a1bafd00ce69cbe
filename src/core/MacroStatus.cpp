// The script error message.
#include "core/MacroStatus.h"

#include "core/Dialogs.h"

namespace chartorium {

std::string ScriptErrorText(const MacroError& error, std::string_view newline) {
  const std::string gap = std::string(newline) + std::string(newline);
  return error.Source + ":" + gap + "'" + error.Description + "'" + gap +
         "at line:" + std::to_string(error.Line) + ", char:" + std::to_string(error.Column) + gap +
         error.HelpFile;
}

void ReportScriptErrors(Dialogs& dialogs, const MacroStatus& status) {
  for (const MacroError& error : status.Errors()) {
    dialogs.Error(ScriptErrorCaption, ScriptErrorText(error));
  }
}

}  // namespace chartorium

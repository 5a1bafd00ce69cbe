// The macro object "KVX" that every macro calls: quotes, series, arrays,
// signals, indicators and report cells of the open stock.
#pragma once

#include <span>
#include <string>

#include "core/MacroStatus.h"
#include "macro/MacroLangTable.h"
#include "vbscript/NativeObject.h"

namespace chartorium {

class Workspace;
struct CustomIndicatorOutput;

/// Everything it reads and writes lives in the Workspace, except the custom
/// indicator output it was created for (where SetValue and SetIndic go) and
/// the errors of the runs its methods start.
class MacroLang final : public vbscript::NativeObject {
 public:
  /// `output` must outlive the object.
  MacroLang(Workspace& workspace, CustomIndicatorOutput& output)
      : workspace_(workspace), output_(output) {}

  std::span<const vbscript::NativeMember> Members() const override { return MacroMembers; }
  void Invoke(int index, std::span<vbscript::Variant> args, vbscript::Variant& result) override;
  std::string TypeName() const override { return "MacroLang"; }

  /// The script errors of the custom indicator and system runs its methods
  /// have started (a macro asking for a custom indicator or a signal): an
  /// error ends only that inner run, and the run of the macro that called the
  /// method takes the errors over when it ends.
  MacroStatus& NestedRuns() { return nested_; }

 private:
  Workspace& workspace_;
  CustomIndicatorOutput& output_;
  MacroStatus nested_;
};

}  // namespace chartorium

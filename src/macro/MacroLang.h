// The macro object "KVX" that every macro calls: quotes, series, arrays,
// signals, indicators and report cells of the open stock.
#pragma once

#include <span>
#include <string>

#include "macro/MacroLangTable.h"
#include "vbscript/NativeObject.h"

namespace chartorium {

class Workspace;
struct CustomIndicatorOutput;

/// Holds no state of its own: everything it reads and writes lives in the
/// Workspace, except the custom indicator output it was created for, so
/// instances are interchangeable apart from where SetValue and SetIndic go.
class MacroLang final : public vbscript::NativeObject {
 public:
  /// `output` must outlive the object.
  MacroLang(Workspace& workspace, CustomIndicatorOutput& output)
      : workspace_(workspace), output_(output) {}

  std::span<const vbscript::NativeMember> Members() const override { return MacroMembers; }
  void Invoke(int index, std::span<vbscript::Variant> args, vbscript::Variant& result) override;
  std::string TypeName() const override { return "MacroLang"; }

 private:
  Workspace& workspace_;
  CustomIndicatorOutput& output_;
};

}  // namespace chartorium

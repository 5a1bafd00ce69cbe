// The interface a host object (such as the macro object) implements to be called by scripts.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Variant.h"

namespace chartorium::vbscript {

enum class MemberKind : uint8_t {
  Method,       ///< called with arguments; may return a value
  PropertyGet,  ///< read as `obj.Name` or `obj.Name(index)`
  PropertyPut,  ///< written as `obj.Name = value`; the value is the last argument
};

/// One entry of an object's member table. Names are matched ignoring case, once, when the
/// script is compiled (or on the first call through a variable, then cached).
struct NativeMember {
  std::string_view Name;
  MemberKind Kind = MemberKind::Method;
  int ParamCount = 0;           ///< arguments it takes at most; -1 = any number
  int MinParams = -1;           ///< fewest arguments; -1 = ParamCount
  bool HasResult = false;       ///< an [out, retval] value is the call's result
  uint32_t ByRefMask = 0;       ///< bit i set: argument i is written back to the caller's variable
  bool Default = false;         ///< the member `obj(args)` and `x = obj` use
  bool ValueArguments = false;  ///< objects arrive as their default values, as for printing
};

/// A host-provided object. The script calls members by their index in Members(); arguments
/// come as a span over the engine's own stack, so a call copies nothing and allocates nothing.
/// Arrays arrive as Variants sharing their storage (see Variant::AsArray and NewArray).
class NativeObject {
 public:
  NativeObject() = default;
  NativeObject(const NativeObject&) = delete;
  NativeObject& operator=(const NativeObject&) = delete;
  virtual ~NativeObject() = default;

  /// The member table; must stay the same for the object's lifetime.
  virtual std::span<const NativeMember> Members() const = 0;
  /// Calls member `index` with `args` (their count is checked against the table), writing the
  /// [out, retval] value to `result`. A failure throws a ScriptError through ThrowRuntime;
  /// the host turns it into a script error at the calling statement.
  virtual void Invoke(int index, std::span<Variant> args, Variant& result) = 0;
  /// The name TypeName reports.
  virtual std::string TypeName() const { return "Object"; }
  /// A collection's elements for For Each, in order; false (the default) when the object is
  /// no collection.
  virtual bool Items(std::vector<Variant>& out) const {
    (void)out;
    return false;
  }
};

/// A host object as scripts see it: a Variant holds it as its object.
class HostObjectRef final : public ScriptObject {
 public:
  explicit HostObjectRef(std::shared_ptr<NativeObject> native) : Native(std::move(native)) {}
  std::string TypeName() const override { return Native->TypeName(); }
  std::shared_ptr<NativeObject> Native;
};

/// Index of the member called `name` (ignoring case) of a kind usable for reading (Method or
/// PropertyGet) or for writing (PropertyPut); -1 when there is none.
int FindNativeMember(std::span<const NativeMember> members, std::string_view name, bool forPut);

}  // namespace chartorium::vbscript

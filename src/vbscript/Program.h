// What the compiler produces and the VM runs: procedures, classes, and the global tables
// that persist across added blocks of code until the host resets.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vbscript/Code.h"
#include "vbscript/NativeObject.h"
#include "vbscript/ProcKind.h"

namespace chartorium::vbscript {

class Vm;
struct CompiledBlock;
struct ClassInfo;

struct Procedure {
  std::string Name;
  std::string Key;  ///< the name in lower case
  ProcKind Kind = ProcKind::Sub;
  int ParamCount = 0;
  std::vector<uint8_t> ByVal;  ///< per parameter; bytes, as a vector of bool costs at every call
  int FrameSize = 0;           ///< parameters first, then locals and hidden slots
  int ResultSlot = -1;         ///< the function's own name as a variable
  const ClassInfo* Owner = nullptr;
  bool Public = true;
  bool Explicit = false;
  /// Parameters and locals by name, for Eval and Execute in this scope: slot * 2, plus 1 for
  /// a ByRef parameter.
  std::unordered_map<std::string, int> LocalNames;
  StatementList Body;
  CompiledBlock* Block = nullptr;  ///< the code it belongs to
};

/// A name of a class: a field or its procedures.
struct ClassMember {
  int Field = -1;
  const Procedure* Get = nullptr;  ///< Property Get, Function or Sub
  const Procedure* Let = nullptr;
  const Procedure* Set = nullptr;
  bool Public = true;
};

struct ClassField {
  std::string Name;
  std::vector<int32_t> Bounds;  ///< upper bounds of a fixed array field
  bool IsArray = false;
};

struct ClassInfo {
  std::string Name;
  std::vector<ClassField> Fields;
  std::unordered_map<std::string, ClassMember> Members;
  const ClassMember* Default = nullptr;
  const Procedure* Initialize = nullptr;
  const Procedure* Terminate = nullptr;
};

/// An instance of a script class.
class ClassInstance final : public ScriptObject {
 public:
  ClassInstance(const ClassInfo& info, Vm* vm) : Class(&info), Owner(vm) {}
  void LastReleased() override;
  std::string TypeName() const override { return Class->Name; }

  const ClassInfo* Class;
  Vm* Owner;  ///< runs Class_Terminate; cleared when the engine resets
  std::vector<Variant> Fields;
};

/// What GetRef returns: an object whose default member calls a global procedure.
/// It keeps the procedure's code alive after the name is given to another procedure.
class ProcedureRef final : public ScriptObject {
 public:
  explicit ProcedureRef(const Procedure& proc);
  ~ProcedureRef() override;
  std::string TypeName() const override { return "Object"; }
  const Procedure* Proc;
};

enum class SymbolKind : uint8_t { Variable, Constant, Procedure, Class, HostObject, HostMember };

struct GlobalSymbol {
  SymbolKind Kind = SymbolKind::Variable;
  int Slot = -1;    ///< variable slot, procedure number, class number or host object number
  int Member = -1;  ///< HostMember: the member index
  Variant Value;    ///< Constant
};

/// One block of added code, kept alive as long as its procedures may run.
struct CompiledBlock {
  CodeArena Code;      ///< every node and statement of the block, and its member caches
  StatementList Body;  ///< the global code
  std::vector<std::unique_ptr<Procedure>> Procedures;
  std::vector<std::unique_ptr<ClassInfo>> Classes;
  const Node* Expression = nullptr;  ///< Eval text
  int FrameSize = 0;                 ///< hidden and implicit slots of the block's own code
  bool Explicit = false;
  Procedure Scope;          ///< frame description of the global code
  uint32_t References = 0;  ///< GetRef objects of its procedures still alive
};

struct HostEntry {
  std::string Name;
  std::shared_ptr<NativeObject> Native;
  Variant Object;  ///< the HostObjectRef scripts see
  bool GlobalMembers = false;
};

/// Names and values shared by every block of one engine.
struct GlobalState {
  std::unordered_map<std::string, GlobalSymbol> Symbols;
  std::deque<Variant> Values;  ///< global variables; a deque keeps ByRef addresses valid
  std::deque<bool> Declared;   ///< the variable exists (Dim, assignment or Const ran)
  std::vector<const Procedure*> Procedures;
  std::vector<const ClassInfo*> Classes;
  std::vector<HostEntry> Hosts;
  std::vector<std::unique_ptr<CompiledBlock>> Blocks;

  /// Keeps a compiled block for as long as its code may run.
  const CompiledBlock& Keep(std::unique_ptr<CompiledBlock> block);
  /// Frees the blocks nothing can run any more: code of statements that has run, and blocks
  /// whose procedures all have been defined again and that no GetRef object still calls.
  /// Blocks of classes stay, as their instances may still be about. REQUIRES: no script is
  /// running.
  void ReleaseFinishedBlocks();

  int AddVariable(const std::string& key) {
    GlobalSymbol symbol;
    symbol.Kind = SymbolKind::Variable;
    symbol.Slot = static_cast<int>(Values.size());
    Values.emplace_back();
    Declared.push_back(false);
    Symbols[key] = symbol;
    return symbol.Slot;
  }
};

}  // namespace chartorium::vbscript

// Lifetime of compiled code: what the host keeps, and when it can let go of it.
#include "vbscript/Program.h"

#include <algorithm>

#include "vbscript/Conversion.h"

namespace chartorium::vbscript {

ProcedureRef::ProcedureRef(const Procedure& proc) : Proc(&proc) {
  if (proc.Block) ++proc.Block->References;
}

ProcedureRef::~ProcedureRef() {
  if (Proc->Block) --Proc->Block->References;
}

const CompiledBlock& GlobalState::Keep(std::unique_ptr<CompiledBlock> block) {
  for (const std::unique_ptr<Procedure>& proc : block->Procedures) proc->Block = block.get();
  Blocks.push_back(std::move(block));
  return *Blocks.back();
}

void GlobalState::ReleaseFinishedBlocks() {
  const auto finished = [this](const std::unique_ptr<CompiledBlock>& block) {
    if (!block->Classes.empty() || block->References > 0) return false;
    for (const std::unique_ptr<Procedure>& proc : block->Procedures) {
      auto it = Symbols.find(LowerAscii(proc->Name));
      if (it != Symbols.end() && it->second.Kind == SymbolKind::Procedure &&
          Procedures[static_cast<size_t>(it->second.Slot)] == proc.get())
        return false;
    }
    return true;
  };
  Blocks.erase(std::remove_if(Blocks.begin(), Blocks.end(), finished), Blocks.end());
}

}  // namespace chartorium::vbscript

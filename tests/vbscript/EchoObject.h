// A WScript stand-in for tests: Echo collects lines.
#pragma once

#include <string>
#include <vector>

#include "vbscript/Conversion.h"
#include "vbscript/NativeObject.h"

namespace chartorium::vbscript {

class EchoObject final : public NativeObject {
 public:
  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int, std::span<Variant> args, Variant&) override {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
      if (i > 0) line += ' ';
      AppendText(line, args[i]);
    }
    Lines.push_back(line);
  }

  std::vector<std::string> Lines;

 private:
  static constexpr NativeMember Table[] = {
      {"Echo", MemberKind::Method, -1, 0, false, 0, false, true}};
};

}  // namespace chartorium::vbscript

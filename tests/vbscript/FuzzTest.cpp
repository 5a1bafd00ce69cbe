// Random texts must never crash the lexer, parser, compiler or VM: every run ends with a
// status, and a failure always carries an error number.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "vbscript/EchoObject.h"
#include "vbscript/ScriptHost.h"

namespace chartorium::vbscript {
namespace {

constexpr const char* Vocabulary[] = {
    "If ",
    " Then",
    "Else",
    "ElseIf ",
    "End If",
    "For ",
    " To ",
    "Step ",
    "Next",
    "Do ",
    "Loop",
    "While ",
    "Wend",
    "Until ",
    "Sub ",
    "End Sub",
    "Function ",
    "End Function",
    "Dim ",
    "ReDim ",
    "Preserve ",
    "Set ",
    "New ",
    "Class ",
    "End Class",
    "Select Case ",
    "Case ",
    "Exit ",
    "Call ",
    "With ",
    "End With",
    "On Error Resume Next",
    "x",
    "y",
    "a(",
    ")",
    "(",
    ",",
    ".",
    "=",
    "+",
    "-",
    "*",
    "/",
    "\\",
    "^",
    "&",
    "Mod ",
    "And ",
    "Or ",
    "Not ",
    "Is ",
    "1",
    "2.5",
    "\"s\"",
    "#1/1/2000#",
    "&HFF",
    "Nothing",
    "Null",
    "Empty",
    "True",
    ":",
    "\n",
    " ",
    "_\n",
    "'c\n",
    "Me",
    "Eval(\"1+\")",
    "Execute \"x=\"",
    "Err.Raise 5",
    "ReDim a(3)",
    "Property Get ",
    "Array(",
    "UBound(",
    "Mid(",
    "CInt(",
};

TEST(FuzzTest, RandomTokenSoupNeverCrashes) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<size_t> pick(0, std::size(Vocabulary) - 1);
  std::uniform_int_distribution<int> length(1, 40);
  for (int round = 0; round < 1500; ++round) {
    std::string text;
    const int n = length(random);
    for (int i = 0; i < n; ++i) text += Vocabulary[pick(random)];
    ScriptHost host;
    host.SetTimeout(20);
    if (!host.AddCode(text)) {
      EXPECT_NE(host.LastError().Number, 0) << text;
    }
  }
}

TEST(FuzzTest, MutatedGoldenScriptsNeverCrash) {
  std::mt19937 random(7);
  std::vector<std::string> scripts;
  for (const auto& entry : std::filesystem::directory_iterator(VBSCRIPT_GOLDEN_DIR)) {
    if (entry.path().extension() != ".vbs") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    scripts.push_back(text.str());
  }
  ASSERT_FALSE(scripts.empty());
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 600; ++round) {
    std::string text = scripts[static_cast<size_t>(round) % scripts.size()];
    for (int edit = 0; edit < 4; ++edit) {
      const size_t p = std::uniform_int_distribution<size_t>(0, text.size())(random);
      switch (byte(random) % 3) {
        case 0:
          text.insert(p, 1, static_cast<char>(byte(random)));
          break;
        case 1:
          if (p < text.size()) text.erase(p, std::min<size_t>(text.size() - p, 5));
          break;
        default:
          if (p < text.size()) text[p] = static_cast<char>(byte(random));
          break;
      }
    }
    ScriptHost host;
    host.SetTimeout(50);
    ASSERT_TRUE(host.AddObject("WScript", std::make_shared<EchoObject>(), false));
    if (!host.AddCode(text)) {
      EXPECT_NE(host.LastError().Number, 0);
    } else if (host.HasProcedure("Main") && !host.Run("Main").Ok) {
      EXPECT_NE(host.LastError().Number, 0);
    }
  }
}

}  // namespace
}  // namespace chartorium::vbscript

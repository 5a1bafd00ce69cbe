// Random texts must never crash the lexer, parser, compiler or VM: every run ends with a
// status, and a failure always carries an error number.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "vbscript/EchoObject.h"
#include "vbscript/RegExpCompiler.h"
#include "vbscript/RegExpMatcher.h"
#include "vbscript/ScriptHost.h"
#include "vbscript/TextUnits.h"

namespace chartorium::vbscript {
namespace {

// A longer campaign on a developer's machine: CHARTORIUM_FUZZ_SCALE multiplies the rounds
// and CHARTORIUM_FUZZ_SEED changes every random sequence. By default each run is the same.
int Scale() {
  const char* text = std::getenv("CHARTORIUM_FUZZ_SCALE");
  return text ? std::max(1, std::atoi(text)) : 1;
}
uint32_t Seed(uint32_t base) {
  const char* text = std::getenv("CHARTORIUM_FUZZ_SEED");
  return text ? base ^ static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : base;
}

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
  std::mt19937 random(Seed(20261210));
  std::uniform_int_distribution<size_t> pick(0, std::size(Vocabulary) - 1);
  std::uniform_int_distribution<int> length(1, 40);
  for (int round = 0; round < 1500 * Scale(); ++round) {
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
  std::mt19937 random(Seed(7));
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
  for (int round = 0; round < 600 * Scale(); ++round) {
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

// Pieces of patterns, well-formed or not, so that both the parser's errors and the matcher's
// corners come up.
constexpr const char* RegexVocabulary[] = {
    "a",     "b",    "\xC3\xA9", ".",  "[a-c]", "[^b]", "[",    "]",       "-",   "\\d", "\\w",
    "\\s",   "\\b",  "\\B",      "\\", "\\1",   "\\2",  "\\x4", "\\u00e9", "\\c", "(",   "(?:",
    "(?=",   "(?!",  "(?",       ")",  "|",     "*",    "+",    "?",       "{",   "}",   "{2}",
    "{1,3}", "{2,}", ",",        "^",  "$",     "*?",   "+?",   "\\0",     "\\n",
};

// Thrown by the interrupt callback to bound a match that runs long.
struct MatchTookTooLong {};

TEST(FuzzTest, RandomRegularExpressionsNeverCrash) {
  std::mt19937 random(Seed(5017));
  std::uniform_int_distribution<size_t> pick(0, std::size(RegexVocabulary) - 1);
  std::uniform_int_distribution<int> length(1, 12);
  constexpr char16_t Alphabet[] = u"abAB \n1\u00e9\u00c9\u2028-";
  for (int round = 0; round < 5000 * Scale(); ++round) {
    std::string pattern;
    const int n = length(random);
    for (int i = 0; i < n; ++i) pattern += RegexVocabulary[pick(random)];
    const RegexFlags flags{random() % 2 == 0, random() % 2 == 0};
    RegexProgram program;
    try {
      program = CompileRegex(ToUtf16(pattern), flags);
    } catch (const ScriptError& error) {
      EXPECT_TRUE((error.Number >= 5017 && error.Number <= 5021) || error.Number == 28)
          << pattern << ": " << error.Number;
      continue;
    }
    int checks = 0;
    RegexMatcher matcher(program, [&checks] {
      if (++checks > 20) throw MatchTookTooLong{};
    });
    for (int t = 0; t < 4; ++t) {
      std::u16string text;
      const int units = std::uniform_int_distribution<int>(0, 40)(random);
      for (int i = 0; i < units; ++i) text += Alphabet[random() % (std::size(Alphabet) - 1)];
      checks = 0;
      std::vector<int32_t> captures;
      size_t from = 0;
      try {
        while (from <= text.size() && matcher.Search(text, from, captures)) {
          ASSERT_EQ(captures.size(), 2 * static_cast<size_t>(program.GroupCount + 1)) << pattern;
          const auto size = static_cast<int32_t>(text.size());
          ASSERT_TRUE(captures[0] >= static_cast<int32_t>(from) && captures[0] <= captures[1] &&
                      captures[1] <= size)
              << pattern;
          for (size_t g = 2; g < captures.size(); g += 2) {
            const bool unset = captures[g] == -1 && captures[g + 1] == -1;
            ASSERT_TRUE(unset || (captures[g] >= 0 && captures[g] <= captures[g + 1] &&
                                  captures[g + 1] <= size))
                << pattern << " group " << g / 2;
          }
          from = static_cast<size_t>(captures[1]) + (captures[0] == captures[1] ? 1 : 0);
        }
      } catch (const MatchTookTooLong&) {
      }
    }
  }
}

}  // namespace
}  // namespace chartorium::vbscript

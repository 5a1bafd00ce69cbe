// Compile errors and run-time error positions: numbers, lines and columns.
#include "vbscript/Parser.h"

#include <gtest/gtest.h>

#include <string>

#include "vbscript/ScriptHost.h"

namespace chartorium::vbscript {
namespace {

struct ErrorCase {
  std::string Code;
  int Number;
  int Line;    // 1-based
  int Column;  // 0-based
};

const ErrorCase CompileErrors[] = {
    {"x = ", 1023, 1, 4},
    {"If 0 > 1 Then\n    x = 0 End If", 1025, 2, 10},
    {"strcomp(\"x\", \"y\")", 1044, 1, 17},
    {"Class C End Class", 1025, 1, 8},
    {"x = \"abc", 1033, 1, 4},
    {"x = 1 @ 2", 1032, 1, 6},
    {"Loop", 1038, 1, 0},
    {"Next", 1055, 1, 0},
    {"For i = 1 To 2\nx = 1\n", 1020, 3, 0},
    {"Do\nx = 1\n", 1019, 3, 0},
    {"While 1\n", 1018, 2, 0},
    {"Exit For", 1039, 1, 0},
    {"Sub S() : Exit Do : End Sub", 1039, 1, 10},
    {"Dim a(n)", 1026, 1, 6},
    {"Const c = x", 1045, 1, 10},
    {"Const c = 1 + 2", 1045, 1, 10},
    {"Const a = 1, c = -2 * 3", 1045, 1, 17},
    {"Const c = \"a\" & \"b\"", 1045, 1, 10},
    {"x = (1", 1006, 1, 6},
    {"If x\n", 1017, 1, 4},
    {"Sub S() : Me.x = 1 : End Sub", 1037, 1, 10},
    {"Property Get P : End Property", 1048, 1, 0},
    {"Class C\nSub Class_Initialize(x) : End Sub\nEnd Class", 1053, 2, 0},
    {"Class C\nProperty Let P() : End Property\nEnd Class", 1054, 2, 0},
    {"Class C\nPrivate Default Function F() : End Function\nEnd Class", 1057, 2, 0},
    {"x = 1\nOption Explicit", 1002, 2, 0},
    {"x = &HFFFFFFFFF", 1031, 1, 4},
    {"x = 1 _ y", 1032, 1, 6},
    {"Select Case 1\nx = 1\nEnd Select", 1014, 2, 0},
    {"x = " + std::string(300, '(') + "1" + std::string(300, ')'), 28, 1, 0},
    {std::string(300, 'a') + " = 1", 1030, 1, 0},
};

TEST(CompileErrorTest, ReportsNumberLineAndColumn) {
  for (const ErrorCase& c : CompileErrors) {
    ScriptHost host;
    EXPECT_FALSE(host.AddCode(c.Code)) << c.Code;
    const ScriptErrorInfo& e = host.LastError();
    EXPECT_EQ(e.Number, c.Number) << c.Code << " -> " << e.Description;
    EXPECT_EQ(e.Source, "Microsoft VBScript compilation error") << c.Code;
    EXPECT_EQ(e.Line, c.Line) << c.Code;
    if (c.Number != 28) {
      EXPECT_EQ(e.Column, c.Column) << c.Code;
    }
  }
}

TEST(CompileErrorTest, NamesTheUnclosedOpener) {
  ScriptHost host;
  EXPECT_FALSE(host.AddCode("x = 1\n\nDo While x\n  x = 0\n"));
  EXPECT_NE(host.LastError().Description.find("to close 'Do' at line 3"), std::string::npos)
      << host.LastError().Description;
  EXPECT_FALSE(host.AddCode("Sub A()\n  If 1 Then\n  End If\n"));
  EXPECT_NE(host.LastError().Description.find("'End Sub' to close 'Sub' at line 1"),
            std::string::npos)
      << host.LastError().Description;
}

const ErrorCase RuntimeErrors[] = {
    {"x = 1\n  y = 1 / 0", 11, 2, 2},
    {"If 1 / 0 Then\nEnd If", 11, 1, 0},
    {"x = 1 + _\n  1 / 0", 11, 1, 0},
    {"If True Then x = Nothing", 91, 1, 13},
    {"Sub S()\n  Dim a(1)\n  a(2) = 0\nEnd Sub\nS", 9, 3, 2},
    {"x = .y", 505, 1, 0},
    {"For Each v In 1 : Next", 451, 1, 0},
    {"x = CLng(\"abc\")", 13, 1, 0},
    {"Function R(n) : R = R(n + 1) : End Function\nR 1", 28, 1, 16},
};

TEST(RuntimeErrorTest, ReportsStatementPosition) {
  for (const ErrorCase& c : RuntimeErrors) {
    ScriptHost host;
    EXPECT_FALSE(host.AddCode(c.Code)) << c.Code;
    const ScriptErrorInfo& e = host.LastError();
    EXPECT_EQ(e.Number, c.Number) << c.Code << " -> " << e.Description;
    EXPECT_EQ(e.Source, "Microsoft VBScript runtime error") << c.Code;
    EXPECT_EQ(e.Line, c.Line) << c.Code;
    EXPECT_EQ(e.Column, c.Column) << c.Code;
  }
}

TEST(ParserTest, AcceptsTheLanguagesOddCorners) {
  const char* valid[] = {
      "",
      "' only a comment",
      "Rem a comment\nRemark = 1",
      ":: x = 1 ::: :",
      "x =_\n3",
      "x = _    \n3",
      "If False Then x = 1 : x = 2 End If",
      "If True Then\n x = 1\nElse x = 2\nEnd If",
      "Sub s() x = 1 End Sub",
      "Dim [if] : [if] = 1",
      "Dim Default, Error, Explicit, Property, Step\nStep = 1",
      "x = 1 =< 2 => 0 >< 3",
      "Select Case 1\nCase 1  x = 200\nCase Else x = 5\nEnd Select",
      "Class Property\nEnd Class",
      "Do : Loop While False",
      "x = #2000-1-1# : y = # 1/1/2011 #",
      "x = 1\r y = 2\r\n z = 3\n",
  };
  for (const char* code : valid) {
    ScriptHost host;
    EXPECT_TRUE(host.AddCode(code)) << code << " -> " << host.LastError().Description;
  }
}

}  // namespace
}  // namespace chartorium::vbscript

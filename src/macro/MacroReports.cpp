// The macro object's report functions on the custom report grid, and the
// tester console's PrintOut.
#include <algorithm>

#include "core/TextHelpers.h"
#include "macro/MacroCall.h"
#include "macro/MacroState.h"
#include "vbscript/Conversion.h"

namespace chartorium {

using vbscript::Variant;
using vbscript::VarType;

namespace {

void Header(MacroCall& call) {
  const int number = call.Whole(0);
  if (number < 1) return;
  std::vector<ReportColumn>& columns = call.Ws.Macros.Grid.Columns;
  while (static_cast<int>(columns.size()) <= number) columns.push_back({"", 80});
  columns[static_cast<std::size_t>(number)] = {call.Text(1), 80};
}

void PutInGrid(MacroCall& call) {
  MacroState& macros = call.Ws.Macros;
  const int place = call.Whole(0);
  if (place < 1 || !macros.Report.Taken) return;
  const int row = macros.Report.CurrentRow;
  if (row < 0 || row >= static_cast<int>(macros.Grid.Rows.size())) return;
  const Variant& value = call.Arg(1);
  const bool floating = value.Type() == VarType::Single || value.Type() == VarType::Double;
  std::vector<std::string>& cells = macros.Grid.Rows[static_cast<std::size_t>(row)].Cells;
  if (static_cast<int>(cells.size()) < place) cells.resize(static_cast<std::size_t>(place));
  cells[static_cast<std::size_t>(place - 1)] =
      floating ? PriceText(vbscript::ToDouble(value)) : vbscript::ToString(value);
}

}  // namespace

void InvokeReports(MacroCall& call) {
  MacroState& macros = call.Ws.Macros;
  switch (call.Method) {
    case MacroMethod::PrintOut:
      macros.Console.Lines.push_back(call.Text(0));
      if (macros.Console.Echo) macros.Console.Echo(macros.Console.Lines.back());
      return;
    case MacroMethod::TakeThisStock:
      macros.Report.Taken = true;
      macros.Grid.Rows.emplace_back();
      macros.Report.CurrentRow = static_cast<int>(macros.Grid.Rows.size()) - 1;
      return;
    case MacroMethod::Header:
      Header(call);
      return;
    case MacroMethod::PutInGrid:
      PutInGrid(call);
      return;
    case MacroMethod::ResetTTS: {
      macros.Report.Taken = false;
      const int row = macros.Report.CurrentRow;
      if (row >= 0 && row < static_cast<int>(macros.Grid.Rows.size())) {
        macros.Grid.Rows[static_cast<std::size_t>(row)].Caption = macros.Report.StockDisplayName;
      }
      return;
    }
    default:
      return;
  }
}

}  // namespace chartorium

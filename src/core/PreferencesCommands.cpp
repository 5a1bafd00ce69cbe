// "&Ok" writes in a fixed order and compares some periods with the file
// before overwriting them: a changed period makes the series cached with the
// old one stale.
#include "core/PreferencesCommands.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <iterator>
#include <optional>

#include "core/DerivedSeries.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/PreferenceFields.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

constexpr std::string_view StyleWords[] = {"Bold", "Italic", "Underline", "Strikeout"};

const PreferenceField& FieldNamed(std::string_view name) {
  for (const PreferenceField& field : PreferenceFields())
    if (field.Name == name) return field;
  assert(false && "unknown preference field");
  return PreferenceFields().front();
}

void WriteField(IniFile& file, const Preferences& prefs, std::string_view name) {
  const PreferenceField& field = FieldNamed(name);
  switch (field.Kind) {
    case PreferenceKind::Flag:
      file.WriteBool(field.Section, field.Key, prefs.Flag(name));
      return;
    case PreferenceKind::Colour:
      file.WriteInteger(field.Section, field.Key, prefs.Colour(name));
      return;
    case PreferenceKind::Choice:
      file.WriteInteger(field.Section, field.Key, prefs.Integer(name));
      return;
    default:
      file.WriteString(field.Section, field.Key, prefs.Text(name));
  }
}

// Whether the field's text differs from the value the file holds now.
bool DiffersFromFile(const IniFile& file, const Preferences& prefs, std::string_view name) {
  const PreferenceField& field = FieldNamed(name);
  return file.ReadString(field.Section, field.Key, "") != prefs.Text(name);
}

// A number field whose value reads as 0 becomes "1".
void AtLeastOne(Preferences& prefs, std::string_view name) {
  if (prefs.Integer(name) == 0) prefs.Set(name, "1");
}

int BarsToPlot(const Preferences& prefs) {
  const int bars = prefs.Integer("ENbD");
  return bars < 1 ? 1 : bars;
}

std::optional<int> WholeNumber(std::string_view text) {
  text = Trim(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
  return value;
}

}  // namespace

std::string FontText(const FontSpec& font) {
  std::string text = font.Name + ", " + std::to_string(font.Size);
  const bool styles[] = {font.Bold, font.Italic, font.Underline, font.Strikeout};
  for (size_t i = 0; i < std::size(styles); ++i)
    if (styles[i]) text += ", " + std::string(StyleWords[i]);
  return text;
}

FontSpec FontFromText(std::string_view text) {
  FontSpec font;
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) return font;
  font.Name = std::string(text.substr(0, comma));
  // The comma and the blank the writer puts after it.
  const std::string_view rest = text.substr(std::min(text.size(), comma + 2));
  const size_t sizeEnd = rest.find(',');
  font.Size = WholeNumber(rest.substr(0, sizeEnd)).value_or(8);
  bool* styles[] = {&font.Bold, &font.Italic, &font.Underline, &font.Strikeout};
  for (size_t i = 0; i < std::size(styles); ++i)
    *styles[i] = rest.find(StyleWords[i]) != std::string_view::npos;
  return font;
}

std::filesystem::path QuorexFile(const Workspace& workspace) {
  return ResolveFileName(workspace.AppFolder(), "Quorex.ini");
}

void LoadPreferencesAtStart(Workspace& workspace) {
  const auto quorex = IniFile::Load(QuorexFile(workspace));
  if (quorex) workspace.Prefs.Load(*quorex);
  QuoteStore& store = workspace.Quotes();
  store.VisibleBarCount = BarsToPlot(workspace.Prefs);
  store.FirstVisibleBar = 2002 - workspace.Prefs.Integer("ENbD");
}

Status ConfirmPreferences(Workspace& workspace) {
  const std::filesystem::path path = QuorexFile(workspace);
  auto loaded = IniFile::Load(path);
  // A file that exists but cannot be read is never overwritten.
  if (!loaded) return loaded.status();
  IniFile& file = *loaded;
  Preferences& prefs = workspace.Prefs;

  // 1. Colours, the highlight flag and the title font; the proxy.
  for (const PreferenceField& field : PreferenceFields())
    if (field.Kind == PreferenceKind::Colour) WriteField(file, prefs, field.Name);
  for (const std::string_view name : {"ChHi", "BFon", "EP", "EPU", "EPP", "EPPo", "ChProx"})
    WriteField(file, prefs, name);

  // 2. The bar width and the bars to plot are never 0.
  AtLeastOne(prefs, "EBW");
  WriteField(file, prefs, "EBW");
  AtLeastOne(prefs, "ENbD");
  WriteField(file, prefs, "ENbD");

  // 3. Periods whose cached series go stale when they change.
  if (DiffersFromFile(file, prefs, "ERSI")) workspace.Derived().Drop(StaleSeries::Rsi);
  WriteField(file, prefs, "ERSI");
  if (DiffersFromFile(file, prefs, "EBoll")) workspace.Derived().Drop(StaleSeries::Bands);
  WriteField(file, prefs, "EBoll");
  if (DiffersFromFile(file, prefs, "EMCT") || DiffersFromFile(file, prefs, "EMLT"))
    workspace.Derived().Drop(StaleSeries::Averages);
  WriteField(file, prefs, "EMCT");
  WriteField(file, prefs, "EMLT");

  // 4. The zigzag, the added spaces and the flags of the first page.
  for (const std::string_view name :
       {"EZZ", "EAdd", "B1", "CBX", "CBY", "CBY2", "CBYM", "CBS", "RRe", "CCom"})
    WriteField(file, prefs, name);

  // 5. The average types; a file without them always discards the averages.
  if (file.ReadInteger("General", "MAT1", -1) != prefs.Integer("MAT1") ||
      file.ReadInteger("General", "MAT2", -1) != prefs.Integer("MAT2"))
    workspace.Derived().Drop(StaleSeries::Averages);
  WriteField(file, prefs, "MAT1");
  WriteField(file, prefs, "MAT2");

  // 6. The marker style and the remaining periods.
  for (const std::string_view name : {"RB", "RS", "RQ", "M26", "M12", "M9", "VHF", "MFI", "WD",
                                      "IV", "TR", "Ar", "StK", "StD", "CCI", "EP1", "EP2", "EP3"})
    WriteField(file, prefs, name);

  // 7. The chart plots the confirmed number of bars.
  workspace.Quotes().VisibleBarCount = BarsToPlot(prefs);
  return file.Save(path);
}

void CancelPreferences(Workspace& workspace) {
  // Every field goes back to the file, or to its default when the file lacks
  // it; the one field that is never stored keeps its value.
  const std::string averageTrueRange = workspace.Prefs.Text("ATR");
  const bool proxy = workspace.Prefs.Flag("ChProx");
  workspace.Prefs = Preferences();
  workspace.Prefs.SetFlag("ChProx", proxy);
  workspace.Prefs.Set("ATR", averageTrueRange);
  const auto quorex = IniFile::Load(QuorexFile(workspace));
  if (quorex) workspace.Prefs.Load(*quorex);
}

Status SetBarsToPlot(Workspace& workspace, std::string_view bars) {
  workspace.Prefs.Set("ENbD", bars);
  return ConfirmPreferences(workspace);
}

void BarsFieldEdited(Workspace& workspace) {
  if (workspace.Prefs.Text("ENbD").empty()) return;
  workspace.Quotes().VisibleBarCount = BarsToPlot(workspace.Prefs);
}

void AroonPeriodEdited(Workspace& workspace) {
  workspace.Derived().Drop(StaleSeries::Aroon);
}

}  // namespace chartorium

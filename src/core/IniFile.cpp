// The INI file helper.
#include "core/IniFile.h"

#include <charconv>
#include <limits>

#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"

namespace chartorium {
namespace {

constexpr size_t None = std::string::npos;

std::optional<long long> ReadWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
  return value;
}

}  // namespace

IniFile::Line IniFile::ParseLine(std::string_view text) {
  Line line{std::string(text), {}, {}, false};
  const std::string_view trimmed = Trim(text);
  if (trimmed.size() >= 2 && trimmed.front() == '[') {
    const size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      line.IsHeader = true;
      line.Section = std::string(Trim(trimmed.substr(1, close - 1)));
      return line;
    }
  }
  if (trimmed.empty() || trimmed.front() == ';') return line;
  const size_t equals = text.find('=');
  if (equals != std::string_view::npos) line.Key = std::string(Trim(text.substr(0, equals)));
  return line;
}

IniFile IniFile::FromText(std::string_view text) {
  IniFile file;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.lines_.push_back(ParseLine(line));
    start = end + 1;
  }
  return file;
}

Result<IniFile> IniFile::Load(const std::filesystem::path& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes) {
    if (bytes.status().code() == StatusCode::NotFound) return IniFile();
    return bytes.status();
  }
  return FromText(Cp1252ToUtf8(*bytes));
}

std::string IniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.Text;
    text += "\r\n";
  }
  return text;
}

Status IniFile::Save(const std::filesystem::path& file) const {
  return WriteFileAtomically(file, Utf8ToCp1252(Text()));
}

size_t IniFile::FindSection(std::string_view section) const {
  const std::string wanted = FoldCase(Trim(section));
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].IsHeader && FoldCase(lines_[i].Section) == wanted) return i;
  return None;
}

size_t IniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !lines_[i].IsHeader) ++i;
  return i;
}

size_t IniFile::FindKey(size_t header, std::string_view key) const {
  if (header == None) return None;
  const std::string wanted = FoldCase(Trim(key));
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i)
    if (!lines_[i].Key.empty() && FoldCase(lines_[i].Key) == wanted) return i;
  return None;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const size_t line = FindKey(FindSection(section), key);
  if (line == None) return std::nullopt;
  const std::string& text = lines_[line].Text;
  return std::string(Trim(std::string_view(text).substr(text.find('=') + 1)));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  return Find(section, key).value_or(std::string(fallback));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const auto text = Find(section, key);
  if (!text) return fallback;
  const auto value = ReadWholeNumber(*text);
  if (!value || *value > std::numeric_limits<int>::max() ||
      *value < std::numeric_limits<int>::min())
    return fallback;
  return static_cast<int>(*value);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string trimmedKey(Trim(key));
  size_t header = FindSection(section);
  if (header == None) {
    lines_.push_back(ParseLine("[" + std::string(Trim(section)) + "]"));
    header = lines_.size() - 1;
  }
  if (const size_t line = FindKey(header, key); line != None) {
    // Keep the key as the file spells it.
    const std::string& old = lines_[line].Text;
    lines_[line].Text = old.substr(0, old.find('=') + 1) + std::string(value);
    return;
  }
  // A new key goes after the section's last non-blank line.
  size_t insertAt = SectionEnd(header);
  while (insertAt > header + 1 && Trim(lines_[insertAt - 1].Text).empty()) --insertAt;
  lines_.insert(lines_.begin() + static_cast<long>(insertAt),
                ParseLine(trimmedKey + "=" + std::string(value)));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) != None;
}

void IniFile::EraseSection(std::string_view section) {
  const size_t header = FindSection(section);
  if (header == None) return;
  lines_.erase(lines_.begin() + static_cast<long>(header),
               lines_.begin() + static_cast<long>(SectionEnd(header)));
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  const size_t header = FindSection(section);
  if (header == None) return keys;
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i)
    if (!lines_[i].Key.empty()) keys.push_back(lines_[i].Key);
  return keys;
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> sections;
  for (const Line& line : lines_)
    if (line.IsHeader) sections.push_back(line.Section);
  return sections;
}

}  // namespace chartorium

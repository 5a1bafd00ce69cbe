// Reading a text file to import.
#include "quotes/ImportText.h"

#include <algorithm>
#include <system_error>

#include "core/Cp1252.h"
#include "core/SafeFile.h"

namespace chartorium {
namespace {

// Tab, LF, FF, CR and the old end-of-file mark Ctrl-Z appear in text files;
// any other control byte, NUL first, marks a file that is not text.
bool IsBinaryByte(unsigned char c) {
  return c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r' && c != 0x1A;
}

// Whether the bytes are well-formed UTF-8 (ASCII included).
bool IsUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
      length = 2;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3;
    } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
      length = 4;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string TooLongMessage() {
  return "The file you try to import has more than " + std::to_string(MaxImportLines) +
         " lines or " + std::to_string(MaxImportBytes / (1024 * 1024)) +
         " MB; split it into smaller files";
}

Result<ImportText> ImportText::Read(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size > MaxImportBytes) return Status::InvalidArgument(TooLongMessage());
  auto bytes = ReadWholeFile(file);
  if (!bytes) return bytes.status();
  return FromBytes(std::move(*bytes));
}

Result<ImportText> ImportText::FromBytes(std::string bytes) {
  if (bytes.size() > MaxImportBytes) return Status::InvalidArgument(TooLongMessage());
  for (const char c : bytes)
    if (IsBinaryByte(static_cast<unsigned char>(c))) return Status::InvalidArgument(NotTextMessage);
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  if (std::string_view(bytes).starts_with(ByteOrderMark)) bytes.erase(0, ByteOrderMark.size());
  ImportText text;
  text.text_ = IsUtf8(bytes) ? std::move(bytes) : Cp1252ToUtf8(bytes);
  const std::string_view all = text.text_;
  const size_t breaks = static_cast<size_t>(std::count(all.begin(), all.end(), '\n'));
  const size_t lines = breaks + (all.empty() || all.back() == '\n' ? 0 : 1);
  if (lines > MaxImportLines) return Status::InvalidArgument(TooLongMessage());
  text.lines_.reserve(lines);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    size_t size = end - start;
    if (size > 0 && all[end - 1] == '\r') --size;
    text.lines_.push_back({start, size});
    start = end + 1;
  }
  return text;
}

}  // namespace chartorium

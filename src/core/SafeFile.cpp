// Whole-file reads and crash-safe writes.
#include "core/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

namespace chartorium {
namespace {

std::string Describe(const std::filesystem::path& file, std::string_view what) {
  return std::string(what) + " '" + file.string() + "': " + std::strerror(errno);
}

// Flushes the C stream and, where the platform offers it, the disk cache.
bool FlushToDisk(std::FILE* stream) {
  if (std::fflush(stream) != 0) return false;
#if __has_include(<unistd.h>)
  return ::fsync(::fileno(stream)) == 0;
#else
  return true;
#endif
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (!stream) {
    if (errno == ENOENT) return Status::NotFound("no file '" + file.string() + "'");
    return Status::IoError(Describe(file, "cannot open"));
  }
  std::string bytes;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  if (failed) return Status::IoError(Describe(file, "cannot read"));
  return bytes;
}

Status WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temporary = file;
  temporary += ".tmp~";
  std::FILE* stream = std::fopen(temporary.c_str(), "wb");
  if (!stream) return Status::IoError(Describe(temporary, "cannot create"));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  const bool flushed = written && FlushToDisk(stream);
  const bool closed = std::fclose(stream) == 0;
  std::error_code error;
  if (!written || !flushed || !closed) {
    const Status status = Status::IoError(Describe(temporary, "cannot write"));
    std::filesystem::remove(temporary, error);
    return status;
  }
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return Status::IoError("cannot replace '" + file.string() + "': " + error.message());
  }
  return Status::Ok();
}

Status RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (!error) return Status::Ok();
  return Status::IoError("cannot rename '" + from.string() + "' to '" + to.string() +
                         "': " + error.message());
}

Status KeepCopyOf(const std::filesystem::path& file, std::string_view suffix) {
  std::filesystem::path copy = file;
  copy += std::string(suffix);
  std::error_code error;
  std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing, error);
  if (error) return Status::IoError("cannot copy '" + file.string() + "': " + error.message());
  return Status::Ok();
}

}  // namespace chartorium

// Running the real chartorium-cli binary in end-to-end tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace chartorium::testing {

struct CliRun {
  int ExitCode = -1;
  std::string Out;
  std::vector<std::string> Lines;  ///< Out split into lines
};

/// Runs `cli` on `home` with the arguments (a shell text, quote names with
/// blanks); stderr goes to `errFile`, or is dropped when that is empty.
inline CliRun RunCli(const std::string& cli, const std::filesystem::path& home,
                     const std::string& args, const std::filesystem::path& errFile = {}) {
  const std::string err = errFile.empty() ? "/dev/null" : "'" + errFile.string() + "'";
  const std::string command = "'" + cli + "' --home '" + home.string() + "' " + args + " 2>" + err;
  CliRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    run.Out.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::istringstream lines(run.Out);
  for (std::string line; std::getline(lines, line);) run.Lines.push_back(line);
  return run;
}

/// The comma-separated fields of a CSV line without quoted fields; a
/// trailing comma gives an empty last field.
inline std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

/// A test suite whose tests share one demo library, written once into a
/// temporary home. REQUIRES: CHARTORIUM_CLI names the command-line binary.
class DemoHomeSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = std::filesystem::temp_directory_path() /
            ("chartorium-demo-home-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home_);
    ASSERT_EQ(Call("demo-library").ExitCode, 0);
  }
  static void TearDownTestSuite() {
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
  }

  static CliRun Call(const std::string& args) { return RunCli(CHARTORIUM_CLI, home_, args); }
  static std::vector<std::string> Fields(const std::string& line) { return CsvFields(line); }

  inline static std::filesystem::path home_;
};

}  // namespace chartorium::testing

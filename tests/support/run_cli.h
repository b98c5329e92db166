#pragma once
// Runs the corvane command for end-to-end tests.

#include <string>

namespace corvane::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `corvane` with `args` (already shell-quoted where needed).
CliResult RunCli(const std::string& args);

// Single-quotes `s` for the shell.
std::string ShellQuote(const std::string& s);

}  // namespace corvane::testing

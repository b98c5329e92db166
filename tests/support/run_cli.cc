#include "tests/support/run_cli.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/support/page_bytes.h"

namespace corvane::testing {

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

CliResult RunCli(const std::string& args) {
  TempDir dir;
  const std::string errPath = dir.File("stderr");
  const std::string cmd = ShellQuote(CORVANE_CLI_PATH) + " " + args + " 2>" + ShellQuote(errPath);
  CliResult result;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) result.out.append(buf, n);
    const int status = ::pclose(p);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::ifstream err(errPath);
  result.err.assign(std::istreambuf_iterator<char>(err), {});
  return result;
}

}  // namespace corvane::testing

// corvane: the command-line face of the viewer. Reads SQL Server data files
// without a server and never writes to them.

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"

namespace {

constexpr const char* kHelp =
    "Usage: corvane COMMAND FILE [ARGS] [OPTIONS]\n"
    "\n"
    "Reads a SQL Server primary data file (.mdf) and its secondary files (.ndf)\n"
    "without a database server. The files are opened read-only.\n"
    "\n"
    "Commands:\n"
    "  info FILE [--json]                 file geometry, page index, boot page\n"
    "  page FILE [FILEID:]PAGENO [--json] one page: header, slots, records\n"
    "  tables FILE [--json] [--all]       the objects of the catalog\n"
    "  schema FILE TABLE [--json]         columns, keys and constraints of a table\n"
    "  rows FILE TABLE [--page N | --all] [--format text|tsv|csv|json]\n"
    "                                     a table's records, 1000 rows per page\n"
    "  check FILE [--json] [--decode]     reads every user table and compares its\n"
    "                                     rows with the stored row count (--decode:\n"
    "                                     also renders every value)\n"
    "\n"
    "Scan options (every command):\n"
    "  --legacy            read the SQL Server 2000 catalog layout (\"Is SQL 2000\")\n"
    "  --show-deleted      include records marked deleted (ghost records)\n"
    "  --advanced-deleted  also look for records that no slot references\n"
    "  --advanced-mode     take table pages from the page index, not the allocation maps\n"
    "  --collation ID      use collation ID instead of the database's own\n"
    "  --log-dir DIR       write a log file of the run into DIR\n"
    "  -h, --help          this text\n"
    "\n"
    "Exit status: 0 success, 1 differences found (check), 2 error.\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane::cli;
  std::string error;
  auto args = ParseArgs(argc, argv, error);
  if (!args) {
    std::fprintf(stderr, "corvane: %s\n", error.c_str());
    return 2;
  }
  if (args->command.empty() || args->command == "help") {
    std::fputs(kHelp, args->Has("--help") || args->command == "help" ? stdout : stderr);
    return args->Has("--help") || args->command == "help" ? 0 : 2;
  }
  if (args->Has("--help")) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  corvane::AppState app;
  if (!ApplyScanOptions(*args, app)) return 2;
  const std::string& c = args->command;
  if (c == "info") return RunInfo(*args, app);
  if (c == "page") return RunPage(*args, app);
  if (c == "tables") return RunTables(*args, app);
  if (c == "schema") return RunSchema(*args, app);
  if (c == "rows") return RunRows(*args, app);
  if (c == "check") return RunCheck(*args, app);
  std::fprintf(stderr, "corvane: unknown command '%s' (see corvane --help)\n", c.c_str());
  return 2;
}

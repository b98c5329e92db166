// corvane tables: not built yet.

#include "cli/commands.h"

namespace corvane::cli {

int RunTables(const CliArgs&, AppState&) { return UsageError("tables", "this command is not available yet"); }

}  // namespace corvane::cli

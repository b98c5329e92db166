// corvane rows: not built yet.

#include "cli/commands.h"

namespace corvane::cli {

int RunRows(const CliArgs&, AppState&) { return UsageError("rows", "this command is not available yet"); }

}  // namespace corvane::cli

// corvane check: not built yet.

#include "cli/commands.h"

namespace corvane::cli {

int RunCheck(const CliArgs&, AppState&) { return UsageError("check", "this command is not available yet"); }

}  // namespace corvane::cli

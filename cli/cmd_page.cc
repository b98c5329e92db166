// corvane page: not built yet.

#include "cli/commands.h"

namespace corvane::cli {

int RunPage(const CliArgs&, AppState&) { return UsageError("page", "this command is not available yet"); }

}  // namespace corvane::cli

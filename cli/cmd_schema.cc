// corvane schema: not built yet.

#include "cli/commands.h"

namespace corvane::cli {

int RunSchema(const CliArgs&, AppState&) { return UsageError("schema", "this command is not available yet"); }

}  // namespace corvane::cli

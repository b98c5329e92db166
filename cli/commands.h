#pragma once
// The commands of `corvane`. Each returns the process exit status.

#include "cli/cli_args.h"
#include "engine/app_state.h"

namespace corvane::cli {

int RunInfo(const CliArgs& args, AppState& app);
int RunPage(const CliArgs& args, AppState& app);
int RunTables(const CliArgs& args, AppState& app);
int RunSchema(const CliArgs& args, AppState& app);
int RunRows(const CliArgs& args, AppState& app);
int RunCheck(const CliArgs& args, AppState& app);

// Applies the global scan options (--legacy, --show-deleted,
// --advanced-deleted, --advanced-mode, --collation ID, --log-dir DIR) and
// loads the collation table. Returns false (after printing why) on a bad value.
bool ApplyScanOptions(const CliArgs& args, AppState& app);

// Prints `message` and the usage line of `command` to stderr; returns 2.
int UsageError(const char* command, const std::string& message);

}  // namespace corvane::cli

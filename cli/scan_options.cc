#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/commands.h"
#include "engine/collation_table.h"

namespace corvane::cli {

int UsageError(const char* command, const std::string& message) {
  std::fprintf(stderr, "corvane %s: %s (see corvane --help)\n", command, message.c_str());
  return 2;
}

bool ApplyScanOptions(const CliArgs& args, AppState& app) {
  LoadCollationTable(FindCollationFile(), app.collationTable);
  app.legacyLayout = args.Has("--legacy");
  app.showDeleted = args.Has("--show-deleted") || args.Has("--advanced-deleted");
  app.showAdvancedDeleted = args.Has("--advanced-deleted");
  app.recoveryMode = args.Has("--advanced-mode") ? 2 : 1;
  if (auto id = args.Value("--collation")) {
    char* end = nullptr;
    long long v = std::strtoll(id->c_str(), &end, 0);
    if (id->empty() || *end != '\0') {
      std::fprintf(stderr, "corvane: --collation needs a number, not '%s'\n", id->c_str());
      return false;
    }
    app.autoDetectCollation = false;
    app.manualCollationId = v;
  }
  if (auto dir = args.Value("--log-dir")) {
    app.logFolder = *dir;
    if (!app.logFolder.empty() && app.logFolder.back() != '/') app.logFolder += '/';
  }
  return true;
}

}  // namespace corvane::cli

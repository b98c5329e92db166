#include "cli/open_database.h"

#include <cstdio>
#include <ctime>

namespace corvane::cli {

std::optional<OpenDatabase> OpenWithCatalog(const std::string& path, AppState& app,
                                            TerminalObserver& observer) {
  if (!app.logFolder.empty() && !observer.logFile()) {
    auto log = LogFile::Open(app.logFolder, std::time(nullptr));
    if (!log) std::fprintf(stderr, "corvane: cannot write a log file in %s\n", app.logFolder.c_str());
    observer.SetLogFile(std::move(log));
  }
  observer.LogLine(path + " File is selected for recovery....");
  observer.LogLine(app.recoveryMode == 2 ? "Advanced mode is selected for file recovery."
                                         : "Standard mode is selected for file recovery.");
  observer.LogLine("Scanning of file starts...");
  OpenDatabase db;
  db.context = DatabaseContext::Open(path, app, observer, app.recoveryMode == 2);
  if (!db.context->valid()) {
    observer.LogLine("Scanning process aborted.");
    return std::nullopt;
  }
  db.catalog = BuildCatalog(*db.context);
  if (!db.catalog || db.catalog->objects.empty()) {
    observer.LogLine("Either it is not valid mdf file or highly corrupted, select another file to recover.");
    std::fprintf(stderr, "corvane: no catalog objects found in %s\n", path.c_str());
    return std::nullopt;
  }
  observer.LogLine(app.versionText.empty() ? "Database version: Unknown SQL Version"
                                           : "Database version: " + app.versionText);
  observer.LogLine("Collation Type: " + (app.collationName.empty() ? std::string("Unknown Collation")
                                                                   : app.collationName));
  return db;
}

}  // namespace corvane::cli

#pragma once
// Opening a database for a CLI command: the context, then its catalog.

#include <memory>
#include <optional>
#include <string>

#include "catalog/catalog.h"
#include "cli/terminal_observer.h"

namespace corvane::cli {

struct OpenDatabase {
  std::unique_ptr<DatabaseContext> context;
  std::unique_ptr<Catalog> catalog;  // declared last: destroyed before the context
};

// Opens `path` and builds its catalog; nullopt (after the engine's message
// on stderr) when the file cannot be used.
std::optional<OpenDatabase> OpenWithCatalog(const std::string& path, AppState& app,
                                            TerminalObserver& observer);

}  // namespace corvane::cli

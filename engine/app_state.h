#pragma once
// The settings, flags and detected database properties that the shell, the
// scan worker, the engine, the catalog builder and the renderer share.
//
// One AppState lives for the whole process; the engine reaches it through a
// reference handed to DatabaseContext, never through a global. The flags that
// the UI thread and a worker touch at the same time are atomics; the other
// members are written before a worker starts, or only by the worker while it
// runs, and read after it has finished.

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

namespace corvane {

struct CollationEntry {
  std::string name;
  std::int32_t codePage = 0;
};

using CollationTable = std::map<std::int64_t, CollationEntry>;

struct AppState {
  // Guards every command while a scan, a record load or a snapshot save runs.
  std::atomic<bool> processRunning{false};
  // Set by Stop; polled by every long loop, which ends early and clears it.
  std::atomic<bool> stopRequested{false};

  // Scan options ("Is SQL 2000", "Show deleted records", "Show Advanced
  // Deleted records"); legacyLayout is also switched by the object reader.
  std::atomic<bool> legacyLayout{false};
  std::atomic<bool> showDeleted{false};
  std::atomic<bool> showAdvancedDeleted{false};
  int recoveryMode = 1;  // 1 standard, 2 advanced

  std::string mdfPath;
  std::string logFilePath;
  std::string logFolder;

  // Detected from the boot page; kept across scans until a later boot page
  // overwrites them.
  std::string versionText;
  CollationTable collationTable;
  bool collationFound = false;
  std::int64_t collationKey = -1;
  std::string collationName;
  bool autoDetectCollation = true;
  std::int64_t manualCollationId = 0;

  bool loadSnapshotMode = false;
  std::string snapshotMdfPath;
  std::string snapshotPath;
};

}  // namespace corvane

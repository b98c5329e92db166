#pragma once
// The two whole-file passes that opening a file makes: the base-offset check
// and the page index walk. Both read the file in large sequential blocks and
// look at a few raw header fields of each page; no page object is built.

#include <cstdint>

#include "engine/app_state.h"
#include "engine/engine_observer.h"
#include "engine/page_index.h"
#include "engine/read_only_file.h"

namespace corvane {

// Geometry of one file: where page 0 starts and how many whole pages follow.
struct FileGeometry {
  std::uint64_t baseOffset = 0;
  std::uint64_t pageCount = 0;
};

// Decides whether a file whose length is not a multiple of 8192 carries extra
// bytes before page 0 (keep baseOffset: true) or after its last page (drop
// it: false), by looking for pages that carry their own page number.
bool CheckBaseOffset(const ReadOnlyFile& file, const FileGeometry& geometry, AppState& app,
                     EngineObserver& observer);

// Files every page of the primary file into `index`. Returns true when at
// least one system page (object id 0..100 or 2187) was met.
bool WalkPrimaryPages(const ReadOnlyFile& file, const FileGeometry& geometry, AppState& app,
                      EngineObserver& observer, PageIndex& index);

// Walks a secondary file. With fixedFileId > 0 every entry gets that id;
// otherwise each page's own header file id. Returns the header file id of the
// first data page (type 1, object id > 0) whose file id is above 1, or 0.
int WalkSecondaryPages(const ReadOnlyFile& file, const FileGeometry& geometry,
                       int fixedFileId, AppState& app, EngineObserver& observer,
                       PageIndex& index);

// Number of progress steps: ceil(pageCount / 100), at least 1.
std::uint64_t ProgressStep(std::uint64_t pageCount);

}  // namespace corvane

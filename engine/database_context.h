#pragma once
// DatabaseContext: one opened database, its files, page geometry, page
// readers and page index.
//
// Owns the primary file (open read-only for the context's whole life) and the
// attached secondary files. Page reads go through pread, so no file position
// is shared; still, the context is built and walked on one thread, and its
// maps must not be changed while another thread reads pages. The context never
// writes to a database file. The catalog pointer is not owned: whoever owns
// both destroys the catalog first.
//
// Page n of a file lies at byte baseOffset + n * 8192 of that file.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/app_state.h"
#include "engine/engine_observer.h"
#include "engine/page_header.h"
#include "engine/page_id.h"
#include "engine/page_index.h"
#include "engine/read_only_file.h"
#include "engine/secondary_file.h"
#include "engine/allocation_map.h"
#include "engine/record_page.h"

namespace corvane {

class Catalog;
class CDataPage;
class IamPage;

using PageBuffer = std::vector<std::uint8_t>;

inline constexpr const char* kTextCannotOpen = "File cannot be open...........";
inline constexpr const char* kTextNotValid =
    "Wheteher File is not valid mdf file or file is highly corrupted...........";

class DatabaseContext {
 public:
  // Opens the primary file, settles its base offset and walks its pages.
  // Always returns a context; check valid(). On failure the observer has
  // received FatalError with the reason.
  static std::unique_ptr<DatabaseContext> Open(const std::string& path, AppState& app,
                                               EngineObserver& observer,
                                               std::uint8_t advancedMode = 0);

  DatabaseContext(const DatabaseContext&) = delete;
  DatabaseContext& operator=(const DatabaseContext&) = delete;
  ~DatabaseContext();

  bool valid() const { return valid_; }
  std::uint64_t fileSize() const { return fileSize_; }
  std::uint64_t pageCount() const { return pageCount_; }
  std::uint64_t baseOffset() const { return baseOffset_; }
  std::uint64_t extentCount() const { return extentCount_; }
  std::uint8_t advancedMode() const { return advancedMode_; }
  const std::string& primaryPath() const { return primaryPath_; }
  const std::string& databaseName() const { return databaseName_; }
  // Format version and collation id of the boot page read last (0 before).
  int bootVersion() const { return bootVersion_; }
  std::int32_t bootCollationId() const { return bootCollationId_; }
  void setDatabaseName(std::string name) { databaseName_ = std::move(name); }

  const PageIndex& pageIndex() const { return index_; }
  const PageMap& systemPages() const { return index_.systemPages; }
  const PageMap& dataPages() const { return index_.dataPages; }
  const PageMap& iamPages() const { return index_.iamPages; }
  const std::map<std::int32_t, SecondaryFile>& secondaryFiles() const { return secondaryFiles_; }

  AppState& app() const { return app_; }
  EngineObserver& observer() const { return observer_; }

  Catalog* catalog() const { return catalog_; }
  void setCatalog(Catalog* catalog) { catalog_ = catalog; }

  // Page count of the file with this id (0 or 1: the primary file); 0 when
  // the file is unknown.
  std::uint64_t PageCountOf(std::uint16_t fileId) const;

  // Raw page bytes (torn bits not yet restored). Accepts page numbers
  // 1 .. pageCount-1 of the page's file; nullopt otherwise.
  [[nodiscard]] std::optional<PageBuffer> ReadPageBytes(PageId id) const;
  // Header of a page (torn bits restored); page numbers 1 .. pageCount-1.
  [[nodiscard]] std::optional<CPage_Header> ReadPageHeader(PageId id) const;
  // Raw bytes of any page number from `minPage` up; the shared rule of every
  // reader: the whole page must lie inside its file.
  [[nodiscard]] std::optional<PageBuffer> ReadPage(PageId id, std::int32_t minPage) const;

  // Typed page readers; nullptr when the page cannot be read.
  // ReadDataPage accepts page 0; the others start at page 1.
  [[nodiscard]] std::unique_ptr<CDataPage> ReadDataPage(PageId id) const;
  [[nodiscard]] std::unique_ptr<CDataPage> ReadTableDataPage(PageId id) const;
  [[nodiscard]] std::unique_ptr<CDataPage> ReadTableDataPage(PageId id,
                                                             const RecordParseOptions& options) const;
  [[nodiscard]] std::unique_ptr<IamPage> ReadIamPage(PageId id) const;

  // Finds the boot page (page 9, corrected for a constant shift of the
  // pages), stores the database name here and the version and collation in
  // the application state. False when no boot page could be read.
  bool ReadBootPage();

  // Relocates (or, with an empty list, searches for) the secondary files,
  // attaches every one that opens and walks its pages into the index.
  // `files` is the database's file list and is updated in place.
  void AttachSecondaryFiles(std::vector<SecondaryFile>& files);

 private:
  struct ConstructKey {};

 public:
  DatabaseContext(ConstructKey, std::string path, AppState& app, EngineObserver& observer,
                  std::uint8_t advancedMode);

 private:
  struct OpenedFile {
    const ReadOnlyFile* file;
    std::uint64_t baseOffset;
    std::uint64_t pageCount;
  };
  std::optional<OpenedFile> FileFor(std::uint16_t fileId) const;
  // Where page `id` lies, when its number is at least `minPage` and the
  // whole page lies inside its file (the rule every reader shares).
  struct PageLocation {
    const ReadOnlyFile* file;
    std::uint64_t offset;
  };
  std::optional<PageLocation> Locate(PageId id, std::int32_t minPage) const;
  void AttachListed(std::vector<SecondaryFile>& files, const std::string& folder);
  void SearchSecondaryFiles(std::vector<SecondaryFile>& files, const std::string& folder);

  AppState& app_;
  EngineObserver& observer_;
  std::string primaryPath_;
  std::string databaseName_;
  int bootVersion_ = 0;
  std::int32_t bootCollationId_ = 0;
  std::uint8_t advancedMode_ = 0;
  bool valid_ = false;
  std::uint64_t fileSize_ = 0;
  std::uint64_t pageCount_ = 0;
  std::uint64_t baseOffset_ = 0;
  std::uint64_t extentCount_ = 0;
  std::unique_ptr<ReadOnlyFile> primaryFile_;
  PageIndex index_;
  std::map<std::int32_t, SecondaryFile> secondaryFiles_;
  std::map<std::int32_t, std::unique_ptr<ReadOnlyFile>> secondaryHandles_;
  Catalog* catalog_ = nullptr;
};

}  // namespace corvane

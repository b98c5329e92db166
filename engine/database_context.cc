#include "engine/database_context.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

#include "engine/page_walk.h"

namespace corvane {

DatabaseContext::DatabaseContext(ConstructKey, std::string path, AppState& app, EngineObserver& observer,
                                 std::uint8_t advancedMode)
    : app_(app), observer_(observer), primaryPath_(std::move(path)), advancedMode_(advancedMode) {}

DatabaseContext::~DatabaseContext() = default;

std::unique_ptr<DatabaseContext> DatabaseContext::Open(const std::string& path, AppState& app,
                                                       EngineObserver& observer,
                                                       std::uint8_t advancedMode) {
  auto ctx = std::make_unique<DatabaseContext>(ConstructKey{}, path, app, observer, advancedMode);
  ctx->primaryFile_ = ReadOnlyFile::Open(path);
  if (!ctx->primaryFile_) {
    observer.FatalError(kTextCannotOpen);
  } else if (ctx->primaryFile_->size() < kPageSize) {
    observer.FatalError(kTextNotValid);
  } else {
    ctx->fileSize_ = ctx->primaryFile_->size();
    ctx->baseOffset_ = ctx->fileSize_ % kPageSize;
    ctx->pageCount_ = (ctx->fileSize_ - ctx->baseOffset_) / kPageSize;
    ctx->extentCount_ = ctx->pageCount_ / 8;
    FileGeometry g{ctx->baseOffset_, ctx->pageCount_};
    if (!CheckBaseOffset(*ctx->primaryFile_, g, app, observer)) ctx->baseOffset_ = 0;
    g.baseOffset = ctx->baseOffset_;
    if (WalkPrimaryPages(*ctx->primaryFile_, g, app, observer, ctx->index_)) {
      ctx->valid_ = true;
    } else {
      observer.FatalError(kTextNotValid);
    }
  }
  app.stopRequested.store(false);
  return ctx;
}

std::optional<DatabaseContext::OpenedFile> DatabaseContext::FileFor(std::uint16_t fileId) const {
  if (fileId == kPrimaryFileId) {
    if (!primaryFile_) return std::nullopt;
    return OpenedFile{primaryFile_.get(), baseOffset_, pageCount_};
  }
  auto it = secondaryFiles_.find(fileId);
  if (it == secondaryFiles_.end() || it->second.physicalPath.empty()) return std::nullopt;
  auto handle = secondaryHandles_.find(fileId);
  if (handle == secondaryHandles_.end() || !handle->second) return std::nullopt;
  return OpenedFile{handle->second.get(), static_cast<std::uint64_t>(it->second.baseOffset),
                    it->second.pageCount};
}

std::uint64_t DatabaseContext::PageCountOf(std::uint16_t fileId) const {
  if (fileId == 0 || fileId == kPrimaryFileId) return pageCount_;
  auto it = secondaryFiles_.find(fileId);
  return it == secondaryFiles_.end() ? 0 : it->second.pageCount;
}

std::optional<DatabaseContext::PageLocation> DatabaseContext::Locate(PageId id,
                                                                     std::int32_t minPage) const {
  const auto f = FileFor(id.fileId);
  if (!f || id.pageNumber < minPage || id.pageNumber < 0) return std::nullopt;
  const auto n = static_cast<std::uint64_t>(id.pageNumber);
  if (n >= f->pageCount) return std::nullopt;
  if (f->baseOffset + (n + 1) * kPageSize > f->file->size()) return std::nullopt;
  return PageLocation{f->file, f->baseOffset + n * kPageSize};
}

std::optional<PageBuffer> DatabaseContext::ReadPage(PageId id, std::int32_t minPage) const {
  const auto at = Locate(id, minPage);
  if (!at) return std::nullopt;
  PageBuffer buffer(kPageSize);
  at->file->ReadAt(at->offset, buffer.data(), kPageSize);
  return buffer;
}

std::optional<PageBuffer> DatabaseContext::ReadPageBytes(PageId id) const { return ReadPage(id, 1); }

std::optional<CPage_Header> DatabaseContext::ReadPageHeader(PageId id) const {
  const auto at = Locate(id, 1);
  if (!at) return std::nullopt;
  // The header lies in the page's first sector, which torn-page protection
  // never touches: its 96 bytes are all that need reading.
  std::uint8_t header[kPageHeaderSize];
  at->file->ReadAt(at->offset, header, sizeof header);
  return CPage_Header::Parse(header);
}

// --- Secondary files -------------------------------------------------------

namespace {

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// The last component of a path recorded by Windows ("D:\old\Sales_2.NDF")
// or by a Linux server ("/var/opt/mssql/data/sales_2.ndf").
std::string LeafName(const std::string& recorded) {
  auto sep = recorded.find_last_of("\\/");
  return sep == std::string::npos ? recorded : recorded.substr(sep + 1);
}

bool EndsWithNdf(const std::string& name) {
  return name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".ndf") == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Names of the regular files in `folder`, sorted.
std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      std::string name = e->d_name;
      if (name != "." && name != ".." && IsRegularFile(folder + name)) names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// `wanted` in `folder`, matched without regard to case (the name was
// recorded on a case-insensitive file system); exact match preferred.
std::string FindIgnoringCase(const std::string& folder, const std::string& wanted) {
  if (IsRegularFile(folder + wanted)) return folder + wanted;
  for (const auto& name : ListFolder(folder))
    if (strcasecmp(name.c_str(), wanted.c_str()) == 0) return folder + name;
  return folder + wanted;
}

}  // namespace

void DatabaseContext::AttachSecondaryFiles(std::vector<SecondaryFile>& files) {
  const std::string folder = FolderOf(primaryPath_);
  if (files.empty()) {
    SearchSecondaryFiles(files, folder);
  } else {
    AttachListed(files, folder);
  }
}

void DatabaseContext::AttachListed(std::vector<SecondaryFile>& files, const std::string& folder) {
  for (auto& rec : files) {
    if (rec.fileId <= 1) continue;
    const std::string name = LeafName(rec.physicalPath);
    const auto dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? std::string() : name.substr(0, dot);
    rec.physicalPath = FindIgnoringCase(folder, stem.empty() ? name : stem + ".ndf");
  }
  for (auto& rec : files) {
    if (rec.fileId <= 1 || rec.fileId > 0xFFFF) continue;
    auto file = ReadOnlyFile::Open(rec.physicalPath);
    if (!file) continue;
    rec.fileSize = file->size();
    rec.baseOffset = static_cast<std::int32_t>(rec.fileSize % kPageSize);
    rec.pageCount = (rec.fileSize - static_cast<std::uint64_t>(rec.baseOffset)) / kPageSize;
    secondaryFiles_[rec.fileId] = rec;
    observer_.ProgressRange(rec.pageCount);
    observer_.ProgressPosition(0);
    FileGeometry g{static_cast<std::uint64_t>(rec.baseOffset), rec.pageCount};
    WalkSecondaryPages(*file, g, rec.fileId, app_, observer_, index_);
    secondaryHandles_[rec.fileId] = std::move(file);
  }
}

void DatabaseContext::SearchSecondaryFiles(std::vector<SecondaryFile>& files,
                                           const std::string& folder) {
  files.clear();
  for (const auto& name : ListFolder(folder)) {
    if (!EndsWithNdf(name)) continue;
    auto file = ReadOnlyFile::Open(folder + name);
    if (!file) continue;
    FileGeometry g;
    g.baseOffset = file->size() % kPageSize;
    g.pageCount = (file->size() - g.baseOffset) / kPageSize;
    if (!CheckBaseOffset(*file, g, app_, observer_)) g.baseOffset = 0;
    observer_.ProgressRange(g.pageCount);
    observer_.ProgressPosition(0);
    const int id = WalkSecondaryPages(*file, g, 0, app_, observer_, index_);
    if (id <= 1) continue;
    SecondaryFile rec;
    rec.fileId = id;
    rec.physicalPath = folder + name;
    rec.fileSize = file->size();
    rec.pageCount = g.pageCount;
    rec.baseOffset = static_cast<std::int32_t>(g.baseOffset);
    files.push_back(rec);
    secondaryFiles_[id] = rec;
    secondaryHandles_[id] = std::move(file);
  }
}

}  // namespace corvane

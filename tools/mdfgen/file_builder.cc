#include "tools/mdfgen/file_builder.h"

#include <memory>

#include "tools/mdfgen/allocator.h"
#include "tools/mdfgen/catalog_rows.h"
#include "tools/mdfgen/database_plan.h"
#include "tools/mdfgen/legacy_catalog_rows.h"
#include "tools/mdfgen/lob_writer.h"
#include "tools/mdfgen/rowset_writer.h"
#include "tools/mdfgen/special_pages.h"

namespace corvane::mdfgen {
namespace {

class NullSink final : public PageSink {
 public:
  void Write(std::int64_t, const std::uint8_t*) override {}
  bool Finish(std::int64_t) override { return true; }
};

// Remembers the last value of each identity column while rows are written.
class IdentityTracker {
 public:
  explicit IdentityTracker(const Table& t) {
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
      if (t.columns[i].identity)
        columns_.push_back({i, t.columns[i].identity->increment < 0, false, 0});
    }
  }
  void See(const std::vector<Value>& values) {
    for (auto& c : columns_) {
      const auto* v = c.index < values.size() ? values[c.index].integer() : nullptr;
      if (!v) continue;
      if (!c.seen || (c.descending ? *v < c.last : *v > c.last)) c.last = *v;
      c.seen = true;
    }
  }
  void Store(std::vector<std::int64_t>& last) const {
    for (const auto& c : columns_) last[c.index] = c.last;
  }

 private:
  struct Entry {
    std::size_t index;
    bool descending;
    bool seen;
    std::int64_t last;
  };
  std::vector<Entry> columns_;
};

bool WriteRows(const std::vector<std::vector<Value>>& rows, RowsetWriter& writer,
               std::string& error) {
  for (const auto& row : rows) {
    if (!writer.AddRow(row, RowState::kLive, error)) return false;
  }
  return true;
}

// One output file: its allocator and where its pages go.
struct OutputFile {
  OutputFile(std::uint16_t id, PageSink& sink) : allocator(id), sink(sink), id(id) {}
  PageAllocator allocator;
  PageSink& sink;
  std::uint16_t id;
};

// Moves the text, ntext and image values of a row into large-object pages,
// leaving their text pointers in the row.
class LargeValues {
 public:
  LargeValues(TablePlan& t, OutputFile& file, bool mixedFirstPages, bool legacy)
      : t_(t), source_(file.allocator) {
    if (t.lobUnitId == 0) return;
    unit_ = std::make_unique<UnitWriter>(source_, file.sink, t.lobUnitId, mixedFirstPages, legacy,
                                         file.id);
    writer_ = std::make_unique<LobWriter>(*unit_);
  }

  // The row to store: `values` itself, or a copy holding text pointers.
  const std::vector<Value>* Place(const std::vector<Value>& values, std::string& error) {
    if (!writer_) return &values;
    copy_ = values;
    for (std::size_t i = 0; i < copy_.size() && i < t_.table.columns.size(); ++i) {
      const Column& c = t_.table.columns[i];
      if (!IsLargeObjectType(c.type) || copy_[i].isNull()) continue;
      bytes_.clear();
      if (!EncodeValue(StoredType(c, 0), copy_[i], bytes_, error) ||
          !writer_->Store(bytes_, pointer_, error)) {
        return nullptr;
      }
      copy_[i] = Raw(pointer_);
    }
    return &copy_;
  }

  void Finish() {
    if (writer_) writer_->Finish(t_.lobPages);
  }

 private:
  TablePlan& t_;
  PageSource source_;
  std::unique_ptr<UnitWriter> unit_;
  std::unique_ptr<LobWriter> writer_;
  std::vector<Value> copy_;
  std::vector<std::uint8_t> bytes_, pointer_;
};

bool WriteUserTable(TablePlan& t, OutputFile& file, bool mixedFirstPages, bool legacy,
                    std::string& error) {
  PageSource source(file.allocator);
  UnitWriter unit(source, file.sink, t.main().unitId, mixedFirstPages, legacy, file.id);
  RowsetWriter writer(unit, t.layout, t.keyColumns);
  LargeValues large(t, file, mixedFirstPages, legacy);
  IdentityTracker identity(t.table);
  auto add = [&](const std::vector<Value>& values, RowState state) {
    identity.See(values);
    const std::vector<Value>* row = large.Place(values, error);
    return row && writer.AddRow(*row, state, error);
  };
  for (const Row& row : t.table.rows) {
    if (!add(row.values, row.state)) return false;
  }
  std::vector<Value> generated;
  for (std::uint64_t i = 0; i < t.table.generatedRows; ++i) {
    t.table.generator(i, generated);
    if (!add(generated, RowState::kLive)) return false;
  }
  if (!writer.Finish(t.pages, error)) return false;
  large.Finish();
  t.rowCount = writer.liveRows();
  t.maxRecord = writer.maxRecord();
  identity.Store(t.identityLast);
  return true;
}

WrittenTable Describe(const TablePlan& t, bool legacy) {
  WrittenTable w;
  w.name = t.table.name;
  w.objectId = t.objectId;
  w.rowsetId = t.main().rowsetId;
  w.allocationUnitId = t.main().unitId;
  w.headerObjectId = HeaderObjectId(w.allocationUnitId);
  w.headerIndexId = legacy ? 0 : HeaderIndexId(w.allocationUnitId);
  w.fileId = t.pages.fileId;
  w.lobAllocationUnitId = t.lobUnitId;
  w.lobFirstPage = t.lobPages.firstPage;
  w.firstPage = t.pages.firstPage;
  w.rootPage = t.pages.rootPage;
  w.firstIamPage = t.pages.firstIamPage;
  w.rowCount = t.rowCount;
  w.dataPages = t.pages.dataPages;
  return w;
}

}  // namespace

const WrittenTable* BuildResult::Find(const std::string& name) const {
  for (const auto* list : {&tables, &systemTables}) {
    for (const auto& t : *list) {
      if (t.name == name) return &t;
    }
  }
  return nullptr;
}

int CompatibilityLevel(int version) {
  if (version < 611) return 80;
  if (version < 655) return 90;
  if (version < 706) return 100;
  if (version < 782) return 110;
  if (version < 852) return 120;
  if (version < 868) return 130;
  if (version < 904) return 140;
  if (version < 950) return 150;
  return 160;
}

namespace {

// Lays the system tables out once on the low pages of the primary file, to
// learn how many pages they take: their rows keep their sizes after the user
// tables are written (page numbers and counts are fixed-width fields). The
// second pass replays the same pages with the final rows.
class SystemTableWriter {
 public:
  SystemTableWriter(DatabasePlan& plan, OutputFile& primary, bool legacy)
      : plan_(plan), primary_(primary), legacy_(legacy) {}

  bool Reserve(std::string& error) {
    CatalogRows rows = Rows();
    NullSink nullSink;
    for (auto& st : plan_.systemTables) {
      st.rowCount = static_cast<std::int64_t>(rows[st.objectId].size());
      sources_.push_back(std::make_unique<PageSource>(primary_.allocator));
      UnitWriter unit(*sources_.back(), nullSink, st.main().unitId, true, legacy_);
      RowsetWriter writer(unit, st.layout, st.keyColumns);
      if (!WriteRows(rows[st.objectId], writer, error) || !writer.Finish(st.pages, error)) {
        error = "system table " + st.table.name + ": " + error;
        return false;
      }
      st.maxRecord = writer.maxRecord();
    }
    return true;
  }

  bool Write(std::string& error) {
    CatalogRows rows = Rows();
    for (std::size_t i = 0; i < plan_.systemTables.size(); ++i) {
      TablePlan& st = plan_.systemTables[i];
      sources_[i]->StartReplay();
      UnitWriter unit(*sources_[i], primary_.sink, st.main().unitId, true, legacy_);
      RowsetWriter writer(unit, st.layout, st.keyColumns);
      UnitPages pages;
      if (!WriteRows(rows[st.objectId], writer, error) || !writer.Finish(pages, error))
        return false;
      if (pages.firstPage != st.pages.firstPage || pages.usedPages != st.pages.usedPages) {
        error = "system table " + st.table.name + " changed size between passes";
        return false;
      }
    }
    return true;
  }

 private:
  CatalogRows Rows() const {
    return legacy_ ? BuildLegacyCatalogRows(plan_) : BuildCatalogRows(plan_);
  }

  DatabasePlan& plan_;
  OutputFile& primary_;
  bool legacy_;
  std::vector<std::unique_ptr<PageSource>> sources_;
};

bool FinishFile(OutputFile& file, const std::string& name, std::string& error) {
  const std::int64_t pageCount = file.allocator.PageCount();
  WriteFileHeader(file.sink, name, pageCount, file.id);
  file.allocator.WriteMaps(file.sink, pageCount);
  if (!file.sink.Finish(pageCount)) {
    error = "cannot finish the output of file " + std::to_string(file.id);
    return false;
  }
  return true;
}

}  // namespace

bool BuildDatabase(const Database& db, PageSink& sink, BuildResult& result, std::string& error,
                   const std::vector<PageSink*>& secondaries) {
  result = {};
  DatabasePlan plan;
  if (!PlanDatabase(db, plan, error)) return false;
  if (secondaries.size() != db.secondaryFiles.size()) {
    error = "one output is needed for each of the " + std::to_string(db.secondaryFiles.size()) +
            " secondary files";
    return false;
  }
  std::vector<std::unique_ptr<OutputFile>> files;
  files.push_back(std::make_unique<OutputFile>(1, sink));
  for (std::size_t k = 0; k < secondaries.size(); ++k) {
    files.push_back(
        std::make_unique<OutputFile>(static_cast<std::uint16_t>(3 + k), *secondaries[k]));
  }
  const bool legacy = db.version < 611;
  SystemTableWriter system(plan, *files.front(), legacy);
  if (!system.Reserve(error)) return false;

  const bool mixedFirstPages = db.version < 852;
  for (auto& t : plan.tables) {
    OutputFile& file = *files[t.table.fileId == 1 ? 0 : t.table.fileId - 2u];
    if (!WriteUserTable(t, file, mixedFirstPages, legacy, error)) {
      error = "table " + t.table.name + ": " + error;
      return false;
    }
  }
  if (!system.Write(error)) return false;

  std::int32_t firstSystemPage = 0;
  for (const auto& st : plan.systemTables) {
    // The boot page names the first page of sysallocunits (sysindexes before 2005).
    if (st.objectId == (legacy ? kSysIndexes : kSysAllocUnits))
      firstSystemPage = st.pages.firstPage;
  }
  WriteBootPage(sink, {db.version, db.name, db.collationId, firstSystemPage});
  if (!FinishFile(*files.front(), db.name, error)) return false;
  for (std::size_t k = 0; k < db.secondaryFiles.size(); ++k) {
    if (!FinishFile(*files[k + 1], db.secondaryFiles[k].logicalName, error)) return false;
    result.secondaryPageCounts.push_back(files[k + 1]->allocator.PageCount());
  }
  result.pageCount = files.front()->allocator.PageCount();
  for (const auto& t : plan.tables) result.tables.push_back(Describe(t, legacy));
  for (const auto& t : plan.systemTables) result.systemTables.push_back(Describe(t, legacy));
  for (const auto& m : plan.modules) result.moduleIds.push_back(m.id);
  return true;
}

std::optional<std::vector<std::vector<std::uint8_t>>> BuildImages(const Database& db,
                                                                  std::string* error,
                                                                  BuildResult* result) {
  std::vector<MemorySink> sinks(1 + db.secondaryFiles.size());
  std::vector<PageSink*> secondaries;
  for (std::size_t k = 1; k < sinks.size(); ++k) secondaries.push_back(&sinks[k]);
  BuildResult local;
  std::string message;
  if (!BuildDatabase(db, sinks[0], result ? *result : local, message, secondaries)) {
    if (error) *error = message;
    return std::nullopt;
  }
  std::vector<std::vector<std::uint8_t>> images;
  for (auto& s : sinks) images.push_back(std::move(s.image()));
  return images;
}

std::optional<std::vector<std::uint8_t>> BuildImage(const Database& db, std::string* error,
                                                    BuildResult* result) {
  auto images = BuildImages(db, error, result);
  if (!images) return std::nullopt;
  return std::move(images->front());
}

std::string SecondaryFileName(const SecondaryFileDecl& file) {
  std::string name = file.physicalName.substr(file.physicalName.find_last_of("\\/") + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name + ".ndf";
}

bool WriteDatabaseFile(const Database& db, const std::string& path, std::string& error,
                       BuildResult* result) {
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  std::vector<std::unique_ptr<FileSink>> sinks;
  sinks.push_back(std::make_unique<FileSink>(path));
  for (const auto& f : db.secondaryFiles)
    sinks.push_back(std::make_unique<FileSink>(folder + SecondaryFileName(f)));
  std::vector<PageSink*> secondaries;
  for (const auto& s : sinks) {
    if (!s->ok()) {
      error = s->error();
      return false;
    }
    if (s != sinks.front()) secondaries.push_back(s.get());
  }
  BuildResult local;
  if (!BuildDatabase(db, *sinks.front(), result ? *result : local, error, secondaries))
    return false;
  for (const auto& s : sinks) {
    if (!s->ok()) {
      error = s->error();
      return false;
    }
  }
  return true;
}

}  // namespace corvane::mdfgen

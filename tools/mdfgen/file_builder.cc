#include "tools/mdfgen/file_builder.h"

#include <memory>

#include "tools/mdfgen/allocator.h"
#include "tools/mdfgen/catalog_rows.h"
#include "tools/mdfgen/database_plan.h"
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
      if (t.columns[i].identity) columns_.push_back({i, t.columns[i].identity->increment < 0, false, 0});
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

bool WriteRows(const std::vector<std::vector<Value>>& rows, RowsetWriter& writer, std::string& error) {
  for (const auto& row : rows) {
    if (!writer.AddRow(row, RowState::kLive, error)) return false;
  }
  return true;
}

bool WriteUserTable(TablePlan& t, PageAllocator& allocator, PageSink& sink, bool mixedFirstPages,
                    std::string& error) {
  PageSource source(allocator);
  UnitWriter unit(source, sink, t.main().unitId, mixedFirstPages);
  RowsetWriter writer(unit, t.layout, t.keyColumns);
  IdentityTracker identity(t.table);
  for (const Row& row : t.table.rows) {
    identity.See(row.values);
    if (!writer.AddRow(row.values, row.state, error)) return false;
  }
  std::vector<Value> generated;
  for (std::uint64_t i = 0; i < t.table.generatedRows; ++i) {
    t.table.generator(i, generated);
    identity.See(generated);
    if (!writer.AddRow(generated, RowState::kLive, error)) return false;
  }
  if (!writer.Finish(t.pages, error)) return false;
  t.rowCount = writer.liveRows();
  t.maxRecord = writer.maxRecord();
  identity.Store(t.identityLast);
  return true;
}

WrittenTable Describe(const TablePlan& t) {
  WrittenTable w;
  w.name = t.table.name;
  w.objectId = t.objectId;
  w.rowsetId = t.main().rowsetId;
  w.allocationUnitId = t.main().unitId;
  w.headerObjectId = HeaderObjectId(w.allocationUnitId);
  w.headerIndexId = HeaderIndexId(w.allocationUnitId);
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

bool BuildDatabase(const Database& db, PageSink& sink, BuildResult& result, std::string& error) {
  result = {};
  if (db.version < 611) {
    error = "SQL Server 2000 layout (version " + std::to_string(db.version) + ") is not written yet";
    return false;
  }
  DatabasePlan plan;
  if (!PlanDatabase(db, plan, error)) return false;
  PageAllocator allocator;
  NullSink nullSink;

  // The system tables first, on the low pages, to learn how many pages they
  // take: their rows have the same sizes before and after the user tables
  // are written (page numbers and counts are fixed-width fields).
  CatalogRows rows = BuildCatalogRows(plan);
  std::vector<std::unique_ptr<PageSource>> sources;
  for (auto& st : plan.systemTables) {
    st.rowCount = static_cast<std::int64_t>(rows[st.objectId].size());
    sources.push_back(std::make_unique<PageSource>(allocator));
    UnitWriter unit(*sources.back(), nullSink, st.main().unitId, true);
    RowsetWriter writer(unit, st.layout, st.keyColumns);
    if (!WriteRows(rows[st.objectId], writer, error) || !writer.Finish(st.pages, error)) {
      error = "system table " + st.table.name + ": " + error;
      return false;
    }
    st.maxRecord = writer.maxRecord();
  }

  const bool mixedFirstPages = db.version < 852;
  for (auto& t : plan.tables) {
    if (!WriteUserTable(t, allocator, sink, mixedFirstPages, error)) {
      error = "table " + t.table.name + ": " + error;
      return false;
    }
  }

  rows = BuildCatalogRows(plan);
  for (std::size_t i = 0; i < plan.systemTables.size(); ++i) {
    TablePlan& st = plan.systemTables[i];
    sources[i]->StartReplay();
    UnitWriter unit(*sources[i], sink, st.main().unitId, true);
    RowsetWriter writer(unit, st.layout, st.keyColumns);
    UnitPages pages;
    if (!WriteRows(rows[st.objectId], writer, error) || !writer.Finish(pages, error)) return false;
    if (pages.firstPage != st.pages.firstPage || pages.usedPages != st.pages.usedPages) {
      error = "system table " + st.table.name + " changed size between passes";
      return false;
    }
  }

  const std::int64_t pageCount = allocator.PageCount();
  std::int32_t firstSystemPage = 0;
  for (const auto& st : plan.systemTables) {
    if (st.objectId == 7) firstSystemPage = st.pages.firstPage;
  }
  WriteFileHeader(sink, db.name, pageCount);
  WriteBootPage(sink, {db.version, db.name, db.collationId, firstSystemPage});
  allocator.WriteMaps(sink, pageCount);
  if (!sink.Finish(pageCount)) {
    error = "cannot finish the output";
    return false;
  }
  result.pageCount = pageCount;
  for (const auto& t : plan.tables) result.tables.push_back(Describe(t));
  for (const auto& t : plan.systemTables) result.systemTables.push_back(Describe(t));
  for (const auto& m : plan.modules) result.moduleIds.push_back(m.id);
  return true;
}

std::optional<std::vector<std::uint8_t>> BuildImage(const Database& db, std::string* error,
                                                    BuildResult* result) {
  MemorySink sink;
  BuildResult local;
  std::string message;
  if (!BuildDatabase(db, sink, result ? *result : local, message)) {
    if (error) *error = message;
    return std::nullopt;
  }
  return std::move(sink.image());
}

bool WriteDatabaseFile(const Database& db, const std::string& path, std::string& error,
                       BuildResult* result) {
  FileSink sink(path);
  if (!sink.ok()) {
    error = sink.error();
    return false;
  }
  BuildResult local;
  if (!BuildDatabase(db, sink, result ? *result : local, error)) return false;
  if (!sink.ok()) {
    error = sink.error();
    return false;
  }
  return true;
}

}  // namespace corvane::mdfgen

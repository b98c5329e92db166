// corvane tables FILE [--json] [--all]: the objects of the catalog as the
// object tree shows them (tables, views, procedures, functions, triggers,
// defaults), or with --all every object row, with each table's data pages
// and the row count that the catalog itself stores.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "catalog/stored_row_count.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/open_database.h"

namespace corvane::cli {
namespace {

bool IsTreeObject(const std::string& type) {
  static const char* const kTypes[] = {"U ", "S ", "V ", "P ", "FN", "IF", "TF", "TR", "D "};
  for (const char* t : kTypes)
    if (type == t) return true;
  return false;
}

struct Listed {
  const ObjectRow* object;
  std::optional<std::size_t> dataPages;     // tables only
  std::optional<std::int64_t> storedRows;   // tables only, when the catalog has a count
};

std::optional<std::int32_t> ParentOf(const ObjectRow& o) {
  if (o.parentId > 0) return o.parentId;
  return std::nullopt;
}

void PrintJson(const std::string& database, const std::vector<Listed>& rows) {
  JsonWriter w;
  w.BeginObject().Field("database", database).Key("tables").BeginArray();
  for (const Listed& r : rows) {
    w.BeginObject()
        .Field("name", r.object->name)
        .Field("type", r.object->type)
        .Field("id", static_cast<std::int64_t>(r.object->id));
    if (auto p = ParentOf(*r.object)) w.Field("parentId", static_cast<std::int64_t>(*p));
    else w.Key("parentId").Null();
    if (r.dataPages) w.Field("dataPages", static_cast<std::uint64_t>(*r.dataPages));
    else w.Key("dataPages").Null();
    if (r.storedRows) w.Field("storedRows", *r.storedRows);
    else w.Key("storedRows").Null();
    w.EndObject();
  }
  w.EndArray().EndObject();
  std::printf("%s\n", w.str().c_str());
}

void PrintText(const std::string& database, const std::vector<Listed>& rows) {
  std::printf("Database: %s\n", database.c_str());
  std::printf("%-4s %-12s %-12s %8s %10s  %s\n", "Type", "Id", "Parent", "Pages", "Rows", "Name");
  for (const Listed& r : rows) {
    const auto parent = ParentOf(*r.object);
    std::printf("%-4s %-12d %-12s %8s %10s  %s\n", r.object->type.c_str(), r.object->id,
                parent ? std::to_string(*parent).c_str() : "-",
                r.dataPages ? std::to_string(*r.dataPages).c_str() : "-",
                r.storedRows ? std::to_string(*r.storedRows).c_str() : "-", r.object->name.c_str());
  }
}

}  // namespace

int RunTables(const CliArgs& args, AppState& app) {
  if (args.positional.size() != 1) return UsageError("tables", "expects one FILE");
  TerminalObserver observer;
  auto db = OpenWithCatalog(args.positional[0], app, observer);
  if (!db) return 2;
  Catalog& catalog = *db->catalog;
  const bool all = args.Has("--all");
  const bool legacy = app.legacyLayout.load();

  std::vector<Listed> rows;
  for (const ObjectRow& o : catalog.objects) {
    if (!all && !IsTreeObject(o.type)) continue;
    Listed r{&o, std::nullopt, std::nullopt};
    // AssembleTable rewrites only the working set; `objects` stays as it is.
    AssembleTable(catalog, o.name, o.type, {});
    if (catalog.isTable && catalog.currentObject.id == o.id) {
      r.dataPages = catalog.tablePages.size();
      r.storedRows = StoredRowCount(catalog, o.id, legacy);
    }
    rows.push_back(r);
  }
  const std::string& name = db->context->databaseName();
  if (args.Has("--json")) PrintJson(name, rows);
  else PrintText(name, rows);
  return 0;
}

}  // namespace corvane::cli

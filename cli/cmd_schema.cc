// corvane schema FILE TABLE [--json]: the columns of a table as the row
// decoder sees them (type, nullability, identity, keys, references, physical
// position, leaf offset, null bit, collation) and the table's keys and
// constraints.

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/open_database.h"
#include "cli/table_lookup.h"

namespace corvane::cli {
namespace {

std::string KeyFlags(const ColumnDescriptor& d) {
  std::string flags;
  auto add = [&](bool on, const char* text) {
    if (!on) return;
    if (!flags.empty()) flags += ",";
    flags += text;
  };
  add(d.inPrimaryKey, "PK");
  add(d.inUniqueIndex, "unique-index");
  add(d.inUniqueConstraint, "unique");
  add(d.inForeignKey, "FK");
  return flags.empty() ? "-" : flags;
}

void WriteColumn(JsonWriter& w, const ColumnDescriptor& d) {
  w.BeginObject()
      .Field("columnId", static_cast<std::int64_t>(d.columnId))
      .Field("name", d.name)
      .Field("typeText", d.typeText)
      .Field("typeCode", static_cast<std::int64_t>(d.typeCode))
      .Field("size", static_cast<std::int64_t>(d.size))
      .Field("nullable", d.nullable)
      .Field("variableLength", d.variableLength)
      .Field("sparse", d.sparse)
      .Field("identity", d.identityText)
      .Field("primaryKey", d.inPrimaryKey)
      .Field("uniqueIndex", d.inUniqueIndex)
      .Field("uniqueConstraint", d.inUniqueConstraint)
      .Field("foreignKey", d.inForeignKey);
  if (d.inForeignKey) {
    w.Key("references").BeginObject()
        .Field("table", d.referencedTable)
        .Field("column", d.referencedColumn)
        .EndObject();
  } else {
    w.Key("references").Null();
  }
  w.Field("physicalColumnId", static_cast<std::int64_t>(d.physicalColumnId))
      .Field("hasPhysicalInfo", d.hasPhysicalInfo)
      .Field("leafOffset", static_cast<std::int64_t>(d.leafOffset))
      .Field("nullBit", static_cast<std::int64_t>(d.nullBit))
      .Field("collationId", static_cast<std::int64_t>(d.collationId))
      .Field("defaultValue", d.valueText)
      .EndObject();
}

void PrintJson(const Catalog& catalog, const std::vector<ColumnDescriptor>& columns) {
  const ObjectRow& t = catalog.currentObject;
  JsonWriter w;
  w.BeginObject()
      .Field("database", catalog.context->databaseName())
      .Field("table", t.name)
      .Field("type", t.type)
      .Field("id", static_cast<std::int64_t>(t.id))
      .Field("dataPages", static_cast<std::uint64_t>(catalog.tablePages.size()))
      .Key("columns").BeginArray();
  for (const ColumnDescriptor& d : columns) WriteColumn(w, d);
  w.EndArray().Key("children").BeginArray();
  for (const ChildObject& c : catalog.tableChildren) {
    w.BeginObject()
        .Field("name", c.name)
        .Field("type", c.type)
        .Field("id", static_cast<std::int64_t>(c.id))
        .Field("primaryKey", c.isPrimaryKey)
        .Field("unique", c.isUnique)
        .Field("foreignKey", c.isForeignKey)
        .EndObject();
  }
  w.EndArray().EndObject();
  std::printf("%s\n", w.str().c_str());
}

void PrintText(const Catalog& catalog, const std::vector<ColumnDescriptor>& columns) {
  const ObjectRow& t = catalog.currentObject;
  std::printf("Table: %s (id %d, %zu data pages)\n", t.name.c_str(), t.id, catalog.tablePages.size());
  std::printf("%4s %-24s %-20s %4s %-4s %-20s %-14s %5s %6s %5s %10s  %s\n", "Id", "Name", "Type",
              "Code", "Null", "Identity", "Keys", "Phys", "Offset", "Null#", "Collation",
              "References");
  for (const ColumnDescriptor& d : columns) {
    const std::string refs =
        d.inForeignKey ? d.referencedTable + "(" + d.referencedColumn + ")" : std::string();
    std::printf("%4d %-24s %-20s %4d %-4s %-20s %-14s %5d %6d %5d %10d  %s\n", d.columnId,
                d.name.c_str(), d.typeText.c_str(), d.typeCode, d.nullable ? "yes" : "no",
                d.identityText.empty() ? "-" : d.identityText.c_str(), KeyFlags(d).c_str(),
                d.physicalColumnId, d.leafOffset, d.nullBit, d.collationId, refs.c_str());
  }
  if (catalog.tableChildren.empty()) return;
  std::printf("\nKeys and constraints:\n");
  for (const ChildObject& c : catalog.tableChildren)
    std::printf("  %-2s %-12d %s\n", c.type.c_str(), c.id, c.name.c_str());
}

}  // namespace

int RunSchema(const CliArgs& args, AppState& app) {
  if (args.positional.size() != 2) return UsageError("schema", "expects FILE and TABLE");
  TerminalObserver observer;
  auto db = OpenWithCatalog(args.positional[0], app, observer);
  if (!db) return 2;
  Catalog& catalog = *db->catalog;
  const std::string& wanted = args.positional[1];
  const ObjectRow* object = FindObjectByName(catalog, wanted);
  if (!object || (object->type != "U " && object->type != "S ")) {
    std::fprintf(stderr, "corvane: no table named '%s' in %s (see corvane tables)\n",
                 wanted.c_str(), args.positional[0].c_str());
    return 2;
  }
  const ObjectRow found = *object;
  const auto columns = AssembleTable(catalog, found.name, found.type, {});
  if (args.Has("--json")) PrintJson(catalog, columns);
  else PrintText(catalog, columns);
  return 0;
}

}  // namespace corvane::cli

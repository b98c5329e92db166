// corvane rows FILE TABLE [--page N | --all] [--format text|tsv|csv|json]:
// a table's records exactly as the grid shows them, 1000 rows per page.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/collecting_grid.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/open_database.h"
#include "cli/table_lookup.h"
#include "rows/record_retrieval.h"

namespace corvane::cli {
namespace {

enum class Format { kText, kTsv, kCsv, kJson };

std::string TsvCell(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

std::string CsvCell(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void PrintLine(const std::vector<std::string>& cells, Format f) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) line += f == Format::kCsv ? "," : f == Format::kTsv ? "\t" : " | ";
    line += f == Format::kCsv ? CsvCell(cells[i]) : f == Format::kTsv ? TsvCell(cells[i]) : cells[i];
  }
  std::printf("%s\n", line.c_str());
}

}  // namespace

int RunRows(const CliArgs& args, AppState& app) {
  if (args.positional.size() != 2) return UsageError("rows", "expects FILE and TABLE");
  Format format = Format::kText;
  if (auto f = args.Value("--format")) {
    if (*f == "text") format = Format::kText;
    else if (*f == "tsv") format = Format::kTsv;
    else if (*f == "csv") format = Format::kCsv;
    else if (*f == "json") format = Format::kJson;
    else return UsageError("rows", "unknown format '" + *f + "'");
  }
  long wanted = 1;
  if (auto p = args.Value("--page")) {
    char* end = nullptr;
    wanted = std::strtol(p->c_str(), &end, 10);
    if (p->empty() || *end || wanted < 1) return UsageError("rows", "--page needs a number from 1");
  }
  const bool all = args.Has("--all");

  TerminalObserver observer;
  auto db = OpenWithCatalog(args.positional[0], app, observer);
  if (!db) return 2;
  const ObjectRow* object = FindObjectByName(*db->catalog, args.positional[1]);
  if (!object) {
    std::fprintf(stderr, "corvane rows: no table '%s' in %s\n", args.positional[1].c_str(),
                 args.positional[0].c_str());
    return 2;
  }
  AssembleTable(*db->catalog, object->name, object->type, {});
  if (!db->catalog->isTable) {
    std::fprintf(stderr, "corvane rows: '%s' is not a table\n", object->name.c_str());
    return 2;
  }
  std::vector<std::string> header;
  for (std::size_t k : GridColumns(*db->catalog)) header.push_back(db->catalog->tableDescriptors[k].name);

  CollectingGrid grid;
  RecordRetrieval retrieval(*db->context, *db->catalog, grid, observer, RetrievalOptions{});
  retrieval.ShowTableRecords();
  for (long p = 1; p < wanted; ++p) {
    if (retrieval.NextRecords() < 0) {
      std::fprintf(stderr, "corvane rows: the table has only %ld page(s) of records\n", p);
      return 2;
    }
  }
  JsonWriter json;
  if (format == Format::kJson) json.BeginObject().Field("table", object->name).Key("pages").BeginArray();
  if (format != Format::kJson) PrintLine(header, format);
  for (;;) {
    std::fprintf(stderr, "%s\n", grid.label().c_str());
    if (format == Format::kJson) {
      json.BeginObject().Field("page", static_cast<int>(retrieval.pageNumber)).Field("label", grid.label());
      json.Key("columns").BeginArray();
      for (const auto& h : header) json.String(h);
      json.EndArray().Key("rows").BeginArray();
      for (const auto& row : grid.rows()) {
        json.BeginArray();
        for (const auto& cell : row) json.String(cell);
        json.EndArray();
      }
      json.EndArray().EndObject();
    } else {
      for (const auto& row : grid.rows()) PrintLine(row, format);
    }
    if (!all || retrieval.NextRecords() < 0) break;
  }
  if (format == Format::kJson) {
    json.EndArray().EndObject();
    std::printf("%s\n", json.str().c_str());
  }
  return 0;
}

}  // namespace corvane::cli

// Decoding and rendering the records of a table: rows per second on one core.
//
// The database holds one table of 10 mixed-type columns (a heap) and one
// clustered table, written once by the test database builder to a temporary
// file; the page cache holds it after the first pass.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "catalog/catalog.h"
#include "rows/record_retrieval.h"
#include "rows/row_decoder.h"
#include "tools/mdfgen/file_builder.h"

namespace corvane {
namespace {

mdfgen::Database Declaration() {
  using namespace mdfgen;
  Database db;
  db.name = "DecodeBench";
  db.version = 661;
  Table& mixed = db.AddTable("Mixed");
  mixed.columns = {Int("Id").NotNull(), BigInt("Counter"),       DateTime("At"),
                   Money("Amount"),     Decimal("Price", 18, 4), Bit("Flag"),
                   NVarChar("Name", 40), VarChar("Code", 20),    UniqueIdentifier("Ref"),
                   Float("Ratio")};
  mixed.generatedRows = 300000;
  mixed.generator = [](std::uint64_t i, std::vector<Value>& row) {
    static const char* kNames[] = {"Anna", "Björn", "Дарья", "郭静", "Hugo Lindqvist"};
    row.resize(10);
    row[0] = static_cast<long long>(i + 1);
    row[1] = static_cast<long long>(i * 7919);
    row[2] = "2024-05-17 13:45:12";
    row[3] = static_cast<double>(i % 100000) / 100.0;
    row[4] = "12345.6789";
    row[5] = (i & 1) != 0;
    row[6] = kNames[i % 5];
    row[7] = "CODE-" + std::to_string(i % 1000);
    row[8] = "6F9619FF-8B86-D011-B42D-00C04FC964FF";
    row[9] = static_cast<double>(i) / 3.0;
  };
  mixed.primaryKey = {};
  return db;
}

struct BenchFile {
  std::string path;
  BenchFile() {
    char tmpl[] = "/tmp/corvane-bench-XXXXXX";
    const int fd = ::mkstemp(tmpl);
    ::close(fd);
    path = tmpl;
    std::string error;
    if (!mdfgen::WriteDatabaseFile(Declaration(), path, error))
      std::fprintf(stderr, "cannot write the benchmark database: %s\n", error.c_str());
  }
  ~BenchFile() { std::remove(path.c_str()); }
};

const BenchFile& File() {
  static const BenchFile file;
  return file;
}

// The benchmark database opened, with `table` assembled.
struct OpenTable {
  AppState app;
  NullObserver observer;
  std::unique_ptr<DatabaseContext> ctx;
  std::unique_ptr<Catalog> catalog;
  explicit OpenTable(const char* table) {
    ctx = DatabaseContext::Open(File().path, app, observer);
    catalog = BuildCatalog(*ctx);
    AssembleTable(*catalog, table, "U ", {});
  }
};

// Decodes every record of `table` into text; reports rows per second.
void DecodeTable(benchmark::State& state, const char* table) {
  OpenTable open(table);
  auto& [app, observer, ctx, catalog] = open;
  const TextDecoder text(app.collationTable, ctx->bootCollationId());
  std::vector<std::unique_ptr<CDataPage>> pages;
  for (const PageId& id : catalog->tablePages) pages.push_back(ctx->ReadTableDataPage(id));
  std::int64_t rows = 0;
  for (auto _ : state) {
    RowDecoder decoder(catalog->tableDescriptors, text, DecodeOptionsFor(*catalog, app));
    std::vector<Row> out;
    for (const auto& page : pages) {
      out.clear();
      decoder.DecodePage(*page, out);
      rows += static_cast<std::int64_t>(out.size());
    }
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(rows);
  state.counters["columns"] = static_cast<double>(catalog->tableDescriptors.size());
}

// Parsing pages (records, slots, torn bits) and decoding together.
void ReadAndDecodeTable(benchmark::State& state, const char* table) {
  OpenTable open(table);
  auto& [app, observer, ctx, catalog] = open;
  const TextDecoder text(app.collationTable, ctx->bootCollationId());
  std::int64_t rows = 0;
  for (auto _ : state) {
    RowDecoder decoder(catalog->tableDescriptors, text, DecodeOptionsFor(*catalog, app));
    std::vector<Row> out;
    for (const PageId& id : catalog->tablePages) {
      auto page = ctx->ReadTableDataPage(id);
      out.clear();
      if (page) decoder.DecodePage(*page, out);
      rows += static_cast<std::int64_t>(out.size());
    }
  }
  state.SetItemsProcessed(rows);
}

BENCHMARK_CAPTURE(DecodeTable, heap_10_columns, "dbo.Mixed")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadAndDecodeTable, heap_10_columns, "dbo.Mixed")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

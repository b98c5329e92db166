// The benchmark database: three tables of generated rows (a heap and two
// clustered tables) whose record bytes add up to about the requested size.

#include <array>

#include "tools/mdfgen/sample_database.h"

namespace corvane::mdfgen {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

std::uint64_t Mix(std::uint64_t i) {
  std::uint64_t x = i * 6364136223846793005ULL + 1442695040888963407ULL;
  x ^= x >> 29;
  return x * 0xBF58476D1CE4E5B9ULL;
}

// Short texts stay in std::string's inline buffer, so a row costs no allocation for them.
constexpr std::array<const char*, 8> kNames = {"Anna",  "Björn", "Čeněk", "Дарья",
                                               "Ελένη", "Farah", "郭静",  "Hugo"};
constexpr std::array<const char*, 4> kComments = {"ok", "check later", "", "priority shipping"};

// Record bytes (slot included) of one row of each table, roughly.
constexpr std::uint64_t kHeapRowBytes = 100;
constexpr std::uint64_t kOrderRowBytes = 62;
constexpr std::uint64_t kReadingRowBytes = 56;

// Fixed-width decimal digits; snprintf costs more than everything else a row needs.
void Digits(char*& out, std::uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
  out += width;
}

void Put(char*& out, char c) { *out++ = c; }

// "YYYY-MM-DD" with an optional " hh:mm:ss" and an optional ".fffffff".
std::string DateText(int year, int month, int day, int hour = -1, int minute = 0, int second = 0,
                     int fraction = -1) {
  char text[40];
  char* p = text;
  Digits(p, static_cast<std::uint64_t>(year), 4), Put(p, '-'),
      Digits(p, static_cast<std::uint64_t>(month), 2);
  Put(p, '-'), Digits(p, static_cast<std::uint64_t>(day), 2);
  if (hour >= 0) {
    Put(p, ' '), Digits(p, static_cast<std::uint64_t>(hour), 2), Put(p, ':');
    Digits(p, static_cast<std::uint64_t>(minute), 2), Put(p, ':'),
        Digits(p, static_cast<std::uint64_t>(second), 2);
  }
  if (fraction >= 0) Put(p, '.'), Digits(p, static_cast<std::uint64_t>(fraction), 7);
  return std::string(text, p);
}

ByteString GuidBytes(std::uint64_t a, std::uint64_t b) {
  ByteString g(16);
  for (int i = 0; i < 8; ++i) {
    g[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(a >> (8 * i));
    g[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(b >> (8 * i));
  }
  return g;
}

}  // namespace

Database BenchDatabase(std::uint64_t sizeMb, int version) {
  Database db;
  db.name = "CorvaneBench";
  db.version = version;
  const std::uint64_t bytes = sizeMb * kMegabyte;

  Table& heap = db.AddTable("BenchEvents");
  heap.columns = {BigInt("Id").NotNull(), DateTime("At"),           Money("Amount"),
                  NVarChar("Name", 40),   VarBinary("Payload", 64), Bit("Flag"),
                  UniqueIdentifier("Ref")};
  heap.generatedRows = bytes * 40 / 100 / kHeapRowBytes;
  heap.generator = [](std::uint64_t i, std::vector<Value>& row) {
    const std::uint64_t x = Mix(i);
    row.resize(7);
    row[0] = static_cast<long long>(i + 1);
    row[1] =
        (x & 15) == 0
            ? Value()
            : Value(DateText(static_cast<int>(2010 + x % 14), static_cast<int>(1 + (x >> 8) % 12),
                             static_cast<int>(1 + (x >> 12) % 28), static_cast<int>((x >> 20) % 24),
                             static_cast<int>((x >> 26) % 60), static_cast<int>((x >> 32) % 60)));
    row[2] = static_cast<long long>(x % 100000000) - 50000000;  // whole currency units
    row[3] = kNames[x % kNames.size()];
    ByteString payload(16 + (x >> 40) % 48);
    for (std::size_t k = 0; k < payload.size(); ++k)
      payload[k] = static_cast<std::uint8_t>(x >> (k % 56));
    row[4] = std::move(payload);
    row[5] = static_cast<int>((x >> 7) & 1);
    row[6] = GuidBytes(x, Mix(x));
  };

  Table& orders = db.AddTable("BenchOrders");
  orders.columns = {Int("Id").NotNull(), Char("Code", 8),        Decimal("Price", 10, 2),
                    Int("Qty"),          VarChar("Comment", 60), DateTime2("Created", 7)};
  orders.primaryKey = {"Id"};
  orders.generatedRows = bytes * 35 / 100 / kOrderRowBytes;
  orders.generator = [](std::uint64_t i, std::vector<Value>& row) {
    const std::uint64_t x = Mix(i + 7);
    row.resize(6);
    row[0] = static_cast<long long>(i + 1);
    char code[8] = {'C'};
    char* p = code + 1;
    Digits(p, x % 10000000, 7);
    row[1] = std::string(code, 8);
    row[2] = static_cast<double>(x % 10000000) / 100.0;
    row[3] = static_cast<int>(x % 500);
    row[4] = kComments[(x >> 5) % kComments.size()];
    row[5] = DateText(2023, static_cast<int>(1 + x % 12), static_cast<int>(1 + (x >> 4) % 28),
                      static_cast<int>((x >> 9) % 24), static_cast<int>((x >> 14) % 60),
                      static_cast<int>((x >> 20) % 60), static_cast<int>((x >> 26) % 10000000));
  };

  Table& readings = db.AddTable("BenchReadings");
  readings.columns = {BigInt("Id").NotNull(), SmallInt("Sensor"), Float("Value"),
                      Real("Reading"),        Date("Day"),        NVarChar("Note", 30)};
  readings.primaryKey = {"Id"};
  readings.generatedRows = bytes * 25 / 100 / kReadingRowBytes;
  readings.generator = [](std::uint64_t i, std::vector<Value>& row) {
    const std::uint64_t x = Mix(i + 99);
    row.resize(6);
    row[0] = static_cast<long long>(i * 2 + 1);
    row[1] = static_cast<int>(x % 2000);
    row[2] = static_cast<double>(x % 1000003) / 7.0;
    row[3] = static_cast<double>(x % 1000) / 8.0;
    row[4] = DateText(static_cast<int>(2000 + x % 30), static_cast<int>(1 + (x >> 6) % 12),
                      static_cast<int>(1 + (x >> 10) % 28));
    row[5] = i % 3 == 0 ? Value() : Value(kNames[(x >> 3) % kNames.size()]);
  };
  return db;
}

}  // namespace corvane::mdfgen

#pragma once
// The databases the mdfgen command writes: the bundled sample (declared in
// samples/sample_database.cc) and the benchmark database.

#include <cstdint>

#include "tools/mdfgen/declaration.h"

namespace corvane::mdfgen {

// Customers (clustered, identity, non-Latin names, unique key, default),
// Orders (clustered, foreign key, check, money/datetime/decimal, ghost rows),
// Events (heap: uniqueidentifier, varbinary, bit columns, sql_variant,
// deleted and forwarded rows), a view, a procedure, a function, a trigger.
Database SampleDatabase(int version = 661);

// About `sizeMb` megabytes of generated rows in a heap and two clustered
// tables of mixed types; rows come from generators, so nothing is held in
// memory.
Database BenchDatabase(std::uint64_t sizeMb, int version = 661);

}  // namespace corvane::mdfgen

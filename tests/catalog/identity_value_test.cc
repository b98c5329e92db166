#include "catalog/identity_value.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/exact_bytes.h"

namespace corvane {
namespace {

TEST(IdentityValue, SeedAndIncrementFollowTheLastValue) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> value;
    const char* text;
  } cases[] = {
      // subtext_Config.BlogId, IDENTITY(0,1), one row inserted
      {"int (0,1)", {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, "identity(0,1)"},
      // subtext_Log.Id, IDENTITY(1,1), last value 14
      {"int (1,1)", {14, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}, "identity(1,1)"},
      {"int (100,-5)", {100, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 100, 0, 0, 0, 1}, "identity(100,-5)"},
      // aspnet webshop, bigint IDENTITY(1,1), last value 63
      {"bigint", {63, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, "identity(1,1)"},
      // service queue: queuing_order bigint IDENTITY(0,1)
      {"bigint (0,1)", {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "identity(0,1)"},
      // pubs jobs.job_id smallint IDENTITY(1,1)
      {"smallint", {14, 0, 1, 0, 1, 0, 0x82}, "identity(1,1)"},
      {"tinyint", {9, 2, 5, 0}, "identity(5,2)"},
      {"decimal(9,0)", {1, 7, 0, 0, 0, 1, 10, 0, 0, 0, 1, 0xE8, 3, 0, 0, 1}, "identity(1000,10)"},
      {"negative decimal seed", {1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 3, 0, 0, 0, 1}, "identity(-3,1)"},
      {"zero increment", {0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 1}, "identity(7,1)"},
      {"unknown form", {1, 2, 3, 4, 5}, "identity(1,1)"},
      {"empty", {}, "identity(1,1)"},
  };
  for (const auto& c : cases) {
    testing::ExactBytes bytes(c.value);
    EXPECT_EQ(IdentityText(Bytes(bytes.data(), bytes.size())), c.text) << c.what;
  }
}

}  // namespace
}  // namespace corvane

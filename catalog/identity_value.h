#pragma once
// The identity value that syscolpars keeps for an identity column (its second
// variable column), and the "identity(seed,increment)" text made from it.
//
// The value holds three numbers of the column's own width w, then one flag
// byte, so it is 3w + 1 bytes long:
//
//  Offset  Width  Field
//  ------  -----  ----------------------------------------------------------
//   0      w      last value generated (the seed while no row was inserted)
//   w      w      increment
//   2w     w      seed
//   3w     1      flags (1 while no value has been generated)
//
// w is 1 (tinyint, unsigned), 2, 4 or 8 (smallint, int, bigint; signed), or
// 5, 9, 13, 17 for decimal and numeric identities, stored like a decimal
// value: a sign byte (1 positive, 0 negative) and the magnitude.
// Example: int IDENTITY(0,1) before the first insert is
// 00000000 01000000 00000000 01.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/bytes.h"

namespace corvane {

struct IdentityValue {
  std::int64_t seed = 1;
  std::int64_t increment = 1;
};

// Seed and increment of a stored identity value; nullopt when its length is
// none of the forms above.
std::optional<IdentityValue> ParseIdentityValue(Bytes value);

// "identity(seed,increment)"; a value of unknown form gives seed and
// increment 1, and an increment of 0 is shown as 1.
std::string IdentityText(Bytes value);

}  // namespace corvane

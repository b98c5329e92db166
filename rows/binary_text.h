#pragma once
// Text forms of binary values: upper-case hexadecimal and uniqueidentifier.
// Pure functions; any thread.

#include <string>

#include "engine/bytes.h"

namespace corvane {

// Two upper-case hexadecimal digits per byte, after "0x" when `prefix`.
std::string HexText(Bytes value, bool prefix);

// A uniqueidentifier from its 16 stored bytes (missing bytes count as zero):
//
//  Bytes   Written as
//  ------  -----------------------------------------------
//  0..3    one group, in reverse byte order (3, 2, 1, 0)
//  4..5    one group, reversed (5, 4)
//  6..7    one group, reversed (7, 6)
//  8..9    one group, in stored order
//  10..15  one group, in stored order
//
// e.g. "33221100-5544-7766-8899-AABBCCDDEEFF": 36 characters, no braces.
std::string UniqueIdentifierText(Bytes value);

}  // namespace corvane

// Pure functions on dotted-quad text. Addresses are kept as text everywhere
// else and only turned into numbers here.
#pragma once

#include "records/RouterState.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestro {

// Numeric text (optional sign, digits, optional fraction) shorter than 10
// characters whose value, rounded half to even, lies in low..high.
bool isNumberInRange(std::string_view text, long low, long high);

// The value isNumberInRange reads from such text (rounded half to even);
// empty when the text is not numeric or has 10 characters or more.
std::optional<long> numericValue(std::string_view text);
// The same for text already checked with isNumberInRange (0 otherwise).
long numberValue(std::string_view text);

// Four plain decimal numbers 0-255 joined by dots, no part longer than three
// characters. Hexadecimal and octal spellings are refused.
bool isValidIpAddress(std::string_view text);

// n in base 2, left-padded with "0" to at least 8 digits; empty for negative n.
std::string octetBits(long n);

// The 35-character bit string of a dotted quad, e.g. "11000000.10100000.00000101.00000110".
std::string dottedBitString(std::string_view dottedQuad);

// A contiguous mask of 1 to 31 one-bits.
bool isValidSubnetMask(std::string_view text);

int maskBitCount(std::string_view dottedQuad);

// address AND mask, each octet as a plain decimal number.
std::string networkOf(std::string_view address, std::string_view mask);

// Classful network; the copied octets keep their text exactly as typed.
std::string classfulNetwork(std::string_view address);

// True when a and b agree on every bit where wildcard w has a 0 bit.
bool matchesUnderWildcard(std::string_view a, std::string_view b, std::string_view w);

// "ok", or the new network followed by " overlaps with Serial 0", " overlaps
// with Serial 1" or " overlaps with Ethernet0" (the last interface checked
// that overlaps is named). `own` is the interface being addressed.
std::string checkOverlap(const routerState& router, std::string_view address, std::string_view mask,
                         Interface own);

} // namespace kestro

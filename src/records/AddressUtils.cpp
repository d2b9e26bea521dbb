#include "records/AddressUtils.h"

#include "records/RouterState.h"
#include "records/Text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kestro {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::vector<std::string_view> splitDots(std::string_view text) {
    return splitOn(text, ".");
}

// Plain decimal digits only; anything else, or a value too large to be any
// address part, reads as 0 so callers given bad text still get an answer.
long partValue(std::string_view part) {
    if (part.empty() || part.size() > 18) {
        return 0;
    }
    long value = 0;
    for (char c : part) {
        if (!isDigit(c)) {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The four octets of a dotted quad; missing or out-of-range parts are 0.
std::array<std::uint32_t, 4> octetsOf(std::string_view dottedQuad) {
    std::array<std::uint32_t, 4> octets{};
    const auto parts = splitDots(dottedQuad);
    for (std::size_t i = 0; i < octets.size() && i < parts.size(); ++i) {
        const long value = partValue(parts[i]);
        octets[i] = value <= 255 ? static_cast<std::uint32_t>(value) : 0;
    }
    return octets;
}

std::string joinOctets(const std::array<std::uint32_t, 4>& octets) {
    std::string out;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0) {
            out += '.';
        }
        out += std::to_string(octets[i]);
    }
    return out;
}

} // namespace

std::optional<long> numericValue(std::string_view text) {
    if (text.empty() || text.size() >= 10) {
        return std::nullopt;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    // At most nine characters, so the whole part always fits in a long.
    long whole = 0;
    int digitCount = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        whole = whole * 10 + (text[pos] - '0');
        ++digitCount;
        ++pos;
    }
    std::string_view fraction;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        const std::size_t fractionStart = pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
        }
        fraction = text.substr(fractionStart, pos - fractionStart);
        digitCount += static_cast<int>(fraction.size());
    }
    if (pos != text.size() || digitCount == 0) {
        return std::nullopt;
    }

    // Round the magnitude half to even; the sign is symmetric under this rule.
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool restNonZero =
            fraction.substr(1).find_first_not_of('0') != std::string_view::npos;
        if (first > '5' || (first == '5' && (restNonZero || whole % 2 != 0))) {
            ++whole;
        }
    }
    return negative ? -whole : whole;
}

long numberValue(std::string_view text) {
    return numericValue(text).value_or(0);
}

bool isNumberInRange(std::string_view text, long low, long high) {
    const std::optional<long> value = numericValue(text);
    return value && *value >= low && *value <= high;
}

bool isValidIpAddress(std::string_view text) {
    std::size_t dots = 0;
    for (char c : text) {
        if (c == '.') {
            ++dots;
        }
    }
    if (dots != 3) {
        return false;
    }
    for (std::string_view part : splitDots(text)) {
        if (part.empty() || part.size() > 3) {
            return false;
        }
        for (char c : part) {
            if (!isDigit(c)) {
                return false;
            }
        }
        if (partValue(part) > 255) {
            return false;
        }
    }
    return true;
}

std::string octetBits(long n) {
    if (n < 0) {
        return {};
    }
    std::string bits;
    auto rest = static_cast<unsigned long>(n);
    do {
        bits.insert(bits.begin(), static_cast<char>('0' + (rest & 1U)));
        rest >>= 1;
    } while (rest != 0);
    if (bits.size() < 8) {
        bits.insert(0, 8 - bits.size(), '0');
    }
    return bits;
}

std::string dottedBitString(std::string_view dottedQuad) {
    std::string out;
    bool first = true;
    for (std::string_view part : splitDots(dottedQuad)) {
        if (!first) {
            out += '.';
        }
        first = false;
        out += octetBits(partValue(part));
    }
    return out;
}

bool isValidSubnetMask(std::string_view text) {
    if (!isValidIpAddress(text)) {
        return false;
    }
    const std::string bits = dottedBitString(text);
    if (bits.empty() || bits.front() != '1') {
        return false;
    }
    bool seenZero = false;
    for (char c : bits) {
        if (c == '0') {
            seenZero = true;
        } else if (c == '1' && seenZero) {
            return false;
        }
    }
    return seenZero;
}

int maskBitCount(std::string_view dottedQuad) {
    int count = 0;
    for (char c : dottedBitString(dottedQuad)) {
        if (c == '1') {
            ++count;
        }
    }
    return count;
}

std::string networkOf(std::string_view address, std::string_view mask) {
    const auto a = octetsOf(address);
    const auto m = octetsOf(mask);
    std::array<std::uint32_t, 4> network{};
    for (std::size_t i = 0; i < network.size(); ++i) {
        network[i] = a[i] & m[i];
    }
    return joinOctets(network);
}

std::string classfulNetwork(std::string_view address) {
    const auto parts = splitDots(address);
    // Missing parts copy as empty text rather than reading past the end.
    auto partAt = [&parts](std::size_t i) {
        return i < parts.size() ? std::string(parts[i]) : std::string();
    };
    const long first = partValue(parts.front());
    if (first <= 127) {
        return partAt(0) + ".0.0.0";
    }
    if (first <= 191) {
        return partAt(0) + "." + partAt(1) + ".0.0";
    }
    if (first <= 223) {
        return partAt(0) + "." + partAt(1) + "." + partAt(2) + ".0";
    }
    return std::string(address);
}

bool matchesUnderWildcard(std::string_view a, std::string_view b, std::string_view w) {
    const auto x = octetsOf(a);
    const auto y = octetsOf(b);
    const auto wild = octetsOf(w);
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (((x[i] ^ y[i]) & ~wild[i] & 0xFFU) != 0) {
            return false;
        }
    }
    return true;
}

std::string checkOverlap(const routerState& router, std::string_view address, std::string_view mask,
                         Interface own) {
    const std::string network = networkOf(address, mask);
    constexpr std::array<const char*, 3> suffixes = {
        " overlaps with Serial 0", " overlaps with Serial 1", " overlaps with Ethernet0"};
    std::string result = "ok";
    for (Interface which : allInterfaces) {
        if (which == own)
            continue;
        const interfaceConfig& other = router.interfaceAt(which);
        if (!other.ipAddress.empty() && networkOf(other.ipAddress, other.subnetMask) == network)
            result = network + suffixes[static_cast<std::size_t>(which)];
    }
    return result;
}

} // namespace kestro

#pragma once

#include <QString>
#include <stdexcept>

// The form check of a typed IPv4 address, on a test copy in which each "*"
// counts as 0. A part that is no number at all raises TypeMismatchError, which
// the IP tool's error trap takes; a number outside 0..255 refuses the input.
struct TypeMismatchError : std::runtime_error {
    TypeMismatchError() : std::runtime_error("type mismatch") {}
};

enum class IpAddressForm { Passes, Refused };

// 7 to 15 characters and dot-separated parts of 0 to 255 (floored): parts 1
// to 3 always, part 4 only when no further dot follows the third.
IpAddressForm CheckIpAddress(const QString &typed);

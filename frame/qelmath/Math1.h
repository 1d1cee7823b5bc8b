// Small numeric helpers.
#pragma once

#include <cstdint>
#include <string_view>

namespace QEL_math1 {

// The largest integer not greater than X, as a 32-bit integer. Values
// beyond the 32-bit range are clamped to it and NaN gives 0, so that callers
// that step through decades never see undefined conversions.
int32_t IntNeg(double X);

// True when Text is a decimal integer: optional leading blanks, an optional
// sign and at least one decimal digit, nothing after them, and a value that
// fits a 32-bit signed integer, so that a following StrToInt cannot fail.
bool IsValidDecInt(std::string_view Text);

}  // namespace QEL_math1

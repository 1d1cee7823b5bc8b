#include "qelmath/Math1.h"

#include <cmath>
#include <limits>

namespace QEL_math1 {

int32_t IntNeg(double X) {
    if (std::isnan(X)) return 0;
    const double F = std::floor(X);
    if (F <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (F >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(F);
}

bool IsValidDecInt(std::string_view Text) {
    size_t i = 0;
    while (i < Text.size() && Text[i] == ' ') ++i;
    const size_t End = Text.size();
    bool Negative = false;
    if (i < End && (Text[i] == '+' || Text[i] == '-')) Negative = Text[i++] == '-';
    if (i == End) return false;
    int64_t V = 0;
    for (; i < End; ++i) {
        if (Text[i] < '0' || Text[i] > '9') return false;
        V = V * 10 + (Text[i] - '0');
        if (V > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
    }
    return Negative || V <= std::numeric_limits<int32_t>::max();
}

}  // namespace QEL_math1

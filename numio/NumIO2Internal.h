// Helpers shared by the source files of TNumIO2.
#pragma once

#include <cmath>
#include <string>

namespace QEL_NumIO {

inline int TextLength(const std::string& S) { return static_cast<int>(S.size()); }

// The gauge maps its width onto RangeLow..RangeHigh. A range wider than the
// largest double (-1E308 to 1E308, say) has no finite span; on half the scale
// it has, so the gauge still shows and sets finite values instead of 0 or a
// value that is not a number.
inline double GaugeFraction(double V, double Low, double High) {
    const double Span = High - Low;
    if (std::isfinite(Span)) return (V - Low) / Span;
    return (V / 2 - Low / 2) / (High / 2 - Low / 2);
}

inline double GaugePoint(double Fraction, double Low, double High) {
    const double Span = High - Low;
    if (std::isfinite(Span)) return Low + Fraction * Span;
    return 2 * (Low / 2 + Fraction * (High / 2 - Low / 2));
}

}  // namespace QEL_NumIO

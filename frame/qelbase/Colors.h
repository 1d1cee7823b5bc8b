// Colour tables and the language tables of day and month names.
#pragma once

#include <array>

#include "qelbase/Types.h"
#include "vcl/Graphics.h"

namespace QEL_base {

// The predefined colours, numbered 1..NumPredefinedColors as the palettes of
// the colour selector count them (entry 0 is clNone and not one of them):
//    1..16  the basic VGA colours (clBlack .. clWhite),
//   17..20  clMoneyGreen, clSkyBlue, clCream, clMedGray,
//   21..47  the system colours clScrollBar .. clInfoBk, clHotLight and
//           clMenuHighlight.
inline constexpr int NumPredefinedColors = 47;
extern const std::array<vcl::TColor, NumPredefinedColors + 1> PredefinedColors;

// The colour halfway between C1 and C2, channel by channel (rounded down);
// system colours count with their current RGB value.
vcl::TColor MeanColor(vcl::TColor C1, vcl::TColor C2);

// Names per language (indexed by TLanguage; lgNeutral has the English
// ones), UTF-8, with a capital first letter as calendar captions show them:
// seven short weekday names beginning with Monday (at most 3 characters),
// twelve short month names (at most 4) and twelve long ones (at most 10).
extern const std::array<std::array<const char*, 7>, NumLanguages> WeekDayShort;
extern const std::array<std::array<const char*, 12>, NumLanguages> MonthShort;
extern const std::array<std::array<const char*, 12>, NumLanguages> MonthLong;

}  // namespace QEL_base

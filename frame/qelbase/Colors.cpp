#include "qelbase/Colors.h"

namespace QEL_base {

using namespace vcl;

const std::array<TColor, NumPredefinedColors + 1> PredefinedColors = {clNone,
                                                                      clBlack,
                                                                      clMaroon,
                                                                      clGreen,
                                                                      clOlive,
                                                                      clNavy,
                                                                      clPurple,
                                                                      clTeal,
                                                                      clGray,
                                                                      clSilver,
                                                                      clRed,
                                                                      clLime,
                                                                      clYellow,
                                                                      clBlue,
                                                                      clFuchsia,
                                                                      clAqua,
                                                                      clWhite,
                                                                      clMoneyGreen,
                                                                      clSkyBlue,
                                                                      clCream,
                                                                      clMedGray,
                                                                      clScrollBar,
                                                                      clBackground,
                                                                      clActiveCaption,
                                                                      clInactiveCaption,
                                                                      clMenu,
                                                                      clWindow,
                                                                      clWindowFrame,
                                                                      clMenuText,
                                                                      clWindowText,
                                                                      clCaptionText,
                                                                      clActiveBorder,
                                                                      clInactiveBorder,
                                                                      clAppWorkSpace,
                                                                      clHighlight,
                                                                      clHighlightText,
                                                                      clBtnFace,
                                                                      clBtnShadow,
                                                                      clGrayText,
                                                                      clBtnText,
                                                                      clInactiveCaptionText,
                                                                      clBtnHighlight,
                                                                      cl3DDkShadow,
                                                                      cl3DLight,
                                                                      clInfoText,
                                                                      clInfoBk,
                                                                      clHotLight,
                                                                      clMenuHighlight};

TColor MeanColor(TColor C1, TColor C2) {
    const TColor A = ColorToRGB(C1), B = ColorToRGB(C2);
    auto Mid = [](uint8_t X, uint8_t Y) { return static_cast<uint8_t>((X + Y) / 2); };
    return RGB(Mid(GetRValue(A), GetRValue(B)), Mid(GetGValue(A), GetGValue(B)),
               Mid(GetBValue(A), GetBValue(B)));
}

// clang-format off
const std::array<std::array<const char*, 7>, NumLanguages> WeekDayShort = {{
    {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
    {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
    {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
    {"Lun", "Mar", "Mer", "Jeu", "Ven", "Sam", "Dim"},
    {"Lun", "Mar", "Mi\u00E9", "Jue", "Vie", "S\u00E1b", "Dom"},
}};

const std::array<std::array<const char*, 12>, NumLanguages> MonthShort = {{
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Jan", "Feb", "M\u00E4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Janv", "F\u00E9vr", "Mars", "Avr", "Mai", "Juin", "Juil", "Ao\u00FBt", "Sept", "Oct", "Nov", "D\u00E9c"},
    {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"},
}};

const std::array<std::array<const char*, 12>, NumLanguages> MonthLong = {{
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"Januar", "Februar", "M\u00E4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"Janvier", "F\u00E9vrier", "Mars", "Avril", "Mai", "Juin", "Juillet", "Ao\u00FBt", "Septembre",
     "Octobre", "Novembre", "D\u00E9cembre"},
    {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
     "Octubre", "Noviembre", "Diciembre"},
}};
// clang-format on

}  // namespace QEL_base

// Date, time and number texts on arbitrary bytes: a value or a conversion
// error, never a crash; a date that reads writes back to the same date.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "vcl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vcl;
    std::string text(reinterpret_cast<const char*>(Data), Size);
    TFormatSettings s;
    TDateTime d;
    if (TryStrToDate(text, d, s)) {
        TDateTime again;
        if (!TryStrToDate(FormatDateTime("m/d/yyyy", d, s), again, s) || again != d) std::abort();
    }
    TryStrToTime(text, d, s);
    double v;
    int code;
    Val(text, v, code);
    int i;
    Val(text, i, code);
    if (TryStrToFloat(text, v)) FloatToStr(v);
    TryStrToInt(text, i);
    try {
        Format(text, {1, 2.5, "x"});
    } catch (const EConvertError&) {
    }
    return 0;
}

// Number texts from the keyboard, the clipboard and form files: every reader,
// validity test and conversion must cope with any byte string, and every text
// a field's validity test accepts must read as a finite number.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "numio/NumText.h"

using namespace QEL_NumIO;

namespace {

void Require(bool Condition) {
    if (!Condition) std::abort();
}

// A reader never moves back, and never beyond one past the text (a start
// position already beyond it stays where it is).
void CheckPos(int Pos, int Start, const std::string& Text) {
    Require(Pos >= std::max(Start, 1));
    Require(Pos <= std::max(Start, static_cast<int>(Text.size()) + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2) return 0;
    const int Start = Data[0] % 8;        // start position for the readers
    const int Places = Data[1] % 16 + 1;  // fixed-point places, as the fields allow
    const std::string Text(reinterpret_cast<const char*>(Data + 2), Size - 2);

    const TSepMode Modes[] = {smPoint, smComma, smEither};
    const TInFormat Formats[] = {itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic};

    for (TSepMode Sep : Modes) {
        for (bool AllowExp : {false, true}) {
            int Pos = Start;
            Require(std::isfinite(ReadDecimal(Text, AllowExp, Sep, Pos)));
            CheckPos(Pos, Start, Text);
        }
        for (TInFormat F : Formats) {
            if (CheckNumText(Text, F, Sep, Places)) {
                const double V = NumIO2ValueOf(Text, F);
                Require(std::isfinite(V));
                // What the field then writes back must pass its own test
                // again, unless the value does not fit the scientific layout.
                const std::string Back = NumIO2TextOf(V, F, Places, Places);
                if (Sep != smComma && Back.find('*') == std::string::npos)
                    Require(CheckNumText(Back, F, Sep, Places));
            }
            double V = 0.0;
            ConvertNumString(Text, F, Sep, V);
            Require(std::isfinite(V));
            Require(!NumIOTextOf(V, F, Places).empty());
        }
    }
    for (auto Reader : {ReadSignedInt, ReadHex, ReadOct, ReadBin}) {
        int Pos = Start;
        Reader(Text, Pos);
        CheckPos(Pos, Start, Text);
    }
    for (TInFormat F : Formats) {
        Require(std::isfinite(NumIO2ValueOf(Text, F)));
        Require(std::isfinite(NumIOValueOf(Text, F)));
    }
    return 0;
}

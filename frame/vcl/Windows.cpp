#include "vcl/Windows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "vcl/Graphics.h"
#include "vcl/Raster.h"

namespace vcl {

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const int64_t Product = int64_t(Number) * Numerator;
    const bool Negative = (Product < 0) != (Denominator < 0);
    const uint64_t P = uint64_t(std::llabs(Product)),
                   D = uint64_t(std::llabs(int64_t(Denominator)));
    const uint64_t Q = (P + D / 2) / D;  // halves away from zero
    if (Q > uint64_t(std::numeric_limits<int>::max())) return -1;
    return Negative ? -int(Q) : int(Q);
}

int GetObject(const HFONT& Font, int Size, void* Buffer) {
    if (!Font || !Buffer || Size <= 0) return 0;
    const int N = std::min<int>(Size, sizeof(TLogFont));
    std::memcpy(Buffer, Font.get(), size_t(N));
    return N;
}

HFONT CreateFontIndirect(const TLogFont& LogFont) {
    auto F = std::make_shared<TLogFont>(LogFont);
    F->lfFaceName[sizeof(F->lfFaceName) - 1] = '\0';
    return F;
}

int SetStretchBltMode(HDC DC, int Mode) {
    if (!DC || Mode < BLACKONWHITE || Mode > HALFTONE) return 0;
    const int Old = DC->StretchBltMode();
    DC->SetStretchBltMode(Mode);
    return Old;
}

int GetStretchBltMode(HDC DC) { return DC ? DC->StretchBltMode() : 0; }

bool StretchBlt(HDC Dest, int XDest, int YDest, int WDest, int HDest, HDC Src, int XSrc, int YSrc,
                int WSrc, int HSrc, DWORD Rop) {
    if (!Dest) return false;
    raster::BlitSource Source;
    if (Src) {
        Source = CanvasAccess::SourceOf(*Src);
        XSrc += Src->Origin().X;
        YSrc += Src->Origin().Y;
    }
    return CanvasAccess::Blit(*Dest, XDest, YDest, WDest, HDest, Source, XSrc, YSrc, WSrc, HSrc,
                              Rop, Dest->StretchBltMode(), std::nullopt);
}

bool BitBlt(HDC Dest, int XDest, int YDest, int Width, int Height, HDC Src, int XSrc, int YSrc,
            DWORD Rop) {
    return StretchBlt(Dest, XDest, YDest, Width, Height, Src, XSrc, YSrc, Width, Height, Rop);
}

}  // namespace vcl

// The window system's graphics calls that components use directly, in the
// shapes they have there: device contexts are our canvases, font handles are
// shared font descriptions.
#pragma once

#include <cstdint>
#include <memory>

namespace vcl {

class TCanvas;

using DWORD = uint32_t;
using HDC = TCanvas*;
using HINSTANCE = uintptr_t;

// The module whose resources LoadFromResourceName searches. All embedded
// resources live in one registry, so there is a single instance.
inline constexpr HINSTANCE HInstance = 0;

// Ternary raster operations (P = brush pattern, S = source, D = destination).
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// Stretch modes: what happens to the source pixels a shrinking copy drops.
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
inline constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
inline constexpr int STRETCH_ORSCANS = WHITEONBLACK;
inline constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
inline constexpr int STRETCH_HALFTONE = HALFTONE;

// Font description values.
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
inline constexpr uint8_t DEFAULT_CHARSET = 1;
inline constexpr uint8_t DEFAULT_QUALITY = 0;
inline constexpr uint8_t DRAFT_QUALITY = 1;
inline constexpr uint8_t PROOF_QUALITY = 2;
inline constexpr uint8_t NONANTIALIASED_QUALITY = 3;
inline constexpr uint8_t ANTIALIASED_QUALITY = 4;
inline constexpr uint8_t DEFAULT_PITCH = 0;
inline constexpr uint8_t FIXED_PITCH = 1;
inline constexpr uint8_t VARIABLE_PITCH = 2;

// The platform's font description, 92 bytes as there. The face name is UTF-8
// in the room the platform gives 32 UTF-16 units.
struct TLogFont {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;   // tenths of a degree, counter-clockwise
    int32_t lfOrientation = 0;  // tenths of a degree, counter-clockwise
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[64] = {};
};
static_assert(sizeof(TLogFont) == 92);
using LOGFONT = TLogFont;

// A font handle: an immutable description that fonts and callers share, so a
// handle lives exactly as long as someone holds it.
using HFONT = std::shared_ptr<const TLogFont>;

// a*b/c with a 64-bit intermediate, rounded half away from zero; -1 when c is 0
// or the result does not fit.
int MulDiv(int Number, int Numerator, int Denominator);

// Copies the description behind Font into Buffer (at most Size bytes) and
// returns the number of bytes copied; 0 for an empty handle.
int GetObject(const HFONT& Font, int Size, void* Buffer);
HFONT CreateFontIndirect(const TLogFont& LogFont);

// Sets the mode StretchBlt on DC uses and returns the previous one (0 when the
// mode is not one of the four).
int SetStretchBltMode(HDC DC, int Mode);
int GetStretchBltMode(HDC DC);

// Copies the source rectangle onto the destination rectangle, scaled, through
// the raster operation Rop. Negative widths or heights mirror.
bool StretchBlt(HDC Dest, int XDest, int YDest, int WDest, int HDest, HDC Src, int XSrc, int YSrc,
                int WSrc, int HSrc, DWORD Rop);
bool BitBlt(HDC Dest, int XDest, int YDest, int Width, int Height, HDC Src, int XSrc, int YSrc,
            DWORD Rop);

}  // namespace vcl

// Graphics of the platform: colours, pens, brushes, fonts, the canvas that
// draws with the platform's integer pixel rules, and bitmaps with their files.
//
// A canvas draws into a surface (a TBitmap), moved by an origin and clipped to
// a rectangle of that surface: a bitmap's own canvas covers the whole bitmap,
// a control's canvas covers the control's bounds on its form's surface.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "vcl/Types.h"
#include "vcl/Windows.h"

namespace vcl {

class TStream;

// ---------------------------------------------------------------- colours

// 0x00BBGGRR for plain colours; a high byte of 0xFF names a system colour by
// the index in the low byte.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

// Plain colours come back unchanged; system colours become the desktop's RGB.
TColor ColorToRGB(TColor Color);

constexpr TColor RGB(uint8_t R, uint8_t G, uint8_t B) {
    return TColor(R) | (TColor(G) << 8) | (TColor(B) << 16);
}
constexpr uint8_t GetRValue(TColor C) { return uint8_t(C); }
constexpr uint8_t GetGValue(TColor C) { return uint8_t(C >> 8); }
constexpr uint8_t GetBValue(TColor C) { return uint8_t(C >> 16); }

// ---------------------------------------------------------------- errors

// A picture file or resource that cannot be read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation a graphic cannot do (a canvas without a surface, a bitmap too
// large to allocate).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------- pens, brushes, fonts

enum TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};

// Binary raster operations between the pen (or brush) P and the destination D.
enum TPenMode : uint8_t {
    pmBlack,        // 0
    pmWhite,        // 1
    pmNop,          // D
    pmNot,          // not D
    pmCopy,         // P
    pmNotCopy,      // not P
    pmMergePenNot,  // P or not D
    pmMaskPenNot,   // P and not D
    pmMergeNotPen,  // not P or D
    pmMaskNotPen,   // not P and D
    pmMerge,        // P or D
    pmNotMerge,     // not (P or D)
    pmMask,         // P and D
    pmNotMask,      // not (P and D)
    pmXor,          // P xor D
    pmNotXor        // not (P xor D)
};

enum TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural
};

enum TFillStyle : uint8_t { fsSurface, fsBorder };

// Raster operation codes for CopyMode (see the table in Windows.h).
using TCopyMode = DWORD;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

// Pens, brushes and fonts tell their owner about every change through OnChange.
class TGraphicsObject : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphicsObject"; }
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TPen : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TPen"; }
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // Width 0 draws like width 1.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// The face new fonts start with and the one that stands in for a face that is
// not installed ("DejaVu Sans" unless set).
std::string DefaultFontName();
void SetDefaultFontName(const std::string& Name);

// Sizes are in points at 96 pixels per inch: Height = -Size*96/72, so Size 8
// is Height -11. A negative Height is the em height in pixels, a positive one
// the cell height (ascent + descent).
class TFont : public TGraphicsObject {
public:
    static constexpr int PixelsPerInch = 96;

    std::string ClassName() const override { return "TFont"; }
    void Assign(TPersistent* Source) override;

    std::string Name() const { return FName; }
    void SetName(const std::string& Value);
    int Size() const;
    void SetSize(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    // Tenths of a degree, counter-clockwise about the text's top-left corner.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    // Text is anti-aliased unless the quality asks for fqNonAntialiased.
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);

    // The font as a window-system description; setting one takes over its
    // face, height, style, escapement and quality.
    HFONT Handle() const;
    void SetHandle(const HFONT& Value);

private:
    std::string FName = DefaultFontName();
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    int FOrientation = 0;
    TFontQuality FQuality = fqDefault;
    TFontPitch FPitch = fpDefault;
};

// ---------------------------------------------------------------- bitmaps

enum TPixelFormat : uint8_t {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TCanvas;
class TBitmap;

// ---------------------------------------------------------------- canvas

class TCanvas : public TPersistent {
public:
    TCanvas();
    // A canvas over the whole of Surface.
    explicit TCanvas(TBitmap* Surface);
    ~TCanvas() override;
    std::string ClassName() const override { return "TCanvas"; }

    // Draws into Surface with logical (0,0) at Origin of the surface, never
    // outside Clip (surface coordinates). Controls paint on their form's
    // surface this way.
    void SetTarget(TBitmap* Surface, TPoint Origin, const TRect& Clip);
    // Draws into the whole of Surface (nullptr: draws nowhere).
    void SetTarget(TBitmap* Surface);
    TBitmap* Surface() const { return FSurface; }
    TPoint Origin() const { return FOrigin; }
    HDC Handle() { return this; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(const_cast<TFont*>(Value)); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(const TPen* Value) { FPen->Assign(const_cast<TPen*>(Value)); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(const TBrush* Value) { FBrush->Assign(const_cast<TBrush*>(Value)); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    // ALTERNATE (1) or WINDING (2), as SetPolyFillMode sets it.
    int PolyFillMode() const { return FPolyFillMode; }
    void SetPolyFillMode(int Value) { FPolyFillMode = Value; }
    int StretchBltMode() const { return FStretchBltMode; }
    void SetStretchBltMode(int Value) { FStretchBltMode = Value; }

    // Clipping, in logical coordinates. ClipRect is what drawing may touch;
    // SetClipRect narrows the target's clip further until ResetClipRect.
    TRect ClipRect() const;
    void SetClipRect(const TRect& Value);
    void ResetClipRect();

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint Value) { FPenPos = Value; }
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(std::span<const TPoint> Points);
    void Polygon(std::span<const TPoint> Points);

    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    // Inverts every other pixel of the frame FrameRect would draw, so a
    // second call with the same rectangle removes it again.
    void DrawFocusRect(const TRect& R);
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

    // Outside the surface or the clip a read gives 0xFFFFFFFF.
    TColor Pixels(int X, int Y) const;
    void SetPixels(int X, int Y, TColor Color);

    void TextOut(int X, int Y, const std::string& Text);
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    int TextWidth(const std::string& Text);
    int TextHeight(const std::string& Text);
    TSize TextExtent(const std::string& Text);

    void Draw(int X, int Y, TBitmap* Graphic);
    void StretchDraw(const TRect& R, TBitmap* Graphic);
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);

private:
    friend struct CanvasAccess;

    TBitmap* FSurface = nullptr;
    TPoint FOrigin;
    bool FWholeSurface = true;  // the target clip follows the surface's size
    TRect FTargetClip;
    bool FHasUserClip = false;
    TRect FUserClip;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
    int FPolyFillMode = 1;
    int FStretchBltMode = BLACKONWHITE;
    TPoint FPenPos;
};

// ---------------------------------------------------------------- bitmap

// Pixels are 32-bit BGRA in memory whatever PixelFormat says; PixelFormat is
// remembered for callers and decides the depth SaveToFile writes.
class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int Width, int Height);
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }
    void Assign(TPersistent* Source) override;

    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    // New pixels are white; the part that stays keeps its pixels.
    void SetSize(int Width, int Height);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    TCanvas* Canvas() const { return FCanvas.get(); }
    // Row Y as Width BGRA pixels (blue in the lowest byte).
    uint32_t* ScanLine(int Y);
    const uint32_t* ScanLine(int Y) const;

    // Draw leaves out the pixels of TransparentColor while Transparent is set.
    // In tmAuto mode the colour is the bottom-left pixel.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    // BMP (1, 4, 8, 24, 32 bit) or PNG, told apart by their signatures. A
    // failed load raises EInvalidGraphic and leaves the bitmap as it was.
    void LoadFromFile(const std::string& FileName);
    void LoadFromStream(TStream& Stream);
    void LoadFromBytes(std::span<const uint8_t> Data);
    void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
    // Writes PNG when the name ends in ".png", BMP otherwise; the file is
    // replaced only once the new one is complete.
    void SaveToFile(const std::string& FileName) const;
    void SaveToStream(TStream& Stream) const;
    std::vector<uint8_t> SaveToBytes(bool Png = false) const;

    TNotifyEvent OnChange;

private:
    friend struct CanvasAccess;
    void Changed();

    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint32_t> FPixels;
    TPixelFormat FPixelFormat = pfDevice;
    bool FTransparent = false;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TCanvas> FCanvas;
};

// ---------------------------------------------------------------- resources

// Makes a BMP (with or without its file header) or PNG image known under
// Name, so that LoadFromResourceName finds it. Names compare without regard
// to case; a second registration replaces the first.
void RegisterResource(const std::string& Name, std::span<const uint8_t> Data);
bool ResourceExists(const std::string& Name);

}  // namespace vcl

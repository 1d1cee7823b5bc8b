// Internal machinery of the canvas: pixel/colour conversion, raster
// operations, and the coverage mask every shape is rasterised into before it
// is applied once to the surface (so that a pixel that belongs to the fill and
// to the outline, or to two strokes of one wide polyline, is combined with the
// destination only once, as the platform does under pen modes like pmXor).
//
// Sections: 1 pixels and colours, 2 raster operations, 3 coverage mask,
// 4 stroking (1-pixel lines, wide pens, dashes), 5 the canvas's view of its
// surface.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "vcl/Graphics.h"

namespace vcl::raster {

// 1 -------------------------------------------------------------- pixels

inline constexpr uint32_t OpaqueAlpha = 0xFF000000;

// TColor (0x00BBGGRR) to the in-memory BGRA pixel (0xAARRGGBB as a word).
inline uint32_t ToPixel(TColor C) {
    C = ColorToRGB(C);
    return OpaqueAlpha | ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}

inline TColor ToColor(uint32_t P) { return ((P & 0xFF) << 16) | (P & 0xFF00) | ((P >> 16) & 0xFF); }

// 2 -------------------------------------------------------------- raster operations

// Pen modes act on the colour bits; the result is always opaque.
uint32_t ApplyPenMode(TPenMode Mode, uint32_t Pen, uint32_t Dest);

// A ternary raster operation (the high byte of Rop's low word is its truth
// table, indexed by P*4 + S*2 + D) applied bitwise.
uint32_t ApplyRop3(DWORD Rop, uint32_t Pattern, uint32_t Source, uint32_t Dest);
// Whether Rop reads the source, the pattern, the destination.
bool RopUsesSource(DWORD Rop);

// 3 -------------------------------------------------------------- coverage mask

enum Coverage : uint8_t { None = 0, Fill = 1, PenInk = 2, PenGap = 3 };

// Coverage over Box (surface coordinates, already clipped); writes outside the
// box are ignored, so rasterisers need not clip.
class Mask {
public:
    explicit Mask(const TRect& Box);
    const TRect& Box() const { return FBox; }
    bool Empty() const { return FBox.IsEmpty(); }
    void Set(int X, int Y, Coverage C) {
        if (X >= FBox.Left && X < FBox.Right && Y >= FBox.Top && Y < FBox.Bottom)
            FCells[size_t(Y - FBox.Top) * FBox.Width() + (X - FBox.Left)] = C;
    }
    // Sets a span of row Y (half-open X1..X2), clipped to the box.
    void Span(int Y, int X1, int X2, Coverage C);
    // Row Y of the box (Y inside it), one cell per column from Box().Left.
    const uint8_t* Row(int Y) const { return FCells.data() + size_t(Y - FBox.Top) * FBox.Width(); }
    Coverage At(int X, int Y) const {
        if (X < FBox.Left || X >= FBox.Right || Y < FBox.Top || Y >= FBox.Bottom) return None;
        return Coverage(FCells[size_t(Y - FBox.Top) * FBox.Width() + (X - FBox.Left)]);
    }

private:
    TRect FBox;
    std::vector<uint8_t> FCells;
};

// Fills the closed polygon P (surface coordinates) with Value, by the
// alternate (even-odd) or winding rule.
void FillPolygon(Mask& M, std::span<const TPoint> P, bool Winding, Coverage Value = Fill);

// 4 -------------------------------------------------------------- stroking

// Calls Plot for the pixels of the 1-pixel line A->B, end point excluded, with
// the platform's tie rules (see the body), as far as their major coordinate
// lies inside Clip; Skip (when given) learns how many pixels were left out
// before and after that stretch.
void BresenhamLine(TPoint A, TPoint B, const TRect& Clip, const std::function<void(int, int)>& Plot,
                   const std::function<void(int64_t)>& Skip = {});

// The pattern of a cosmetic dash style: lengths of on/off runs in pixels,
// starting with "on"; empty for solid.
std::span<const int> DashPattern(TPenStyle Style);

// A stroker walks the pixels of one drawing call, keeping the dash phase
// from segment to segment, and marks ink or gap pixels in the mask.
class Stroker {
public:
    Stroker(Mask& M, TPenStyle Style, int Width);
    // Width 1: the pixels from A up to B (excluded). Wider: a round-capped
    // stroke from A to B inclusive.
    void Segment(TPoint A, TPoint B);
    // Marks one pixel of a curve walked in order (thin pens).
    void CurvePixel(int X, int Y);
    bool Wide() const { return FWidth > 1; }
    int Width() const { return FWidth; }

private:
    void Dot(int X, int Y);
    void Advance(int64_t Count);
    Mask& FMask;
    std::span<const int> FPattern;
    int FWidth;
    int FRun = 0;
    int FLeft = 0;
};

// 5 -------------------------------------------------------------- surface view

// What a canvas may touch: its surface pixels, the origin and the effective
// clip in surface coordinates.
struct SurfaceView {
    uint32_t* Pixels = nullptr;
    int Stride = 0;
    TPoint Origin;
    TRect Clip;  // empty when the canvas draws nowhere
    uint32_t* Row(int Y) const { return Pixels + size_t(Y) * Stride; }
};

// Pixels a copy reads from, in surface coordinates of the source.
struct BlitSource {
    const uint32_t* Pixels = nullptr;
    int Stride = 0;
    int Width = 0;
    int Height = 0;
};

}  // namespace vcl::raster

namespace vcl {

// The canvas files' window onto a canvas's private state.
struct CanvasAccess {
    static raster::SurfaceView View(const TCanvas& C);
    // Applies a mask: PenInk in the pen colour, PenGap in the brush colour
    // (opaque background), Fill with the brush; all through the pen mode
    // unless ModeOverride names another (flood fills copy the brush).
    static void Apply(TCanvas& C, const raster::Mask& M,
                      std::optional<TPenMode> ModeOverride = std::nullopt);
    // The mask box for shape bounds B (surface coordinates) grown by Grow.
    static TRect MaskBox(const TCanvas& C, TRect B, int Grow);
    static TBitmap* Surface(const TCanvas& C) { return C.FSurface; }
    static void SurfaceChanged(TCanvas& C);
    // Copies the source rectangle (SX, SY, SW, SH) onto the logical rectangle
    // (X, Y, W, H) of C, scaled with stretch mode Mode and combined through
    // Rop; source pixels of the colour Transparent are left out. Negative
    // sizes mirror. Returns false when a size is zero.
    static bool Blit(TCanvas& C, int X, int Y, int W, int H, const raster::BlitSource& Src, int SX,
                     int SY, int SW, int SH, DWORD Rop, int Mode,
                     std::optional<uint32_t> Transparent);
    static raster::BlitSource SourceOf(const TCanvas& C);
    static int PenWidth(const TCanvas& C);
    static bool PenVisible(const TCanvas& C);
    static bool BrushVisible(const TCanvas& C);
};

}  // namespace vcl

// The canvas: target and clip, state, pixels, and the straight-edged
// primitives (lines, polylines, polygons, rectangles). Every primitive follows
// one recipe: order and translate the coordinates, build a coverage mask over
// the shape's box intersected with the clip, return early when it is empty,
// rasterise, then apply the mask once.
#include <algorithm>
#include <cmath>

#include "vcl/Graphics.h"
#include "vcl/Raster.h"

namespace vcl {

using namespace raster;

// ---------------------------------------------------------------- access

SurfaceView CanvasAccess::View(const TCanvas& C) {
    SurfaceView V;
    TBitmap* S = C.FSurface;
    if (!S || S->Empty()) return V;
    V.Pixels = S->ScanLine(0);
    V.Stride = S->Width();
    V.Origin = C.FOrigin;
    TRect Clip{0, 0, S->Width(), S->Height()};
    if (!C.FWholeSurface) IntersectRect(Clip, Clip, C.FTargetClip);
    if (C.FHasUserClip) {
        TRect User = C.FUserClip;
        OffsetRect(User, C.FOrigin.X, C.FOrigin.Y);
        IntersectRect(Clip, Clip, User);
    }
    V.Clip = Clip;
    return V;
}

TRect CanvasAccess::MaskBox(const TCanvas& C, TRect B, int Grow) {
    InflateRect(B, Grow, Grow);
    TRect Box;
    IntersectRect(Box, B, View(C).Clip);
    return Box;
}

int CanvasAccess::PenWidth(const TCanvas& C) { return std::max(1, C.FPen->Width()); }
bool CanvasAccess::PenVisible(const TCanvas& C) { return C.FPen->Style() != psClear; }
bool CanvasAccess::BrushVisible(const TCanvas& C) { return C.FBrush->Style() != bsClear; }

void CanvasAccess::SurfaceChanged(TCanvas& C) {
    if (C.FSurface) C.FSurface->Changed();
}

namespace {

// Hatched brushes repeat an 8x8 pattern anchored at the surface's corner;
// pixels off the pattern are left alone (the background is transparent).
bool HatchCovers(TBrushStyle Style, int X, int Y) {
    const int U = X & 7, V = Y & 7;
    switch (Style) {
        case bsHorizontal:
            return V == 0;
        case bsVertical:
            return U == 0;
        case bsFDiagonal:
            return ((U - V) & 7) == 0;
        case bsBDiagonal:
            return ((U + V) & 7) == 7;
        case bsCross:
            return U == 0 || V == 0;
        case bsDiagCross:
            return ((U - V) & 7) == 0 || ((U + V) & 7) == 7;
        default:
            return true;
    }
}

}  // namespace

void CanvasAccess::Apply(TCanvas& C, const Mask& M, std::optional<TPenMode> ModeOverride) {
    if (M.Empty()) return;
    const SurfaceView V = View(C);
    if (!V.Pixels) return;
    const TPenMode Mode = ModeOverride.value_or(C.FPen->Mode());
    const uint32_t PenPixel = ToPixel(C.FPen->Color());
    const uint32_t BrushPixel = ToPixel(C.FBrush->Color());
    const TBrushStyle BrushStyle = C.FBrush->Style();
    const TRect& Box = M.Box();
    for (int Y = Box.Top; Y < Box.Bottom; ++Y) {
        uint32_t* Row = V.Row(Y) + Box.Left;
        const uint8_t* Cells = M.Row(Y);
        for (int I = 0; I < Box.Width(); ++I) {
            uint32_t Ink;
            switch (Cells[I]) {
                case PenInk:
                    Ink = PenPixel;
                    break;
                case PenGap:
                    // Dash gaps show the background only when it is opaque.
                    if (BrushStyle != bsSolid) continue;
                    Ink = BrushPixel;
                    break;
                case Fill:
                    if (BrushStyle == bsClear || !HatchCovers(BrushStyle, Box.Left + I, Y))
                        continue;
                    Ink = BrushPixel;
                    break;
                default:
                    continue;
            }
            Row[I] = Mode == pmCopy ? Ink : ApplyPenMode(Mode, Ink, Row[I]);
        }
    }
    SurfaceChanged(C);
}

// ---------------------------------------------------------------- state and target

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {}

TCanvas::TCanvas(TBitmap* Surface) : TCanvas() { SetTarget(Surface); }

TCanvas::~TCanvas() = default;

void TCanvas::SetTarget(TBitmap* Surface, TPoint Origin, const TRect& Clip) {
    FSurface = Surface;
    FOrigin = Origin;
    FWholeSurface = false;
    FTargetClip = Clip;
}

void TCanvas::SetTarget(TBitmap* Surface) {
    FSurface = Surface;
    FOrigin = TPoint{};
    FWholeSurface = true;
    FTargetClip = TRect{};
}

TRect TCanvas::ClipRect() const {
    TRect R = CanvasAccess::View(*this).Clip;
    if (R.IsEmpty()) return TRect{};
    OffsetRect(R, -FOrigin.X, -FOrigin.Y);
    return R;
}

void TCanvas::SetClipRect(const TRect& Value) {
    FHasUserClip = true;
    FUserClip = Value;
}

void TCanvas::ResetClipRect() { FHasUserClip = false; }

// ---------------------------------------------------------------- pixels

TColor TCanvas::Pixels(int X, int Y) const {
    const SurfaceView V = CanvasAccess::View(*this);
    const TPoint P{X + V.Origin.X, Y + V.Origin.Y};
    if (!V.Pixels || !PtInRect(V.Clip, P)) return 0xFFFFFFFF;
    return ToColor(V.Row(P.Y)[P.X]);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
    const SurfaceView V = CanvasAccess::View(*this);
    const TPoint P{X + V.Origin.X, Y + V.Origin.Y};
    if (!V.Pixels || !PtInRect(V.Clip, P)) return;
    V.Row(P.Y)[P.X] = ToPixel(Color);
    CanvasAccess::SurfaceChanged(*this);
}

// ---------------------------------------------------------------- rectangles

void TCanvas::FillRect(const TRect& R) {
    // The brush alone, copied: FillRect ignores the pen and its mode.
    if (FBrush->Style() == bsClear) return;
    const SurfaceView V = CanvasAccess::View(*this);
    TRect Box = R;
    OffsetRect(Box, V.Origin.X, V.Origin.Y);
    if (!V.Pixels || !IntersectRect(Box, Box, V.Clip)) return;
    const uint32_t Ink = ToPixel(FBrush->Color());
    if (FBrush->Style() == bsSolid) {
        for (int Y = Box.Top; Y < Box.Bottom; ++Y)
            std::fill(V.Row(Y) + Box.Left, V.Row(Y) + Box.Right, Ink);
    } else {
        Mask M(Box);
        for (int Y = Box.Top; Y < Box.Bottom; ++Y) M.Span(Y, Box.Left, Box.Right, raster::Fill);
        CanvasAccess::Apply(*this, M, pmCopy);
        return;
    }
    CanvasAccess::SurfaceChanged(*this);
}

void TCanvas::FrameRect(const TRect& R) {
    if (R.Right < R.Left || R.Bottom < R.Top || R.IsEmpty()) return;
    const SurfaceView V = CanvasAccess::View(*this);
    if (!V.Pixels) return;
    TRect B = R;
    OffsetRect(B, V.Origin.X, V.Origin.Y);
    const uint32_t Ink = ToPixel(FBrush->Color());
    auto Span = [&](int Y, int X1, int X2) {
        if (Y < V.Clip.Top || Y >= V.Clip.Bottom) return;
        X1 = std::max(X1, V.Clip.Left);
        X2 = std::min(X2, V.Clip.Right);
        if (X1 < X2) std::fill(V.Row(Y) + X1, V.Row(Y) + X2, Ink);
    };
    Span(B.Top, B.Left, B.Right);
    Span(B.Bottom - 1, B.Left, B.Right);
    for (int Y = B.Top + 1; Y < B.Bottom - 1; ++Y) {
        Span(Y, B.Left, B.Left + 1);
        Span(Y, B.Right - 1, B.Right);
    }
    CanvasAccess::SurfaceChanged(*this);
}

void TCanvas::DrawFocusRect(const TRect& R) {
    if (R.IsEmpty()) return;
    TRect B = R;
    OffsetRect(B, FOrigin.X, FOrigin.Y);
    Mask M(CanvasAccess::MaskBox(*this, B, 0));
    if (M.Empty()) return;
    auto Dot = [&](int X, int Y) {
        if (((X + Y) & 1) == 0) M.Set(X, Y, raster::PenInk);
    };
    for (int X = B.Left; X < B.Right; ++X) Dot(X, B.Top), Dot(X, B.Bottom - 1);
    for (int Y = B.Top; Y < B.Bottom; ++Y) Dot(B.Left, Y), Dot(B.Right - 1, Y);
    CanvasAccess::Apply(*this, M, pmNot);
}

namespace {

// The pixel box of a list of points (surface coordinates), half-open.
TRect PointsBox(std::span<const TPoint> P) {
    TRect B{P[0].X, P[0].Y, P[0].X + 1, P[0].Y + 1};
    for (const TPoint& Q : P) {
        B.Left = std::min(B.Left, Q.X);
        B.Top = std::min(B.Top, Q.Y);
        B.Right = std::max(B.Right, Q.X + 1);
        B.Bottom = std::max(B.Bottom, Q.Y + 1);
    }
    return B;
}

}  // namespace

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    int L = std::min(X1, X2), R = std::max(X1, X2), T = std::min(Y1, Y2), B = std::max(Y1, Y2);
    if (L == R || T == B) return;
    L += FOrigin.X;
    R += FOrigin.X;
    T += FOrigin.Y;
    B += FOrigin.Y;
    const int W = CanvasAccess::PenWidth(*this);
    const bool PenOn = CanvasAccess::PenVisible(*this);
    if (PenOn && FPen->Style() == psInsideFrame && W > 1) {
        L += W / 2;
        T += W / 2;
        R -= (W - 1) / 2;
        B -= (W - 1) / 2;
        if (L >= R || T >= B) return;
    }
    Mask M(CanvasAccess::MaskBox(*this, TRect{L, T, R, B}, W));
    if (M.Empty()) return;
    if (CanvasAccess::BrushVisible(*this)) {
        // With a pen the fill stays inside the outline; without one it is
        // one pixel narrower and shorter than the box.
        const int FL = PenOn ? L + 1 : L, FT = PenOn ? T + 1 : T;
        // Rows outside the mask are not visited: a far-off box costs nothing.
        const int Top = std::max(FT, M.Box().Top), Bottom = std::min(B - 1, M.Box().Bottom);
        for (int Y = Top; Y < Bottom; ++Y) M.Span(Y, FL, R - 1, raster::Fill);
    }
    if (PenOn) {
        Stroker S(M, FPen->Style(), W);
        const TPoint Path[] = {{L, T}, {R - 1, T}, {R - 1, B - 1}, {L, B - 1}, {L, T}};
        for (int I = 0; I < 4; ++I) S.Segment(Path[I], Path[I + 1]);
        if (R - L == 1 || B - T == 1) M.Set(R - 1, B - 1, raster::PenInk);
    }
    CanvasAccess::Apply(*this, M);
}

// ---------------------------------------------------------------- lines

void TCanvas::MoveTo(int X, int Y) { FPenPos = {X, Y}; }

void TCanvas::LineTo(int X, int Y) {
    const TPoint From = FPenPos;
    FPenPos = {X, Y};
    if (!CanvasAccess::PenVisible(*this)) return;
    const TPoint Pts[] = {From, {X, Y}};
    Polyline(Pts);
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
    if (Points.size() < 2 || !CanvasAccess::PenVisible(*this)) return;
    std::vector<TPoint> P(Points.begin(), Points.end());
    for (TPoint& Q : P) Q = {Q.X + FOrigin.X, Q.Y + FOrigin.Y};
    const int W = CanvasAccess::PenWidth(*this);
    Mask M(CanvasAccess::MaskBox(*this, PointsBox(P), W));
    if (M.Empty()) return;
    Stroker S(M, FPen->Style(), W);
    for (size_t I = 0; I + 1 < P.size(); ++I) S.Segment(P[I], P[I + 1]);
    CanvasAccess::Apply(*this, M);
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    if (Points.size() < 2) return;
    std::vector<TPoint> P(Points.begin(), Points.end());
    for (TPoint& Q : P) Q = {Q.X + FOrigin.X, Q.Y + FOrigin.Y};
    const int W = CanvasAccess::PenWidth(*this);
    Mask M(CanvasAccess::MaskBox(*this, PointsBox(P), W));
    if (M.Empty()) return;
    if (CanvasAccess::BrushVisible(*this) && P.size() >= 3)
        raster::FillPolygon(M, P, FPolyFillMode == 2);
    if (CanvasAccess::PenVisible(*this)) {
        Stroker S(M, FPen->Style(), W);
        for (size_t I = 0; I < P.size(); ++I) S.Segment(P[I], P[(I + 1) % P.size()]);
    }
    CanvasAccess::Apply(*this, M);
}

}  // namespace vcl

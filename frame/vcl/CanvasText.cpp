// Text on the canvas: measuring, and drawing glyphs from the glyph cache,
// turned by the font's orientation about the text's top-left corner.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "vcl/FontEngine.h"
#include "vcl/Graphics.h"
#include "vcl/Raster.h"

namespace vcl {

using namespace raster;

namespace {

struct Vec {
    double X, Y;
};

// The text's own axes on screen (y down): Along runs with the baseline, Down
// from the top of the cell to its bottom. Orientation turns them counter-
// clockwise as seen on screen.
struct TextFrame {
    Vec Ref, Along, Down;
    Vec At(double U, double V) const {
        return {Ref.X + Along.X * U + Down.X * V, Ref.Y + Along.Y * U + Down.Y * V};
    }
};

TextFrame FrameFor(TPoint Ref, int Angle) {
    const double A = Angle * std::numbers::pi / 1800.0;
    const double C = std::cos(A), S = std::sin(A);
    return {{double(Ref.X), double(Ref.Y)}, {C, -S}, {S, C}};
}

// Paints the text-space box U1..U2 x V1..V2 in Pixel, clipped to Clip.
void FillTextBox(const SurfaceView& V, const TRect& Clip, const TextFrame& F, double U1, double V1,
                 double U2, double V2, uint32_t Pixel) {
    if (F.Along.Y == 0 && F.Along.X > 0) {
        TRect R{int(std::lround(F.Ref.X + U1)), int(std::lround(F.Ref.Y + V1)),
                int(std::lround(F.Ref.X + U2)), int(std::lround(F.Ref.Y + V2))};
        if (!IntersectRect(R, R, Clip)) return;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            std::fill(V.Row(Y) + R.Left, V.Row(Y) + R.Right, Pixel);
        return;
    }
    TPoint Q[4];
    const Vec Corners[4] = {F.At(U1, V1), F.At(U2, V1), F.At(U2, V2), F.At(U1, V2)};
    TRect B{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int I = 0; I < 4; ++I) {
        Q[I] = {int(std::lround(Corners[I].X)), int(std::lround(Corners[I].Y))};
        B = {std::min(B.Left, Q[I].X), std::min(B.Top, Q[I].Y), std::max(B.Right, Q[I].X + 1),
             std::max(B.Bottom, Q[I].Y + 1)};
    }
    if (!IntersectRect(B, B, Clip)) return;
    Mask M(B);
    FillPolygon(M, Q, false);
    for (int Y = B.Top; Y < B.Bottom; ++Y)
        for (int X = B.Left; X < B.Right; ++X)
            if (M.At(X, Y) == raster::Fill) V.Row(Y)[X] = Pixel;
}

// Blends Colour into the surface through a glyph's coverage.
void BlendGlyph(const SurfaceView& V, const TRect& Clip, const text::Glyph& G, int Left, int Top,
                uint32_t Colour) {
    const int X1 = std::max(Left, Clip.Left), X2 = std::min(Left + G.Width, Clip.Right);
    const int Y1 = std::max(Top, Clip.Top), Y2 = std::min(Top + G.Rows, Clip.Bottom);
    for (int Y = Y1; Y < Y2; ++Y) {
        const uint8_t* Cov = G.Coverage.data() + size_t(Y - Top) * G.Width - Left;
        uint32_t* Row = V.Row(Y);
        for (int X = X1; X < X2; ++X) {
            const uint32_t A = Cov[X];
            if (A == 0) continue;
            if (A == 255) {
                Row[X] = Colour;
                continue;
            }
            const uint32_t D = Row[X];
            uint32_t Out = OpaqueAlpha;
            for (int Shift = 0; Shift < 24; Shift += 8) {
                const int DC = int((D >> Shift) & 0xFF), SC = int((Colour >> Shift) & 0xFF);
                Out |= uint32_t(DC + ((SC - DC) * int(A) + (SC >= DC ? 127 : -127)) / 255) << Shift;
            }
            Row[X] = Out;
        }
    }
}

int Advance(const text::ResolvedFont& RF, const std::u32string& Codes) {
    int W = 0;
    for (char32_t C : Codes) W += text::GlyphFor(RF, C, false).Advance;
    return W;
}

}  // namespace

struct TextPainter {
    // Draws Text with its cell's top-left corner at Ref (surface coordinates),
    // never outside Clip; Opaque paints the cell in the brush colour first.
    static int Paint(TCanvas& C, TPoint Ref, const std::string& Text, const TRect& Clip,
                     bool Opaque) {
        const text::ResolvedFont RF = text::Resolve(*C.Font());
        const std::u32string Codes = DecodeUtf8(Text);
        const SurfaceView V = CanvasAccess::View(C);
        TRect Box;
        if (!V.Pixels || !IntersectRect(Box, Clip, V.Clip)) return Advance(RF, Codes);
        const TextFrame F = FrameFor(Ref, RF.Angle);
        const int Height = RF.Ascent + RF.Descent;
        // Only the opaque background needs the width before the glyphs.
        if (Opaque)
            FillTextBox(V, Box, F, 0, 0, Advance(RF, Codes), Height, ToPixel(C.Brush()->Color()));

        const uint32_t Colour = ToPixel(C.Font()->Color());
        const bool Rotated = RF.Angle != 0;
        int Pen = 0;
        for (char32_t Code : Codes) {
            const int Step = Rotated ? text::GlyphFor(RF, Code, false).Advance : 0;
            const text::Glyph& G = text::GlyphFor(RF, Code, Rotated);
            const Vec O = F.At(Pen, RF.Ascent);
            BlendGlyph(V, Box, G, int(std::lround(O.X)) + G.Left, int(std::lround(O.Y)) - G.Top,
                       Colour);
            Pen += Rotated ? Step : G.Advance;
        }
        const int Width = Pen;
        const TFontStyles S = C.Font()->Style();
        if (S.Contains(fsUnderline)) {
            const int Y = RF.Ascent + RF.UnderlinePos;
            FillTextBox(V, Box, F, 0, Y, Width, Y + RF.LineThickness, Colour);
        }
        if (S.Contains(fsStrikeOut)) {
            const int Y = RF.Ascent + RF.StrikePos;
            FillTextBox(V, Box, F, 0, Y, Width, Y + RF.LineThickness, Colour);
        }
        CanvasAccess::SurfaceChanged(C);
        return Width;
    }
};

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    const TRect Everything{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
    const int W = TextPainter::Paint(*this, {X + FOrigin.X, Y + FOrigin.Y}, Text, Everything,
                                     FBrush->Style() == bsSolid);
    // The platform moves the pen along x by the text's width, whatever the angle.
    FPenPos = {X + W, Y};
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
    TRect Clip = R;
    OffsetRect(Clip, FOrigin.X, FOrigin.Y);
    if (Clip.IsEmpty()) return;
    if (FBrush->Style() == bsSolid) FillRect(R);
    TextPainter::Paint(*this, {X + FOrigin.X, Y + FOrigin.Y}, Text, Clip, false);
}

int TCanvas::TextWidth(const std::string& Text) {
    return Advance(text::Resolve(*FFont), DecodeUtf8(Text));
}

int TCanvas::TextHeight(const std::string&) {
    const text::ResolvedFont RF = text::Resolve(*FFont);
    return RF.Ascent + RF.Descent;
}

TSize TCanvas::TextExtent(const std::string& Text) {
    const text::ResolvedFont RF = text::Resolve(*FFont);
    return {Advance(RF, DecodeUtf8(Text)), RF.Ascent + RF.Descent};
}

}  // namespace vcl

// Copies between surfaces: Draw, StretchDraw, CopyRect and the window
// system's StretchBlt/BitBlt, all through one scaled, clipped blit.
#include <algorithm>
#include <cstring>

#include "vcl/Graphics.h"
#include "vcl/Raster.h"

namespace vcl {

using namespace raster;

namespace {

struct SourceSpan {
    int First;  // first source index of the block
    int End;    // one past the last
};

// Which source indices destination index I (0..Dest-1) draws from.
SourceSpan MapIndex(int I, int Dest, int Start, int Src, bool Mirror) {
    const int U = Mirror ? Dest - 1 - I : I;
    const int First = Start + int(int64_t(U) * Src / Dest);
    const int End = Start + int(int64_t(U + 1) * Src / Dest);
    return {First, std::max(End, First + 1)};
}

// Combines a block of source pixels the way the stretch mode treats the
// pixels a shrinking copy drops. Returns false when no pixel is on the source.
bool Gather(const BlitSource& S, SourceSpan XS, SourceSpan YS, int Mode, uint32_t& Out) {
    const int X1 = std::max(XS.First, 0), X2 = std::min(XS.End, S.Width);
    const int Y1 = std::max(YS.First, 0), Y2 = std::min(YS.End, S.Height);
    if (X1 >= X2 || Y1 >= Y2) return false;
    const uint32_t* Base = S.Pixels + size_t(Y1) * S.Stride;
    if (Mode == COLORONCOLOR || (X2 - X1 == 1 && Y2 - Y1 == 1)) {
        Out = Base[X1];
        return true;
    }
    if (Mode == HALFTONE) {
        uint32_t Sum[4] = {0, 0, 0, 0};
        for (int Y = Y1; Y < Y2; ++Y)
            for (int X = X1; X < X2; ++X) {
                const uint32_t P = S.Pixels[size_t(Y) * S.Stride + X];
                for (int C = 0; C < 4; ++C) Sum[C] += (P >> (8 * C)) & 0xFF;
            }
        const uint32_t N = uint32_t((X2 - X1) * (Y2 - Y1));
        Out = 0;
        for (int C = 0; C < 4; ++C) Out |= ((Sum[C] + N / 2) / N) << (8 * C);
        return true;
    }
    // BLACKONWHITE keeps dark pixels (AND), WHITEONBLACK light ones (OR).
    uint32_t Acc = Mode == WHITEONBLACK ? 0 : ~0u;
    for (int Y = Y1; Y < Y2; ++Y)
        for (int X = X1; X < X2; ++X) {
            const uint32_t P = S.Pixels[size_t(Y) * S.Stride + X];
            Acc = Mode == WHITEONBLACK ? (Acc | P) : (Acc & P);
        }
    Out = Acc;
    return true;
}

}  // namespace

BlitSource CanvasAccess::SourceOf(const TCanvas& C) {
    BlitSource S;
    if (!C.FSurface || C.FSurface->Empty()) return S;
    S.Pixels = C.FSurface->ScanLine(0);
    S.Stride = S.Width = C.FSurface->Width();
    S.Height = C.FSurface->Height();
    return S;
}

bool CanvasAccess::Blit(TCanvas& C, int X, int Y, int W, int H, const BlitSource& Source, int SX,
                        int SY, int SW, int SH, DWORD Rop, int Mode,
                        std::optional<uint32_t> Transparent) {
    if (W == 0 || H == 0 || SW == 0 || SH == 0) return false;
    const bool MirrorX = (W < 0) != (SW < 0), MirrorY = (H < 0) != (SH < 0);
    if (W < 0) X += W, W = -W;
    if (H < 0) Y += H, H = -H;
    if (SW < 0) SX += SW, SW = -SW;
    if (SH < 0) SY += SH, SH = -SH;

    const SurfaceView V = View(C);
    const TRect Dest{X + V.Origin.X, Y + V.Origin.Y, X + V.Origin.X + W, Y + V.Origin.Y + H};
    TRect Box;
    if (!V.Pixels || !IntersectRect(Box, Dest, V.Clip)) return true;

    const bool NeedSource = RopUsesSource(Rop);
    BlitSource Src = Source;
    std::vector<uint32_t> Copy;
    if (NeedSource) {
        if (!Src.Pixels) return true;
        // Reading and writing the same surface: take the source out first so
        // that overlapping copies see the original pixels.
        if (Src.Pixels == V.Pixels) {
            const int X1 = std::clamp(SX, 0, Src.Width), X2 = std::clamp(SX + SW, 0, Src.Width);
            const int Y1 = std::clamp(SY, 0, Src.Height), Y2 = std::clamp(SY + SH, 0, Src.Height);
            if (X1 >= X2 || Y1 >= Y2) return true;
            Copy.resize(size_t(X2 - X1) * (Y2 - Y1));
            for (int Row = Y1; Row < Y2; ++Row)
                std::memcpy(Copy.data() + size_t(Row - Y1) * (X2 - X1),
                            Src.Pixels + size_t(Row) * Src.Stride + X1,
                            sizeof(uint32_t) * (X2 - X1));
            Src = {Copy.data(), X2 - X1, X2 - X1, Y2 - Y1};
            SX -= X1;
            SY -= Y1;
        }
    }

    std::vector<SourceSpan> Cols(size_t(Box.Width()));
    for (int DX = Box.Left; DX < Box.Right; ++DX)
        Cols[DX - Box.Left] = MapIndex(DX - Dest.Left, W, SX, SW, MirrorX);

    // One-to-one copies of whole rows are plain memory copies.
    const bool Direct = Rop == SRCCOPY && !Transparent && W == SW && H == SH && !MirrorX &&
                        !MirrorY && Cols.front().First >= 0 && Cols.back().First < Src.Width;
    const uint32_t Pattern = ToPixel(C.FBrush->Color());
    for (int DY = Box.Top; DY < Box.Bottom; ++DY) {
        const SourceSpan Rows = MapIndex(DY - Dest.Top, H, SY, SH, MirrorY);
        uint32_t* Out = V.Row(DY);
        if (Direct) {
            if (Rows.First < 0 || Rows.First >= Src.Height) continue;
            std::memcpy(Out + Box.Left,
                        Src.Pixels + size_t(Rows.First) * Src.Stride + Cols[0].First,
                        sizeof(uint32_t) * Cols.size());
            continue;
        }
        for (int DX = Box.Left; DX < Box.Right; ++DX) {
            uint32_t S = 0;
            if (NeedSource) {
                if (!Gather(Src, Cols[DX - Box.Left], Rows, Mode, S)) continue;
                if (Transparent && ((S ^ *Transparent) & 0xFFFFFF) == 0) continue;
            }
            Out[DX] = Rop == SRCCOPY ? S : ApplyRop3(Rop, Pattern, S, Out[DX]);
        }
    }
    SurfaceChanged(C);
    return true;
}

void TCanvas::Draw(int X, int Y, TBitmap* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    StretchDraw(TRect{X, Y, X + Graphic->Width(), Y + Graphic->Height()}, Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TBitmap* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    std::optional<uint32_t> Transparent;
    if (Graphic->Transparent()) Transparent = ToPixel(Graphic->TransparentColor());
    const BlitSource Src = CanvasAccess::SourceOf(*Graphic->Canvas());
    CanvasAccess::Blit(*this, R.Left, R.Top, R.Width(), R.Height(), Src, 0, 0, Graphic->Width(),
                       Graphic->Height(), FCopyMode, COLORONCOLOR, Transparent);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
    if (!Source) return;
    CanvasAccess::Blit(*this, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(),
                       CanvasAccess::SourceOf(*Source), SourceRect.Left + Source->FOrigin.X,
                       SourceRect.Top + Source->FOrigin.Y, SourceRect.Width(), SourceRect.Height(),
                       FCopyMode, FStretchBltMode, std::nullopt);
}

}  // namespace vcl

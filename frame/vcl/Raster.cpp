#include "vcl/Raster.h"

#include <algorithm>
#include <cmath>

namespace vcl::raster {

uint32_t ApplyPenMode(TPenMode Mode, uint32_t P, uint32_t D) {
    uint32_t R = 0;
    switch (Mode) {
        case pmBlack:
            R = 0;
            break;
        case pmWhite:
            R = ~0u;
            break;
        case pmNop:
            R = D;
            break;
        case pmNot:
            R = ~D;
            break;
        case pmCopy:
            R = P;
            break;
        case pmNotCopy:
            R = ~P;
            break;
        case pmMergePenNot:
            R = P | ~D;
            break;
        case pmMaskPenNot:
            R = P & ~D;
            break;
        case pmMergeNotPen:
            R = ~P | D;
            break;
        case pmMaskNotPen:
            R = ~P & D;
            break;
        case pmMerge:
            R = P | D;
            break;
        case pmNotMerge:
            R = ~(P | D);
            break;
        case pmMask:
            R = P & D;
            break;
        case pmNotMask:
            R = ~(P & D);
            break;
        case pmXor:
            R = P ^ D;
            break;
        case pmNotXor:
            R = ~(P ^ D);
            break;
    }
    return R | OpaqueAlpha;
}

uint32_t ApplyRop3(DWORD Rop, uint32_t P, uint32_t S, uint32_t D) {
    const unsigned Table = (Rop >> 16) & 0xFF;
    uint32_t R = 0;
    for (unsigned I = 0; I < 8; ++I) {
        if (!(Table & (1u << I))) continue;
        R |= ((I & 4) ? P : ~P) & ((I & 2) ? S : ~S) & ((I & 1) ? D : ~D);
    }
    return R | OpaqueAlpha;
}

bool RopUsesSource(DWORD Rop) {
    const unsigned T = (Rop >> 16) & 0xFF;
    // The source matters when swapping S changes the table: compare the
    // minterms with S=1 (bits 2,3,6,7) to those with S=0 (bits 0,1,4,5).
    return ((T >> 2) & 0x33) != (T & 0x33);
}

Mask::Mask(const TRect& Box) : FBox(Box.IsEmpty() ? TRect{} : Box) {
    FCells.assign(size_t(FBox.Width()) * size_t(FBox.Height()), None);
}

void Mask::Span(int Y, int X1, int X2, Coverage C) {
    if (Y < FBox.Top || Y >= FBox.Bottom) return;
    X1 = std::max(X1, FBox.Left);
    X2 = std::min(X2, FBox.Right);
    if (X1 >= X2) return;
    uint8_t* Row = FCells.data() + size_t(Y - FBox.Top) * FBox.Width();
    std::fill(Row + (X1 - FBox.Left), Row + (X2 - FBox.Left), C);
}

// Integer Bresenham with the platform's tie rule: x-major only when |dx| > |dy|;
// octants are counted 1..8 clockwise from +x with y pointing down, and in
// octants 3, 5, 6 and 8 a tie steps the minor axis one pixel earlier, which
// makes A->B and B->A light the same pixels (apart from the left-out end).
// Steps whose major coordinate lies outside Clip are not walked but jumped
// (the minor offset after I steps has a closed form), so that far-off end
// points cost nothing and cannot overflow.
void BresenhamLine(TPoint A, TPoint B, const TRect& Clip, const std::function<void(int, int)>& Plot,
                   const std::function<void(int64_t)>& Skip) {
    const int64_t DX = int64_t(B.X) - A.X, DY = int64_t(B.Y) - A.Y;
    const int64_t ADX = DX < 0 ? -DX : DX, ADY = DY < 0 ? -DY : DY;
    const bool XMajor = ADX > ADY;
    const int64_t DMajor = XMajor ? ADX : ADY;
    const int64_t DMinor = XMajor ? ADY : ADX;
    const int SX = DX < 0 ? -1 : 1, SY = DY < 0 ? -1 : 1;

    int Octant;
    if (XMajor)
        Octant = DX > 0 ? (DY >= 0 ? 1 : 8) : (DY >= 0 ? 4 : 5);
    else
        Octant = DY > 0 ? (DX >= 0 ? 2 : 3) : (DX > 0 ? 7 : 6);
    const int Bias = (Octant == 3 || Octant == 5 || Octant == 6 || Octant == 8) ? 1 : 0;

    // The steps I (0 <= I < DMajor) whose major coordinate is inside Clip.
    const int64_t Major0 = XMajor ? A.X : A.Y;
    const int SMajor = XMajor ? SX : SY;
    const int64_t Lo = XMajor ? Clip.Left : Clip.Top, Hi = XMajor ? Clip.Right : Clip.Bottom;
    int64_t First = SMajor > 0 ? Lo - Major0 : Major0 - (Hi - 1);
    int64_t Last = SMajor > 0 ? Hi - Major0 : Major0 - Lo + 1;
    First = std::clamp<int64_t>(First, 0, DMajor);
    Last = std::clamp<int64_t>(Last, First, DMajor);
    if (Skip && First > 0) Skip(First);

    // Minor steps taken before step First.
    const int64_t K =
        DMajor
            ? int64_t((__int128(2) * DMinor * First + DMajor - 1 + Bias) / (__int128(2) * DMajor))
            : 0;
    int64_t X = XMajor ? A.X + SX * First : A.X + SX * K;
    int64_t Y = XMajor ? A.Y + SY * K : A.Y + SY * First;
    int64_t Error = 2 * DMinor * (First + 1) - DMajor - 2 * DMajor * K;
    for (int64_t I = First; I < Last; ++I) {
        Plot(int(std::clamp<int64_t>(X, INT32_MIN, INT32_MAX)),
             int(std::clamp<int64_t>(Y, INT32_MIN, INT32_MAX)));
        if (Error + Bias > 0) {
            if (XMajor)
                Y += SY;
            else
                X += SX;
            Error += 2 * DMinor - 2 * DMajor;
        } else {
            Error += 2 * DMinor;
        }
        if (XMajor)
            X += SX;
        else
            Y += SY;
    }
    if (Skip && DMajor > Last) Skip(DMajor - Last);
}

std::span<const int> DashPattern(TPenStyle Style) {
    static constexpr int Dash[] = {18, 6};
    static constexpr int Dot[] = {3, 3};
    static constexpr int DashDot[] = {9, 6, 3, 6};
    static constexpr int DashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (Style) {
        case psDash:
            return Dash;
        case psDot:
            return Dot;
        case psDashDot:
            return DashDot;
        case psDashDotDot:
            return DashDotDot;
        default:
            return {};
    }
}

Stroker::Stroker(Mask& M, TPenStyle Style, int Width) : FMask(M), FWidth(std::max(Width, 1)) {
    // Dash styles exist only for 1-pixel pens; wider pens draw solid.
    if (FWidth == 1) FPattern = DashPattern(Style);
    if (!FPattern.empty()) FLeft = FPattern[0];
}

void Stroker::Dot(int X, int Y) {
    if (FPattern.empty()) {
        FMask.Set(X, Y, PenInk);
        return;
    }
    FMask.Set(X, Y, (FRun % 2 == 0) ? PenInk : PenGap);
    if (--FLeft == 0) {
        FRun = (FRun + 1) % int(FPattern.size());
        FLeft = FPattern[FRun];
    }
}

// Moves the dash phase over Count pixels that lie outside the mask.
void Stroker::Advance(int64_t Count) {
    if (FPattern.empty()) return;
    int64_t Period = 0;
    for (int Run : FPattern) Period += Run;
    for (int64_t I = Count % Period; I > 0; --I)
        if (--FLeft == 0) {
            FRun = (FRun + 1) % int(FPattern.size());
            FLeft = FPattern[FRun];
        }
}

void Stroker::CurvePixel(int X, int Y) { Dot(X, Y); }

void Stroker::Segment(TPoint A, TPoint B) {
    if (FWidth == 1) {
        BresenhamLine(
            A, B, FMask.Box(), [this](int X, int Y) { Dot(X, Y); },
            [this](int64_t Count) { Advance(Count); });
        return;
    }
    // A wide pen covers the pixel centres closer than Width/2 to the segment
    // (a capsule: round caps, and round joins where segments meet). An even
    // width is centred half a pixel up and left, so a horizontal edge at row y
    // covers rows y - Width div 2 ... y - Width div 2 + Width - 1.
    const double R = FWidth / 2.0;
    const double Shift = (FWidth % 2 == 0) ? -0.5 : 0.0;
    const double AX = A.X + Shift, AY = A.Y + Shift, BX = B.X + Shift, BY = B.Y + Shift;
    const double VX = BX - AX, VY = BY - AY;
    const double Len2 = VX * VX + VY * VY;
    const int Reach = FWidth / 2 + 1;
    const TRect& Box = FMask.Box();
    // 64-bit so that far-off coordinates cannot overflow before clipping.
    const int X1 = int(std::max<int64_t>(int64_t(std::min(A.X, B.X)) - Reach, Box.Left));
    const int X2 = int(std::min<int64_t>(int64_t(std::max(A.X, B.X)) + Reach + 1, Box.Right));
    const int Y1 = int(std::max<int64_t>(int64_t(std::min(A.Y, B.Y)) - Reach, Box.Top));
    const int Y2 = int(std::min<int64_t>(int64_t(std::max(A.Y, B.Y)) + Reach + 1, Box.Bottom));
    for (int Y = Y1; Y < Y2; ++Y) {
        for (int X = X1; X < X2; ++X) {
            double T = Len2 > 0 ? ((X - AX) * VX + (Y - AY) * VY) / Len2 : 0.0;
            T = std::clamp(T, 0.0, 1.0);
            const double DX = X - (AX + T * VX), DY = Y - (AY + T * VY);
            if (DX * DX + DY * DY < R * R) FMask.Set(X, Y, PenInk);
        }
    }
}

// Scan-line fill of a closed polygon: a pixel is inside when its centre is,
// with edges counted top-inclusive and bottom-exclusive and spans left-
// inclusive and right-exclusive, so that shared edges are filled once.
void FillPolygon(Mask& M, std::span<const TPoint> P, bool Winding, Coverage Value) {
    const TRect& Box = M.Box();
    struct Crossing {
        double X;
        int Dir;
    };
    std::vector<Crossing> Xs;
    for (int Y = Box.Top; Y < Box.Bottom; ++Y) {
        Xs.clear();
        for (size_t I = 0; I < P.size(); ++I) {
            const TPoint& A = P[I];
            const TPoint& B = P[(I + 1) % P.size()];
            if (A.Y == B.Y) continue;
            const bool Down = A.Y < B.Y;
            const TPoint& Top = Down ? A : B;
            const TPoint& Bottom = Down ? B : A;
            if (Y < Top.Y || Y >= Bottom.Y) continue;
            const double X = Top.X + double(Y - Top.Y) * (Bottom.X - Top.X) / (Bottom.Y - Top.Y);
            Xs.push_back({X, Down ? 1 : -1});
        }
        std::sort(Xs.begin(), Xs.end(),
                  [](const Crossing& L, const Crossing& R) { return L.X < R.X; });
        int Count = 0;
        for (size_t I = 0; I + 1 < Xs.size(); ++I) {
            Count += Winding ? Xs[I].Dir : 1;
            const bool In = Winding ? Count != 0 : (Count % 2) != 0;
            if (!In) continue;
            const int X1 = int(std::ceil(Xs[I].X));
            const int X2 = int(std::ceil(Xs[I + 1].X));
            M.Span(Y, X1, X2, Value);
        }
    }
}

}  // namespace vcl::raster

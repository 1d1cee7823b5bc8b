// Geometry of the platform: points, sizes, half-open rectangles.
#pragma once

#include <algorithm>

namespace vcl {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Half-open: covers columns Left..Right-1 and rows Top..Bottom-1.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int X, int Y) { return {X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) {
    return {Left, Top, Left + Width, Top + Height};
}

inline bool PtInRect(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// Stores the common part of A and B in Dest; an empty result is all zeros and
// makes the function return false, as on the platform.
inline bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
    TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    if (R.IsEmpty()) {
        Dest = TRect{};
        return false;
    }
    Dest = R;
    return true;
}

inline bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
    if (A.IsEmpty()) {
        Dest = B;
    } else if (B.IsEmpty()) {
        Dest = A;
    } else {
        Dest = {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                std::max(A.Bottom, B.Bottom)};
    }
    return !Dest.IsEmpty();
}

inline void OffsetRect(TRect& R, int DX, int DY) {
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
}

inline void InflateRect(TRect& R, int DX, int DY) {
    R.Left -= DX;
    R.Right += DX;
    R.Top -= DY;
    R.Bottom += DY;
}

}  // namespace vcl

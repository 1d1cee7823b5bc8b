#include "qelbase/Frames.h"

#include <utility>

namespace QEL_base {

namespace {

// Draws with a one-pixel solid pen of the given colour; the caller's pen is
// restored by the guard.
class PenGuard {
public:
    explicit PenGuard(vcl::TCanvas* Canvas)
        : FPen(Canvas->Pen()), FColor(FPen->Color()), FWidth(FPen->Width()), FStyle(FPen->Style()) {
        FPen->SetWidth(1);
        FPen->SetStyle(vcl::psSolid);
    }
    ~PenGuard() {
        FPen->SetColor(FColor);
        FPen->SetWidth(FWidth);
        FPen->SetStyle(FStyle);
    }
    PenGuard(const PenGuard&) = delete;
    PenGuard& operator=(const PenGuard&) = delete;

private:
    vcl::TPen* FPen;
    vcl::TColor FColor;
    int FWidth;
    vcl::TPenStyle FStyle;
};

// LineTo leaves out its end point, so every segment runs one pixel further.
void Line(vcl::TCanvas* C, int X1, int Y1, int X2, int Y2, vcl::TColor Color) {
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2 + (X2 >= X1 ? 1 : -1) * (Y1 == Y2), Y2 + (Y2 >= Y1 ? 1 : -1) * (X1 == X2));
}

// The k-th line inside the rectangle (k = 0 is the outermost).
void Ring(vcl::TCanvas* C, int L, int T, int R, int B, int k, vcl::TColor TopLeft,
          vcl::TColor BottomRight) {
    L += k;
    T += k;
    R -= k;
    B -= k;
    if (L > R || T > B) return;
    if (L < R) Line(C, L, T, R - 1, T, TopLeft);
    if (T < B) Line(C, L, T, L, B - 1, TopLeft);
    Line(C, L, B, R, B, BottomRight);
    Line(C, R, T, R, B, BottomRight);
}

}  // namespace

void DrawFrame(vcl::TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               vcl::TColor C1, vcl::TColor C2, vcl::TColor C3, vcl::TColor C4, vcl::TColor C5) {
    if (!Canvas || Style == fsNoFrame) return;
    if (Left > Right) std::swap(Left, Right);
    if (Top > Bottom) std::swap(Top, Bottom);
    PenGuard Guard(Canvas);
    switch (Style) {
        case fsSimple:
            Ring(Canvas, Left, Top, Right, Bottom, 0, C5, C5);
            break;
        case fsLowered:
            Ring(Canvas, Left, Top, Right, Bottom, 0, C3, C1);
            Ring(Canvas, Left, Top, Right, Bottom, 1, C4, C2);
            break;
        case fsRaised:
            Ring(Canvas, Left, Top, Right, Bottom, 0, C1, C4);
            Ring(Canvas, Left, Top, Right, Bottom, 1, C2, C3);
            break;
        case fsEngraved:
            Ring(Canvas, Left, Top, Right, Bottom, 0, C3, C1);
            Ring(Canvas, Left, Top, Right, Bottom, 1, C1, C3);
            break;
        case fsEmbossed:
            Ring(Canvas, Left, Top, Right, Bottom, 0, C1, C3);
            Ring(Canvas, Left, Top, Right, Bottom, 1, C3, C1);
            break;
        case fsNoFrame:
            break;
    }
}

void DrawRectangle(vcl::TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
    if (!Canvas) return;
    // Each LineTo leaves out its end point, which the next segment starts
    // on; the last one ends on the first corner, drawn by the first segment.
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y1);
    Canvas->LineTo(X2, Y2);
    Canvas->LineTo(X1, Y2);
    Canvas->LineTo(X1, Y1);
    if (X1 == X2 && Y1 == Y2) Canvas->SetPixels(X1, Y1, Canvas->Pen()->Color());
}

}  // namespace QEL_base

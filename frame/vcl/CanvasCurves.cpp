// Curved shapes: Ellipse, RoundRect, Arc, Pie and Chord. Each is a region
// test "is this pixel centre inside the shape grown by d pixels"; the outline
// of a 1-pixel pen is the region's edge (inside pixels with a 4-neighbour
// outside), a wider pen covers the band within Width/2 of the edge, and the
// fill is what lies inside the outline.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "vcl/Graphics.h"
#include "vcl/Raster.h"

namespace vcl {

using namespace raster;

namespace {

using Region = std::function<bool(int X, int Y, double Grow)>;
using Filter = std::function<bool(int X, int Y)>;

// Continuous geometry of the box L..R-1 x T..B-1 (pixel centres on integers).
struct Box {
    double CX, CY;  // centre
    double RX, RY;  // half extent to the outer pixel edges
};

Box BoxOf(int L, int T, int R, int B) {
    return {(L + R - 1) / 2.0, (T + B - 1) / 2.0, (R - L) / 2.0, (B - T) / 2.0};
}

Region EllipseRegion(const Box& E) {
    return [E](int X, int Y, double Grow) {
        const double A = E.RX + Grow, B = E.RY + Grow;
        if (A <= 0 || B <= 0) return false;
        const double U = (X - E.CX) / A, V = (Y - E.CY) / B;
        return U * U + V * V <= 1.0 + 1e-9;
    };
}

// A box with elliptic corners of half axes CRX, CRY.
Region RoundRectRegion(const Box& E, double CRX, double CRY) {
    return [E, CRX, CRY](int X, int Y, double Grow) {
        const double HX = E.RX + Grow, HY = E.RY + Grow;
        const double DX = std::abs(X - E.CX), DY = std::abs(Y - E.CY);
        if (DX > HX + 1e-9 || DY > HY + 1e-9) return false;
        const double A = CRX + Grow, B = CRY + Grow;
        // Distance into the corner zone, measured from the corner ellipse's centre.
        const double CX = DX - (E.RX - CRX), CY = DY - (E.RY - CRY);
        if (CX <= 0 || CY <= 0) return true;
        if (A <= 0 || B <= 0) return false;
        const double U = CX / A, V = CY / B;
        return U * U + V * V <= 1.0 + 1e-9;
    };
}

// Angle of (X, Y) about C as seen on screen: counter-clockwise from +x.
double ScreenAngle(double X, double Y, double CX, double CY) {
    return std::atan2(-(Y - CY), X - CX);
}

// Whether angle A lies on the counter-clockwise sweep from Start to End;
// coinciding rays sweep the whole turn.
bool InSweep(double A, double Start, double End) {
    constexpr double Turn = 2 * std::numbers::pi;
    double Span = std::fmod(End - Start + 2 * Turn, Turn);
    if (Span < 1e-12) Span = Turn;
    return std::fmod(A - Start + 2 * Turn, Turn) <= Span + 1e-9;
}

struct ShapeJob {
    TRect Bounds;  // surface coordinates, the box of the shape
    Region Inside;
    Filter OnOutline;  // which edge pixels the pen draws (all when empty)
    Filter InFill;     // which inside pixels the brush fills (all when empty)
    bool Fill = true;
    bool Outline = true;
    TPoint Centre;  // for ordering dashes along the outline
};

// Rasterises a shape job into M with a pen of width W and style Style.
void Rasterise(Mask& M, const ShapeJob& J, int W, TPenStyle Style) {
    const TRect& MB = M.Box();
    const TRect Area{std::max(J.Bounds.Left - W, MB.Left), std::max(J.Bounds.Top - W, MB.Top),
                     std::min(J.Bounds.Right + W, MB.Right),
                     std::min(J.Bounds.Bottom + W, MB.Bottom)};
    auto Fills = [&](int X, int Y) { return J.Fill && (!J.InFill || J.InFill(X, Y)); };
    auto Draws = [&](int X, int Y) { return J.Outline && (!J.OnOutline || J.OnOutline(X, Y)); };
    std::vector<TPoint> Edge;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
        for (int X = Area.Left; X < Area.Right; ++X) {
            if (!J.Outline) {
                // Without a pen the fill is one pixel narrower and shorter,
                // as for Rectangle.
                if (J.Inside(X, Y, 0) && J.Inside(X + 1, Y, 0) && J.Inside(X, Y + 1, 0) &&
                    Fills(X, Y))
                    M.Set(X, Y, raster::Fill);
                continue;
            }
            if (W == 1) {
                if (!J.Inside(X, Y, 0)) continue;
                const bool OnEdge = !J.Inside(X - 1, Y, 0) || !J.Inside(X + 1, Y, 0) ||
                                    !J.Inside(X, Y - 1, 0) || !J.Inside(X, Y + 1, 0);
                if (OnEdge) {
                    if (Draws(X, Y)) Edge.push_back({X, Y});
                } else if (Fills(X, Y)) {
                    M.Set(X, Y, raster::Fill);
                }
                continue;
            }
            if (J.Inside(X, Y, -W / 2.0 - 0.5)) {
                if (Fills(X, Y)) M.Set(X, Y, raster::Fill);
            } else if (J.Inside(X, Y, W / 2.0 - 0.5) && Draws(X, Y)) {
                M.Set(X, Y, PenInk);
            }
        }
    }
    // Dashes run along the outline, so walk its pixels by angle.
    const TPoint C = J.Centre;
    if (!DashPattern(Style).empty())
        std::sort(Edge.begin(), Edge.end(), [C](const TPoint& A, const TPoint& B) {
            return ScreenAngle(A.X, A.Y, C.X, C.Y) < ScreenAngle(B.X, B.Y, C.X, C.Y);
        });
    Stroker S(M, Style, 1);
    for (const TPoint& P : Edge) S.CurvePixel(P.X, P.Y);
}

struct Ordered {
    int L, T, R, B;
};

Ordered Order(int X1, int Y1, int X2, int Y2, TPoint Origin) {
    return {std::min(X1, X2) + Origin.X, std::min(Y1, Y2) + Origin.Y, std::max(X1, X2) + Origin.X,
            std::max(Y1, Y2) + Origin.Y};
}

// The inside-frame pen keeps its whole width within the box.
Ordered InsideFrame(Ordered O, const TPen& Pen, int W) {
    if (Pen.Style() != psInsideFrame || W <= 1) return O;
    return {O.L + W / 2, O.T + W / 2, O.R - (W - 1) / 2, O.B - (W - 1) / 2};
}

enum class ArcKind { Arc, Pie, Chord };

}  // namespace

struct CurveDrawer {
    static void Draw(TCanvas& C, ShapeJob J) {
        const int W = CanvasAccess::PenWidth(C);
        J.Outline = J.Outline && CanvasAccess::PenVisible(C);
        J.Fill = J.Fill && CanvasAccess::BrushVisible(C);
        if (!J.Outline && !J.Fill) return;
        Mask M(CanvasAccess::MaskBox(C, J.Bounds, W + 1));
        if (M.Empty()) return;
        Rasterise(M, J, W, C.Pen()->Style());
        CanvasAccess::Apply(C, M);
    }

    static void ArcShape(TCanvas& C, ArcKind Kind, int X1, int Y1, int X2, int Y2, int X3, int Y3,
                         int X4, int Y4) {
        const int W = CanvasAccess::PenWidth(C);
        const TPoint O = C.Origin();
        const Ordered Q = InsideFrame(Order(X1, Y1, X2, Y2, O), *C.Pen(), W);
        if (Q.L >= Q.R || Q.T >= Q.B) return;
        const Box E = BoxOf(Q.L, Q.T, Q.R, Q.B);
        // The rays start at the box's integer centre.
        const double CX = Q.L + (Q.R - Q.L) / 2, CY = Q.T + (Q.B - Q.T) / 2;
        const double Start = ScreenAngle(X3 + O.X, Y3 + O.Y, CX, CY);
        const double End = ScreenAngle(X4 + O.X, Y4 + O.Y, CX, CY);
        auto Sweep = [=](int X, int Y) { return InSweep(ScreenAngle(X, Y, CX, CY), Start, End); };
        // Where a ray meets the curve (the path through the outer pixel centres).
        auto OnCurve = [&](double Angle) {
            const double A = std::max(E.RX - 0.5, 0.0), B = std::max(E.RY - 0.5, 0.0);
            const double UX = std::cos(Angle), UY = -std::sin(Angle);
            const double Den = std::sqrt((A > 0 ? UX * UX / (A * A) : (UX != 0 ? 1e18 : 0)) +
                                         (B > 0 ? UY * UY / (B * B) : (UY != 0 ? 1e18 : 0)));
            const double T = Den > 0 ? 1.0 / Den : 0.0;
            return TPoint{int(std::lround(E.CX + T * UX)), int(std::lround(E.CY + T * UY))};
        };
        const TPoint PS = OnCurve(Start), PE = OnCurve(End);

        ShapeJob J;
        J.Bounds = {Q.L, Q.T, Q.R, Q.B};
        J.Inside = EllipseRegion(E);
        J.Centre = {int(CX), int(CY)};
        J.OnOutline = Sweep;
        if (Kind == ArcKind::Arc) {
            J.Fill = false;
        } else if (Kind == ArcKind::Pie) {
            J.InFill = Sweep;
        } else {
            // The chord keeps the side of the line PS-PE that holds the arc.
            const double Mid =
                Start + std::fmod(End - Start + 4 * std::numbers::pi, 2 * std::numbers::pi) / 2;
            const TPoint PM = OnCurve(Mid);
            auto Side = [=](double X, double Y) {
                return (PE.X - PS.X) * (Y - PS.Y) - (PE.Y - PS.Y) * (X - PS.X);
            };
            const bool Positive = Side(PM.X, PM.Y) >= 0;
            J.InFill = [=](int X, int Y) {
                const double S = Side(X, Y);
                return Positive ? S >= 0 : S <= 0;
            };
            J.OnOutline = [=](int X, int Y) {
                const double S = Side(X, Y);
                return Positive ? S >= 0 : S <= 0;
            };
        }
        J.Outline = CanvasAccess::PenVisible(C);
        J.Fill = J.Fill && CanvasAccess::BrushVisible(C);
        if (!J.Outline && !J.Fill) return;
        Mask M(CanvasAccess::MaskBox(C, J.Bounds, W + 1));
        if (M.Empty()) return;
        Rasterise(M, J, W, C.Pen()->Style());
        if (J.Outline && Kind != ArcKind::Arc) {
            // Pie: the two radii; Chord: the closing line. End points included.
            Stroker S(M, W > 1 ? psSolid : C.Pen()->Style(), W);
            const TPoint Centre{int(CX), int(CY)};
            auto Line = [&](TPoint A, TPoint B) {
                S.Segment(A, B);
                if (W == 1) M.Set(B.X, B.Y, PenInk);
            };
            if (Kind == ArcKind::Pie) {
                Line(PE, Centre);
                Line(Centre, PS);
            } else {
                Line(PE, PS);
            }
        }
        CanvasAccess::Apply(C, M);
    }
};

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    const int W = CanvasAccess::PenWidth(*this);
    const Ordered Q = InsideFrame(Order(X1, Y1, X2, Y2, FOrigin), *FPen, W);
    if (Q.L >= Q.R || Q.T >= Q.B) return;
    ShapeJob J;
    J.Bounds = {Q.L, Q.T, Q.R, Q.B};
    const Box E = BoxOf(Q.L, Q.T, Q.R, Q.B);
    J.Inside = EllipseRegion(E);
    J.Centre = {int(E.CX), int(E.CY)};
    CurveDrawer::Draw(*this, J);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    const int W = CanvasAccess::PenWidth(*this);
    const Ordered Q = InsideFrame(Order(X1, Y1, X2, Y2, FOrigin), *FPen, W);
    if (Q.L >= Q.R || Q.T >= Q.B) return;
    // The corner ellipse never exceeds the box; too small a corner is square.
    const int CW = std::min(std::abs(X3), Q.R - Q.L), CH = std::min(std::abs(Y3), Q.B - Q.T);
    if (CW <= 2 || CH <= 2) {
        Rectangle(X1, Y1, X2, Y2);
        return;
    }
    ShapeJob J;
    J.Bounds = {Q.L, Q.T, Q.R, Q.B};
    const Box E = BoxOf(Q.L, Q.T, Q.R, Q.B);
    J.Inside = RoundRectRegion(E, CW / 2.0, CH / 2.0);
    J.Centre = {int(E.CX), int(E.CY)};
    CurveDrawer::Draw(*this, J);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CurveDrawer::ArcShape(*this, ArcKind::Arc, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CurveDrawer::ArcShape(*this, ArcKind::Pie, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    CurveDrawer::ArcShape(*this, ArcKind::Chord, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

// Scan-line flood fill, 4-connected, over the clip only. A visited mask keeps
// it finite when the brush colour equals the colour being followed.
void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
    const SurfaceView V = CanvasAccess::View(*this);
    const TPoint Start{X + V.Origin.X, Y + V.Origin.Y};
    if (!V.Pixels || !PtInRect(V.Clip, Start)) return;
    const uint32_t Target = ToPixel(Color) & 0xFFFFFF;
    auto Matches = [&](int PX, int PY) {
        const bool Same = (V.Row(PY)[PX] & 0xFFFFFF) == Target;
        return FillStyle == fsSurface ? Same : !Same;
    };
    if (!Matches(Start.X, Start.Y)) return;
    Mask M(V.Clip);
    const TRect& C = V.Clip;
    std::vector<TPoint> Stack{Start};
    while (!Stack.empty()) {
        const TPoint P = Stack.back();
        Stack.pop_back();
        if (M.At(P.X, P.Y) != None || !Matches(P.X, P.Y)) continue;
        int L = P.X, R = P.X + 1;
        while (L > C.Left && M.At(L - 1, P.Y) == None && Matches(L - 1, P.Y)) --L;
        while (R < C.Right && M.At(R, P.Y) == None && Matches(R, P.Y)) ++R;
        M.Span(P.Y, L, R, raster::Fill);
        for (int NY : {P.Y - 1, P.Y + 1}) {
            if (NY < C.Top || NY >= C.Bottom) continue;
            bool InRun = false;
            for (int NX = L; NX < R; ++NX) {
                const bool Open = M.At(NX, NY) == None && Matches(NX, NY);
                if (Open && !InRun) Stack.push_back({NX, NY});
                InRun = Open;
            }
        }
    }
    CanvasAccess::Apply(*this, M, pmCopy);
}

}  // namespace vcl

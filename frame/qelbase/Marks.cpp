#include "qelbase/Marks.h"

#include <array>
#include <cmath>
#include <numbers>

namespace QEL_base {

namespace {

enum class Shape {
    Dot,
    Square,
    Circle,
    TriUp,
    TriDown,
    Diamond,
    Plus,
    Cross,
    Asterisk,
    TriLeft,
    TriRight,
    Star,
    CirclePlus,
    SquareCross
};

struct MarkDef {
    Shape S;
    int R;
    bool Filled;
};

// The table of the header comment, row by row.
constexpr std::array<MarkDef, NumMarks> BuildMarks() {
    std::array<MarkDef, NumMarks> M{};
    M[0] = {Shape::Dot, 0, false};
    int i = 1;
    for (Shape S : {Shape::Square, Shape::Circle, Shape::TriUp, Shape::TriDown, Shape::Diamond})
        for (bool Filled : {false, true})
            for (int R : {2, 3, 4}) M[i++] = {S, R, Filled};
    for (Shape S : {Shape::Plus, Shape::Cross, Shape::Asterisk})
        for (int R : {2, 3, 4}) M[i++] = {S, R, false};
    for (int R : {3, 4})
        for (Shape S : {Shape::TriLeft, Shape::TriRight})
            for (bool Filled : {false, true}) M[i++] = {S, R, Filled};
    M[i++] = {Shape::Star, 5, false};
    M[i++] = {Shape::Star, 5, true};
    M[i++] = {Shape::CirclePlus, 4, false};
    M[i++] = {Shape::SquareCross, 4, false};
    return M;
}
constexpr std::array<MarkDef, NumMarks> Marks = BuildMarks();

// LineTo leaves out its end point; segments here include both ends.
void Segment(vcl::TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
    C->SetPixels(X2, Y2, C->Pen()->Color());
}

void Poly(vcl::TCanvas* C, std::initializer_list<vcl::TPoint> Pts) {
    C->Polygon(std::span<const vcl::TPoint>(Pts.begin(), Pts.size()));
}

void Star(vcl::TCanvas* C, int X, int Y, int R) {
    std::array<vcl::TPoint, 10> P;
    const double Inner = R * 0.45;
    for (int k = 0; k < 10; ++k) {
        const double A = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
        const double D = (k % 2 == 0) ? R : Inner;
        P[k] = {X + static_cast<int>(std::lround(D * std::cos(A))),
                Y + static_cast<int>(std::lround(D * std::sin(A)))};
    }
    C->Polygon(P);
}

void DrawShape(vcl::TCanvas* C, const MarkDef& M, int X, int Y) {
    const int R = M.R;
    // Box-based calls cover Left..Right-1, so the box ends one further.
    switch (M.S) {
        case Shape::Dot:
            C->SetPixels(X, Y, C->Pen()->Color());
            break;
        case Shape::Square:
            C->Rectangle(X - R, Y - R, X + R + 1, Y + R + 1);
            break;
        case Shape::Circle:
            C->Ellipse(X - R, Y - R, X + R + 1, Y + R + 1);
            break;
        case Shape::TriUp:
            Poly(C, {{X, Y - R}, {X + R, Y + R}, {X - R, Y + R}});
            break;
        case Shape::TriDown:
            Poly(C, {{X - R, Y - R}, {X + R, Y - R}, {X, Y + R}});
            break;
        case Shape::TriLeft:
            Poly(C, {{X - R, Y}, {X + R, Y - R}, {X + R, Y + R}});
            break;
        case Shape::TriRight:
            Poly(C, {{X + R, Y}, {X - R, Y + R}, {X - R, Y - R}});
            break;
        case Shape::Diamond:
            Poly(C, {{X, Y - R}, {X + R, Y}, {X, Y + R}, {X - R, Y}});
            break;
        case Shape::Plus:
            Segment(C, X - R, Y, X + R, Y);
            Segment(C, X, Y - R, X, Y + R);
            break;
        case Shape::Cross:
            Segment(C, X - R, Y - R, X + R, Y + R);
            Segment(C, X - R, Y + R, X + R, Y - R);
            break;
        case Shape::Asterisk:
            Segment(C, X - R, Y, X + R, Y);
            Segment(C, X, Y - R, X, Y + R);
            Segment(C, X - R, Y - R, X + R, Y + R);
            Segment(C, X - R, Y + R, X + R, Y - R);
            break;
        case Shape::Star:
            Star(C, X, Y, R);
            break;
        case Shape::CirclePlus:
            C->Ellipse(X - R, Y - R, X + R + 1, Y + R + 1);
            Segment(C, X - R + 2, Y, X + R - 2, Y);
            Segment(C, X, Y - R + 2, X, Y + R - 2);
            break;
        case Shape::SquareCross:
            C->Rectangle(X - R, Y - R, X + R + 1, Y + R + 1);
            Segment(C, X - R + 2, Y - R + 2, X + R - 2, Y + R - 2);
            Segment(C, X - R + 2, Y + R - 2, X + R - 2, Y - R + 2);
            break;
    }
}

}  // namespace

void DrawMarkOnCanvas(vcl::TCanvas* Canvas, int Mark, int X, int Y) {
    if (!Canvas || Mark < 0 || Mark >= NumMarks) return;
    vcl::TPen* Pen = Canvas->Pen();
    vcl::TBrush* Brush = Canvas->Brush();
    const vcl::TColor BrushColor = Brush->Color();
    const vcl::TBrushStyle BrushStyle = Brush->Style();
    const int PenWidth = Pen->Width();
    const vcl::TPenStyle PenStyle = Pen->Style();
    const vcl::TPoint PenPos = Canvas->PenPos();
    // Marks keep their shape whatever pen the caller drew with before.
    Pen->SetWidth(1);
    Pen->SetStyle(vcl::psSolid);
    const MarkDef& M = Marks[Mark];
    if (M.Filled) {
        Brush->SetColor(Pen->Color());
        Brush->SetStyle(vcl::bsSolid);
    } else {
        Brush->SetStyle(vcl::bsClear);
    }
    DrawShape(Canvas, M, X, Y);
    Brush->SetColor(BrushColor);
    Brush->SetStyle(BrushStyle);
    Pen->SetWidth(PenWidth);
    Pen->SetStyle(PenStyle);
    Canvas->SetPenPos(PenPos);
}

}  // namespace QEL_base

// Renders every plot mark and every frame style into one PNG for the
// documentation: qelbase_gallery [output.png] (default docs/marks-and-frames.png).
// Shapes are drawn at their real size and shown magnified four times, so
// that single pixels stay visible.
#include <cstdio>
#include <exception>
#include <string>

#include "qelbase/Frames.h"
#include "qelbase/Marks.h"
#include "vcl/Graphics.h"

namespace {

constexpr int Zoom = 4;
constexpr int Margin = 16;
constexpr int MarkCell = 16;  // real pixels per mark cell
constexpr int MarkCols = 13;
constexpr int LabelH = 18;
constexpr vcl::TColor Face = 0xC8D0D4;

// Draws Small magnified onto Canvas with its top-left corner at (X, Y).
void Magnified(vcl::TCanvas* Canvas, vcl::TBitmap& Small, int X, int Y) {
    Canvas->StretchDraw(vcl::Rect(X, Y, X + Small.Width() * Zoom, Y + Small.Height() * Zoom),
                        &Small);
}

void Label(vcl::TCanvas* Canvas, int X, int Y, int Width, const std::string& Text) {
    Canvas->TextOut(X + (Width - Canvas->TextWidth(Text)) / 2, Y, Text);
}

void PaintMarks(vcl::TCanvas* Canvas, int Top) {
    const int Cell = MarkCell * Zoom;
    for (int Mark = 0; Mark < QEL_base::NumMarks; ++Mark) {
        vcl::TBitmap Small(MarkCell, MarkCell);
        vcl::TCanvas* C = Small.Canvas();
        C->Brush()->SetColor(vcl::clWhite);
        C->FillRect(vcl::Rect(0, 0, MarkCell, MarkCell));
        C->Pen()->SetColor(vcl::clNavy);
        QEL_base::DrawMarkOnCanvas(C, Mark, MarkCell / 2, MarkCell / 2);
        const int X = Margin + (Mark % MarkCols) * Cell;
        const int Y = Top + (Mark / MarkCols) * (Cell + LabelH);
        Magnified(Canvas, Small, X, Y);
        Canvas->Pen()->SetColor(Face);
        Canvas->Brush()->SetStyle(vcl::bsClear);
        Canvas->Rectangle(X, Y, X + Cell + 1, Y + Cell + 1);
        Label(Canvas, X, Y + Cell + 1, Cell, std::to_string(Mark));
    }
}

void PaintFrames(vcl::TCanvas* Canvas, int Top) {
    static const char* const Names[] = {"0 none",   "1 simple",   "2 lowered",
                                        "3 raised", "4 engraved", "5 embossed"};
    constexpr int W = 30, H = 18;
    for (int Style = 0; Style <= 5; ++Style) {
        vcl::TBitmap Small(W, H);
        vcl::TCanvas* C = Small.Canvas();
        C->Brush()->SetColor(Face);
        C->FillRect(vcl::Rect(0, 0, W, H));
        QEL_base::DrawFrame(C, static_cast<QEL_base::TFrameStyle>(Style), 2, 2, W - 3, H - 3,
                            vcl::clWhite, vcl::clSilver, vcl::clGray, vcl::clBlack, vcl::clNavy);
        const int X = Margin + Style * (W * Zoom + 16);
        Magnified(Canvas, Small, X, Top);
        Label(Canvas, X, Top + H * Zoom + 2, W * Zoom, Names[Style]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string Out = argc > 1 ? argv[1] : "docs/marks-and-frames.png";
    try {
        const int MarkRows = (QEL_base::NumMarks + MarkCols - 1) / MarkCols;
        const int Width = 2 * Margin + MarkCols * MarkCell * Zoom;
        const int MarksTop = Margin + 24;
        const int FramesTop = MarksTop + MarkRows * (MarkCell * Zoom + LabelH) + 40;
        const int Height = FramesTop + 18 * Zoom + LabelH + Margin;
        vcl::TBitmap Picture(Width, Height);
        vcl::TCanvas* C = Picture.Canvas();
        C->Brush()->SetColor(vcl::clWhite);
        C->FillRect(vcl::Rect(0, 0, Width, Height));
        C->Font()->SetSize(10);
        C->Brush()->SetStyle(vcl::bsClear);
        C->TextOut(Margin, Margin, "Plot marks 0-51 (DrawMarkOnCanvas), shown 4x");
        PaintMarks(C, MarksTop);
        C->Brush()->SetStyle(vcl::bsClear);
        C->TextOut(Margin, FramesTop - 24, "Frame styles (DrawFrame), shown 4x");
        PaintFrames(C, FramesTop);
        Picture.SaveToFile(Out);
        std::printf("%s\n", Out.c_str());
    } catch (const std::exception& E) {
        std::fprintf(stderr, "qelbase_gallery: %s\n", E.what());
        return 1;
    }
    return 0;
}

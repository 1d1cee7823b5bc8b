// TNumIO2: geometry and painting.
#include <algorithm>
#include <cmath>

#include "frame/Engraved.h"
#include "frame/PaintBuffer.h"
#include "numio/NumIO2.h"
#include "numio/NumIO2Internal.h"

namespace QEL_NumIO {

using kestrix::Half;
using namespace vcl;

// ---- Geometry and painting -------------------------------------------------

struct TNumIO2::TLayout {
    int W, H;
    int LS, TB;
    int Th;    // sample text height
    int G;     // gauge strip below the text band
    int S;     // room taken by the spin buttons
    int Band;  // H - G: bottom of captions, box and buttons
    int Ycap;  // caption and number y
    int Fx;    // freeze box x
};

int TNumIO2::FreezeBoxX() const {
    const int S = FButVisible ? FButWidth + FButSpace : 0;
    return FLeftSpace + S + FTextBoxWidth + FFreezeBoxLeft + 8;
}

int TNumIO2::GaugeStrip() const { return FGaugeVisib ? FGaugeHeight + FGaugeTopMarg + 1 : 0; }

TNumIO2::TLayout TNumIO2::Layout(int TextHeight) const {
    TLayout L;
    L.W = Width();
    L.H = Height();
    L.LS = FLeftSpace;
    L.TB = FTextBoxWidth;
    L.Th = TextHeight;
    L.G = GaugeStrip();
    L.S = FButVisible ? FButWidth + FButSpace : 0;
    L.Band = L.H - L.G;
    L.Ycap = Half(L.Band - L.Th);
    L.Fx = FreezeBoxX();
    return L;
}

void TNumIO2::Paint() {
    if (FSuppressPaint || !kestrix::PaintsNow(*this)) return;
    TCanvas& Target = *Canvas();
    if (FAutoSize) {
        Target.SetFont(Font());
        SetHeight(Target.TextHeight("E0") + 6);
    }
    kestrix::TPaintBuffer Buffer(Target, *Font(), Width(), Height());
    TCanvas& C = Buffer.Canvas();
    const TLayout L = Layout(Buffer.TextHeight());

    C.Pen()->SetColor(FColorOutBG);
    C.Brush()->SetColor(FColorOutBG);
    C.Brush()->SetStyle(bsSolid);
    C.Rectangle(0, 0, L.W, L.H);
    PaintLeftCaption(C, L);
    PaintButtons(C, L);
    PaintRightCaption(C, L);
    PaintFreezeBox(C, L);
    PaintGauge(C, L);
    PaintBox(C, L);
    PaintNumber(C, L);
    Buffer.CopyTo(Target);
}

void TNumIO2::PaintLeftCaption(TCanvas& C, const TLayout& L) {
    const int Tl = C.TextWidth(FLeftText);
    int Xl = L.LS - Tl - 5;
    if (FLTAlignment == taLeftJustify) Xl = 7;
    if (FLTAlignment == taCenter) Xl = Half(L.LS - Tl);
    PaintCaption(C, FLeftText, Xl, L.Ycap);
}

// Drawn after the spin buttons: a long right-justified caption covers them,
// but not the text box.
void TNumIO2::PaintRightCaption(TCanvas& C, const TLayout& L) {
    const int Tr = C.TextWidth(FRightText);
    int Xr = L.LS + L.S + L.TB + 7;
    if (FRTAlignment == taRightJustify) Xr = L.W - Tr - 6;
    if (FRTAlignment == taCenter) Xr = Half(L.W - L.LS - L.S - L.TB - Tr) + L.LS + L.S + L.TB + 1;
    PaintCaption(C, FRightText, Xr, L.Ycap);
}

void TNumIO2::PaintCaption(TCanvas& C, const std::string& Text, int X, int Y) {
    if (Enabled()) {
        C.Font()->SetColor(FColorOutText);
        C.Brush()->SetColor(FColorOutBG);
        C.Brush()->SetStyle(bsSolid);
        C.TextOut(X, Y, Text);
    } else {
        kestrix::TextOutEngraved(C, X, Y, Text);
    }
}

void TNumIO2::PaintButtons(TCanvas& C, const TLayout& L) {
    if (!FButVisible) return;
    const int X0 = L.LS + L.TB + FButSpace;
    const int X1 = X0 + FButWidth;
    const int Hb = Half(FButHeight);
    const int Q = Half(Hb);
    const int Cx = X0 + 1 + Half(FButWidth);

    C.Brush()->SetStyle(bsSolid);
    C.Pen()->SetColor(clGray);
    C.Brush()->SetColor(FButColor);
    C.Rectangle(X0, 0, X1 + 1, 2 * Hb - 1);
    C.MoveTo(X0, Hb - 1);
    C.LineTo(X1, Hb - 1);
    if (FBut3D) {
        C.Pen()->SetColor(clWhite);
        C.MoveTo(X0 + 1, 2 * Hb - 3);
        C.LineTo(X0 + 1, Hb);
        C.LineTo(X1, Hb);
        C.MoveTo(X0 + 1, Hb - 2);
        C.LineTo(X0 + 1, 1);
        C.LineTo(X1, 1);
        C.Pen()->SetColor(clBlack);
        C.MoveTo(X0 + 1, 2 * Hb - 1);
        C.LineTo(X1 + 1, 2 * Hb - 1);
        C.LineTo(X1 + 1, 1);
    }
    C.Pen()->SetColor(Enabled() && !FReadOnly ? clBlack : clGray);
    for (int I = 1; I <= 3; ++I) {
        C.MoveTo(Cx - I, Q + I - 2);  // up arrow, widening downwards
        C.LineTo(Cx + I, Q + I - 2);
        C.MoveTo(Cx - I, Q + Hb + 1 - I);  // down arrow, widening upwards
        C.LineTo(Cx + I, Q + Hb + 1 - I);
    }
}

void TNumIO2::DrawBoxFrame(TCanvas& C, QEL_base::TFrameStyle Style, bool Flag, int L, int T, int R,
                           int B) {
    if (Style == QEL_base::fsNoFrame)
        C.Pen()->SetColor(Flag ? FColorBoxBG : clSilver);
    else if (Style == QEL_base::fsEngraved)
        C.Pen()->SetColor(FColWhiteLine);
    else
        C.Pen()->SetColor(FColGrayLine);
    if (Style == QEL_base::fsNoFrame || Style == QEL_base::fsSimple)
        C.Rectangle(L, T, R, B);
    else
        DrawBevel(C, Style, L, T, R, B);
}

void TNumIO2::DrawBevel(TCanvas& C, QEL_base::TFrameStyle Style, int L, int T, int R, int B) {
    C.Rectangle(L, T, R - 1, B - 1);
    TColor First = FColGrayLine, Second = FColGrayLine;
    if (Style == QEL_base::fsLowered) First = FColBlackLine, Second = FColWhiteLine;
    if (Style == QEL_base::fsRaised) First = FColWhiteLine, Second = FColBlackLine;
    if (Style == QEL_base::fsEmbossed) First = Second = FColWhiteLine;
    C.Pen()->SetColor(First);
    C.MoveTo(L + 1, B - 3);
    C.LineTo(L + 1, T + 1);
    C.LineTo(R - 2, T + 1);
    C.Pen()->SetColor(Second);
    C.MoveTo(L + 1, B - 1);
    C.LineTo(R - 1, B - 1);
    C.LineTo(R - 1, T);
}

void TNumIO2::PaintFreezeBox(TCanvas& C, const TLayout& L) {
    if (!FFreezeBoxVisib) return;
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(Enabled() ? FColorBoxBG : clSilver);
    DrawBoxFrame(C, FFrameStyle, Enabled(), L.Fx, FFreezeBoxTop, L.Fx + FFreezeBoxSize,
                 FFreezeBoxTop + FFreezeBoxSize);
    if (!FFreezeBoxChecked) return;
    const int Mx = L.Fx + Half(FFreezeBoxSize);
    const int My = FFreezeBoxTop + Half(FFreezeBoxSize);
    C.Pen()->SetColor(clBlack);
    C.MoveTo(Mx - 4, My + 1);
    C.LineTo(Mx - 2, My + 3);
    C.LineTo(Mx + 4, My - 3);
    C.MoveTo(Mx - 3, My + 1);
    C.LineTo(Mx - 1, My + 3);
    C.LineTo(Mx + 5, My - 3);
}

void TNumIO2::PaintGauge(TCanvas& C, const TLayout& L) {
    if (!FGaugeVisib) return;
    const int GL = FGaugeLeftMarg;
    const int GW = FGaugeWidth;
    const int Yt = L.Band + FGaugeTopMarg;
    const int Yb = Yt + FGaugeHeight;

    C.Brush()->SetStyle(bsSolid);
    C.Pen()->SetColor(FGaugeFrameSt == QEL_base::fsNoFrame ? FGaugeColorBg : FGaugeColorFrm);
    C.Brush()->SetColor(FGaugeColorBg);
    C.Rectangle(GL, Yt, GL + GW, Yb);

    const TColor Bar = Enabled() && !FReadOnly ? FGaugeColor : clGray;
    C.Pen()->SetColor(Bar);
    C.Brush()->SetColor(Bar);
    double F = 1.0;
    if (FMaximum != FMinimum) F = GaugeFraction(Value(), FMinimum, FMaximum);
    if (!(F >= 0.0)) F = std::isnan(F) ? 1.0 : 0.0;
    if (F > 1.0) F = 1.0;
    C.Rectangle(GL, Yt, GL + static_cast<int>(Round(GW * F)), Yb);

    if (FGaugeFrameSt == QEL_base::fsNoFrame || FGaugeFrameSt == QEL_base::fsSimple) {
        if (FGaugeFrameSt == QEL_base::fsSimple) {
            C.Pen()->SetColor(FGaugeColorFrm);
            C.Brush()->SetStyle(bsClear);
            C.Rectangle(GL, Yt, GL + GW, Yb);
        }
        return;
    }
    C.Pen()->SetColor(FGaugeFrameSt == QEL_base::fsEngraved ? FColWhiteLine : FColGrayLine);
    C.Brush()->SetStyle(bsClear);
    // Outline over GL..GL+GW-1 and Yt..Yb-1, bevel lines reaching column GL+GW and row Yb.
    DrawBevel(C, FGaugeFrameSt, GL, Yt, GL + GW + 1, Yb + 1);
}

void TNumIO2::PaintBox(TCanvas& C, const TLayout& L) {
    TColor Bg = OutOfRange() ? FColorWarnBG : FColorBoxBG;
    if (!Enabled() || FFreezeBoxChecked) Bg = clSilver;
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(Bg);
    DrawBoxFrame(C, FFrameStyle, FFreezeBoxChecked, L.LS, 0, L.LS + L.TB + 2, L.Band);
}

void TNumIO2::PaintNumber(TCanvas& C, const TLayout& L) {
    if (FHideNumInEdi) return;
    const int Tw = C.TextWidth(FInBuffer);
    const int Wc = C.TextWidth(FInBuffer.substr(0, static_cast<size_t>(FCaretPos)));
    TColor Fg = OutOfRange() ? FColorWarnTxt : FColorBoxText;
    if (!Enabled() || FFreezeBoxChecked) Fg = clGray;
    C.Font()->SetColor(Fg);

    int X = L.LS + Half(L.TB - Tw) + 2;
    int K = Wc + Half(L.TB - Tw) + 1;
    if (FAlignment == taLeftJustify) X = L.LS + 4, K = Wc + 3;
    if (FAlignment == taRightJustify) X = L.LS + L.TB - Tw - 2, K = L.TB + Wc - Tw - 3;
    C.TextRect(Rect(L.LS + 3, 2, L.LS + L.TB - 1, L.Band - 3), X, L.Ycap, FInBuffer);

    if (K > 0 && K < L.TB && FCaretVisib) {
        C.Pen()->SetColor(clBlack);
        C.MoveTo(L.LS + K, 3);
        C.LineTo(L.LS + K, L.Band - 3);
    }
    if (FSelBegin < FSelEnd && (Focused() || !FHideSel)) {
        const int X0 = std::clamp(CharPosToXCoords(FSelBegin), L.LS, L.LS + L.TB);
        const int X1 = std::clamp(CharPosToXCoords(FSelEnd), L.LS, L.LS + L.TB);
        const TRect Sel = Rect(X0, 3, X1, L.Band - 3);
        C.SetCopyMode(cmNotSrcCopy);
        C.CopyRect(Sel, &C, Sel);
        C.SetCopyMode(cmSrcCopy);
    }
}

int TNumIO2::CharPosToXCoords(int I) {
    TCanvas& C = *Canvas();
    C.SetFont(Font());
    I = std::clamp(I, 0, TextLength(FInBuffer));
    const int Tw = C.TextWidth(FInBuffer);
    const int Wi = C.TextWidth(FInBuffer.substr(0, static_cast<size_t>(I)));
    if (FAlignment == taLeftJustify) return FLeftSpace + 4 + Wi;
    if (FAlignment == taRightJustify) return FLeftSpace + FTextBoxWidth - Tw - 2 + Wi;
    return FLeftSpace + Half(FTextBoxWidth - Tw) + 2 + Wi;
}

int TNumIO2::XCoordsToCharPos(int X) {
    const int N = TextLength(FInBuffer);
    if (N == 0) return 0;
    TCanvas& C = *Canvas();
    C.SetFont(Font());
    const int Tw = C.TextWidth(FInBuffer);
    // An average width below one pixel (an empty or microscopic font) counts
    // as one, so every x still has a nearest boundary.
    const int A = std::max(Tw / N, 1);
    int Cx = X - FLeftSpace - Half(FTextBoxWidth - Tw) - 1;
    if (FAlignment == taLeftJustify) Cx = X - FLeftSpace - 3;
    if (FAlignment == taRightJustify) Cx = X + Tw - FLeftSpace - FTextBoxWidth + 3;
    Cx = std::clamp(Cx, 0, Tw);
    // The grid of average widths can reach past the last character; the
    // caret cannot.
    return std::min((Cx + Half(A)) / A, N);
}

}  // namespace QEL_NumIO

#include "buttons/gradfl.h"

#include <algorithm>

#include "frame/PaintBuffer.h"
#include "qelbase/Frames.h"
#include "qelbase/Types.h"
#include "vcl/TypInfo.h"
#include "vcl/Windows.h"

namespace QEL_gradfl {

namespace {

struct TRgb {
    int R, G, B;
};

TRgb Channels(vcl::TColor Color) {
    const vcl::TColor C = vcl::ColorToRGB(Color);
    return {vcl::GetRValue(C), vcl::GetGValue(C), vcl::GetBValue(C)};
}

// F + MulDiv(Step, D, Steps) per channel: Step of Steps on the way from F
// to F + D, rounded.
vcl::TColor Between(TRgb F, TRgb D, int Step, int Steps) {
    auto At = [&](int From, int Delta) {
        return static_cast<uint8_t>(std::clamp(From + vcl::MulDiv(Step, Delta, Steps), 0, 255));
    };
    return vcl::RGB(At(F.R, D.R), At(F.G, D.G), At(F.B, D.B));
}

bool Horizontal(TGradType T) { return T == gtHoriz || T == gtMidBandHoriz; }

}  // namespace

TGradFill::TGradFill(vcl::TComponent* AOwner) : vcl::TGraphicControl(AOwner) {
    SetHeight(121);
    SetWidth(121);
}

void TGradFill::Assign(vcl::TPersistent* Source) {
    auto* S = dynamic_cast<TGradFill*>(Source);
    if (!S) {
        vcl::TGraphicControl::Assign(Source);
        return;
    }
    FNrColors = S->FNrColors;
    FGradType = S->FGradType;
    FColorFirst = S->FColorFirst;
    FColorLast = S->FColorLast;
    FColFirstOrg = S->FColFirstOrg;
    FColLastOrg = S->FColLastOrg;
    FColorsFlipped = S->FColorsFlipped;
    FFrameStyle = S->FFrameStyle;
    FGridMode = S->FGridMode;
    FGridColor = S->FGridColor;
    Invalidate();
}

void TGradFill::AssignTo(vcl::TPersistent* Dest) {
    if (auto* D = dynamic_cast<TGradFill*>(Dest)) {
        D->Assign(this);
        return;
    }
    vcl::TGraphicControl::AssignTo(Dest);
}

void TGradFill::SetNrColors(int Value) {
    // One band at least; more than 255 steps cannot differ in an 8-bit channel.
    FNrColors = std::clamp(Value, 1, 255);
    Invalidate();
}

void TGradFill::SetFillType(TGradType Value) {
    if (Value == FGradType) return;
    FGradType = Value;
    Invalidate();
}

void TGradFill::SetColorFirst(vcl::TColor Value) {
    FColorFirst = Value;
    (FColorsFlipped ? FColLastOrg : FColFirstOrg) = Value;
    Invalidate();
}

void TGradFill::SetColorLast(vcl::TColor Value) {
    FColorLast = Value;
    (FColorsFlipped ? FColFirstOrg : FColLastOrg) = Value;
    Invalidate();
}

void TGradFill::SetColorFlipped(bool Value) {
    FColorsFlipped = Value;
    FColorFirst = Value ? FColLastOrg : FColFirstOrg;
    FColorLast = Value ? FColFirstOrg : FColLastOrg;
    Invalidate();
}

void TGradFill::SetFrameStyle(QEL_base::TFrameStyle Value) {
    FFrameStyle = Value;
    Invalidate();
}

void TGradFill::SetGridMode(TGridMode Value) {
    FGridMode = Value;
    Invalidate();
}

void TGradFill::SetGridColor(vcl::TColor Value) {
    FGridColor = Value;
    Invalidate();
}

void TGradFill::DrawGradient(vcl::TBitmap& Bmp) {
    vcl::TCanvas& C = *Bmp.Canvas();
    const int W = Bmp.Width(), H = Bmp.Height(), N = FNrColors;
    const TRgb F = Channels(FColorFirst), L = Channels(FColorLast);
    const TRgb D{L.R - F.R, L.G - F.G, L.B - F.B};
    const bool MidBand = FGradType == gtMidBandHoriz || FGradType == gtMidBandVert;
    const int HalfN = N / 2;

    C.Brush()->SetStyle(vcl::bsSolid);
    for (int I = 0; I < N; ++I) {
        vcl::TRect Band = vcl::Rect(0, 0, W, H);
        if (Horizontal(FGradType)) {
            Band.Top = vcl::MulDiv(I, H, N);
            Band.Bottom = vcl::MulDiv(I + 1, H, N);
        } else {
            Band.Left = vcl::MulDiv(I, W, N);
            Band.Right = vcl::MulDiv(I + 1, W, N);
        }
        // A single band has the first colour; a mid band climbs to the last
        // colour at band HalfN and comes back down.
        int Step = 0, Steps = 1;
        if (N > 1) {
            Step = MidBand && I > HalfN ? N - I - 1 : I;
            Steps = MidBand ? HalfN : N;
        }
        C.Brush()->SetColor(Between(F, D, Step, Steps));
        C.FillRect(Band);
    }

    C.Pen()->SetColor(FGridColor);
    C.Pen()->SetWidth(1);
    C.Pen()->SetStyle(vcl::psSolid);
    for (int I = 1; I < N; ++I) {
        if (FGridMode == gmHoriz || FGridMode == gmBoth) {
            const int Y = vcl::MulDiv(I, H, N);
            C.MoveTo(0, Y);
            C.LineTo(W, Y);
        }
        if (FGridMode == gmVert || FGridMode == gmBoth) {
            const int X = vcl::MulDiv(I, W, N);
            C.MoveTo(X, 0);
            C.LineTo(X, H);
        }
    }

    QEL_base::DrawFrame(&C, FFrameStyle, 0, 0, Width() - 1, Height() - 1, vcl::clWhite,
                        vcl::clSilver, vcl::clGray, vcl::clBlack, vcl::clBlack);
}

void TGradFill::Paint() {
    if (!kestrix::PaintsNow(*this)) return;
    vcl::TBitmap Bmp(Width(), Height());
    DrawGradient(Bmp);
    vcl::TCanvas& Target = *Canvas();
    Target.SetCopyMode(vcl::cmSrcCopy);
    Target.Draw(0, 0, &Bmp);
    if (OnPaint) OnPaint(this);
}

const vcl::TEnumType TGradTypeInfo{"TGradType",
                                   {"gtHoriz", "gtVert", "gtMidBandHoriz", "gtMidBandVert"}};
const vcl::TEnumType TGridModeInfo{"TGridMode", {"gmNone", "gmHoriz", "gmVert", "gmBoth"}};

namespace {

const bool Registered = [] {
    vcl::RegisterClass<TGradFill, vcl::TGraphicControl>("TGradFill")
        .Int("NrColors", &TGradFill::NrColors, &TGradFill::SetNrColors)
        .Default(16)
        .Enum("FillType", &TGradFill::FillType, &TGradFill::SetFillType, TGradTypeInfo)
        .Default(gtHoriz)
        // ColorFirst and ColorLast are the colours in effect, flipped or not.
        // A form file must therefore flip before it sets them, or a flipped
        // fill would come back with its colours the wrong way round.
        .Bool("ColorFlipped", &TGradFill::ColorFlipped, &TGradFill::SetColorFlipped)
        .Color("ColorFirst", &TGradFill::ColorFirst, &TGradFill::SetColorFirst)
        .Color("ColorLast", &TGradFill::ColorLast, &TGradFill::SetColorLast)
        .Enum("FrameStyle", &TGradFill::FrameStyle, &TGradFill::SetFrameStyle,
              QEL_base::TFrameStyleTypeInfo)
        .Enum("GridMode", &TGradFill::GridMode, &TGradFill::SetGridMode, TGridModeInfo)
        .Color("GridColor", &TGradFill::GridColor, &TGradFill::SetGridColor)
        .Event("OnPaint", &TGradFill::OnPaint);
    return true;
}();

}  // namespace

}  // namespace QEL_gradfl

#include <algorithm>
#include <cstring>

#include "vcl/Graphics.h"

namespace vcl {

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TPen

void TPen::Assign(TPersistent* Source) {
    if (auto* Pen = dynamic_cast<TPen*>(Source)) {
        FColor = Pen->FColor;
        FWidth = Pen->FWidth;
        FStyle = Pen->FStyle;
        FMode = Pen->FMode;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    // The platform ignores negative widths; 0 stays 0 and draws one pixel wide.
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    FMode = Value;
    Changed();
}

// ---------------------------------------------------------------- TBrush

void TBrush::Assign(TPersistent* Source) {
    if (auto* Brush = dynamic_cast<TBrush*>(Source)) {
        FColor = Brush->FColor;
        FStyle = Brush->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    // Choosing a colour for a clear brush makes it solid, as on the platform.
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

// ---------------------------------------------------------------- TFont

namespace {
std::string& DefaultFace() {
    static std::string Name = "DejaVu Sans";
    return Name;
}
}  // namespace

std::string DefaultFontName() { return DefaultFace(); }

void SetDefaultFontName(const std::string& Name) {
    if (!Name.empty()) DefaultFace() = Name;
}

void TFont::Assign(TPersistent* Source) {
    if (auto* Font = dynamic_cast<TFont*>(Source)) {
        FName = Font->FName;
        FHeight = Font->FHeight;
        FColor = Font->FColor;
        FStyle = Font->FStyle;
        FOrientation = Font->FOrientation;
        FQuality = Font->FQuality;
        FPitch = Font->FPitch;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, PixelsPerInch, 72)); }

void TFont::SetHeight(int Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetOrientation(int Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    Changed();
}

void TFont::SetQuality(TFontQuality Value) {
    if (Value == FQuality) return;
    FQuality = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    Changed();
}

HFONT TFont::Handle() const {
    auto LF = std::make_shared<TLogFont>();
    LF->lfHeight = FHeight;
    LF->lfEscapement = FOrientation;
    LF->lfOrientation = FOrientation;
    LF->lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    LF->lfItalic = FStyle.Contains(fsItalic);
    LF->lfUnderline = FStyle.Contains(fsUnderline);
    LF->lfStrikeOut = FStyle.Contains(fsStrikeOut);
    LF->lfCharSet = DEFAULT_CHARSET;
    LF->lfQuality = uint8_t(FQuality);  // the ordinals are the platform's quality values
    LF->lfPitchAndFamily = FPitch == fpFixed      ? FIXED_PITCH
                           : FPitch == fpVariable ? VARIABLE_PITCH
                                                  : DEFAULT_PITCH;
    // Cut the name at a code-point boundary so the stored face stays UTF-8.
    size_t N = std::min(FName.size(), sizeof(LF->lfFaceName) - 1);
    while (N > 0 && N < FName.size() && (uint8_t(FName[N]) & 0xC0) == 0x80) --N;
    std::memcpy(LF->lfFaceName, FName.data(), N);
    return LF;
}

void TFont::SetHandle(const HFONT& Value) {
    if (!Value) return;
    const TLogFont& LF = *Value;
    const std::string Face(LF.lfFaceName, strnlen(LF.lfFaceName, sizeof(LF.lfFaceName)));
    if (!Face.empty()) FName = Face;
    // Height 0 asks the window system for its default size.
    FHeight = LF.lfHeight != 0 ? LF.lfHeight : -11;
    FStyle = TFontStyles{};
    if (LF.lfWeight >= 600) FStyle.Include(fsBold);
    if (LF.lfItalic) FStyle.Include(fsItalic);
    if (LF.lfUnderline) FStyle.Include(fsUnderline);
    if (LF.lfStrikeOut) FStyle.Include(fsStrikeOut);
    FOrientation = LF.lfEscapement;
    FQuality = LF.lfQuality <= fqClearTypeNatural ? TFontQuality(LF.lfQuality) : fqDefault;
    const int Pitch = LF.lfPitchAndFamily & 3;
    FPitch = Pitch == FIXED_PITCH ? fpFixed : Pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    Changed();
}

}  // namespace vcl

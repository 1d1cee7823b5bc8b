// Platform styles: when a component takes its colours from the active style.
//
// A component follows the style for one element (client area, font, border)
// only while a style is active and the component's StyleElements contains
// that element; otherwise its own colour properties apply. This lets an
// application opt single components out of the style, element by element.
#pragma once

#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/Themes.h"

namespace kestrix {

inline bool StyleApplies(const vcl::TControl& Control, vcl::TStyleElement Element) {
    return vcl::StyleServices().Enabled() && Control.StyleElements().Contains(Element);
}

// The five colours a frame is drawn with: light, highlight, shadow, dark
// shadow and the outer border.
struct TFrameColors {
    vcl::TColor C1, C2, C3, C4, C5;
};

// The classic white, silver, gray and black (no border colour), or under an
// active style with seClient the style's own 3-D colours and border.
inline TFrameColors FrameColors(const vcl::TControl& Control) {
    if (!StyleApplies(Control, vcl::seClient))
        return {vcl::clWhite, vcl::clSilver, vcl::clGray, vcl::clBlack, 0};
    const vcl::TCustomStyleServices& S = vcl::StyleServices();
    return {S.GetSystemColor(vcl::cl3DLight), S.GetSystemColor(vcl::clBtnHighlight),
            S.GetSystemColor(vcl::clBtnShadow), S.GetSystemColor(vcl::cl3DDkShadow),
            S.GetStyleColor(vcl::scBorder)};
}

}  // namespace kestrix

#include "vcl/Themes.h"

namespace vcl {

TColor TCustomStyleServices::GetStyleColor(TStyleColor Color) const {
    if (!FActive) return clNone;
    auto It = FStyle.Colors.find(Color);
    return It == FStyle.Colors.end() ? clNone : It->second;
}

TColor TCustomStyleServices::GetStyleFontColor(TStyleFont Font) const {
    if (!FActive) return clWindowText;
    auto It = FStyle.FontColors.find(Font);
    return It == FStyle.FontColors.end() ? clWindowText : It->second;
}

TColor TCustomStyleServices::GetSystemColor(TColor Color) const {
    if (!FActive || (Color & 0xFF000000) != clSystemColor) return Color;
    auto It = FStyle.SystemColors.find(Color);
    return It == FStyle.SystemColors.end() ? Color : It->second;
}

void TCustomStyleServices::Activate(TStyleColors Style) {
    FStyle = std::move(Style);
    FActive = true;
}

void TCustomStyleServices::Deactivate() {
    FActive = false;
    FStyle = {};
}

TCustomStyleServices& StyleServices() {
    static auto* Instance = new TCustomStyleServices();
    return *Instance;
}

}  // namespace vcl

// Platform styles. No style is active unless one is activated (tests do);
// components ask StyleServices() whether one is, and take its colours for the
// style elements they allow (StyleElements: seClient, seFont, seBorder).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "vcl/Graphics.h"

namespace vcl {

enum TStyleColor : uint8_t {
    scBorder,
    scButtonDisabled,
    scButtonFocused,
    scButtonHot,
    scButtonNormal,
    scButtonPressed,
    scCategoryButtons,
    scCategoryButtonsGradientBase,
    scCategoryButtonsGradientEnd,
    scCategoryPanelGroup,
    scComboBox,
    scComboBoxDisabled,
    scEdit,
    scEditDisabled,
    scGrid,
    scGenericBackground,
    scGenericGradientBase,
    scGenericGradientEnd,
    scHintGradientBase,
    scHintGradientEnd,
    scListBox,
    scListBoxDisabled,
    scListView,
    scPanel,
    scPanelDisabled,
    scSplitter,
    scToolBarGradientBase,
    scToolBarGradientEnd,
    scTreeView,
    scWindow
};

enum TStyleFont : uint8_t {
    sfButtonTextDisabled,
    sfButtonTextFocused,
    sfButtonTextHot,
    sfButtonTextNormal,
    sfButtonTextPressed,
    sfCaptionTextInactive,
    sfCaptionTextNormal,
    sfCheckBoxTextDisabled,
    sfCheckBoxTextNormal,
    sfEditBoxTextDisabled,
    sfEditBoxTextFocused,
    sfEditBoxTextHot,
    sfEditBoxTextNormal,
    sfEditBoxTextSelected,
    sfGridItemFixedNormal,
    sfGridItemNormal,
    sfGridItemSelected,
    sfListItemTextDisabled,
    sfListItemTextNormal,
    sfListItemTextSelected,
    sfPanelTextDisabled,
    sfPanelTextNormal,
    sfTreeItemTextDisabled,
    sfTreeItemTextNormal,
    sfTreeItemTextSelected,
    sfWindowTextDisabled,
    sfWindowTextNormal
};

// The colours of one style. Colours the style does not name fall back:
// style colours to clNone, font colours to clWindowText, system colours to
// the colour asked for.
struct TStyleColors {
    std::string Name;
    std::map<TStyleColor, TColor> Colors;
    std::map<TStyleFont, TColor> FontColors;
    std::map<TColor, TColor> SystemColors;
};

class TCustomStyleServices {
public:
    // True while a style is active.
    bool Enabled() const { return FActive; }
    std::string Name() const { return FActive ? FStyle.Name : std::string(); }
    TColor GetStyleColor(TStyleColor Color) const;
    TColor GetStyleFontColor(TStyleFont Font) const;
    // The style's value for a system colour; without a style, or for a plain
    // colour, the colour itself.
    TColor GetSystemColor(TColor Color) const;

    void Activate(TStyleColors Style);
    void Deactivate();

private:
    bool FActive = false;
    TStyleColors FStyle;
};

TCustomStyleServices& StyleServices();

}  // namespace vcl

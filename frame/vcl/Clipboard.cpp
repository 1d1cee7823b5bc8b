#include "vcl/Clipboard.h"

#include "vcl/Host.h"

namespace vcl {

std::string TClipboard::AsText() const {
    return Host().ClipboardHasText() ? Host().ClipboardText() : std::string();
}

void TClipboard::SetAsText(const std::string& Value) { Host().SetClipboardText(Value); }

bool TClipboard::HasFormat(uint16_t Format) const {
    bool Text = Format == CF_TEXT || Format == CF_UNICODETEXT || Format == CF_OEMTEXT;
    return Text && Host().ClipboardHasText();
}

void TClipboard::Clear() { Host().ClearClipboard(); }

TClipboard* Clipboard() {
    static auto* Instance = new TClipboard();
    return Instance;
}

}  // namespace vcl

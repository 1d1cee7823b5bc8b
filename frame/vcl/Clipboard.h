// The clipboard: text only, through the active host (the headless host keeps
// it in memory, the SDL host uses the desktop's clipboard).
#pragma once

#include <cstdint>
#include <string>

#include "vcl/Classes.h"

namespace vcl {

inline constexpr uint16_t CF_TEXT = 1;
inline constexpr uint16_t CF_OEMTEXT = 7;
inline constexpr uint16_t CF_UNICODETEXT = 13;

class TClipboard : public TPersistent {
public:
    std::string ClassName() const override { return "TClipboard"; }

    // UTF-8 text; empty when the clipboard holds none.
    std::string AsText() const;
    void SetAsText(const std::string& Value);
    // True for the text formats while the clipboard holds text.
    bool HasFormat(uint16_t Format) const;
    void Clear();
    // The platform brackets multi-step changes with Open/Close; with one
    // text format there is nothing to bracket.
    void Open() {}
    void Close() {}
};

// The application's clipboard object.
TClipboard* Clipboard();

}  // namespace vcl

// The SDL host: a real window per shown form, the desktop's clipboard, real
// time, and SDL's mouse and keyboard mapped to the platform's messages (key
// codes to virtual keys, text input to KeyPress).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vcl/Host.h"

namespace vcl {

class TSdlHost : public THost {
public:
    // Opens the video subsystem; EHostError when there is no display.
    TSdlHost();
    ~TSdlHost() override;

    // Whether a display can be opened (tries it, and closes it again).
    static bool DisplayAvailable();
    // The virtual key of an SDL key code, or 0 for keys without one.
    static uint16_t VirtualKeyOf(int32_t SdlKey);

    uint64_t Now() override;
    void PumpEvents(bool Wait, uint64_t Until) override;
    void RunModal(TObject* Modal, const std::function<bool()>& Finished) override;
    void FormShown(TCustomForm* Form) override;
    void FormHidden(TCustomForm* Form) override;
    void FormChanged(TCustomForm* Form) override;
    void FormDestroyed(TCustomForm* Form) override;
    void Present(TCustomForm* Form) override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    void SetCursor(int Cursor) override;
    bool ClipboardHasText() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& Text) override;
    void ClearClipboard() override;
    void Beep(uint32_t Type) override;
    void ShowException(const std::string& Message) override;

    // Reads the window's pixels back as the desktop shows them (for smoke
    // tests of the window path); nullptr when the form has no window.
    std::unique_ptr<class TBitmap> WindowPixels(TCustomForm* Form);

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

}  // namespace vcl

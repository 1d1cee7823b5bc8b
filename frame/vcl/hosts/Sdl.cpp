#include "vcl/hosts/Sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "vcl/Forms.h"
#include "vcl/SysUtils.h"

namespace vcl {

namespace {

struct TWindow {
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    int TextureWidth = 0;
    int TextureHeight = 0;
};

bool Resizable(TFormBorderStyle S) { return S == bsSizeable || S == bsSizeToolWin; }

SDL_SystemCursor SystemCursorOf(int Cursor) {
    switch (Cursor) {
        case crCross:
            return SDL_SYSTEM_CURSOR_CROSSHAIR;
        case crIBeam:
            return SDL_SYSTEM_CURSOR_IBEAM;
        case crSizeNESW:
            return SDL_SYSTEM_CURSOR_SIZENESW;
        case crSizeNS:
        case crVSplit:
            return SDL_SYSTEM_CURSOR_SIZENS;
        case crSizeNWSE:
            return SDL_SYSTEM_CURSOR_SIZENWSE;
        case crSizeWE:
        case crHSplit:
            return SDL_SYSTEM_CURSOR_SIZEWE;
        case crHourGlass:
        case crSQLWait:
            return SDL_SYSTEM_CURSOR_WAIT;
        case crAppStart:
            return SDL_SYSTEM_CURSOR_WAITARROW;
        case crNo:
        case crNoDrop:
            return SDL_SYSTEM_CURSOR_NO;
        case crHandPoint:
            return SDL_SYSTEM_CURSOR_HAND;
        case crSizeAll:
            return SDL_SYSTEM_CURSOR_SIZEALL;
        default:
            return SDL_SYSTEM_CURSOR_ARROW;
    }
}

bool InitVideo() { return SDL_Init(SDL_INIT_VIDEO) == 0; }

}  // namespace

struct TSdlHost::TImpl {
    std::map<TCustomForm*, TWindow> Windows;
    std::map<SDL_SystemCursor, SDL_Cursor*> Cursors;

    TCustomForm* FormOf(Uint32 WindowId) {
        SDL_Window* W = SDL_GetWindowFromID(WindowId);
        for (auto& [Form, Win] : Windows)
            if (Win.Window == W) return Form;
        return nullptr;
    }

    void Destroy(TWindow& W) {
        if (W.Texture) SDL_DestroyTexture(W.Texture);
        if (W.Renderer) SDL_DestroyRenderer(W.Renderer);
        if (W.Window) SDL_DestroyWindow(W.Window);
        W = {};
    }

    void Handle(const SDL_Event& E);
};

TSdlHost::TSdlHost() : FImpl(std::make_unique<TImpl>()) {
    if (!InitVideo()) throw EHostError(std::string("Cannot open a display: ") + SDL_GetError());
    SDL_StartTextInput();
}

TSdlHost::~TSdlHost() {
    for (auto& [Form, Win] : FImpl->Windows) FImpl->Destroy(Win);
    for (auto& [Kind, C] : FImpl->Cursors) SDL_FreeCursor(C);
    SDL_Quit();
}

bool TSdlHost::DisplayAvailable() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (!InitVideo()) return false;
    SDL_Quit();
    return true;
}

uint16_t TSdlHost::VirtualKeyOf(int32_t Key) {
    if (Key >= SDLK_a && Key <= SDLK_z) return static_cast<uint16_t>('A' + (Key - SDLK_a));
    if (Key >= SDLK_0 && Key <= SDLK_9) return static_cast<uint16_t>('0' + (Key - SDLK_0));
    if (Key >= SDLK_F1 && Key <= SDLK_F12) return static_cast<uint16_t>(VK_F1 + (Key - SDLK_F1));
    if (Key >= SDLK_KP_1 && Key <= SDLK_KP_9)
        return static_cast<uint16_t>(VK_NUMPAD0 + 1 + (Key - SDLK_KP_1));
    switch (Key) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_KP_0:
            return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY:
            return VK_MULTIPLY;
        case SDLK_KP_PLUS:
            return VK_ADD;
        case SDLK_KP_MINUS:
            return VK_SUBTRACT;
        case SDLK_KP_PERIOD:
            return VK_DECIMAL;
        case SDLK_KP_DIVIDE:
            return VK_DIVIDE;
        case SDLK_PLUS:
        case SDLK_EQUALS:
            return VK_OEM_PLUS;
        case SDLK_COMMA:
            return VK_OEM_COMMA;
        case SDLK_MINUS:
            return VK_OEM_MINUS;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD;
        default:
            return 0;
    }
}

uint64_t TSdlHost::Now() { return SDL_GetTicks64(); }

void TSdlHost::TImpl::Handle(const SDL_Event& E) {
    auto Deliver = [](TCustomForm* Form, auto Action) {
        if (Form) GuardedDispatch([&] { Action(Form); });
    };
    switch (E.type) {
        case SDL_QUIT:
            if (TCustomForm* Main = Application->MainForm())
                Deliver(Main, [](TCustomForm* F) { F->Close(); });
            else
                Application->Terminate();
            break;
        case SDL_WINDOWEVENT: {
            TCustomForm* Form = FormOf(E.window.windowID);
            switch (E.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    Deliver(Form, [](TCustomForm* F) { F->Perform(WM_CLOSE); });
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    Deliver(Form, [&](TCustomForm* F) {
                        F->SetBounds(F->Left(), F->Top(), E.window.data1, E.window.data2);
                    });
                    break;
                case SDL_WINDOWEVENT_MOVED:
                    Deliver(Form, [&](TCustomForm* F) {
                        F->SetBounds(E.window.data1, E.window.data2, F->Width(), F->Height());
                    });
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                    Deliver(Form, [](TCustomForm* F) {
                        F->InvalidateSurface(Rect(0, 0, F->Width(), F->Height()));
                    });
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    Deliver(Form, [](TCustomForm* F) {
                        if (F->CanFocus() && !F->Active()) F->SetFocus();
                    });
                    break;
                default:
                    break;
            }
            break;
        }
        case SDL_MOUSEMOTION:
            Deliver(FormOf(E.motion.windowID),
                    [&](TCustomForm* F) { F->HostMouseMove(E.motion.x, E.motion.y); });
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            TMouseButton B = E.button.button == SDL_BUTTON_RIGHT    ? mbRight
                             : E.button.button == SDL_BUTTON_MIDDLE ? mbMiddle
                                                                    : mbLeft;
            bool Down = E.type == SDL_MOUSEBUTTONDOWN;
            bool Double = Down && E.button.clicks == 2;
            Deliver(FormOf(E.button.windowID), [&](TCustomForm* F) {
                F->HostMouseButton(B, Down, Double, E.button.x, E.button.y);
            });
            break;
        }
        case SDL_MOUSEWHEEL: {
            int X = 0, Y = 0;
            SDL_GetMouseState(&X, &Y);
            int Delta = E.wheel.y * WHEEL_DELTA;
            Deliver(FormOf(E.wheel.windowID),
                    [&](TCustomForm* F) { F->HostMouseWheel(Delta, X, Y); });
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            SDL_Keymod Mod = static_cast<SDL_Keymod>(E.key.keysym.mod);
            SetKeyDown(VK_SHIFT, Mod & KMOD_SHIFT);
            SetKeyDown(VK_CONTROL, Mod & KMOD_CTRL);
            SetKeyDown(VK_MENU, Mod & KMOD_ALT);
            uint16_t Key = VirtualKeyOf(E.key.keysym.sym);
            if (!Key) break;
            bool Down = E.type == SDL_KEYDOWN;
            SetKeyDown(Key, Down);
            Deliver(FormOf(E.key.windowID), [&](TCustomForm* F) {
                if (!Down) {
                    F->HostKeyUp(Key);
                    return;
                }
                if (F->HostKeyDown(Key)) return;
                // Keys that type a control character, which SDL's text input
                // does not report.
                char32_t Ch = 0;
                if (Key == VK_RETURN || Key == VK_BACK || Key == VK_ESCAPE || Key == VK_TAB)
                    Ch = Key == VK_RETURN   ? U'\r'
                         : Key == VK_BACK   ? U'\b'
                         : Key == VK_ESCAPE ? 27
                                            : U'\t';
                else if ((Mod & KMOD_CTRL) && Key >= 'A' && Key <= 'Z')
                    Ch = Key - 'A' + 1;
                if (Ch) F->HostChar(Ch);
            });
            break;
        }
        case SDL_TEXTINPUT:
            Deliver(FormOf(E.text.windowID), [&](TCustomForm* F) {
                for (char32_t C : DecodeUtf8(E.text.text)) F->HostChar(C);
            });
            break;
        default:
            break;
    }
}

void TSdlHost::PumpEvents(bool Wait, uint64_t Until) {
    SDL_Event E;
    if (Wait) {
        uint64_t Now = SDL_GetTicks64();
        // Wake up at least twice a second: events that SDL does not report
        // (a timer set from another handler) must not wait longer.
        uint64_t Span = Until > Now ? std::min<uint64_t>(Until - Now, 500) : 0;
        if (SDL_WaitEventTimeout(&E, static_cast<int>(Span))) FImpl->Handle(E);
    }
    while (SDL_PollEvent(&E)) FImpl->Handle(E);
}

void TSdlHost::RunModal(TObject*, const std::function<bool()>& Finished) {
    while (!Finished()) {
        Application->HandleMessage();
        if (Application->Terminated()) break;
    }
}

void TSdlHost::FormShown(TCustomForm* Form) {
    TWindow& W = FImpl->Windows[Form];
    if (!W.Window) {
        Uint32 Flags = SDL_WINDOW_HIDDEN;
        if (Resizable(Form->BorderStyle())) Flags |= SDL_WINDOW_RESIZABLE;
        if (Form->BorderStyle() == bsNone) Flags |= SDL_WINDOW_BORDERLESS;
        int X = Form->Position() == poDesigned ? Form->Left() : SDL_WINDOWPOS_CENTERED;
        int Y = Form->Position() == poDesigned ? Form->Top() : SDL_WINDOWPOS_CENTERED;
        W.Window = SDL_CreateWindow(Form->Caption().c_str(), X, Y, std::max(Form->Width(), 1),
                                    std::max(Form->Height(), 1), Flags);
        if (!W.Window) throw EHostError(std::string("Cannot open a window: ") + SDL_GetError());
        W.Renderer = SDL_CreateRenderer(W.Window, -1, 0);
        if (!W.Renderer) W.Renderer = SDL_CreateRenderer(W.Window, -1, SDL_RENDERER_SOFTWARE);
        if (!W.Renderer) {
            std::string Why = SDL_GetError();
            FImpl->Destroy(W);
            FImpl->Windows.erase(Form);
            throw EHostError("Cannot draw into a window: " + Why);
        }
    }
    SDL_ShowWindow(W.Window);
    SDL_RaiseWindow(W.Window);
}

void TSdlHost::FormHidden(TCustomForm* Form) {
    auto It = FImpl->Windows.find(Form);
    if (It != FImpl->Windows.end() && It->second.Window) SDL_HideWindow(It->second.Window);
}

void TSdlHost::FormChanged(TCustomForm* Form) {
    auto It = FImpl->Windows.find(Form);
    if (It == FImpl->Windows.end()) return;
    SDL_Window* W = It->second.Window;
    SDL_SetWindowTitle(W, Form->Caption().c_str());
    SDL_SetWindowResizable(W, Resizable(Form->BorderStyle()) ? SDL_TRUE : SDL_FALSE);
    int Width = 0, Height = 0;
    SDL_GetWindowSize(W, &Width, &Height);
    if (Width != Form->Width() || Height != Form->Height())
        SDL_SetWindowSize(W, std::max(Form->Width(), 1), std::max(Form->Height(), 1));
}

void TSdlHost::FormDestroyed(TCustomForm* Form) {
    auto It = FImpl->Windows.find(Form);
    if (It == FImpl->Windows.end()) return;
    FImpl->Destroy(It->second);
    FImpl->Windows.erase(It);
}

void TSdlHost::Present(TCustomForm* Form) {
    auto It = FImpl->Windows.find(Form);
    if (It == FImpl->Windows.end()) return;
    TWindow& W = It->second;
    TBitmap* S = Form->Surface();
    if (S->Width() <= 0 || S->Height() <= 0) return;
    if (!W.Texture || W.TextureWidth != S->Width() || W.TextureHeight != S->Height()) {
        if (W.Texture) SDL_DestroyTexture(W.Texture);
        // BGRA in memory is ARGB8888 read as a little-endian word.
        W.Texture = SDL_CreateTexture(W.Renderer, SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, S->Width(), S->Height());
        if (!W.Texture) return;
        SDL_SetTextureBlendMode(W.Texture, SDL_BLENDMODE_NONE);
        W.TextureWidth = S->Width();
        W.TextureHeight = S->Height();
    }
    SDL_UpdateTexture(W.Texture, nullptr, S->ScanLine(0),
                      static_cast<int>(S->Width() * sizeof(uint32_t)));
    SDL_RenderClear(W.Renderer);
    SDL_RenderCopy(W.Renderer, W.Texture, nullptr, nullptr);
    SDL_RenderPresent(W.Renderer);
}

std::unique_ptr<TBitmap> TSdlHost::WindowPixels(TCustomForm* Form) {
    auto It = FImpl->Windows.find(Form);
    if (It == FImpl->Windows.end()) return nullptr;
    TWindow& W = It->second;
    int Width = 0, Height = 0;
    if (SDL_GetRendererOutputSize(W.Renderer, &Width, &Height) != 0) return nullptr;
    // Render again: what a renderer shows after a present is not kept.
    Present(Form);
    auto B = std::make_unique<TBitmap>(Width, Height);
    if (SDL_RenderReadPixels(W.Renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, B->ScanLine(0),
                             Width * static_cast<int>(sizeof(uint32_t))) != 0)
        return nullptr;
    return B;
}

int TSdlHost::ScreenWidth() {
    SDL_DisplayMode M;
    return SDL_GetCurrentDisplayMode(0, &M) == 0 ? M.w : 0;
}

int TSdlHost::ScreenHeight() {
    SDL_DisplayMode M;
    return SDL_GetCurrentDisplayMode(0, &M) == 0 ? M.h : 0;
}

void TSdlHost::SetCursor(int Cursor) {
    SDL_SystemCursor Kind = SystemCursorOf(Cursor);
    SDL_Cursor*& C = FImpl->Cursors[Kind];
    if (!C) C = SDL_CreateSystemCursor(Kind);
    if (C) SDL_SetCursor(C);
    SDL_ShowCursor(Cursor == crNone ? SDL_DISABLE : SDL_ENABLE);
}

bool TSdlHost::ClipboardHasText() { return SDL_HasClipboardText() == SDL_TRUE; }

std::string TSdlHost::ClipboardText() {
    char* T = SDL_GetClipboardText();
    std::string S = T ? T : "";
    SDL_free(T);
    return S;
}

void TSdlHost::SetClipboardText(const std::string& Text) { SDL_SetClipboardText(Text.c_str()); }

void TSdlHost::ClearClipboard() { SDL_SetClipboardText(""); }

void TSdlHost::Beep(uint32_t) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

void TSdlHost::ShowException(const std::string& Message) {
    std::fprintf(stderr, "%s\n", Message.c_str());
}

}  // namespace vcl

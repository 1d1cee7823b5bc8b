// Smoke test of the SDL host on a private X server (Xvfb): the showcase opens
// in a real window, a click travels through SDL into the form, and the
// window's pixels show the result. Skipped where Xvfb is not installed.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>

#include "frame/Package.h"
#include "vcl/FormFiles.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Sdl.h"

#if defined(__SANITIZE_ADDRESS__)
#define KESTRIX_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRIX_LSAN 1
#endif
#endif
#ifdef KESTRIX_LSAN
#include <sanitizer/lsan_interface.h>
#endif

extern char** environ;

using namespace vcl;

namespace {

std::string FindXvfb() {
    for (const char* Dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        std::string P = std::string(Dir) + "/Xvfb";
        if (access(P.c_str(), X_OK) == 0) return P;
    }
    return {};
}

// An Xvfb on the first free display of :90..:99, stopped with the object.
class TXvfb {
public:
    bool Start() {
        std::string Bin = FindXvfb();
        if (Bin.empty()) return false;
        for (int N = 90; N < 100; ++N) {
            std::string Lock = "/tmp/.X" + std::to_string(N) + "-lock";
            std::string Socket = "/tmp/.X11-unix/X" + std::to_string(N);
            if (access(Lock.c_str(), F_OK) == 0 || access(Socket.c_str(), F_OK) == 0) continue;
            std::string Display = ":" + std::to_string(N);
            const char* Argv[] = {Bin.c_str(),  Display.c_str(), "-screen", "0",
                                  "800x600x24", "-nolisten",     "tcp",     nullptr};
            if (posix_spawn(&FPid, Bin.c_str(), nullptr, nullptr, const_cast<char**>(Argv),
                            environ) != 0)
                return false;
            for (int Wait = 0; Wait < 100; ++Wait) {
                if (access(Socket.c_str(), F_OK) == 0) {
                    setenv("DISPLAY", Display.c_str(), 1);
                    return true;
                }
                usleep(50000);
            }
            Stop();
        }
        return false;
    }
    void Stop() {
        if (FPid <= 0) return;
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
        FPid = 0;
    }
    ~TXvfb() { Stop(); }

private:
    pid_t FPid = 0;
};

TColor Pixel(TBitmap& B, int X, int Y) { return B.ScanLine(Y)[X] & 0xFFFFFF; }

void Settle() {
    for (int I = 0; I < 20; ++I) {
        Application->ProcessMessages();
        SDL_Delay(10);
    }
}

TEST(SdlHost, TheShowcaseOpensInAWindowAndAClickChangesItsPixels) {
    TXvfb Server;
    if (!Server.Start()) GTEST_SKIP() << "no Xvfb to run a display on";
#ifdef KESTRIX_LSAN
    // The desktop bus and X libraries behind SDL keep allocations for the
    // life of the process; the headless tests check our own code for leaks.
    __lsan::ScopedDisabler NotOurs;
#endif
    // The showcase holds the library's components: their package registers them.
    kestrix::Initialize();
    auto Previous = SetHost(std::make_unique<TSdlHost>());
    auto& Sdl = static_cast<TSdlHost&>(Host());
    {
        TForm Form(nullptr);
        TFormReadOptions Lenient;
        Lenient.IgnoreMissingMethods = true;
        LoadComponentFromFile(&Form, std::string(KESTRIX_SOURCE_DIR) + "/examples/showcase.dfm",
                              Lenient);
        Form.SetPosition(poDesigned);
        Form.SetBounds(0, 0, Form.Width(), Form.Height());
        TPoint Clicked{-1, -1};
        Form.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
            Clicked = {X, Y};
            Form.Canvas()->Brush()->SetColor(clFuchsia);
            Form.Canvas()->FillRect(Rect(X - 3, Y - 3, X + 4, Y + 4));
        };
        Form.Show();
        Settle();

        auto Before = Sdl.WindowPixels(&Form);
        ASSERT_TRUE(Before);
        ASSERT_EQ(Before->Width(), Form.Width());
        std::set<TColor> Colours;
        for (int Y = 0; Y < Before->Height(); Y += 3)
            for (int X = 0; X < Before->Width(); X += 3) Colours.insert(Pixel(*Before, X, Y));
        EXPECT_GT(Colours.size(), 2u) << "the window shows more than a blank face";

        // A point of the form itself, away from every control.
        TPoint At{-1, -1};
        for (int Y = Form.ClientHeight() - 6; Y > 5 && At.X < 0; Y -= 4)
            for (int X = Form.ClientWidth() - 6; X > 5 && At.X < 0; X -= 4)
                if (!Form.ControlAtPos({X, Y}, true)) At = {X, Y};
        ASSERT_GE(At.X, 0) << "the showcase leaves some of the form bare";
        SDL_Event E{};
        E.type = SDL_MOUSEBUTTONDOWN;
        E.button.button = SDL_BUTTON_LEFT;
        E.button.state = SDL_PRESSED;
        E.button.clicks = 1;
        E.button.x = At.X;
        E.button.y = At.Y;
        // The form's window is the only one.
        for (Uint32 Id = 1; Id < 16 && !E.button.windowID; ++Id)
            if (SDL_GetWindowFromID(Id)) E.button.windowID = Id;
        SDL_PushEvent(&E);
        E.type = SDL_MOUSEBUTTONUP;
        E.button.state = SDL_RELEASED;
        SDL_PushEvent(&E);
        Settle();

        EXPECT_EQ(Clicked, At);
        auto After = Sdl.WindowPixels(&Form);
        ASSERT_TRUE(After);
        EXPECT_NE(Pixel(*Before, At.X, At.Y), Pixel(*After, At.X, At.Y));
        EXPECT_EQ(Pixel(*After, At.X, At.Y), 0xFF00FFu) << "the window shows the fuchsia mark";
        EXPECT_EQ(Pixel(*After, 1, 1), Pixel(*Before, 1, 1)) << "only the clicked place changed";
    }
    SetHost(std::move(Previous));
}

}  // namespace

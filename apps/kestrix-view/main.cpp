// kestrix-view [FORM.dfm] [--png OUT.png] [--size WxH]
//
// Shows a form file in a window when a display is available; renders it to a
// PNG file without one, or when --png asks for it. Without a form file it
// opens the showcase, examples/showcase.dfm.
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "frame/Package.h"
#include "vcl/FormFiles.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Headless.h"
#ifdef KESTRIX_HAVE_SDL
#include "vcl/hosts/Sdl.h"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: kestrix-view [FORM.dfm] [--png OUT.png] [--size WxH]\n";

struct TOptions {
    std::string FormFile;
    std::optional<std::string> Png;
    std::optional<std::pair<int, int>> Size;
};

// "640x480" with both parts positive; nullopt otherwise.
std::optional<std::pair<int, int>> ParseSize(const std::string& S) {
    // from_chars rather than sscanf: an overlong number must be refused, not
    // overflow.
    const char* End = S.data() + S.size();
    int W = 0, H = 0;
    auto [AfterW, ErrW] = std::from_chars(S.data(), End, W);
    if (ErrW != std::errc() || AfterW == End || (*AfterW != 'x' && *AfterW != 'X'))
        return std::nullopt;
    auto [AfterH, ErrH] = std::from_chars(AfterW + 1, End, H);
    if (ErrH != std::errc() || AfterH != End) return std::nullopt;
    if (W <= 0 || H <= 0 || W > 16384 || H > 16384) return std::nullopt;
    return std::make_pair(W, H);
}

// The showcase next to the program (a build tree inside the source tree, or
// an installed examples folder), else in the source tree it was built from.
std::string FindShowcase() {
    std::error_code Ec;
    fs::path Exe = fs::read_symlink("/proc/self/exe", Ec);
    if (!Ec) {
        for (fs::path Dir = Exe.parent_path(); !Dir.empty(); Dir = Dir.parent_path()) {
            fs::path Candidate = Dir / "examples" / "showcase.dfm";
            if (fs::exists(Candidate, Ec)) return Candidate.string();
            if (Dir == Dir.root_path()) break;
        }
    }
    return std::string(KESTRIX_SOURCE_DIR) + "/examples/showcase.dfm";
}

bool ParseArgs(int Argc, char** Argv, TOptions& Options) {
    std::vector<std::string> Args(Argv + 1, Argv + Argc);
    for (size_t I = 0; I < Args.size(); ++I) {
        const std::string& A = Args[I];
        if (A == "--png" || A == "--size") {
            if (I + 1 >= Args.size()) return false;
            const std::string& Value = Args[++I];
            if (A == "--png") {
                Options.Png = Value;
            } else {
                Options.Size = ParseSize(Value);
                if (!Options.Size) {
                    std::fprintf(stderr, "kestrix-view: --size wants WxH, not '%s'\n",
                                 Value.c_str());
                    return false;
                }
            }
        } else if (A == "-h" || A == "--help") {
            std::fputs(Usage, stdout);
            std::exit(0);
        } else if (!A.empty() && A[0] == '-') {
            return false;
        } else if (Options.FormFile.empty()) {
            Options.FormFile = A;
        } else {
            return false;
        }
    }
    if (Options.FormFile.empty()) Options.FormFile = FindShowcase();
    return true;
}

bool UseWindow(const TOptions& Options) {
#ifdef KESTRIX_HAVE_SDL
    if (Options.Png) return false;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return false;
    return vcl::TSdlHost::DisplayAvailable();
#else
    (void)Options;
    return false;
#endif
}

int Run(const TOptions& Options) {
    bool Window = UseWindow(Options);
#ifdef KESTRIX_HAVE_SDL
    if (Window) vcl::SetHost(std::make_unique<vcl::TSdlHost>());
#endif
    vcl::TForm* Form = nullptr;
    vcl::Application->CreateForm(Form);
    vcl::TFormReadOptions Read;
    // The handlers of the form's own application are not here: a viewer
    // shows the form without them.
    Read.IgnoreMissingMethods = true;
    vcl::LoadComponentFromFile(Form, Options.FormFile, Read);
    if (Options.Size)
        Form->SetBounds(Form->Left(), Form->Top(), Options.Size->first, Options.Size->second);
    if (Window) {
        vcl::Application->Run();
        return 0;
    }
    // Shown on the headless host, so that windowed controls get their window
    // and paint as they would on screen.
    Form->Show();
    std::string Out =
        Options.Png ? *Options.Png : fs::path(Options.FormFile).stem().string() + ".png";
    vcl::Headless().SaveScreenshot(Form, Out);
    std::printf("kestrix-view: wrote %s (%dx%d)\n", Out.c_str(), Form->Width(), Form->Height());
    return 0;
}

}  // namespace

int main(int Argc, char** Argv) {
    TOptions Options;
    if (!ParseArgs(Argc, Argv, Options)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    // Loads the runtime package, whose components register their classes.
    kestrix::Initialize();
    try {
        return Run(Options);
    } catch (const std::exception& E) {
        std::fprintf(stderr, "kestrix-view: %s\n", E.what());
        return 1;
    }
}

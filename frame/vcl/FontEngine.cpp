#include "vcl/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <tuple>
#include <unordered_map>

namespace vcl::text {

struct Face {
    FT_Face Handle = nullptr;
    int Id = 0;
    bool SynthBold = false;
    bool SynthItalic = false;
};

namespace {

// The last resort when fontconfig finds nothing at all.
constexpr const char* FallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr size_t CacheLimit = 16384;

struct GlyphKey {
    int FaceId;
    int Em;
    uint32_t Index;
    int Angle;
    bool Antialias;
    bool operator==(const GlyphKey&) const = default;
};

struct GlyphKeyHash {
    size_t operator()(const GlyphKey& K) const {
        size_t H = size_t(K.FaceId) * 0x9E3779B97F4A7C15ull;
        H ^= size_t(K.Em) + 0x632BE59BD9B4E019ull + (H << 6) + (H >> 2);
        H ^= size_t(K.Index) + 0x9E3779B9ull + (H << 6) + (H >> 2);
        H ^= size_t(K.Angle) * 31 + (K.Antialias ? 7 : 0) + (H << 6) + (H >> 2);
        return H;
    }
};

class Engine {
public:
    static Engine& Get() {
        static Engine E;
        return E;
    }

    Face* FaceFor(const std::string& Name, bool Bold, bool Italic, bool Fixed) {
        const auto Key = std::make_tuple(Name, DefaultFontName(), Bold, Italic, Fixed);
        auto It = FByRequest.find(Key);
        if (It != FByRequest.end()) return It->second;
        Face* F = Match(Name, Bold, Italic, Fixed, false);
        if (!F) F = Match(DefaultFontName(), Bold, Italic, Fixed, true);
        if (!F) F = Open(FallbackFile, 0, Bold, Italic);
        if (!F) throw EInvalidGraphicOperation("No font is available for text");
        FByRequest[Key] = F;
        return F;
    }

    bool CacheEnabled = true;
    std::unordered_map<GlyphKey, Glyph, GlyphKeyHash> Cache;
    Glyph Scratch;

private:
    Engine() {
        if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
        FcInit();
    }
    ~Engine() {
        for (auto& [Key, F] : FByFile) FT_Done_Face(F->Handle);
        if (FLibrary) FT_Done_FreeType(FLibrary);
        FcFini();
    }

    // Asks fontconfig for Name; unless Any is set, a face of another family
    // (fontconfig's own substitute) does not count.
    Face* Match(const std::string& Name, bool Bold, bool Italic, bool Fixed, bool Any) {
        FcPattern* Pattern = FcPatternCreate();
        FcPatternAddString(Pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Name.c_str()));
        FcPatternAddInteger(Pattern, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(Pattern, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        if (Fixed) FcPatternAddInteger(Pattern, FC_SPACING, FC_MONO);
        FcConfigSubstitute(nullptr, Pattern, FcMatchPattern);
        FcDefaultSubstitute(Pattern);
        FcResult Result;
        FcPattern* Found = FcFontMatch(nullptr, Pattern, &Result);
        FcPatternDestroy(Pattern);
        if (!Found) return nullptr;
        Face* F = nullptr;
        FcChar8* Family = nullptr;
        FcChar8* File = nullptr;
        int Index = 0, Weight = FC_WEIGHT_REGULAR, Slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(Found, FC_INDEX, 0, &Index);
        FcPatternGetInteger(Found, FC_WEIGHT, 0, &Weight);
        FcPatternGetInteger(Found, FC_SLANT, 0, &Slant);
        if (FcPatternGetString(Found, FC_FAMILY, 0, &Family) == FcResultMatch &&
            FcPatternGetString(Found, FC_FILE, 0, &File) == FcResultMatch &&
            (Any ||
             FcStrCmpIgnoreCase(Family, reinterpret_cast<const FcChar8*>(Name.c_str())) == 0))
            F = Open(reinterpret_cast<const char*>(File), Index,
                     Bold && Weight < FC_WEIGHT_DEMIBOLD, Italic && Slant == FC_SLANT_ROMAN);
        FcPatternDestroy(Found);
        return F;
    }

    Face* Open(const std::string& File, int Index, bool SynthBold, bool SynthItalic) {
        const auto Key = std::make_tuple(File, Index, SynthBold, SynthItalic);
        auto It = FByFile.find(Key);
        if (It != FByFile.end()) return It->second.get();
        if (!FLibrary) return nullptr;
        FT_Face Handle;
        if (FT_New_Face(FLibrary, File.c_str(), Index, &Handle) != 0) return nullptr;
        auto F = std::make_unique<Face>();
        F->Handle = Handle;
        F->Id = int(FByFile.size()) + 1;
        F->SynthBold = SynthBold;
        F->SynthItalic = SynthItalic;
        Face* Raw = F.get();
        FByFile[Key] = std::move(F);
        return Raw;
    }

    FT_Library FLibrary = nullptr;
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<Face>> FByFile;
    std::map<std::tuple<std::string, std::string, bool, bool, bool>, Face*> FByRequest;
};

int Round26(FT_Pos V) { return int((V + 32) >> 6); }

void Render(const ResolvedFont& RF, uint32_t Index, int Angle, Glyph& G) {
    FT_Face Face = RF.F->Handle;
    FT_Set_Pixel_Sizes(Face, 0, FT_UInt(RF.Em));
    if (Angle != 0) {
        const double A = Angle * std::numbers::pi / 1800.0;
        FT_Matrix M;
        M.xx = FT_Fixed(std::lround(std::cos(A) * 65536));
        M.xy = FT_Fixed(std::lround(-std::sin(A) * 65536));
        M.yx = FT_Fixed(std::lround(std::sin(A) * 65536));
        M.yy = M.xx;
        FT_Set_Transform(Face, &M, nullptr);
    } else {
        FT_Set_Transform(Face, nullptr, nullptr);
    }
    const FT_Int32 Flags = RF.Antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    G = Glyph{};
    if (FT_Load_Glyph(Face, Index, Flags) != 0) return;
    FT_GlyphSlot Slot = Face->glyph;
    if (RF.F->SynthItalic) FT_GlyphSlot_Oblique(Slot);
    if (RF.F->SynthBold) FT_GlyphSlot_Embolden(Slot);
    G.Advance = Angle == 0 ? Round26(Slot->advance.x) : 0;
    if (FT_Render_Glyph(Slot, RF.Antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return;
    const FT_Bitmap& B = Slot->bitmap;
    G.Left = Slot->bitmap_left;
    G.Top = Slot->bitmap_top;
    G.Width = int(B.width);
    G.Rows = int(B.rows);
    G.Coverage.resize(size_t(G.Width) * G.Rows);
    for (int Y = 0; Y < G.Rows; ++Y) {
        const uint8_t* Src = B.buffer + ptrdiff_t(Y) * B.pitch;
        uint8_t* Dst = G.Coverage.data() + size_t(Y) * G.Width;
        for (int X = 0; X < G.Width; ++X)
            Dst[X] = B.pixel_mode == FT_PIXEL_MODE_MONO ? ((Src[X >> 3] >> (7 - (X & 7))) & 1) * 255
                                                        : Src[X];
    }
}

}  // namespace

ResolvedFont Resolve(const TFont& Font) {
    ResolvedFont RF;
    const TFontStyles S = Font.Style();
    RF.F = Engine::Get().FaceFor(Font.Name(), S.Contains(fsBold), S.Contains(fsItalic),
                                 Font.Pitch() == fpFixed);
    FT_Face Face = RF.F->Handle;
    // Cell metrics from the face's Windows ascent and descent where it has
    // them, as the platform measures its cell; the hhea values otherwise.
    double Asc = Face->ascender, Desc = -Face->descender;
    const auto* OS2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(Face, FT_SFNT_OS2));
    if (OS2 && OS2->usWinAscent + OS2->usWinDescent > 0) {
        Asc = OS2->usWinAscent;
        Desc = OS2->usWinDescent;
    }
    const double Units = Face->units_per_EM > 0 ? Face->units_per_EM : 2048;
    const int H = Font.Height();
    // Negative: em height; positive: cell height; 0: the default size.
    if (H < 0)
        RF.Em = -H;
    else if (H > 0)
        RF.Em = std::max(1, int(std::lround(H * Units / (Asc + Desc))));
    RF.Em = std::clamp(RF.Em, 1, 2000);
    RF.Ascent = int(std::lround(Asc * RF.Em / Units));
    RF.Descent = int(std::lround(Desc * RF.Em / Units));
    RF.Angle = Font.Orientation() % 3600;
    RF.Antialias = Font.Quality() != fqNonAntialiased;
    RF.Bold = S.Contains(fsBold);
    RF.Italic = S.Contains(fsItalic);
    RF.LineThickness = std::max(1, int(std::lround(Face->underline_thickness * RF.Em / Units)));
    RF.UnderlinePos = std::max(1, int(std::lround(-Face->underline_position * RF.Em / Units)));
    const double Strike = OS2 && OS2->yStrikeoutPosition > 0 ? OS2->yStrikeoutPosition : Asc * 0.3;
    RF.StrikePos = -int(std::lround(Strike * RF.Em / Units));
    return RF;
}

const Glyph& GlyphFor(const ResolvedFont& RF, char32_t Code, bool Rotated) {
    Engine& E = Engine::Get();
    const uint32_t Index = FT_Get_Char_Index(RF.F->Handle, Code);
    const int Angle = Rotated ? RF.Angle : 0;
    if (!E.CacheEnabled) {
        Render(RF, Index, Angle, E.Scratch);
        return E.Scratch;
    }
    const GlyphKey Key{RF.F->Id, RF.Em, Index, Angle, RF.Antialias};
    auto It = E.Cache.find(Key);
    if (It != E.Cache.end()) return It->second;
    if (E.Cache.size() >= CacheLimit) E.Cache.clear();
    Glyph& G = E.Cache[Key];
    Render(RF, Index, Angle, G);
    return G;
}

void SetGlyphCacheEnabled(bool Enabled) {
    Engine::Get().CacheEnabled = Enabled;
    if (!Enabled) Engine::Get().Cache.clear();
}

size_t GlyphCacheSize() { return Engine::Get().Cache.size(); }

}  // namespace vcl::text

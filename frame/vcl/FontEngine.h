// Internal: font faces through fontconfig and FreeType, and the glyph cache.
//
// A TFont resolves to a face (by name through fontconfig; DejaVu Sans when
// the name is not installed) at an em size in pixels. Glyphs are rendered
// once per face, size, glyph, angle and anti-aliasing and kept as coverage
// bitmaps (0..255) until the cache grows too large.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vcl/Graphics.h"

namespace vcl::text {

struct Face;

// A font ready to measure and render text.
struct ResolvedFont {
    Face* F = nullptr;
    int Em = 11;      // em height in pixels
    int Ascent = 0;   // pixels above the baseline (cell)
    int Descent = 0;  // pixels below it
    int Angle = 0;    // tenths of a degree, counter-clockwise
    bool Antialias = true;
    bool Bold = false;
    bool Italic = false;
    // Underline and strike-out bands, in pixels below (+) or above (-) the
    // baseline, and their thickness.
    int UnderlinePos = 0;
    int StrikePos = 0;
    int LineThickness = 1;
};

struct Glyph {
    int Advance = 0;  // pixels along the baseline, before rotation
    int Left = 0;     // bitmap's left edge from the pen position
    int Top = 0;      // bitmap's top edge above the baseline
    int Width = 0;
    int Rows = 0;
    std::vector<uint8_t> Coverage;  // Width*Rows, 0..255
};

ResolvedFont Resolve(const TFont& Font);

// The glyph for code point Code; with Angle 0 unless Rotated is set. The
// reference stays valid until the next call.
const Glyph& GlyphFor(const ResolvedFont& Font, char32_t Code, bool Rotated);

// Turns the glyph cache off (every glyph is rendered through FreeType when it
// is needed) or on; for measuring what the cache saves.
void SetGlyphCacheEnabled(bool Enabled);
size_t GlyphCacheSize();

}  // namespace vcl::text

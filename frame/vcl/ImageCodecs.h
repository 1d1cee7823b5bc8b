// Internal: the readers and writers of BMP and PNG files. Readers check every
// size against the data they were given and raise EInvalidGraphic on anything
// malformed; they never return a partial image.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "vcl/Graphics.h"

namespace vcl::codecs {

// Readers refuse pictures larger than this on either side, or with more pixels
// than MaxPixels, before allocating anything.
inline constexpr int MaxSide = 32768;
inline constexpr int64_t MaxPixels = int64_t(1) << 28;

struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // BGRA, top row first
    TPixelFormat Format = pf24bit;
};

bool IsBmp(std::span<const uint8_t> Data);
bool IsPng(std::span<const uint8_t> Data);

// A BMP file, or a packed DIB (info header, palette and bits without the file
// header), as resources store them.
Image DecodeBmp(std::span<const uint8_t> Data);
// Writes a bottom-up BI_RGB file of 24 or 32 bits per pixel.
std::vector<uint8_t> EncodeBmp(const uint32_t* Pixels, int Width, int Height, int Bits);

Image DecodePng(std::span<const uint8_t> Data);
std::vector<uint8_t> EncodePng(const uint32_t* Pixels, int Width, int Height, bool Alpha);

}  // namespace vcl::codecs

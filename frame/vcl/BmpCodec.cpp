// BMP reader and writer. The reader takes 1, 4, 8, 16, 24 and 32 bits per
// pixel, bottom-up and top-down rows, BI_RGB and BI_BITFIELDS, with the core
// (12-byte) and the 40/52/56/108/124-byte info headers.
#include <algorithm>
#include <bit>
#include <string>

#include "vcl/ImageCodecs.h"

namespace vcl::codecs {

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;
constexpr size_t FileHeaderSize = 14;

[[noreturn]] void Invalid(const std::string& Why) {
    throw EInvalidGraphic("Bitmap image is not valid: " + Why);
}

// Little-endian reads that refuse to run past the data.
struct Reader {
    std::span<const uint8_t> D;
    uint32_t U8(size_t At) const {
        if (At >= D.size()) Invalid("truncated header");
        return D[At];
    }
    uint32_t U16(size_t At) const { return U8(At) | (U8(At + 1) << 8); }
    uint32_t U32(size_t At) const { return U16(At) | (U16(At + 2) << 16); }
    int32_t I32(size_t At) const { return int32_t(U32(At)); }
};

// Scales a masked channel to 8 bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit Channel(uint32_t M = 0) : Mask(M) {
        if (!M) return;
        Shift = std::countr_zero(M);
        Bits = std::popcount(M >> Shift);
        if (Bits > 8) {
            Shift += Bits - 8;
            Bits = 8;
        }
    }
    uint32_t Get(uint32_t V) const {
        if (!Mask) return 0;
        const uint32_t X = ((V & Mask) >> Shift) & ((1u << Bits) - 1);
        // Replicate the top bits so that full scale maps to 255.
        uint32_t R = X << (8 - Bits);
        for (int Filled = Bits; Filled < 8; Filled += Bits) R |= R >> Filled;
        return R & 0xFF;
    }
};

}  // namespace

bool IsBmp(std::span<const uint8_t> Data) {
    return Data.size() >= 2 && Data[0] == 'B' && Data[1] == 'M';
}

Image DecodeBmp(std::span<const uint8_t> Data) {
    const Reader R{Data};
    const bool HasFileHeader = IsBmp(Data);
    const size_t Info = HasFileHeader ? FileHeaderSize : 0;
    const uint32_t InfoSize = R.U32(Info);
    if (InfoSize != 12 && InfoSize != 40 && InfoSize != 52 && InfoSize != 56 && InfoSize != 64 &&
        InfoSize != 108 && InfoSize != 124)
        Invalid("unknown header size " + std::to_string(InfoSize));
    if (Info + InfoSize > Data.size()) Invalid("truncated header");

    int64_t Width, Height;
    uint32_t Bits, Compression = BI_RGB, ColorsUsed = 0;
    size_t PaletteEntry = 4;
    if (InfoSize == 12) {
        Width = R.U16(Info + 4);
        Height = int16_t(R.U16(Info + 6));
        Bits = R.U16(Info + 10);
        PaletteEntry = 3;
    } else {
        Width = R.I32(Info + 4);
        Height = R.I32(Info + 8);
        Bits = R.U16(Info + 14);
        Compression = R.U32(Info + 16);
        ColorsUsed = R.U32(Info + 32);
    }
    const bool TopDown = Height < 0;
    Height = TopDown ? -Height : Height;

    if (Compression == BI_RLE8 || Compression == BI_RLE4)
        throw EInvalidGraphic("Bitmap compression not supported: RLE");
    if (Compression != BI_RGB && Compression != BI_BITFIELDS && Compression != BI_ALPHABITFIELDS)
        throw EInvalidGraphic("Bitmap compression not supported: " + std::to_string(Compression));
    if (Bits != 1 && Bits != 4 && Bits != 8 && Bits != 16 && Bits != 24 && Bits != 32)
        Invalid("unsupported depth of " + std::to_string(Bits) + " bits");
    if (Compression != BI_RGB && Bits != 16 && Bits != 32) Invalid("bit fields need 16 or 32 bits");
    if (Width <= 0 || Height <= 0) Invalid("empty picture");
    if (Width > MaxSide || Height > MaxSide || Width * Height > MaxPixels)
        Invalid("picture too large");

    // Colour masks: inside the V2+ headers, or just after the 40-byte one.
    size_t Cursor = Info + InfoSize;
    Channel Red(0x00FF0000), Green(0x0000FF00), Blue(0x000000FF), Alpha;
    if (Bits == 16) Red = Channel(0x7C00), Green = Channel(0x03E0), Blue = Channel(0x001F);
    if (Compression != BI_RGB) {
        size_t MaskAt = Info + 40;
        const bool AlphaMask = Compression == BI_ALPHABITFIELDS || InfoSize >= 56;
        if (InfoSize == 40) Cursor += AlphaMask ? 16 : 12;
        Red = Channel(R.U32(MaskAt));
        Green = Channel(R.U32(MaskAt + 4));
        Blue = Channel(R.U32(MaskAt + 8));
        if (AlphaMask) Alpha = Channel(R.U32(MaskAt + 12));
    }

    std::vector<uint32_t> Palette;
    if (Bits <= 8) {
        const uint32_t Max = 1u << Bits;
        const uint32_t Count = (ColorsUsed == 0 || ColorsUsed > Max) ? Max : ColorsUsed;
        // A file may carry fewer entries than its depth allows when pixels
        // never use the rest; entries that are not there read as black.
        const size_t Available = Cursor < Data.size() ? (Data.size() - Cursor) / PaletteEntry : 0;
        Palette.assign(Max, 0xFF000000);
        for (uint32_t I = 0; I < Count && I < Available; ++I) {
            const size_t E = Cursor + I * PaletteEntry;
            Palette[I] = 0xFF000000 | (Data[E + 2] << 16) | (Data[E + 1] << 8) | Data[E];
        }
        Cursor += size_t(Count) * PaletteEntry;
    }

    size_t BitsAt = Cursor;
    if (HasFileHeader) {
        BitsAt = R.U32(10);
        if (BitsAt < Info + InfoSize) Invalid("pixel data overlaps the header");
    }
    const size_t Stride = ((size_t(Width) * Bits + 31) / 32) * 4;
    // The last row may omit its padding.
    const size_t Needed = Stride * size_t(Height - 1) + (size_t(Width) * Bits + 7) / 8;
    if (BitsAt > Data.size() || Data.size() - BitsAt < Needed) Invalid("truncated pixel data");

    Image Img;
    Img.Width = int(Width);
    Img.Height = int(Height);
    Img.Format = Bits == 1    ? pf1bit
                 : Bits == 4  ? pf4bit
                 : Bits == 8  ? pf8bit
                 : Bits == 16 ? (Green.Bits == 6 ? pf16bit : pf15bit)
                 : Bits == 24 ? pf24bit
                              : pf32bit;
    Img.Pixels.resize(size_t(Width) * Height);
    for (int64_t Row = 0; Row < Height; ++Row) {
        const uint8_t* Src = Data.data() + BitsAt + Stride * size_t(Row);
        const int64_t Y = TopDown ? Row : Height - 1 - Row;
        uint32_t* Dst = Img.Pixels.data() + size_t(Y) * Width;
        for (int64_t X = 0; X < Width; ++X) {
            uint32_t P;
            switch (Bits) {
                case 1:
                    P = Palette[(Src[X >> 3] >> (7 - (X & 7))) & 1];
                    break;
                case 4:
                    P = Palette[(Src[X >> 1] >> ((X & 1) ? 0 : 4)) & 0xF];
                    break;
                case 8:
                    P = Palette[Src[X]];
                    break;
                case 24:
                    P = 0xFF000000 | (Src[3 * X + 2] << 16) | (Src[3 * X + 1] << 8) | Src[3 * X];
                    break;
                default: {
                    const uint32_t V = Bits == 16 ? uint32_t(Src[2 * X] | (Src[2 * X + 1] << 8))
                                                  : uint32_t(Src[4 * X] | (Src[4 * X + 1] << 8) |
                                                             (Src[4 * X + 2] << 16) |
                                                             (uint32_t(Src[4 * X + 3]) << 24));
                    const uint32_t A = Alpha.Mask ? Alpha.Get(V) : 0xFF;
                    P = (A << 24) | (Red.Get(V) << 16) | (Green.Get(V) << 8) | Blue.Get(V);
                }
            }
            Dst[X] = P;
        }
    }
    return Img;
}

std::vector<uint8_t> EncodeBmp(const uint32_t* Pixels, int Width, int Height, int Bits) {
    const int Bytes = Bits / 8;
    const size_t Stride = ((size_t(Width) * Bits + 31) / 32) * 4;
    const size_t ImageSize = Stride * size_t(Height);
    const size_t HeaderSize = FileHeaderSize + 40;
    std::vector<uint8_t> Out(HeaderSize + ImageSize, 0);
    auto Put16 = [&](size_t At, uint32_t V) {
        Out[At] = uint8_t(V);
        Out[At + 1] = uint8_t(V >> 8);
    };
    auto Put32 = [&](size_t At, uint32_t V) {
        Put16(At, V & 0xFFFF);
        Put16(At + 2, V >> 16);
    };
    Out[0] = 'B';
    Out[1] = 'M';
    Put32(2, uint32_t(Out.size()));
    Put32(10, uint32_t(HeaderSize));
    Put32(14, 40);
    Put32(18, uint32_t(Width));
    Put32(22, uint32_t(Height));
    Put16(26, 1);
    Put16(28, uint32_t(Bits));
    Put32(34, uint32_t(ImageSize));
    // 96 dpi in pixels per metre.
    Put32(38, 3780);
    Put32(42, 3780);
    for (int Y = 0; Y < Height; ++Y) {
        const uint32_t* Src = Pixels + size_t(Height - 1 - Y) * Width;
        uint8_t* Dst = Out.data() + HeaderSize + Stride * size_t(Y);
        for (int X = 0; X < Width; ++X) {
            const uint32_t P = Src[X];
            Dst[Bytes * X] = uint8_t(P);
            Dst[Bytes * X + 1] = uint8_t(P >> 8);
            Dst[Bytes * X + 2] = uint8_t(P >> 16);
            if (Bytes == 4) Dst[Bytes * X + 3] = uint8_t(P >> 24);
        }
    }
    return Out;
}

}  // namespace vcl::codecs

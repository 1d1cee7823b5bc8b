#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "vcl/ImageCodecs.h"
#include "vcl/Raster.h"

namespace vcl {

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(this)) {}

TBitmap::TBitmap(int Width, int Height) : TBitmap() { SetSize(Width, Height); }

TBitmap::~TBitmap() = default;

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

void TBitmap::Assign(TPersistent* Source) {
    if (auto* Other = dynamic_cast<TBitmap*>(Source)) {
        if (Other == this) return;
        FWidth = Other->FWidth;
        FHeight = Other->FHeight;
        FPixels = Other->FPixels;
        FPixelFormat = Other->FPixelFormat;
        FTransparent = Other->FTransparent;
        FTransparentMode = Other->FTransparentMode;
        FTransparentColor = Other->FTransparentColor;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::SetSize(int Width, int Height) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == FWidth && Height == FHeight) return;
    if (Width > codecs::MaxSide || Height > codecs::MaxSide ||
        int64_t(Width) * Height > codecs::MaxPixels)
        throw EInvalidGraphicOperation("Bitmap too large: " + std::to_string(Width) + " x " +
                                       std::to_string(Height));
    std::vector<uint32_t> Pixels(size_t(Width) * Height, raster::ToPixel(clWhite));
    const int KeepW = std::min(Width, FWidth), KeepH = std::min(Height, FHeight);
    for (int Y = 0; Y < KeepH; ++Y)
        std::copy_n(FPixels.begin() + size_t(Y) * FWidth, KeepW,
                    Pixels.begin() + size_t(Y) * Width);
    FPixels = std::move(Pixels);
    FWidth = Width;
    FHeight = Height;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat) return;
    FPixelFormat = Value;
    Changed();
}

uint32_t* TBitmap::ScanLine(int Y) {
    if (Y < 0 || Y >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
    return FPixels.data() + size_t(Y) * FWidth;
}

const uint32_t* TBitmap::ScanLine(int Y) const {
    if (Y < 0 || Y >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
    return FPixels.data() + size_t(Y) * FWidth;
}

void TBitmap::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    return raster::ToColor(FPixels[size_t(FHeight - 1) * FWidth]);
}

void TBitmap::SetTransparentColor(TColor Value) {
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    Changed();
}

void TBitmap::LoadFromBytes(std::span<const uint8_t> Data) {
    codecs::Image Img;
    if (codecs::IsPng(Data))
        Img = codecs::DecodePng(Data);
    else
        Img = codecs::DecodeBmp(Data);
    FWidth = Img.Width;
    FHeight = Img.Height;
    FPixels = std::move(Img.Pixels);
    FPixelFormat = Img.Format;
    Changed();
}

void TBitmap::LoadFromFile(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    if (!In) throw EInOutError("Cannot open file \"" + FileName + "\"");
    const std::vector<uint8_t> Data((std::istreambuf_iterator<char>(In)),
                                    std::istreambuf_iterator<char>());
    if (In.bad()) throw EInOutError("Cannot read file \"" + FileName + "\"");
    LoadFromBytes(Data);
}

void TBitmap::LoadFromStream(TStream& Stream) {
    const int64_t Start = Stream.Position();
    const int64_t Available = Stream.Size() - Start;
    if (Available <= 0) throw EInvalidGraphic("Bitmap image is not valid: no data");
    std::vector<uint8_t> Data(static_cast<size_t>(Available));
    Stream.ReadBuffer(Data.data(), Available);
    LoadFromBytes(Data);
    // A BMP file says how long it is; leave the stream just after it so that
    // whatever follows can be read next.
    if (codecs::IsBmp(Data) && Data.size() >= 6) {
        const int64_t Length = int64_t(Data[2]) | (int64_t(Data[3]) << 8) |
                               (int64_t(Data[4]) << 16) | (int64_t(Data[5]) << 24);
        if (Length >= 14 && Length < Available) Stream.SetPosition(Start + Length);
    }
}

void TBitmap::SaveToStream(TStream& Stream) const {
    const std::vector<uint8_t> Data = SaveToBytes(false);
    Stream.WriteBuffer(Data.data(), int64_t(Data.size()));
}

std::vector<uint8_t> TBitmap::SaveToBytes(bool Png) const {
    if (Png) return codecs::EncodePng(FPixels.data(), FWidth, FHeight, FPixelFormat == pf32bit);
    return codecs::EncodeBmp(FPixels.data(), FWidth, FHeight, FPixelFormat == pf32bit ? 32 : 24);
}

void TBitmap::SaveToFile(const std::string& FileName) const {
    std::string Ext = std::filesystem::path(FileName).extension().string();
    for (char& C : Ext) C = char(std::tolower(uint8_t(C)));
    const std::vector<uint8_t> Data = SaveToBytes(Ext == ".png");
    // Write beside the target and rename, so a failed write never leaves a
    // half-written picture in place of the old one.
    const std::string Temp = FileName + ".tmp~";
    {
        std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
        if (!Out) throw EInOutError("Cannot create file \"" + FileName + "\"");
        Out.write(reinterpret_cast<const char*>(Data.data()), std::streamsize(Data.size()));
        Out.close();
        if (!Out) {
            std::remove(Temp.c_str());
            throw EInOutError("Cannot write file \"" + FileName + "\"");
        }
    }
    std::error_code Err;
    std::filesystem::rename(Temp, FileName, Err);
    if (Err) {
        std::remove(Temp.c_str());
        throw EInOutError("Cannot write file \"" + FileName + "\": " + Err.message());
    }
}

}  // namespace vcl

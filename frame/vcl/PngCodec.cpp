// PNG through libpng. libpng reports errors by longjmp, so the functions that
// call it keep no objects with destructors in the frames it may jump over:
// buffers live in the caller, and the error text is copied into a plain array.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <string>

#include "vcl/ImageCodecs.h"

namespace vcl::codecs {

namespace {

struct PngContext {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Pos = 0;
    std::vector<uint8_t>* Out = nullptr;
    char Error[200] = {};
};

void OnError(png_structp Png, png_const_charp Message) {
    auto* Ctx = static_cast<PngContext*>(png_get_error_ptr(Png));
    std::snprintf(Ctx->Error, sizeof(Ctx->Error), "%s", Message);
    png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp Png, png_bytep Buffer, png_size_t Length) {
    auto* Ctx = static_cast<PngContext*>(png_get_io_ptr(Png));
    if (Length > Ctx->Size - Ctx->Pos) png_error(Png, "truncated file");
    std::memcpy(Buffer, Ctx->Data + Ctx->Pos, Length);
    Ctx->Pos += Length;
}

void WriteData(png_structp Png, png_bytep Buffer, png_size_t Length) {
    auto* Ctx = static_cast<PngContext*>(png_get_io_ptr(Png));
    Ctx->Out->insert(Ctx->Out->end(), Buffer, Buffer + Length);
}

void FlushData(png_structp) {}

// Reads the header, sizes Img (the only allocation), then the rows. Returns
// false with Ctx.Error set on failure.
bool ReadPng(png_structp Png, png_infop Info, PngContext& Ctx, Image& Img,
             std::vector<png_bytep>& Rows) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_set_read_fn(Png, &Ctx, ReadData);
    png_set_user_limits(Png, MaxSide, MaxSide);
    png_set_chunk_malloc_max(Png, 8 * 1024 * 1024);
    png_read_info(Png, Info);

    const png_uint_32 W = png_get_image_width(Png, Info);
    const png_uint_32 H = png_get_image_height(Png, Info);
    if (int64_t(W) * H > MaxPixels) png_error(Png, "picture too large");
    const int ColorType = png_get_color_type(Png, Info);
    const bool HasAlpha =
        (ColorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(Png, Info, PNG_INFO_tRNS);

    png_set_expand(Png);
    png_set_strip_16(Png);
    png_set_gray_to_rgb(Png);
    png_set_bgr(Png);
    if (!HasAlpha) png_set_filler(Png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(Png);
    png_read_update_info(Png, Info);
    if (png_get_rowbytes(Png, Info) != size_t(W) * 4) png_error(Png, "unexpected row layout");

    Img.Width = int(W);
    Img.Height = int(H);
    Img.Format = HasAlpha ? pf32bit : pf24bit;
    Img.Pixels.resize(size_t(W) * H);
    Rows.resize(H);
    for (png_uint_32 Y = 0; Y < H; ++Y)
        Rows[Y] = reinterpret_cast<png_bytep>(Img.Pixels.data() + size_t(Y) * W);
    png_read_image(Png, Rows.data());
    png_read_end(Png, nullptr);
    return true;
}

bool WritePng(png_structp Png, png_infop Info, PngContext& Ctx, int Width, int Height, bool Alpha,
              std::vector<png_bytep>& Rows) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_set_write_fn(Png, &Ctx, WriteData, FlushData);
    png_set_IHDR(Png, Info, png_uint_32(Width), png_uint_32(Height), 8,
                 Alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(Png, Info);
    png_set_bgr(Png);
    if (!Alpha) png_set_filler(Png, 0, PNG_FILLER_AFTER);
    png_write_image(Png, Rows.data());
    png_write_end(Png, nullptr);
    return true;
}

}  // namespace

bool IsPng(std::span<const uint8_t> Data) {
    return Data.size() >= 8 && png_sig_cmp(Data.data(), 0, 8) == 0;
}

Image DecodePng(std::span<const uint8_t> Data) {
    PngContext Ctx;
    Ctx.Data = Data.data();
    Ctx.Size = Data.size();
    png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Ctx, OnError, OnWarning);
    if (!Png) throw EInvalidGraphic("PNG image is not valid: cannot start the reader");
    png_infop Info = png_create_info_struct(Png);
    Image Img;
    std::vector<png_bytep> Rows;
    const bool Ok = Info && ReadPng(Png, Info, Ctx, Img, Rows);
    png_destroy_read_struct(&Png, Info ? &Info : nullptr, nullptr);
    if (!Ok) throw EInvalidGraphic(std::string("PNG image is not valid: ") + Ctx.Error);
    return Img;
}

std::vector<uint8_t> EncodePng(const uint32_t* Pixels, int Width, int Height, bool Alpha) {
    if (Width <= 0 || Height <= 0)
        throw EInvalidGraphicOperation("Cannot write an empty picture as PNG");
    std::vector<uint8_t> Out;
    PngContext Ctx;
    Ctx.Out = &Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Ctx, OnError, OnWarning);
    if (!Png) throw EInvalidGraphicOperation("Cannot start the PNG writer");
    png_infop Info = png_create_info_struct(Png);
    std::vector<png_bytep> Rows(static_cast<size_t>(Height));
    for (int Y = 0; Y < Height; ++Y)
        Rows[Y] = reinterpret_cast<png_bytep>(const_cast<uint32_t*>(Pixels + size_t(Y) * Width));
    const bool Ok = Info && WritePng(Png, Info, Ctx, Width, Height, Alpha, Rows);
    png_destroy_write_struct(&Png, Info ? &Info : nullptr);
    if (!Ok) throw EInvalidGraphicOperation(std::string("Cannot write PNG: ") + Ctx.Error);
    return Out;
}

}  // namespace vcl::codecs

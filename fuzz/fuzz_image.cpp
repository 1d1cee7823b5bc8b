// Picture files and resources: the BMP and PNG readers must turn any bytes
// into either a picture or EInvalidGraphic, and a picture they accept must
// survive being written and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "vcl/Graphics.h"

namespace {

void Require(bool Condition) {
    if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    vcl::TBitmap B(1, 1);
    try {
        B.LoadFromBytes(std::span<const uint8_t>(Data, Size));
    } catch (const vcl::EInvalidGraphic&) {
        Require(B.Width() == 1 && B.Height() == 1);
        return 0;
    }
    Require(B.Width() > 0 && B.Height() > 0);
    vcl::TBitmap Copy;
    Copy.LoadFromBytes(B.SaveToBytes(B.PixelFormat() == vcl::pf32bit));
    Require(Copy.Width() == B.Width() && Copy.Height() == B.Height());
    const uint32_t Mask = B.PixelFormat() == vcl::pf32bit ? 0xFFFFFFFF : 0x00FFFFFF;
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X)
            Require(((Copy.ScanLine(Y)[X] ^ B.ScanLine(Y)[X]) & Mask) == 0);
    return 0;
}

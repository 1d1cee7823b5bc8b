#include "qelbase/BitFld.h"

#include <algorithm>
#include <bit>

namespace QEL_base {

TBitFld::TBitFld() { SetSize(DefaultSize); }

void TBitFld::SetSize(int NrBits) {
    NrBits = std::clamp(NrBits, 0, MaxSize);
    FWords.resize((static_cast<size_t>(NrBits) + 63) / 64, 0);
    // Bits beyond the new size must read false if the field grows again.
    if (NrBits % 64 != 0) FWords.back() &= (uint64_t{1} << (NrBits % 64)) - 1;
    FSize = NrBits;
}

bool TBitFld::GetBit(int Ix) const {
    if (Ix < 0 || Ix >= FSize) return false;
    return (FWords[Ix / 64] >> (Ix % 64)) & 1;
}

void TBitFld::SetBit(int Ix, bool Value) {
    if (Ix < 0 || Ix >= MaxSize) return;
    if (Ix >= FSize) {
        if (!Value) return;
        SetSize(Ix + 1);
    }
    const uint64_t Mask = uint64_t{1} << (Ix % 64);
    if (Value)
        FWords[Ix / 64] |= Mask;
    else
        FWords[Ix / 64] &= ~Mask;
}

void TBitFld::Clear() { std::fill(FWords.begin(), FWords.end(), 0); }

int TBitFld::FirstTrueBit() const {
    for (size_t w = 0; w < FWords.size(); ++w)
        if (FWords[w] != 0) return static_cast<int>(w * 64) + std::countr_zero(FWords[w]);
    return -1;
}

int TBitFld::CountTrueBits() const {
    int N = 0;
    for (uint64_t W : FWords) N += std::popcount(W);
    return N;
}

}  // namespace QEL_base

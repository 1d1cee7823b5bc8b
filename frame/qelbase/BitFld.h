// TBitFld: a resizable field of bits numbered from 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vcl/System.h"

namespace QEL_base {

class TBitFld : public vcl::TObject {
public:
    // A new field holds DefaultSize bits, all false.
    static constexpr int DefaultSize = 256;
    // The field never grows beyond this many bits (32 MiB).
    static constexpr int MaxSize = 1 << 28;

    TBitFld();
    std::string ClassName() const override { return "TBitFld"; }

    int Size() const { return FSize; }
    // New number of bits (clamped to 0..MaxSize); bits that stay keep their
    // values, new ones are false.
    void SetSize(int NrBits);

    // False outside 0..Size()-1.
    bool GetBit(int Ix) const;
    // Outside 0..Size()-1: an index below MaxSize grows the field to hold it,
    // so that no bit a caller sets is lost; other indices are ignored.
    void SetBit(int Ix, bool Value);
    // All bits false.
    void Clear();
    // The lowest index of a true bit, -1 when there is none.
    int FirstTrueBit() const;
    int CountTrueBits() const;

private:
    int FSize = 0;
    std::vector<uint64_t> FWords;
};

}  // namespace QEL_base

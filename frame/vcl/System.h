// Root of the platform object model: TObject, the notification event type and
// the small bit-set type that stands for the platform's "set of <enumeration>".
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace vcl {

class TObject;

// Plain notification: the object that sends it, nothing else.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name as the platform spells it ("TFont", "TNumLab"); every
    // class that can appear in a message or a form file overrides it.
    virtual std::string ClassName() const { return "TObject"; }
};

// A set of up to 64 members of an unscoped enumeration whose ordinals start
// at 0, e.g. `using TFontStyles = TSet<TFontStyle>;` with
// `Style.Contains(fsBold)`, `Style + TFontStyles{fsItalic}`.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Members) {
        for (E m : Members) FBits |= Bit(m);
    }
    static constexpr TSet FromBits(uint64_t Bits) {
        TSet s;
        s.FBits = Bits;
        return s;
    }
    constexpr uint64_t Bits() const { return FBits; }

    constexpr bool Contains(E Member) const { return (FBits & Bit(Member)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E Member) {
        FBits |= Bit(Member);
        return *this;
    }
    constexpr TSet& Exclude(E Member) {
        FBits &= ~Bit(Member);
        return *this;
    }

    constexpr TSet operator+(TSet Other) const { return FromBits(FBits | Other.FBits); }
    constexpr TSet operator-(TSet Other) const { return FromBits(FBits & ~Other.FBits); }
    constexpr TSet operator*(TSet Other) const { return FromBits(FBits & Other.FBits); }
    constexpr TSet& operator+=(TSet Other) {
        FBits |= Other.FBits;
        return *this;
    }
    constexpr TSet& operator-=(TSet Other) {
        FBits &= ~Other.FBits;
        return *this;
    }
    constexpr bool operator==(const TSet&) const = default;

    // Subset test, the platform's `A <= B`.
    constexpr bool operator<=(TSet Other) const { return (FBits & ~Other.FBits) == 0; }

private:
    static constexpr uint64_t Bit(E Member) { return uint64_t{1} << static_cast<unsigned>(Member); }
    uint64_t FBits = 0;
};

}  // namespace vcl

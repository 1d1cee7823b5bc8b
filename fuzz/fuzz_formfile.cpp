// Form-file reader on arbitrary bytes: it either builds a tree or raises a
// platform exception, never crashes, leaks or hangs; and whatever it reads
// writes back to a text that reads and writes again to the same text.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "vcl/FormFiles.h"
#include "vcl/TypInfo.h"

namespace {

using namespace vcl;

enum TShape : uint8_t { shBox, shRound, shStar };
using TShapes = TSet<TShape>;
const TEnumType TShapeType{"TShape", {"shBox", "shRound", "shStar"}};

class TLabelFont : public TPersistent {
public:
    std::string ClassName() const override { return "TLabelFont"; }
    std::string Name() const { return FName; }
    void SetName(const std::string& V) { FName = V; }
    int Size() const { return FSize; }
    void SetSize(int V) { FSize = V; }

private:
    std::string FName = "Sans";
    int FSize = 8;
};

class TTile : public TComponent {
public:
    explicit TTile(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TTile"; }
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override { FParent = Value; }

    int Left = 0;
    double Value = 0;
    std::string Caption;
    TShape Shape = shBox;
    TShapes Shapes;
    uint32_t Color = 0;
    bool Enabled = true;
    std::string Data;
    TLabelFont Font;
    TStringList Lines;
    TTile* Next = nullptr;
    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove) {
            if (AComponent == Next) Next = nullptr;
            if (AComponent == FParent) FParent = nullptr;
        }
        TComponent::Notification(AComponent, Operation);
    }

private:
    TComponent* FParent = nullptr;
};

class TBoard : public TComponent {
public:
    explicit TBoard(TComponent* AOwner) : TComponent(AOwner) {
        RegisterMethod("TileClick", [](TObject*) {});
    }
    std::string ClassName() const override { return "TBoard"; }
};

void Register() {
    RegisterClass<TLabelFont, TPersistent>("TLabelFont")
        .Str("Name", &TLabelFont::Name, &TLabelFont::SetName)
        .Int("Size", &TLabelFont::Size, &TLabelFont::SetSize);
    RegisterClass<TTile, TComponent>("TTile")
        .Int(
            "Left", [](TTile* t) { return t->Left; }, [](TTile* t, int v) { t->Left = v; })
        .Float(
            "Value", [](TTile* t) { return t->Value; }, [](TTile* t, double v) { t->Value = v; })
        .Str(
            "Caption", [](TTile* t) { return t->Caption; },
            [](TTile* t, const std::string& v) { t->Caption = v; })
        .Enum(
            "Shape", [](TTile* t) { return t->Shape; }, [](TTile* t, TShape v) { t->Shape = v; },
            TShapeType)
        .Set(
            "Shapes", [](TTile* t) { return t->Shapes; },
            [](TTile* t, TShapes v) { t->Shapes = v; }, TShapeType)
        .Color(
            "Color", [](TTile* t) { return t->Color; }, [](TTile* t, uint32_t v) { t->Color = v; })
        .Bool(
            "Enabled", [](TTile* t) { return t->Enabled; },
            [](TTile* t, bool v) { t->Enabled = v; })
        .Default(true)
        .Binary(
            "Data", [](TTile* t) { return t->Data; },
            [](TTile* t, const std::string& v) { t->Data = v; })
        .Object("Font", [](TTile* t) { return &t->Font; })
        .Object("Lines", [](TTile* t) { return &t->Lines; })
        .Component(
            "Next", [](TTile* t) { return t->Next; }, [](TTile* t, TTile* v) { t->Next = v; })
        .Event("OnClick", &TTile::OnClick);
    RegisterClass<TBoard, TComponent>("TBoard");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const bool registered = (Register(), true);
    (void)registered;
    std::string text(reinterpret_cast<const char*>(Data), Size);
    TFormReadOptions options;
    options.IgnoreMissingMethods = true;
    std::unique_ptr<TComponent> root;
    try {
        root.reset(ReadComponentFromText(text, nullptr, options));
    } catch (const vcl::Exception&) {
        return 0;
    }
    std::string written = WriteComponentToText(root.get());
    std::unique_ptr<TComponent> again(ReadComponentFromText(written, nullptr, options));
    if (WriteComponentToText(again.get()) != written) std::abort();
    return 0;
}

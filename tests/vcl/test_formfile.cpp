#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "vcl/FormFiles.h"
#include "vcl/Graphics.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace {

using namespace vcl;

// ---------------------------------------------------------------- test classes

enum TKind : uint8_t { kdNone, kdSmall, kdLarge };
enum TOption : uint8_t { opBold, opFramed, opShadow };
using TOptions = TSet<TOption>;
const TEnumType TKindType{"TKind", {"kdNone", "kdSmall", "kdLarge"}};
const TEnumType TOptionType{"TOption", {"opBold", "opFramed", "opShadow"}};

using TValueEvent = std::function<void(TObject* Sender, int Value)>;

// Every setter call in order, with the loading state seen at that moment.
std::vector<std::string> CallLog;

class TFace : public TPersistent {
public:
    std::string ClassName() const override { return "TFace"; }
    std::string Name() const { return FName; }
    void SetName(const std::string& V) { FName = V; }
    int Size() const { return FSize; }
    void SetSize(int V) { FSize = V; }
    TOptions Style() const { return FStyle; }
    void SetStyle(TOptions V) { FStyle = V; }

private:
    std::string FName = "Sans";
    int FSize = 8;
    TOptions FStyle;
};

class TRow : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "TRow"; }
    int Width() const { return FWidth; }
    void SetWidth(int V) { FWidth = V; }
    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& V) { FTitle = V; }

private:
    int FWidth = 64;
    std::string FTitle;
};

class TWidget : public TComponent {
public:
    explicit TWidget(TComponent* AOwner)
        : TComponent(AOwner), FRows([](TCollection* c) { return new TRow(c); }) {}
    std::string ClassName() const override { return "TWidget"; }

    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override {
        CallLog.push_back(Name() + ".Parent");
        FParent = Value;
    }

    int Left() const { return FLeft; }
    void SetLeft(int V) {
        if (V == 666) throw EConvertError("Left may not be 666");
        CallLog.push_back(Name() + ".Left" +
                          (ComponentState().Contains(csLoading) ? " loading" : ""));
        FLeft = V;
    }
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& V) {
        CallLog.push_back(Name() + ".Caption");
        FCaption = V;
    }
    double Value() const { return FValue; }
    void SetValue(double V) { FValue = V; }
    TKind Kind() const { return FKind; }
    void SetKind(TKind V) { FKind = V; }
    TOptions Options() const { return FOptions; }
    void SetOptions(TOptions V) { FOptions = V; }
    TColor Color() const { return FColor; }
    void SetColor(TColor V) { FColor = V; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool V) { FEnabled = V; }
    int64_t Big() const { return FBig; }
    void SetBig(int64_t V) { FBig = V; }
    TFace* Face() { return &FFace; }
    TStringList* Lines() { return &FLines; }
    TCollection* Rows() { return &FRows; }
    std::string Data() const { return FData; }
    void SetData(const std::string& V) { FData = V; }
    TWidget* Buddy() const { return FBuddy; }
    void SetBuddy(TWidget* V) { FBuddy = V; }

    TNotifyEvent OnClick;
    TValueEvent OnValue;

    int LoadedCalls = 0;
    bool SawBuddyInLoaded = false;

protected:
    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCalls;
        SawBuddyInLoaded = FBuddy != nullptr;
        CallLog.push_back(Name() + ".Loaded");
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove) {
            if (AComponent == FBuddy) FBuddy = nullptr;
            if (AComponent == FParent) FParent = nullptr;
        }
        TComponent::Notification(AComponent, Operation);
    }

private:
    TComponent* FParent = nullptr;
    int FLeft = 0;
    std::string FCaption;
    double FValue = 0;
    TKind FKind = kdNone;
    TOptions FOptions;
    TColor FColor = clBtnFace;
    bool FEnabled = true;
    int64_t FBig = 0;
    TFace FFace;
    TStringList FLines;
    TCollection FRows;
    std::string FData;
    TWidget* FBuddy = nullptr;
};

// The root; offers two handlers to form files.
class TPanelForm : public TComponent {
public:
    explicit TPanelForm(TComponent* AOwner) : TComponent(AOwner) {
        RegisterMethod("WidgetClick", [this](TObject*) { ++Clicks; });
        RegisterMethod<void(TObject*, int)>("WidgetValue",
                                            [this](TObject*, int v) { LastValue = v; });
    }
    std::string ClassName() const override { return "TPanelForm"; }
    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& V) { FTitle = V; }

    int Clicks = 0;
    int LastValue = 0;

private:
    std::string FTitle;
};

const bool Registered = [] {
    RegisterClass<TFace, TPersistent>("TFace")
        .Str("Name", &TFace::Name, &TFace::SetName)
        .Int("Size", &TFace::Size, &TFace::SetSize)
        .Set("Style", &TFace::Style, &TFace::SetStyle, TOptionType);
    RegisterClass<TRow, TCollectionItem>("TRow")
        .Int("Width", &TRow::Width, &TRow::SetWidth)
        .Str("Title", &TRow::Title, &TRow::SetTitle);
    RegisterClass<TWidget, TComponent>("TWidget")
        .Int("Left", &TWidget::Left, &TWidget::SetLeft)
        .Str("Caption", &TWidget::Caption, &TWidget::SetCaption)
        .Float("Value", &TWidget::Value, &TWidget::SetValue)
        .Enum("Kind", &TWidget::Kind, &TWidget::SetKind, TKindType)
        .Set("Options", &TWidget::Options, &TWidget::SetOptions, TOptionType)
        .Color("Color", &TWidget::Color, &TWidget::SetColor)
        .Bool("Enabled", &TWidget::Enabled, &TWidget::SetEnabled)
        .Default(true)
        .Int64("Big", &TWidget::Big, &TWidget::SetBig)
        .Object("Face", &TWidget::Face)
        .Object("Lines", &TWidget::Lines)
        .Collection("Rows", &TWidget::Rows)
        .Binary("Data", &TWidget::Data, &TWidget::SetData)
        .Component("Buddy", &TWidget::Buddy, &TWidget::SetBuddy)
        .Event("OnClick", &TWidget::OnClick)
        .Event("OnValue", &TWidget::OnValue);
    RegisterClass<TPanelForm, TComponent>("TPanelForm")
        .Str("Title", &TPanelForm::Title, &TPanelForm::SetTitle);
    return true;
}();

template <class E, class F>
std::string MessageOf(F&& Fn) {
    try {
        Fn();
    } catch (const E& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return std::string("<other exception> ") + e.what();
    }
    return "<no exception>";
}

std::unique_ptr<TPanelForm> ReadForm(const std::string& Text) {
    return std::unique_ptr<TPanelForm>(
        dynamic_cast<TPanelForm*>(ReadComponentFromText(Text, nullptr)));
}

// ---------------------------------------------------------------- registry

TEST(Registry, PropertiesInDeclarationOrderInheritedFirst) {
    std::vector<std::string> names;
    for (const TPropInfo* p : GetClassInfo("twidget")->Properties()) names.push_back(p->Name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Name", "Tag", "Left", "Caption", "Value", "Kind",
                                        "Options", "Color", "Enabled", "Big", "Face", "Lines",
                                        "Rows", "Data", "Buddy", "OnClick", "OnValue"}));
    EXPECT_EQ(FindClassInfo("TNoSuch"), nullptr);
    EXPECT_EQ(MessageOf<EClassNotFound>([] { GetClassInfo("TNoSuch"); }),
              "Class TNoSuch not found");
    EXPECT_TRUE(GetClassInfo("TWidget")->InheritsFrom(GetClassInfo("TPersistent")));
}

TEST(Registry, CreatesByNameAndAccessesPropertiesByName) {
    TPanelForm form(nullptr);
    TComponent* c = CreateComponent("TWidget", &form);
    ASSERT_NE(dynamic_cast<TWidget*>(c), nullptr);
    EXPECT_EQ(c->Owner(), &form);
    EXPECT_EQ(MessageOf<EClassNotFound>([&] { CreateComponent("TFace", &form); }),
              "Cannot create an instance of TFace");

    SetOrdProp(c, "left", 12);
    SetEnumProp(c, "Kind", "kdLarge");
    SetSetProp(c, "Options", "[opBold,opShadow]");
    SetStrProp(c, "Caption", "x");
    SetFloatProp(c, "Value", 2.5);
    auto* w = static_cast<TWidget*>(c);
    EXPECT_EQ(w->Left(), 12);
    EXPECT_EQ(GetEnumProp(c, "Kind"), "kdLarge");
    EXPECT_EQ(GetSetProp(c, "Options"), "opBold,opShadow");
    EXPECT_EQ(GetStrProp(c, "Caption"), "x");
    EXPECT_EQ(GetFloatProp(c, "Value"), 2.5);
    EXPECT_EQ(GetEnumProp(c, "Enabled"), "True");
    EXPECT_EQ(GetObjectProp(c, "Face"), w->Face());
    EXPECT_EQ(MessageOf<EPropertyError>([&] { SetOrdProp(c, "Nope", 1); }),
              "Unknown property: 'Nope'");
    EXPECT_EQ(MessageOf<EPropertyError>([&] { SetEnumProp(c, "Kind", "kdHuge"); }),
              "Invalid property value");
    EXPECT_EQ(MessageOf<EPropertyError>([&] { GetStrProp(c, "Left"); }), "Invalid property value");
}

TEST(Registry, UnregisteredSubclassUsesItsRegisteredBase) {
    class TMyWidget : public TWidget {
    public:
        using TWidget::TWidget;
    };
    TMyWidget w(nullptr);
    EXPECT_EQ(ClassInfoOf(&w), GetClassInfo("TWidget"));
}

TEST(Registry, ColourNamesBothWays) {
    int64_t v = 0;
    EXPECT_TRUE(IdentToInt("TColor", "clbtnface", v));
    EXPECT_EQ(v, int64_t{clBtnFace});
    std::string name;
    EXPECT_TRUE(IntToIdent("TColor", clSilver, name));
    EXPECT_EQ(name, "clSilver");
    EXPECT_FALSE(IntToIdent("TColor", 0x123456, name));
}

// ---------------------------------------------------------------- round trip

const char* const kFullForm = R"(object PanelForm1: TPanelForm
  Title = 'Main'
  object Widget1: TWidget
    Left = 10
    Caption = 'It''s'#13#10'two lines '#252
    Value = 1.5E10
    Kind = kdSmall
    Options = [opBold, opShadow]
    Color = clRed
    Big = -9000000000
    Face.Name = 'Mono'
    Face.Size = 12
    Face.Style = [opFramed]
    Lines.Strings = (
      'first'
      '')
    Rows = <
      item
        Width = 20
        Title = 'A'
      end
      item
        Width = 64
        Title = ''
      end>
    Data = {
      00FF10}
    Buddy = Widget2
    OnClick = WidgetClick
    OnValue = WidgetValue
    object Widget3: TWidget
      Left = 3
      Caption = ''
      Value = 0.1
      Kind = kdNone
      Options = []
      Color = -16777063
      Enabled = False
      Big = 0
      Face.Name = 'Sans'
      Face.Size = 8
      Face.Style = []
      Lines.Strings = ()
      Rows = <>
      Data = {}
    end
  end
  object Widget2: TWidget
    Left = -5
    Caption = 'Only'
    Value = -2.0
    Kind = kdLarge
    Options = []
    Color = clBtnFace
    Big = 0
    Face.Name = 'Sans'
    Face.Size = 8
    Face.Style = []
    Lines.Strings = ()
    Rows = <>
    Data = {}
  end
end
)";

TEST(FormFile, ReadSetsEveryKindOfValue) {
    auto form = ReadForm(kFullForm);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Name(), "PanelForm1");
    EXPECT_EQ(form->Title(), "Main");
    auto* w1 = dynamic_cast<TWidget*>(form->FindComponent("Widget1"));
    auto* w2 = dynamic_cast<TWidget*>(form->FindComponent("Widget2"));
    auto* w3 = dynamic_cast<TWidget*>(form->FindComponent("Widget3"));
    ASSERT_TRUE(w1 && w2 && w3);
    EXPECT_EQ(w1->Owner(), form.get());
    EXPECT_EQ(w3->Owner(), form.get());
    EXPECT_EQ(w1->GetParentComponent(), form.get());
    EXPECT_EQ(w3->GetParentComponent(), w1);
    EXPECT_EQ(w1->Caption(), "It's\r\ntwo lines \xC3\xBC");
    EXPECT_EQ(w1->Value(), 1.5e10);
    EXPECT_EQ(w1->Kind(), kdSmall);
    EXPECT_EQ(w1->Options(), (TOptions{opBold, opShadow}));
    EXPECT_EQ(w1->Color(), clRed);
    EXPECT_EQ(w2->Color(), clBtnFace);
    EXPECT_EQ(w3->Color(), 0xFF000099u);  // a system colour without a name
    EXPECT_FALSE(w3->Enabled());
    EXPECT_EQ(w1->Big(), -9000000000);
    EXPECT_EQ(w1->Face()->Name(), "Mono");
    EXPECT_EQ(w1->Face()->Style(), TOptions{opFramed});
    EXPECT_EQ(w1->Lines()->ToVector(), (std::vector<std::string>{"first", ""}));
    ASSERT_EQ(w1->Rows()->Count(), 2);
    EXPECT_EQ(static_cast<TRow*>(w1->Rows()->Items(0))->Title(), "A");
    EXPECT_EQ(w1->Data(), std::string("\x00\xFF\x10", 3));
    EXPECT_EQ(w1->Buddy(), w2);
    EXPECT_TRUE(w1->SawBuddyInLoaded);  // references are resolved before Loaded
    ASSERT_TRUE(w1->OnClick);
    w1->OnClick(w1);
    EXPECT_EQ(form->Clicks, 1);
    w1->OnValue(w1, 7);
    EXPECT_EQ(form->LastValue, 7);
    EXPECT_FALSE(w1->ComponentState().Contains(csLoading));
    EXPECT_EQ(w1->LoadedCalls, 1);
}

TEST(FormFile, WriteReadWriteGivesTheSameText) {
    auto form = ReadForm(kFullForm);
    ASSERT_TRUE(form);
    std::string text = WriteComponentToText(form.get());
    EXPECT_EQ(text, kFullForm);
    auto again = ReadForm(text);
    EXPECT_EQ(WriteComponentToText(again.get()), text);
}

TEST(FormFile, WriterEncodesAwkwardValues) {
    TPanelForm form(nullptr);
    form.SetName("F");
    auto* w = new TWidget(&form);
    w->SetName("W");
    w->SetParentComponent(&form);
    std::string longText(70, 'x');
    w->SetCaption("tab\there " + longText + " \xE2\x82\xAC \xFF");
    w->SetValue(std::nan(""));
    w->SetData(std::string(40, '\x01'));
    std::string text = WriteComponentToText(&form);
    EXPECT_NE(text.find("Caption = 'tab'#9'here " + std::string(55, 'x') + "' +\n      '" +
                        std::string(15, 'x') + " '#8364' '#255"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Value = NAN"), std::string::npos);
    std::string hexLine;
    for (int i = 0; i < 32; ++i) hexLine += "01";
    EXPECT_NE(text.find("Data = {\n      " + hexLine + "\n      0101010101010101}"),
              std::string::npos)
        << text;
    auto back = ReadForm(text);
    auto* w2 = dynamic_cast<TWidget*>(back->FindComponent("W"));
    ASSERT_TRUE(w2);
    // The invalid byte comes back as the character of its value.
    EXPECT_EQ(w2->Caption(), "tab\there " + longText + " \xE2\x82\xAC \xC3\xBF");
    EXPECT_TRUE(std::isnan(w2->Value()));
    EXPECT_EQ(w2->Data(), w->Data());
}

TEST(FormFile, SettersRunInFileOrderWhileLoadingThenLoadedForEach) {
    CallLog.clear();
    auto form = ReadForm(R"(object F: TPanelForm
  object A: TWidget
    Caption = 'c'
    Left = 1
    object B: TWidget
      Left = 2
    end
  end
end)");
    EXPECT_EQ(CallLog,
              (std::vector<std::string>{"A.Parent", "A.Caption", "A.Left loading", "B.Parent",
                                        "B.Left loading", "A.Loaded", "B.Loaded"}));
}

TEST(FormFile, AcceptsHexNumbersContinuationsAndKeywordsInAnyCase) {
    auto form = ReadForm(
        "\xEF\xBB\xBFOBJECT F: TPanelForm\r\n"
        "  Title = 'a' +\r\n    'b'#$41\r\n"
        "  inline W: TWidget [0]\r\n"
        "    Left = $10\r\n"
        "    Color = $FF0000\r\n"
        "    Value = 3\r\n"
        "    Big = -$10\r\n"
        "    Enabled = false\r\n"
        "    Kind = KDLARGE\r\n"
        "  End\r\n"
        "end");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Title(), "abA");
    auto* w = static_cast<TWidget*>(form->FindComponent("W"));
    EXPECT_EQ(w->Left(), 16);
    EXPECT_EQ(w->Color(), clBlue);
    EXPECT_EQ(w->Value(), 3.0);
    EXPECT_EQ(w->Big(), -16);
    EXPECT_FALSE(w->Enabled());
    EXPECT_EQ(w->Kind(), kdLarge);
}

TEST(FormFile, LoadIntoAnExistingRootAndInheritedObjects) {
    TPanelForm form(nullptr);
    form.SetDesigning(true);
    auto* own = new TWidget(&form);
    own->SetName("Own");
    LoadComponentFromText(&form, R"(object Form1: TSomeAppForm
  Title = 'T'
  inherited Own: TWidget
    Left = 4
  end
  object New1: TWidget
  end
end)");
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Title(), "T");
    EXPECT_EQ(own->Left(), 4);
    EXPECT_EQ(own->LoadedCalls, 1);
    ASSERT_NE(form.FindComponent("New1"), nullptr);
    EXPECT_TRUE(form.FindComponent("New1")->ComponentState().Contains(csDesigning));

    // A failure frees what the file created and leaves the rest.
    EXPECT_THROW(LoadComponentFromText(&form, R"(object Form1: TPanelForm
  object New2: TWidget
  end
  object New3: TNoSuch
  end
end)"),
                 EReadError);
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.FindComponent("New2"), nullptr);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST(FormFile, MissingHandlersCanBeKeptByName) {
    const char* text = R"(object F: TPanelForm
  object W: TWidget
    OnClick = ElsewhereClick
  end
end)";
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadForm(text); }),
              "Line 3, column 15: method 'ElsewhereClick' not found");
    TFormReadOptions keep;
    keep.IgnoreMissingMethods = true;
    std::unique_ptr<TComponent> form(ReadComponentFromText(text, nullptr, keep));
    auto* w = static_cast<TWidget*>(form->FindComponent("W"));
    EXPECT_FALSE(w->OnClick);
    EXPECT_NE(WriteComponentToText(form.get()).find("OnClick = ElsewhereClick"), std::string::npos);
}

TEST(FormFile, ReadFromOwnerAndFiles) {
    TComponent app(nullptr);
    std::string path = ::testing::TempDir() + "/vcl_form_test.dfm";
    auto form = ReadForm(kFullForm);
    WriteComponentToFile(form.get(), path);
    TComponent* again = ReadComponentFromFile(path, &app);
    EXPECT_EQ(again->Owner(), &app);
    EXPECT_EQ(WriteComponentToText(again), kFullForm);
    std::remove(path.c_str());
    EXPECT_THROW(ReadComponentFromFile(path, &app), EFOpenError);
}

// ---------------------------------------------------------------- malformed files

TEST(FormFile, MalformedFilesNameTheLineAndWhatWasExpected) {
    struct Case {
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {"object F TPanelForm\nend", "Line 2, column 1: expected '=' but found 'end'"},
        {"object F: TPanelForm\n  Title 'x'\nend",
         "Line 2, column 9: expected '=' but found string 'x'"},
        {"object F: TPanelForm\n  Title =\nend",
         "Line 3, column 1: expected a value but found 'end'"},
        {"object F: TPanelForm\n  Title = 'x\nend", "Line 2, column 13: unterminated string"},
        {"object F: TPanelForm\n  Title = 'x'\n",
         "Line 3, column 1: expected a property name or 'end' but found end of file"},
        {"", "Line 1, column 1: expected 'object' but found end of file"},
        {"F: TPanelForm\nend", "Line 1, column 1: expected 'object' but found 'F'"},
        {"object : TPanelForm\nend",
         "Line 1, column 8: expected a component name or class name but found ':'"},
        {"object F: TPanelForm\nend\nobject",
         "Line 3, column 1: expected end of file but found 'object'"},
        {"object F: TPanelForm\n  Title = 1 ;\nend", "Line 2, column 13: invalid character ';'"},
        {"object F: TPanelForm\n  Face. = 1\nend",
         "Line 2, column 9: expected a property name after '.' but found '='"},
        {"object F: TPanelForm\n  X = [a b]\nend", "Line 2, column 10: expected ']' but found 'b'"},
        {"object F: TPanelForm\n  X = (1 2\nend",
         "Line 3, column 1: expected a value but found 'end'"},
        {"object F: TPanelForm\n  X = {0A1}\nend",
         "Line 2, column 11: odd number of hexadecimal digits"},
        {"object F: TPanelForm\n  X = {0G}\nend",
         "Line 2, column 9: expected hexadecimal digit or '}' but found 'G'"},
        {"object F: TPanelForm\n  X = < end >\nend",
         "Line 2, column 9: expected 'item' or '>' but found 'end'"},
        {"object F: TPanelForm\n  X = 99999999999999999999\nend",
         "Line 2, column 7: integer value out of range"},
        {"object F: TPanelForm\n  X = #\nend",
         "Line 2, column 7: expected a character code after '#'"},
        {"object F: TPanelForm\n  X = #1114112\nend",
         "Line 2, column 7: invalid character code 1114112"},
        {"object F: TPanelForm\n  X = 'a' +\nend",
         "Line 3, column 1: expected a string after '+' but found 'end'"},
        {"object F: TPanelForm\n  X = -abc\nend",
         "Line 2, column 8: expected a number but found 'abc'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf<EParserError>([&] { ReadForm(c.Text); }), c.Message) << c.Text;
    }
    std::string deep = "object F: TPanelForm\n  X = " + std::string(1000, '(') + "\nend";
    EXPECT_EQ(MessageOf<EParserError>([&] { ReadForm(deep); }).substr(0, 38),
              "Line 2, column 207: objects nested too")
        << "deep lists stop with an error instead of exhausting the stack";
    try {
        ReadForm("object F: TPanelForm\n  Title 'x'\nend");
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_EQ(e.Column(), 9);
    }
}

TEST(FormFile, ValuesThatDoNotFitAreRejectedAndNothingLeaks) {
    struct Case {
        const char* Body;  // inside "object W: TWidget ... end" at line 3
        const char* Message;
    };
    const Case cases[] = {
        {"Nope = 1", "Line 3, column 5: property Nope does not exist in TWidget"},
        {"Face.Nope = 1", "Line 3, column 5: property Nope does not exist in TFace"},
        {"Left.X = 1", "Line 3, column 5: property Left has no properties"},
        {"Kind = kdHuge", "Line 3, column 12: invalid value for property Kind"},
        {"Kind = 1", "Line 3, column 12: invalid value for property Kind"},
        {"Options = [opBold, opNone]",
         "Line 3, column 15: invalid value for property Options: opNone"},
        {"Left = 'x'", "Line 3, column 12: invalid value for property Left"},
        {"Left = 2147483648", "Line 3, column 12: integer value out of range for Left"},
        {"Color = 4294967296", "Line 3, column 13: integer value out of range for Color"},
        {"Color = clNoSuch", "Line 3, column 13: invalid value for property Color"},
        {"Enabled = 1", "Line 3, column 15: invalid value for property Enabled"},
        {"Caption = 5", "Line 3, column 15: invalid value for property Caption"},
        {"Value = 'x'", "Line 3, column 13: invalid value for property Value"},
        {"Face = 1", "Line 3, column 12: invalid value for property Face"},
        {"Lines.Strings = ( 1 )", "Line 3, column 23: invalid value for property Lines.Strings"},
        {"Rows = < item Nope = 1 end >", "Line 3, column 19: property Nope does not exist in TRow"},
        {"Buddy = Nobody", "Line 3, column 13: component 'Nobody' not found"},
        {"OnValue = WidgetClick",
         "Line 3, column 15: method 'WidgetClick' does not fit event OnValue"},
        {"Left = 666", "Line 3, column 12: Left may not be 666"},
        {"Data = 'x'", "Line 3, column 12: invalid value for property Data"},
    };
    for (const auto& c : cases) {
        std::string text = std::string("object F: TPanelForm\n  object W: TWidget\n    ") + c.Body +
                           "\n  end\nend";
        EXPECT_EQ(MessageOf<EReadError>([&] { ReadForm(text); }), c.Message) << c.Body;
    }
    EXPECT_EQ(MessageOf<EReadError>([] {
                  ReadForm(
                      "object F: TPanelForm\n  object W: TWidget\n  end\n  object W: TWidget\n  "
                      "end\nend");
              }),
              "Line 4, column 3: A component named W already exists");
    EXPECT_EQ(MessageOf<EReadError>([] { ReadForm("object F: TNoSuch\nend"); }),
              "Line 1, column 1: class TNoSuch not found");
    EXPECT_EQ(MessageOf<EReadError>([] { ReadForm("object F: TFace\nend"); }),
              "Line 1, column 1: cannot create an instance of TFace");
    EXPECT_EQ(MessageOf<EReadError>(
                  [] { ReadForm("object F: TPanelForm\n  inherited Gone: TWidget\n  end\nend"); }),
              "Line 2, column 3: inherited component 'Gone' not found");

    // An owner keeps nothing of a file that failed.
    TComponent owner(nullptr);
    EXPECT_THROW(
        ReadComponentFromText(
            "object F: TPanelForm\n  object W: TWidget\n  end\n  object X: TNoSuch\n  end\nend",
            &owner),
        EReadError);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace

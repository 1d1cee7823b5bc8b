// The single-line edit and TNumIO on it, driven through the headless host.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "numio/NumIO.h"
#include "vcl/Clipboard.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/hosts/Headless.h"

using namespace QEL_NumIO;
using namespace vcl;

namespace {

template <class Edit>
class EditFixture : public testing::Test {
protected:
    void SetUp() override {
        Host.ClearBeeps();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 100);
        E = new Edit(Form.get());
        E->SetParent(Form.get());
        E->SetLeft(20);
        E->SetTop(10);
        Form->Show();
        E->SetFocus();
        E->OnChange = [this](TObject*) { ++Changes; };
        Application->ProcessMessages();
    }
    void TearDown() override { Form.reset(); }

    void Type(const std::string& S) {
        for (char C : S) {
            if (C == '\b')
                Host.PressKey(VK_BACK);
            else
                Host.KeyPress(static_cast<char32_t>(C));
        }
    }

    THeadlessHost& Host = Headless();
    std::unique_ptr<TForm> Form;
    Edit* E = nullptr;
    int Changes = 0;
};

class TTestEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

using CustomEditTest = EditFixture<TTestEdit>;
using NumIOTest = EditFixture<TNumIO>;

// ---- the edit ----------------------------------------------------------------------

TEST_F(CustomEditTest, TypingAndDeletingNotifyEveryChange) {
    Type("abc");
    EXPECT_EQ(E->Text(), "abc");
    EXPECT_EQ(E->SelStart(), 3);
    Host.PressKey(VK_LEFT);
    Type("\b");
    EXPECT_EQ(E->Text(), "ac");
    Host.PressKey(VK_DELETE);
    EXPECT_EQ(E->Text(), "a");
    EXPECT_EQ(Changes, 5);
    E->SetText("a");  // the same text: no change
    EXPECT_EQ(Changes, 5);
    E->SetText("xyz");
    EXPECT_EQ(Changes, 6);
    EXPECT_EQ(E->SelStart(), 0);
}

TEST_F(CustomEditTest, ShiftArrowsSelectAndTypingReplaces) {
    E->SetText("12345");
    Host.PressKey(VK_END);
    Host.PressKey(VK_LEFT, {ssShift});
    Host.PressKey(VK_LEFT, {ssShift});
    EXPECT_EQ(E->SelStart(), 3);
    EXPECT_EQ(E->SelLength(), 2);
    EXPECT_EQ(E->SelText(), "45");
    Type("x");
    EXPECT_EQ(E->Text(), "123x");
    Host.PressKey('A', {ssCtrl});
    EXPECT_EQ(E->SelLength(), 4);
}

TEST_F(CustomEditTest, ClipboardAndUndo) {
    E->SetText("hello world");
    E->SetSelStart(6);
    E->SetSelLength(5);
    Host.PressKey('C', {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "world");
    Host.PressKey('X', {ssCtrl});
    EXPECT_EQ(E->Text(), "hello ");
    Clipboard()->SetAsText("there\nnow");
    Host.PressKey('V', {ssCtrl});
    EXPECT_EQ(E->Text(), "hello there now");  // one line
    Host.PressKey('Z', {ssCtrl});
    EXPECT_EQ(E->Text(), "hello ");
}

TEST_F(CustomEditTest, CaretCountsCharactersNotBytes) {
    Type("a");
    Host.KeyPress(U'\u00E9');
    Host.KeyPress(U'\u20AC');
    EXPECT_EQ(E->Text(), "a\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(E->SelStart(), 3);
    Type("\b");
    EXPECT_EQ(E->Text(), "a\xC3\xA9");
    Host.PressKey(VK_LEFT);
    Type("\b");
    EXPECT_EQ(E->Text(), "\xC3\xA9");
}

TEST_F(CustomEditTest, ReadOnlyAndMaxLength) {
    E->SetMaxLength(3);
    Type("12345");
    EXPECT_EQ(E->Text(), "123");
    E->SetReadOnly(true);
    Type("\b9");
    Host.PressKey('X', {ssCtrl});
    EXPECT_EQ(E->Text(), "123");
}

TEST_F(CustomEditTest, ClickPlacesTheCaret) {
    E->SetText("abcdef");
    Host.Click(Form.get(), 20 + 3, 20);
    EXPECT_EQ(E->SelStart(), 0);
    EXPECT_EQ(E->SelLength(), 0);
    Host.Click(Form.get(), 20 + 118, 20);
    EXPECT_EQ(E->SelStart(), 6);
}

// ---- TNumIO ------------------------------------------------------------------------

TEST_F(NumIOTest, WithoutARangeOnlyZeroIsAccepted) {
    Type("5");
    EXPECT_EQ(E->Text(), "");
    Type("0");
    EXPECT_EQ(E->Text(), "0");
    Type("\b");
    EXPECT_EQ(E->Text(), "");
    EXPECT_EQ(Changes, 2);
}

TEST_F(NumIOTest, OutOfRangeTypingIsUndoneWithABeep) {
    E->SetInputFormat(itFloat);
    E->SetDecPlaceSep(QEL_base::dpPoint);
    E->SetRangeHigh(100);
    E->SetBeep(true);
    Changes = 0;
    Type("12");
    EXPECT_EQ(E->Text(), "12");
    Type("3");
    EXPECT_EQ(E->Text(), "12");
    EXPECT_EQ(E->SelStart(), 2);
    ASSERT_EQ(Host.Beeps().size(), 1u);
    EXPECT_EQ(Host.Beeps()[0], MB_OK);
    Type("x");
    EXPECT_EQ(E->Text(), "12");
    EXPECT_EQ(Changes, 2);
}

TEST_F(NumIOTest, DynamicFormatReadsPrefixesAndExponents) {
    E->SetRangeHigh(1e6);
    Type("$ff");
    EXPECT_EQ(E->Text(), "$ff");
    EXPECT_DOUBLE_EQ(E->Value(), 255);
    E->SetText("");
    Type("1e5");
    EXPECT_EQ(E->Text(), "1e5");
    EXPECT_DOUBLE_EQ(E->Value(), 1e5);
    Type("0");
    EXPECT_EQ(E->Text(), "1e5");  // 1e50 is out of range
}

TEST_F(NumIOTest, FixedPointIsReformattedAfterEveryChange) {
    E->SetInputFormat(itFixPoint);
    E->SetRangeHigh(100);
    EXPECT_EQ(E->Text(), "0.00");  // the empty field reads 0
    E->SelectAll();
    Type("3");
    EXPECT_EQ(E->Text(), "3.00");
    E->SetSelStart(0);
    Type(".");
    EXPECT_EQ(E->Text(), "3.00");  // a second point
    E->SetSelStart(4);
    Type("7");
    EXPECT_EQ(E->Text(), "3.01");  // a third decimal rounds into the second
    E->SetSelStart(3);
    Type("5");
    EXPECT_EQ(E->Text(), "3.05");
    E->SetSelStart(1);
    E->SetSelLength(1);
    Type("\b");  // no point left: back to the accepted text
    EXPECT_EQ(E->Text(), "3.05");
    E->SetText("");  // a cleared field reads 0
    EXPECT_EQ(E->Text(), "0.00");
}

TEST_F(NumIOTest, TextSetInCodeIsCheckedLikeTyping) {
    E->SetRangeHigh(10);
    E->SetText("5");
    EXPECT_EQ(E->Text(), "5");
    E->SetText("50");
    EXPECT_EQ(E->Text(), "5");
}

TEST_F(NumIOTest, RangeSettersSwapCrossedBounds) {
    E->SetRangeHigh(100);
    E->SetRangeLow(200);
    EXPECT_EQ(E->RangeLow(), 100);
    EXPECT_EQ(E->RangeHigh(), 200);
    E->SetRangeHigh(50);
    EXPECT_EQ(E->RangeLow(), 50);
    EXPECT_EQ(E->RangeHigh(), 100);
}

TEST_F(NumIOTest, FixPointPlacesAreClamped) {
    E->SetFixPointDecPlaces(20);
    EXPECT_EQ(E->FixPointDecPlaces(), 8);
    E->SetFixPointDecPlaces(0);
    EXPECT_EQ(E->FixPointDecPlaces(), 1);
}

TEST_F(NumIOTest, ValueWritesAndReadsTheFormat) {
    E->SetRangeHigh(1000);
    E->SetInputFormat(itHex);
    E->SetValue(255);
    EXPECT_EQ(E->Text(), "000000FF");
    EXPECT_DOUBLE_EQ(E->Value(), 255);
    E->SetInputFormat(itBin);
    E->SetValue(300);
    EXPECT_EQ(E->Text(), "100101100");
    EXPECT_DOUBLE_EQ(E->Value(), 300);
    E->SetInputFormat(itFloat);
    E->SetDecPlaceSep(QEL_base::dpComma);
    E->SetText("1,5");
    EXPECT_DOUBLE_EQ(E->Value(), 1.5);
    // An invalid key returns to the value written last.
    E->SetValue(7);
    Type("x");
    EXPECT_EQ(E->Text(), "7.00000000");
}

TEST_F(NumIOTest, AssignCopiesFormatRangeAndSeparator) {
    auto* Other = new TNumIO(Form.get());
    E->SetInputFormat(itInt);
    E->SetRangeHigh(9);
    E->SetBeep(true);
    E->SetDecPlaceSep(QEL_base::dpComma);
    Other->Assign(E);
    EXPECT_EQ(Other->InputFormat(), itInt);
    EXPECT_EQ(Other->RangeHigh(), 9);
    EXPECT_TRUE(Other->Beep());
    EXPECT_EQ(Other->DecPlaceSep(), QEL_base::dpComma);
}

}  // namespace

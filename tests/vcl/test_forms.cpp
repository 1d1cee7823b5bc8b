#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "vcl/FormFiles.h"

using namespace vcl;
using kestrix_test::HeadlessTest;
using kestrix_test::PixelAt;
using kestrix_test::TProbe;

namespace {

class ModalTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Main = std::make_unique<TForm>(nullptr);
        Main->Show();
        Dialog = std::make_unique<TForm>(nullptr);
        Dialog->SetName("Dialog");
        OkButton = new TProbe(Dialog.get());
        OkButton->SetBounds(10, 10, 60, 20);
        OkButton->SetParent(Dialog.get());
        OkButton->OnClick = [this](TObject*) { Dialog->SetModalResult(mrOk); };
    }
    void TearDown() override {
        Dialog.reset();
        Main.reset();
        HeadlessTest::TearDown();
    }
    std::unique_ptr<TForm> Main;
    std::unique_ptr<TForm> Dialog;
    TProbe* OkButton = nullptr;
};

TEST_F(ModalTest, AScriptedAnswerEndsTheModalLoopWithItsResult) {
    bool WasUp = false;
    Host().AnswerModal([&](TObject* Modal) {
        WasUp = Modal == Dialog.get() && Dialog->Visible() && Dialog->Modal() &&
                Screen->ActiveForm() == Dialog.get() && Application->ModalLevel() == 1;
        Host().Click(Dialog.get(), 20, 15);
    });
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    EXPECT_TRUE(WasUp);
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_FALSE(Dialog->Modal());
    EXPECT_EQ(Application->ModalLevel(), 0);
    EXPECT_EQ(Screen->ActiveForm(), Main.get()) << "the previous form is active again";
}

TEST_F(ModalTest, CloseInsideTheLoopAnswersCancel) {
    Host().AnswerModal([&](TObject*) { Dialog->Close(); });
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
}

TEST_F(ModalTest, AModalCallNobodyAnswersFailsLoudly) {
    try {
        Dialog->ShowModal();
        FAIL() << "ShowModal returned without an answer";
    } catch (const EHostError& E) {
        EXPECT_EQ(E.Message(), "Nothing answers the modal TForm 'Dialog' in the headless host");
    }
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_FALSE(Dialog->Modal());

    Host().AnswerModal([](TObject*) {});
    EXPECT_THROW(Dialog->ShowModal(), EHostError) << "an answer that leaves it open";
    EXPECT_EQ(Application->ModalLevel(), 0);
}

TEST_F(ModalTest, AFormAlreadyShownCannotBecomeModal) {
    Dialog->Show();
    try {
        Dialog->ShowModal();
        FAIL();
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), "Cannot make a visible window modal");
    }
}

TEST_F(ModalTest, CloseAsksFirstAndCanFreeTheFormLater) {
    bool Allow = false;
    auto* Floating = new TForm(nullptr);
    bool Destroyed = false;
    Floating->OnDestroy = [&](TObject*) { Destroyed = true; };
    Floating->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = Allow; };
    Floating->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    Floating->Show();
    Floating->Close();
    EXPECT_TRUE(Floating->Visible());
    Allow = true;
    Floating->Close();
    EXPECT_FALSE(Floating->Visible());
    EXPECT_FALSE(Destroyed);
    Application->ProcessMessages();
    EXPECT_TRUE(Destroyed);
}

TEST_F(HeadlessTest, ScreenshotsShowTheFormAndSaveAsPng) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 64, 48);
    Form.SetColor(clRed);
    auto* P = new TProbe(&Form);
    P->SetBounds(8, 8, 16, 16);
    P->SetParent(&Form);
    auto Shot = Host().Screenshot(&Form);
    ASSERT_EQ(Shot->Width(), 64);
    ASSERT_EQ(Shot->Height(), 48);
    EXPECT_EQ(PixelAt(*Shot, 0, 0), clRed);
    EXPECT_EQ(PixelAt(*Shot, 8, 8), clBlue);
    std::string File = ::testing::TempDir() + "kestrix_screenshot.png";
    Host().SaveScreenshot(&Form, File);
    TBitmap Back;
    Back.LoadFromFile(File);
    EXPECT_EQ(PixelAt(Back, 8, 8), clBlue);
    std::remove(File.c_str());
}

// -- form files

const char* const SampleForm = R"(object SampleForm: TSampleForm
  Left = 10
  Top = 20
  Caption = 'Sample'
  ClientHeight = 120
  ClientWidth = 200
  Color = clWhite
  KeyPreview = True
  OnCreate = FormCreate
  object Panel1: TCustomControl
    Left = 8
    Top = 8
    Width = 100
    Height = 60
    Color = clRed
    ParentFont = False
    Font.Height = -16
    TabOrder = 0
    TabStop = True
    OnClick = Panel1Click
    object Dot1: TGraphicControl
      Left = 4
      Top = 4
      Width = 10
      Height = 10
      Hint = 'a dot'
      ShowHint = True
    end
  end
end
)";

TEST_F(HeadlessTest, AFormFileBuildsTheControlTreeWithParentsAndEvents) {
    TForm Form(nullptr);
    int Created = 0, Clicked = 0;
    Form.RegisterMethod("FormCreate", [&](TObject*) { ++Created; });
    Form.RegisterMethod("Panel1Click", [&](TObject*) { ++Clicked; });
    LoadComponentFromText(&Form, SampleForm);

    EXPECT_EQ(Created, 1) << "OnCreate fires once the form is loaded";
    EXPECT_EQ(Form.Caption(), "Sample");
    EXPECT_EQ(Form.BoundsRect(), Rect(10, 20, 210, 140));
    EXPECT_TRUE(Form.KeyPreview());
    auto* Panel = dynamic_cast<TCustomControl*>(Form.FindComponent("Panel1"));
    auto* Dot = dynamic_cast<TGraphicControl*>(Form.FindComponent("Dot1"));
    ASSERT_TRUE(Panel && Dot);
    EXPECT_EQ(Panel->Parent(), &Form);
    EXPECT_EQ(Dot->Parent(), Panel);
    EXPECT_EQ(Panel->Font()->Height(), -16);
    EXPECT_FALSE(Panel->ParentFont());
    EXPECT_EQ(Dot->Font()->Height(), -16) << "the dot follows its parent's font";
    EXPECT_EQ(Dot->Hint(), "a dot");

    Form.Show();
    EXPECT_EQ(Form.ActiveControl(), Panel);
    Host().Click(&Form, 50, 50);
    EXPECT_EQ(Clicked, 1);
    auto Shot = Host().Screenshot(&Form);
    EXPECT_EQ(PixelAt(*Shot, 2, 2), clWhite);
    EXPECT_EQ(PixelAt(*Shot, 50, 50), clRed);
}

TEST_F(HeadlessTest, WritingAndReadingAFormGivesTheSameText) {
    TFormReadOptions Lenient;
    Lenient.IgnoreMissingMethods = true;
    TForm First(nullptr);
    LoadComponentFromText(&First, SampleForm, Lenient);
    std::string Written = WriteComponentToText(&First);
    TForm Second(nullptr);
    LoadComponentFromText(&Second, Written, Lenient);
    EXPECT_EQ(WriteComponentToText(&Second), Written);
    EXPECT_NE(Written.find("object Dot1: TGraphicControl"), std::string::npos) << Written;
}

}  // namespace

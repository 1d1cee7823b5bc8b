// TGradFill in form files, the flipped colours included.
#include <gtest/gtest.h>

#include <memory>

#include "buttons/gradfl.h"
#include "vcl/FormFiles.h"
#include "vcl/Forms.h"

namespace {

using namespace QEL_gradfl;

TEST(GradFillFormFile, PropertiesReadBackWithTheFlipInPlace) {
    auto Form = std::make_unique<vcl::TForm>(nullptr);
    Form->SetName("Form1");
    auto* Fill = new TGradFill(Form.get());
    Fill->SetName("Fill1");
    Fill->SetParent(Form.get());
    Fill->SetNrColors(8);
    Fill->SetFillType(gtMidBandVert);
    Fill->SetColorFirst(vcl::clRed);
    Fill->SetColorLast(vcl::clBlue);
    Fill->SetColorFlipped(true);
    Fill->SetFrameStyle(QEL_base::fsRaised);
    Fill->SetGridMode(gmBoth);
    Fill->SetGridColor(vcl::clWhite);

    const std::string Text = vcl::WriteComponentToText(Form.get());
    std::unique_ptr<vcl::TComponent> Copy(vcl::ReadComponentFromText(Text, nullptr));
    auto* Back = dynamic_cast<TGradFill*>(Copy->FindComponent("Fill1"));
    ASSERT_NE(Back, nullptr);
    EXPECT_EQ(Back->NrColors(), 8);
    EXPECT_EQ(Back->FillType(), gtMidBandVert);
    EXPECT_TRUE(Back->ColorFlipped());
    EXPECT_EQ(Back->ColorFirst(), vcl::clBlue);
    EXPECT_EQ(Back->ColorLast(), vcl::clRed);
    EXPECT_EQ(Back->FrameStyle(), QEL_base::fsRaised);
    EXPECT_EQ(Back->GridMode(), gmBoth);
    EXPECT_EQ(Back->GridColor(), vcl::clWhite);
    EXPECT_EQ(vcl::WriteComponentToText(Copy.get()), Text);

    // Unflipping the copy shows the colours in the order they were set.
    Back->SetColorFlipped(false);
    EXPECT_EQ(Back->ColorFirst(), vcl::clRed);
    EXPECT_EQ(Back->ColorLast(), vcl::clBlue);
}

TEST(GradFillFormFile, DeclaredDefaultsAreLeftOut) {
    auto Form = std::make_unique<vcl::TForm>(nullptr);
    Form->SetName("Form1");
    auto* Fill = new TGradFill(Form.get());
    Fill->SetName("Fill1");
    Fill->SetParent(Form.get());
    const std::string Text = vcl::WriteComponentToText(Form.get());
    EXPECT_EQ(Text.find("NrColors"), std::string::npos);
    EXPECT_EQ(Text.find("FillType"), std::string::npos);
    EXPECT_NE(Text.find("ColorFirst = clMaroon"), std::string::npos);
}

}  // namespace

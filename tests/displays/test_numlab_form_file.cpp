// TNumLab in form files: every own property is written and reads back.
#include <gtest/gtest.h>

#include <memory>

#include "displays/NumLab.h"
#include "vcl/FormFiles.h"
#include "vcl/Forms.h"

namespace {

using namespace QEL_NumLab;

TEST(NumLabFormFile, WritesEveryOwnPropertyAndReadsItBack) {
    auto Form = std::make_unique<vcl::TForm>(nullptr);
    Form->SetName("Form1");
    auto* Lab = new TNumLab(Form.get());
    Lab->SetName("Lab1");
    Lab->SetParent(Form.get());
    Lab->SetValue(-12.375);
    Lab->SetDisplayType(dtDegMin);
    Lab->SetPrecision(3);
    Lab->SetComma(true);
    Lab->SetLeftText("Lat");
    Lab->SetRightText("N");
    Lab->SetLeftSpace(40);
    Lab->SetLabelWidth(90);
    Lab->SetAlignment(vcl::taRightJustify);
    Lab->SetFrameStyle(QEL_base::fsEngraved);
    Lab->SetColorLabBakG(vcl::clWhite);
    Lab->SetColorScheme(QEL_base::csSystem);
    Lab->SetStateText("idle");
    Lab->SetEnabled(false);

    const std::string Text = vcl::WriteComponentToText(Form.get());
    for (const char* Name : {"Value",
                             "DisplayType",
                             "Precision",
                             "Comma",
                             "ForcePlusSign",
                             "Empty",
                             "LeftText",
                             "RightText",
                             "LeftSpace",
                             "LabelWidth",
                             "Alignment",
                             "LeftTextAlignment",
                             "RightTextAlignment",
                             "FrameStyle",
                             "ColorLabText",
                             "ColorLabBakG",
                             "ColorOutText",
                             "ColorOutBakG",
                             "ColorScheme",
                             "Transparent",
                             "OverflowIndicator",
                             "DTFormat",
                             "StateText",
                             "Enabled"})
        EXPECT_NE(Text.find(std::string("    ") + Name + " = "), std::string::npos) << Name;

    std::unique_ptr<vcl::TComponent> Copy(vcl::ReadComponentFromText(Text, nullptr));
    auto* Back = dynamic_cast<TNumLab*>(Copy->FindComponent("Lab1"));
    ASSERT_NE(Back, nullptr);
    EXPECT_EQ(Back->Value(), -12.375);
    EXPECT_EQ(Back->DisplayType(), dtDegMin);
    EXPECT_EQ(Back->Precision(), 3);
    EXPECT_TRUE(Back->Comma());
    EXPECT_EQ(Back->LeftText(), "Lat");
    EXPECT_EQ(Back->RightText(), "N");
    EXPECT_EQ(Back->LeftSpace(), 40);
    EXPECT_EQ(Back->LabelWidth(), 90);
    EXPECT_EQ(Back->Alignment(), vcl::taRightJustify);
    EXPECT_EQ(Back->FrameStyle(), QEL_base::fsEngraved);
    EXPECT_EQ(Back->ColorLabBakG(), vcl::clWhite);
    EXPECT_EQ(Back->ColorScheme(), QEL_base::csSystem);
    EXPECT_EQ(Back->ColGrayLine(), vcl::clBtnShadow);
    EXPECT_EQ(Back->StateText(), "idle");
    EXPECT_FALSE(Back->Enabled());
    EXPECT_EQ(vcl::WriteComponentToText(Copy.get()), Text);
}

}  // namespace

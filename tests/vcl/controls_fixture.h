// A fresh headless host for every test, and small controls that record what
// reaches them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Headless.h"

namespace kestrix_test {

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        vcl::SetHost(std::make_unique<vcl::THeadlessHost>());
        vcl::Application->OnException = nullptr;
    }
    void TearDown() override { vcl::Application->OnException = nullptr; }
    vcl::THeadlessHost& Host() { return vcl::Headless(); }
};

using TLog = std::vector<std::string>;

// A windowed control that fills itself with Fill and logs its messages.
class TProbe : public vcl::TCustomControl {
public:
    explicit TProbe(vcl::TComponent* AOwner) : TCustomControl(AOwner) {
        SetBounds(0, 0, 40, 30);
        SetTabStop(true);
    }
    std::string ClassName() const override { return "TProbe"; }

    TLog* Log = nullptr;
    vcl::TColor Fill = vcl::clBlue;
    bool WantArrows = false;

    // The setter pattern: unchanged values do not repaint.
    void SetFill(vcl::TColor Value) {
        if (Value == Fill) return;
        Fill = Value;
        Paint();
    }

protected:
    void Note(const std::string& S) {
        if (Log) Log->push_back(Name() + ":" + S);
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
    void CNKeyDown(vcl::TWMKey& M) override {
        Note("cn" + std::to_string(M.CharCode));
        TCustomControl::CNKeyDown(M);
    }
    void WMSetFocus(vcl::TMessage& M) override {
        Note("setfocus");
        TCustomControl::WMSetFocus(M);
    }
    void WMKillFocus(vcl::TMessage& M) override {
        Note("killfocus");
        TCustomControl::WMKillFocus(M);
    }
    void WMGetDlgCode(vcl::TMessage& M) override {
        M.Result = WantArrows ? vcl::DLGC_WANTARROWS : 0;
    }
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        Note("createwnd");
    }
};

// A graphic control that paints a FillRect larger than itself, to show that
// its canvas is clipped to its bounds.
class TGraphicProbe : public vcl::TGraphicControl {
public:
    explicit TGraphicProbe(vcl::TComponent* AOwner) : TGraphicControl(AOwner) {
        SetBounds(0, 0, 20, 20);
    }
    std::string ClassName() const override { return "TGraphicProbe"; }
    vcl::TColor Fill = vcl::clLime;
    void SetFill(vcl::TColor Value) {
        if (Value == Fill) return;
        Fill = Value;
        Paint();
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(vcl::Rect(-50, -50, 500, 500));
    }
};

// Colour of a surface pixel as TColor (0x00BBGGRR).
inline vcl::TColor PixelAt(vcl::TBitmap& B, int X, int Y) {
    uint32_t P = B.ScanLine(Y)[X];
    return ((P >> 16) & 0xFF) | (P & 0xFF00) | ((P & 0xFF) << 16);
}

}  // namespace kestrix_test

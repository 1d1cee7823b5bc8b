// A form built in code: two numeric labels showing a measurement, rendered
// to a PNG file through the headless host.
//
//   hello_numlab [OUT.png]
#include <cstdio>
#include <string>

#include "displays/NumLab.h"
#include "frame/Package.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Headless.h"

int main(int Argc, char** Argv) {
    const std::string Out = Argc > 1 ? Argv[1] : "hello_numlab.png";
    kestrix::Initialize();

    vcl::TForm* Form = nullptr;
    vcl::Application->CreateForm(Form);
    Form->SetCaption("Supply");
    Form->SetClientWidth(236);
    Form->SetClientHeight(80);

    // The form owns both labels and frees them with itself.
    auto* Voltage = new QEL_NumLab::TNumLab(Form);
    Voltage->SetParent(Form);
    Voltage->SetBounds(8, 8, 220, 28);
    Voltage->SetLeftText("U");
    Voltage->SetRightText("V");
    Voltage->SetValue(12.4987);

    auto* Current = new QEL_NumLab::TNumLab(Form);
    Current->SetParent(Form);
    Current->SetBounds(8, 44, 220, 28);
    Current->SetLeftText("I");
    Current->SetRightText("A");
    Current->SetDisplayType(QEL_NumLab::dtEEng);
    Current->SetValue(0.00047);

    vcl::Headless().SaveScreenshot(Form, Out);
    std::printf("hello_numlab: wrote %s\n", Out.c_str());
    return 0;
}

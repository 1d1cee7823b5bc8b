#include <gtest/gtest.h>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

namespace {

class TApple : public vcl::TPersistent {
public:
    std::string ClassName() const override { return "TApple"; }
};
class TPear : public vcl::TPersistent {
public:
    std::string ClassName() const override { return "TPear"; }
};

TEST(Persistent, AssignBetweenUnrelatedClassesNamesBoth) {
    TApple apple;
    TPear pear;
    try {
        apple.Assign(&pear);
        FAIL() << "no exception";
    } catch (const vcl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPear to a TApple");
    }
    try {
        apple.Assign(nullptr);
        FAIL() << "no exception";
    } catch (const vcl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TApple");
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "qelmath/Math1.h"
#include "qelmath/Matrix.h"

TEST(IntNeg, IsTheLargestIntegerNotAboveX) {
    const std::pair<double, int32_t> Cases[] = {
        {2.7, 2},           {-2.2, -3},        {-3.0, -3},
        {0.0, 0},           {-0.5, -1},        {1e12, INT32_MAX},
        {-1e12, INT32_MIN}, {std::nan(""), 0}, {std::log10(0.999999999 * 0.05), -2}};
    for (auto [X, Expected] : Cases) EXPECT_EQ(QEL_math1::IntNeg(X), Expected) << X;
}

TEST(IsValidDecInt, AcceptsWhatStrToIntAccepts) {
    const std::pair<const char*, bool> Cases[] = {
        {"42", true},          {"-7", true},         {"+3", true},
        {"  12", true},        {"2147483647", true}, {"-2147483648", true},
        {"2147483648", false}, {"", false},          {"-", false},
        {"1.5", false},        {"12 ", false},       {"1e3", false},
        {"$FF", false},        {"0x10", false},      {"99999999999999999999", false}};
    for (auto [Text, Valid] : Cases) EXPECT_EQ(QEL_math1::IsValidDecInt(Text), Valid) << Text;
}

TEST(IntMatrix, HoldsOneBasedValuesAndKeepsThemOnResize) {
    QEL_matrix::TIntMatrix M(nullptr);
    M.Resize(3, 2);
    M.SetVal(1, 1, 24);
    M.SetVal(3, 2, -99999);
    M.SetVal(0, 1, 5);
    M.SetVal(4, 1, 5);
    EXPECT_EQ(M.GetVal(1, 1), 24);
    EXPECT_EQ(M.GetVal(3, 2), -99999);
    EXPECT_EQ(M.GetVal(0, 1), 0);
    M.SetNRows(10);
    EXPECT_EQ(M.NrOfRows(), 10);
    EXPECT_EQ(M.NrOfColumns(), 3);
    EXPECT_EQ(M.GetVal(3, 2), -99999);
    EXPECT_EQ(M.GetVal(3, 10), 0);
    M.SetNRows(1);
    EXPECT_EQ(M.GetVal(3, 2), 0);
    EXPECT_EQ(M.GetVal(1, 1), 24);
}

TEST(Matrix, FillSetsEveryElementAndNotifies) {
    QEL_matrix::TMatrix M(nullptr);
    int Changes = 0;
    M.OnChange = [&](vcl::TObject*) { ++Changes; };
    M.Resize(2, 2);
    M.Fill(1.5);
    EXPECT_EQ(M.Elem(2, 2), 1.5);
    M.SetElem(1, 2, std::nan(""));
    M.SetElem(1, 2, std::nan(""));
    EXPECT_EQ(Changes, 3);
}

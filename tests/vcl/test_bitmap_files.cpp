#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"

using namespace vcl;
using Bytes = std::vector<uint8_t>;

namespace {

void Put16(Bytes& B, size_t At, uint32_t V) {
    B[At] = uint8_t(V);
    B[At + 1] = uint8_t(V >> 8);
}
void Put32(Bytes& B, size_t At, uint32_t V) {
    Put16(B, At, V & 0xFFFF);
    Put16(B, At + 2, V >> 16);
}

// The picture every fixture holds: 3 x 2 pixels, top row red, white, blue;
// bottom row black, green (0x008000), red. Palette files index these colours.
const TColor Want[2][3] = {{clRed, clWhite, clBlue}, {clBlack, clGreen, clRed}};
const TColor PaletteColours[] = {clBlack, clWhite, clRed, clBlue, clGreen};

int IndexOf(TColor C) {
    for (int I = 0; I < 5; ++I)
        if (PaletteColours[I] == C) return I;
    return 0;
}

// Writes a BMP file of the fixture by hand: Bits per pixel, rows top-down or
// bottom-up, BI_BITFIELDS for 32 bits when asked.
Bytes MakeBmp(int Bits, bool TopDown, bool BitFields = false) {
    const int W = 3, H = 2;
    const int Colours = Bits <= 8 ? (Bits == 1 ? 2 : 5) : 0;
    const size_t Stride = ((W * Bits + 31) / 32) * 4;
    const size_t Masks = BitFields ? 12 : 0;
    const size_t Offset = 14 + 40 + Masks + 4 * Colours;
    Bytes B(Offset + Stride * H, 0);
    B[0] = 'B';
    B[1] = 'M';
    Put32(B, 2, uint32_t(B.size()));
    Put32(B, 10, uint32_t(Offset));
    Put32(B, 14, 40);
    Put32(B, 18, W);
    Put32(B, 22, uint32_t(TopDown ? -H : H));
    Put16(B, 26, 1);
    Put16(B, 28, uint32_t(Bits));
    Put32(B, 30, BitFields ? 3 : 0);
    Put32(B, 46, uint32_t(Colours));
    if (BitFields) {
        Put32(B, 54, 0x0000FF00);  // red in the second byte: an unusual layout
        Put32(B, 58, 0x00FF0000);
        Put32(B, 62, 0xFF000000);
    }
    for (int I = 0; I < Colours; ++I) {
        const TColor C = PaletteColours[I];
        const size_t E = 14 + 40 + Masks + 4 * I;
        B[E] = GetBValue(C);
        B[E + 1] = GetGValue(C);
        B[E + 2] = GetRValue(C);
    }
    for (int Y = 0; Y < H; ++Y) {
        const int FileRow = TopDown ? Y : H - 1 - Y;
        uint8_t* Row = B.data() + Offset + Stride * FileRow;
        for (int X = 0; X < W; ++X) {
            const TColor C = Bits == 1 ? (Want[Y][X] == clWhite ? clWhite : clBlack) : Want[Y][X];
            const int I = IndexOf(C);
            switch (Bits) {
                case 1:
                    Row[X / 8] |= uint8_t((C == clWhite ? 1 : 0) << (7 - X % 8));
                    break;
                case 4:
                    Row[X / 2] |= uint8_t(I << (X % 2 ? 0 : 4));
                    break;
                case 8:
                    Row[X] = uint8_t(I);
                    break;
                case 24:
                    Row[3 * X] = GetBValue(C);
                    Row[3 * X + 1] = GetGValue(C);
                    Row[3 * X + 2] = GetRValue(C);
                    break;
                case 32:
                    if (BitFields) {
                        Row[4 * X + 1] = GetRValue(C);
                        Row[4 * X + 2] = GetGValue(C);
                        Row[4 * X + 3] = GetBValue(C);
                    } else {
                        Row[4 * X] = GetBValue(C);
                        Row[4 * X + 1] = GetGValue(C);
                        Row[4 * X + 2] = GetRValue(C);
                    }
                    break;
            }
        }
    }
    return B;
}

void ExpectFixture(TBitmap& B, bool Mono) {
    ASSERT_EQ(B.Width(), 3);
    ASSERT_EQ(B.Height(), 2);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 3; ++X) {
            const TColor C = Mono ? (Want[Y][X] == clWhite ? clWhite : clBlack) : Want[Y][X];
            EXPECT_EQ(B.Canvas()->Pixels(X, Y), C) << X << "," << Y;
        }
}

TEST(BitmapFiles, ReadsEveryDepthInBothRowOrders) {
    struct Case {
        int Bits;
        bool BitFields;
        TPixelFormat Format;
    };
    for (Case K : {Case{1, false, pf1bit}, Case{4, false, pf4bit}, Case{8, false, pf8bit},
                   Case{24, false, pf24bit}, Case{32, false, pf32bit}, Case{32, true, pf32bit}})
        for (bool TopDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << K.Bits << " bits, top-down " << TopDown
                                            << ", bit fields " << K.BitFields);
            TBitmap B;
            B.LoadFromBytes(MakeBmp(K.Bits, TopDown, K.BitFields));
            ExpectFixture(B, K.Bits == 1);
            EXPECT_EQ(B.PixelFormat(), K.Format);
        }
}

TEST(BitmapFiles, WritesAndReadsBack24And32Bit) {
    for (TPixelFormat F : {pf24bit, pf32bit}) {
        TBitmap A;
        A.LoadFromBytes(MakeBmp(24, false));
        A.SetPixelFormat(F);
        const Bytes Data = A.SaveToBytes();
        EXPECT_EQ(Data[28], F == pf32bit ? 32 : 24);
        TBitmap B;
        B.LoadFromBytes(Data);
        ExpectFixture(B, false);
    }
}

TEST(BitmapFiles, PngRoundTripThroughAFile) {
    const auto Dir = std::filesystem::temp_directory_path() / "kestrix_png_test";
    std::filesystem::create_directories(Dir);
    const std::string Name = (Dir / "fixture.PNG").string();
    TBitmap A;
    A.LoadFromBytes(MakeBmp(24, true));
    A.SaveToFile(Name);
    std::ifstream In(Name, std::ios::binary);
    char Sig[4] = {};
    In.read(Sig, 4);
    EXPECT_EQ(std::string(Sig + 1, 3), "PNG");
    TBitmap B;
    B.LoadFromFile(Name);
    ExpectFixture(B, false);
    EXPECT_EQ(B.PixelFormat(), pf24bit);
    A.SetPixelFormat(pf32bit);
    TBitmap C;
    C.LoadFromBytes(A.SaveToBytes(true));
    ExpectFixture(C, false);
    EXPECT_EQ(C.PixelFormat(), pf32bit);
    std::filesystem::remove_all(Dir);
}

TEST(BitmapFiles, StreamsReadTheBitmapAndStopAfterIt) {
    TMemoryStream S;
    TBitmap A;
    A.LoadFromBytes(MakeBmp(8, false));
    A.SaveToStream(S);
    const int64_t Length = S.Size();
    S.WriteBuffer("tail", 4);
    S.SetPosition(0);
    TBitmap B;
    B.LoadFromStream(S);
    ExpectFixture(B, false);
    EXPECT_EQ(S.Position(), Length);
}

TEST(BitmapFiles, ResourcesAreFoundByNameWithOrWithoutFileHeader) {
    const Bytes File = MakeBmp(4, false);
    RegisterResource("FixtureFile", File);
    RegisterResource("FIXTUREDIB", Bytes(File.begin() + 14, File.end()));
    for (const char* Name : {"FIXTUREFILE", "fixturedib"}) {
        TBitmap B;
        B.LoadFromResourceName(HInstance, Name);
        ExpectFixture(B, false);
    }
    TBitmap B;
    try {
        B.LoadFromResourceName(HInstance, "NOSUCHPICTURE");
        FAIL() << "no exception";
    } catch (const EResNotFound& E) {
        EXPECT_EQ(E.Message(), "Resource NOSUCHPICTURE not found");
    }
}

// Every corruption raises EInvalidGraphic and leaves the bitmap untouched.
TEST(BitmapFiles, MalformedPicturesRaiseAndLeaveTheBitmapAsItWas) {
    const Bytes Good = MakeBmp(24, false);
    auto With = [&](size_t At, uint32_t V, int Width = 4) {
        Bytes B = Good;
        if (Width == 4)
            Put32(B, At, V);
        else
            Put16(B, At, V);
        return B;
    };
    TBitmap Png;
    Png.LoadFromBytes(Good);
    const Bytes GoodPng = Png.SaveToBytes(true);
    Bytes BadCrc = GoodPng;
    BadCrc[30] ^= 0xFF;
    Bytes PngHuge = GoodPng;
    Put32(PngHuge, 16, 0x00FFFFFF);  // width, big-endian field, left inconsistent
    struct Case {
        const char* Name;
        Bytes Data;
    };
    const Case Cases[] = {
        {"empty", {}},
        {"just the signature", {'B', 'M'}},
        {"truncated header", Bytes(Good.begin(), Good.begin() + 30)},
        {"truncated pixels", Bytes(Good.begin(), Good.end() - 4)},
        {"unknown header size", With(14, 41)},
        {"zero width", With(18, 0)},
        {"negative width", With(18, uint32_t(-3))},
        {"huge picture", With(18, 1u << 30)},
        {"huge but short", With(22, 40000)},
        {"depth 7", With(28, 7, 2)},
        {"RLE8", With(30, 1)},
        {"JPEG inside", With(30, 4)},
        {"pixels beyond the end", With(10, 0x7FFFFFF0)},
        {"pixels inside the header", With(10, 20)},
        {"not a picture", {'h', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"truncated PNG", Bytes(GoodPng.begin(), GoodPng.begin() + GoodPng.size() / 2)},
        {"PNG signature only", Bytes(GoodPng.begin(), GoodPng.begin() + 8)},
        {"PNG with a bad checksum", BadCrc},
        {"PNG header lies about the size", PngHuge},
    };
    for (const Case& K : Cases) {
        TBitmap B(2, 1);
        B.Canvas()->SetPixels(0, 0, clRed);
        B.SetPixelFormat(pf8bit);
        try {
            B.LoadFromBytes(K.Data);
            ADD_FAILURE() << K.Name << ": no exception";
        } catch (const EInvalidGraphic& E) {
            EXPECT_FALSE(E.Message().empty()) << K.Name;
        }
        EXPECT_EQ(B.Width(), 2) << K.Name;
        EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed) << K.Name;
        EXPECT_EQ(B.PixelFormat(), pf8bit) << K.Name;
    }
}

TEST(BitmapFiles, MissingFileOrFolderRaisesAnInputOutputError) {
    TBitmap B(1, 1);
    EXPECT_THROW(B.LoadFromFile("/nonexistent/dir/picture.bmp"), EInOutError);
    EXPECT_THROW(B.SaveToFile("/nonexistent/dir/picture.bmp"), EInOutError);
}

TEST(BitmapFiles, SavingReplacesAnExistingFileWhole) {
    const auto Dir = std::filesystem::temp_directory_path() / "kestrix_bmp_replace";
    std::filesystem::create_directories(Dir);
    const std::string Name = (Dir / "picture.bmp").string();
    TBitmap Big(40, 40), Small;
    Big.SaveToFile(Name);
    Small.LoadFromBytes(MakeBmp(24, false));
    Small.SaveToFile(Name);
    TBitmap Back;
    Back.LoadFromFile(Name);
    ExpectFixture(Back, false);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir),
                            std::filesystem::directory_iterator()),
              1);  // no temporary left behind
    std::filesystem::remove_all(Dir);
}

TEST(Bitmap, SetSizeKeepsTheOverlapAndWhitensTheRest) {
    TBitmap B(2, 2);
    B.Canvas()->SetPixels(1, 1, clRed);
    B.SetSize(3, 3);
    EXPECT_EQ(B.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(B.Canvas()->Pixels(2, 2), clWhite);
    B.SetWidth(1);
    EXPECT_EQ(B.Width(), 1);
    EXPECT_EQ(B.Canvas()->Pixels(1, 1), 0xFFFFFFFF);
    EXPECT_EQ(B.ScanLine(0)[0], 0xFFFFFFFFu);  // opaque white, BGRA
    EXPECT_THROW(B.ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(B.SetSize(100000, 100000), EInvalidGraphicOperation);
}

TEST(Bitmap, AssignCopiesPixelsAndSettings) {
    TBitmap A(2, 1), B;
    A.Canvas()->SetPixels(1, 0, clBlue);
    A.SetTransparent(true);
    A.SetPixelFormat(pf24bit);
    B.Assign(&A);
    EXPECT_EQ(B.Width(), 2);
    EXPECT_EQ(B.Canvas()->Pixels(1, 0), clBlue);
    EXPECT_TRUE(B.Transparent());
    EXPECT_EQ(B.PixelFormat(), pf24bit);
}

}  // namespace

// The point bitmap file: its header, its size, its white ground and the curve
// where the bitmap's geometry puts it.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

#include "ReportBitmap.h"
#include "ReportCanvas.h"
#include "ReportTestSupport.h"

namespace k30 {
namespace {

std::uint32_t U32(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}
std::uint16_t U16(const QByteArray& b, int at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

struct Pixel {
    int blue, green, red;
};
// (x, y) counted from the top left, as drawn; the file stores rows bottom-up.
Pixel At(const QByteArray& file, int x, int y)
{
    const int at = 54 + (699 - y) * 2000 + 4 * x;
    return {static_cast<std::uint8_t>(file[at]), static_cast<std::uint8_t>(file[at + 1]),
            static_cast<std::uint8_t>(file[at + 2])};
}
bool IsWhite(const Pixel& p) { return p.blue == 255 && p.green == 255 && p.red == 255; }
bool IsRed(const Pixel& p) { return p.blue == 0 && p.green == 0 && p.red == 255; }

class BitmapFile : public ::testing::TestWithParam<Language> {
protected:
    QByteArray Save(TestDataStore& store)
    {
        const QString path = dir_.filePath(QStringLiteral("point.bmp"));
        QString error;
        EXPECT_TRUE(SaveReportBitmap(path, store, test::SampleHeader(GetParam()), GetParam(), error))
            << error.toStdString();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    QTemporaryDir dir_;
};

TEST_P(BitmapFile, HasTheFixedHeaderAndSize)
{
    TestDataStore store = test::MakeStore(3, GetParam());
    store.strCurK30Name = "P2";
    const QByteArray file = Save(store);
    ASSERT_EQ(file.size(), 1400054);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(file, 2), 1400054u);
    EXPECT_EQ(U32(file, 6), 0u);
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(U32(file, 18), 500u);
    EXPECT_EQ(U32(file, 22), 700u);
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), 32u);
    for (int at = 30; at < 54; ++at)
        EXPECT_EQ(file[at], '\0') << "header byte " << at;
}

TEST_P(BitmapFile, IsWhiteWhereNothingIsDrawnAndRedAlongTheCurve)
{
    const Language lang = GetParam();
    TestDataStore store = test::MakeStore(3, lang);
    store.strCurK30Name = "P3";
    const QByteArray file = Save(store);
    ASSERT_EQ(file.size(), 1400054);

    // Above the title and below the frame nothing is drawn.
    for (int y : {0, 5, 10, 600, 650, 699})
        for (int x = 0; x < 500; x += 7)
            ASSERT_TRUE(IsWhite(At(file, x, y))) << x << "," << y;

    // The bitmap's geometry: scale 1.2 inside the rectangle shrunk by 15 and 20,
    // the chart below the header rows, whose pitch is the 8-point line height.
    const double s = 1.2;
    const double X0 = 15 + 30 * s;
    const double Y0 = 20 + 50 * s;
    const double Y1 = Y0 + 1.5 * ReportTextHeight(lang, 8);
    const double CX0 = X0 + 5 * s;
    const double CY0 = Y1 + 75 * s + 100 * s;
    const K30& point = store.k30List[2];
    for (const int i : {1, 4, 7, 10}) {
        const double mpa = point.reading[static_cast<std::size_t>(i)].stress / 1000.0;
        const double mm = point.reading[static_cast<std::size_t>(i)].settlement / 100.0;
        const int x = static_cast<int>(CX0 + 20 * s * mpa / 0.04 + 30 * s);
        const int y = static_cast<int>(CY0 + 50 * s * mm);
        EXPECT_TRUE(IsRed(At(file, x, y))) << "reading " << i << " at " << x << "," << y;
    }
}

TEST_P(BitmapFile, IsNotWrittenWithoutItsPointOrIntoAMissingFolder)
{
    TestDataStore store = test::MakeStore(2, GetParam());
    store.strCurK30Name = "P9";
    QString error;
    const QString path = dir_.filePath(QStringLiteral("none.bmp"));
    EXPECT_FALSE(SaveReportBitmap(path, store, {}, GetParam(), error));
    EXPECT_FALSE(QFile::exists(path));

    store.strCurK30Name = "P1";
    EXPECT_FALSE(SaveReportBitmap(dir_.filePath(QStringLiteral("missing/p.bmp")), store, {}, GetParam(), error));
    EXPECT_FALSE(error.isEmpty());
}

std::string LanguageName(const ::testing::TestParamInfo<Language>& param)
{
    return param.param == Language::Chinese ? "Chinese" : "English";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, BitmapFile, ::testing::Values(Language::Chinese, Language::English),
                         LanguageName);

}  // namespace
}  // namespace k30

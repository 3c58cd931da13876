// The point bitmap file: its header, its size, its white ground and the curve
// where the bitmap's geometry puts it.
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include "ReportBitmap.h"
#include "ReportCanvas.h"
#include "ReportTestSupport.h"

namespace k30 {
namespace {

// (x, y) counted from the top left, as drawn; the file stores rows bottom-up.
QRgb At(const QByteArray& file, int x, int y)
{
    const auto byte = [&](int at) { return static_cast<std::uint8_t>(file[54 + (699 - y) * 2000 + 4 * x + at]); };
    return qRgb(byte(2), byte(1), byte(0));
}

class BitmapFile : public ::testing::TestWithParam<Language> {
protected:
    QTemporaryDir dir_;
};

TEST_P(BitmapFile, HasTheFixedHeaderAWhiteGroundAndTheRedCurve)
{
    const Language lang = GetParam();
    TestDataStore store = test::MakeStore(3, lang);
    store.strCurK30Name = "P3";
    const QString path = dir_.filePath(QStringLiteral("point.bmp"));
    QString error;
    ASSERT_TRUE(SaveReportBitmap(path, store, test::SampleHeader(lang), lang, error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray file = f.readAll();
    ASSERT_EQ(file.size(), 1400054);

    // "BM", file size, reserved, pixel offset; info header size, 500 x 700
    // (positive: bottom-up), one plane, 32 bits; every other field zero.
    const QByteArray header =
        QByteArray::fromHex("424df65c1500000000003600000028000000f4010000bc02000001002000") + QByteArray(24, '\0');
    EXPECT_EQ(file.left(54).toHex(' ').toStdString(), header.toHex(' ').toStdString());

    // Above the title and below the frame nothing is drawn.
    for (int y : {0, 5, 10, 600, 650, 699})
        for (int x = 0; x < 500; x += 7)
            ASSERT_EQ(At(file, x, y), qRgb(255, 255, 255)) << x << "," << y;

    // The bitmap's geometry: scale 1.2 inside the rectangle shrunk by 15 and 20,
    // the chart below the header rows, whose pitch is the 8-point line height.
    const double s = 1.2;
    const double X0 = 15 + 30 * s;
    const double Y0 = 20 + 50 * s;
    const double Y1 = Y0 + 1.5 * ReportTextHeight(lang, 8);
    const double CX0 = X0 + 5 * s;
    const double CY0 = Y1 + 75 * s + 100 * s;
    for (const int i : {1, 4, 7, 10}) {
        const ReadingPair& r = store.k30List[2].reading[static_cast<std::size_t>(i)];
        const int x = static_cast<int>(CX0 + 20 * s * (r.stress / 1000.0) / 0.04 + 30 * s);
        const int y = static_cast<int>(CY0 + 50 * s * (r.settlement / 100.0));
        EXPECT_EQ(At(file, x, y), qRgb(255, 0, 0)) << "reading " << i << " at " << x << "," << y;
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

INSTANTIATE_TEST_SUITE_P(BothLanguages, BitmapFile, ::testing::Values(Language::Chinese, Language::English),
                         [](const auto& param) { return param.param == Language::Chinese ? "Chinese" : "English"; });

}  // namespace
}  // namespace k30

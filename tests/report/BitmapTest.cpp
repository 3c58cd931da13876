// The point bitmap file: written only for a point that exists, into a folder
// that exists, with the bytes the drawing gives (those bytes are held by the
// golden hashes of AcceptanceReportTest).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ReportBitmap.h"
#include "ReportTestSupport.h"

namespace k30 {
namespace {

class BitmapFile : public ::testing::TestWithParam<Language> {
protected:
    QTemporaryDir dir_;
};

TEST_P(BitmapFile, IsWrittenOnlyForItsPointAndIntoAFolderThatExists)
{
    const Language lang = GetParam();
    TestDataStore store = test::MakeStore(3, lang);
    store.strCurK30Name = "P9";
    QString error;
    const QString none = dir_.filePath(QStringLiteral("none.bmp"));
    EXPECT_FALSE(SaveReportBitmap(none, store, {}, lang, error));
    EXPECT_FALSE(QFile::exists(none));

    store.strCurK30Name = "P1";
    EXPECT_FALSE(SaveReportBitmap(dir_.filePath(QStringLiteral("missing/p.bmp")), store, {}, lang, error));
    EXPECT_FALSE(error.isEmpty());

    store.strCurK30Name = "P3";
    const QString path = dir_.filePath(QStringLiteral("point.bmp"));
    ASSERT_TRUE(SaveReportBitmap(path, store, test::SampleHeader(lang), lang, error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == BitmapFileBytes(RenderReportBitmap(store, test::SampleHeader(lang), lang)));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, BitmapFile, ::testing::Values(Language::Chinese, Language::English),
                         [](const auto& param) { return param.param == Language::Chinese ? "Chinese" : "English"; });

}  // namespace
}  // namespace k30

// Project files come by mail and USB stick: their readings are floats of any
// value. Every report and the bitmap must draw them without undefined
// behaviour (the sanitizer build of scripts/test runs this program too) and
// keep every coordinate on the page side of the int range.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

#include <cmath>
#include <limits>

#include "ListReport.h"
#include "PointReport.h"
#include "PrintType.h"
#include "ProjectFile.h"
#include "ReportBitmap.h"
#include "ReportOutput.h"
#include "ReportTestSupport.h"

using namespace k30;

namespace {

constexpr ReportPage kPage{765, 1094, 14, 14};
// Far outside any page, yet well inside int.
constexpr double kBound = 2.0 * (1 << 20);

// A project file as it arrives: written, then read back as Open reads it.
TestDataStore StoreFromProjectFile(Language lang)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> odd{kNaN, kInf, -kInf, 1e30f, -1e30f, std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::denorm_min(), 3e9f, -3e9f};
    std::vector<K30> points;
    for (std::size_t k = 0; k < odd.size(); ++k) {
        K30 p = test::MakePoint(static_cast<int>(k) + 1);
        for (std::size_t i = 0; i < 16; ++i) {
            // Every odd value in every place: as stress, as settlement, early and late in the curve.
            auto& r = p.reading[i];
            r.stress = odd[(k + i) % odd.size()];
            r.settlement = odd[(k + 2 * i + 1) % odd.size()];
        }
        points.push_back(p);
    }
    std::vector<const K30*> chosen;
    for (const K30& p : points)
        chosen.push_back(&p);
    const ProjectReadResult read = ReadProject(WriteProject(7, chosen, test::SampleHeader(lang)));
    EXPECT_TRUE(read.ok) << read.error;
    TestDataStore store;
    ApplyProject(read.data, store);
    store.nLanguage = lang;
    EXPECT_TRUE(std::isnan(store.k30List[0].reading[0].stress));
    return store;
}

void ExpectOnThePageSide(const test::RecordingDevice& device)
{
    ASSERT_FALSE(device.lines.empty());
    for (const QLineF& l : device.lines) {
        for (const double v : {l.x1(), l.y1(), l.x2(), l.y2()}) {
            ASSERT_TRUE(std::isfinite(v));
            ASSERT_LE(std::abs(v), kBound) << "a reading became a coordinate out of bounds";
        }
    }
}

}  // namespace

TEST(ExtremeReadings, EveryReportAndTheBitmapDrawThemWithinBounds)
{
    for (const Language lang : {Language::Chinese, Language::English}) {
        SCOPED_TRACE(lang == Language::Chinese ? "zh" : "en");
        TestDataStore store = StoreFromProjectFile(lang);
        const ReportHeader header = test::SampleHeader(lang);
        const int count = static_cast<int>(store.ValidCount());

        for (int page = 1; page <= count; ++page) {
            test::RecordingDevice all;
            {
                QPainter painter(&all);
                ASSERT_TRUE(DrawK30PointReport(painter, kPage, store, header, lang, kPrintAllPoints, count, page));
            }
            ExpectOnThePageSide(all);

            store.strCurK30Name = store.k30List[static_cast<std::size_t>(page - 1)].name;
            test::RecordingDevice current;
            {
                QPainter painter(&current);
                ASSERT_TRUE(DrawK30PointReport(painter, kPage, store, header, lang, kPrintCurrentPoint, 1, 1));
            }
            ExpectOnThePageSide(current);

            test::RecordingDevice bitmap;
            {
                QPainter painter(&bitmap);
                ASSERT_TRUE(DrawK30PointBitmap(painter, ReportPage{kBitmapWidth, kBitmapHeight, 0, 0}, store,
                                               header, lang));
            }
            ExpectOnThePageSide(bitmap);
            EXPECT_EQ(BitmapFileBytes(RenderReportBitmap(store, header, lang)).size(), kBitmapFileBytes);
        }

        test::RecordingDevice list;
        {
            QPainter painter(&list);
            ASSERT_TRUE(DrawK30ListReport(painter, kPage, store, header, lang, 1, 1));
        }
        ExpectOnThePageSide(list);

        // The same drawings on a real paint engine, through the PDF writer.
        for (const int type : {kPrintCurrentPoint, kPrintAllPoints, kPrintPointList}) {
            QByteArray pdf;
            QBuffer out(&pdf);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            EXPECT_TRUE(WriteReportPdf(out, ReportJob{store, header, lang, type}));
            EXPECT_TRUE(pdf.startsWith("%PDF"));
        }
    }
}

// Texts that fit their boxes: every report kind in both languages, drawn with
// the texts a real site prints and with texts far longer than any box, through
// a recording paint device. No two texts may overlap and every text stays on
// the printable area.
#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>
#include <functional>

#include "AcceptancePoints.h"
#include "Ev2Report.h"
#include "ListReport.h"
#include "PointReport.h"
#include "PrintType.h"
#include "ReportCanvas.h"
#include "ReportTestSupport.h"
#include "SummaryReport.h"

namespace k30 {
namespace {

using test::RecordingDevice;

constexpr ReportPage kPage{764, 1093, 15, 15};
constexpr ReportPage kBitmapRect{500, 700, 0, 0};

// The texts of a railway site, and texts longer than any box can hold.
ReportHeader SiteHeader(Language lang, bool extreme)
{
    ReportHeader h;
    const bool zh = lang == Language::Chinese;
    h.Client = zh ? "中铁十二局集团第三工程有限公司" : "China Railway 12th Bureau Group Third Engineering Co., Ltd.";
    h.ProjectName = zh ? "新建大同至张家口铁路DK125+300～DK125+900段路基"
                       : "New Datong to Zhangjiakou Railway, subgrade DK125+300 to DK125+900";
    h.SubgradeMileage = "DK125+300～DK125+900";
    h.PointLocation = zh ? "线路中心线左侧2.5m" : "2.5 m left of the track centre line";
    h.Elevation = "+1056.350 m";
    h.FillLayer = zh ? "基床表层第2层" : "Formation top layer 2";
    h.ReportNumber = "DZTJ-LJ-K30-2026-0125";
    h.FillerName = zh ? "级配碎石（A组填料）" : "Graded crushed stone (group A fill)";
    h.TestNumber = "K30-DK125+450-L2";
    h.RequiredCoefficient = "190";
    h.ReportDate = "2026-12-06";
    h.Environment = zh ? "晴，气温12℃，无风" : "Sunny, 12 °C, no wind";
    h.Tester = zh ? "王建国" : "Wang Jianguo";
    h.Reviewer = zh ? "李明" : "Li Ming";
    if (extreme) {
        for (std::string ReportHeader::*member :
             {&ReportHeader::Client, &ReportHeader::ProjectName, &ReportHeader::PointLocation,
              &ReportHeader::FillerName, &ReportHeader::Environment, &ReportHeader::ReportNumber,
              &ReportHeader::SubgradeMileage}) {
            std::string& text = h.*member;
            const std::string once = text;
            for (int i = 0; i < 4; ++i)
                text += once;
        }
    }
    return h;
}

TestDataStore SiteStore(Language lang)
{
    TestDataStore s = test::AcceptanceStore(lang);
    s.k30List[0].name = "K30-DK125+450-L2-左侧";
    s.ev2List = {test::StraightEv2Point("EV2-DK125+460-左"), test::StraightEv2Point("EV2-DK125+480")};
    s.nEv2Count = 2;
    s.strCurK30Name = s.k30List[0].name;
    s.strCurEv2Name = s.ev2List[0].name;
    return s;
}

using Drawing = std::function<bool(QPainter&, const TestDataStore&, const ReportHeader&, Language)>;

struct Kind {
    const char* name;
    ReportPage area;
    Drawing draw;
};

const Requirements kRequired{190.0, 120.0, 2.3, {}};

std::vector<Kind> Kinds()
{
    return {
        {"point", kPage,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawK30PointReport(p, kPage, s, h, l, kPrintAllPoints, 5, 1, kRequired);
         }},
        {"bound point", kPage,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawK30PointReport(p, kPage, s, h, l, kPrintAllPoints, 5, 3, kRequired);
         }},
        {"bitmap", kBitmapRect,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawK30PointBitmap(p, kBitmapRect, s, h, l);
         }},
        {"list", kPage,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawK30ListReport(p, kPage, s, h, l, 1, 1, kRequired);
         }},
        {"ev2", kPage,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawEv2PointReport(p, kPage, s, h, l, kPrintEv2CurrentPoint, 1, 1, kRequired);
         }},
        {"ev2 all", kPage,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawEv2PointReport(p, kPage, s, h, l, kPrintEv2AllPoints, 2, 2, kRequired);
         }},
        {"summary", kPage,
         [](QPainter& p, const TestDataStore& s, const ReportHeader& h, Language l) {
             return DrawSummaryReport(p, kPage, s, h, AssessStore(s, kRequired), l, 1, 1);
         }},
    };
}

// Glyphs that share more than a hair (rounding of the layouts' whole units).
bool Overlap(const QRectF& a, const QRectF& b)
{
    const QRectF both = a.intersected(b);
    return both.width() > 0.5 && both.height() > 0.5;
}

TEST(TextFit, NoTextOverlapsAnotherAndEveryTextStaysOnThePage)
{
    for (const Language lang : {Language::Chinese, Language::English}) {
        for (const bool extreme : {false, true}) {
            const TestDataStore store = SiteStore(lang);
            const ReportHeader header = SiteHeader(lang, extreme);
            for (const Kind& kind : Kinds()) {
                SCOPED_TRACE(std::string(kind.name) + (lang == Language::Chinese ? " zh" : " en") +
                             (extreme ? " extreme" : " site"));
                RecordingDevice device;
                {
                    QPainter painter(&device);
                    ASSERT_TRUE(kind.draw(painter, store, header, lang));
                }
                const QRectF area(kind.area.L, kind.area.T, kind.area.W, kind.area.H);
                // One text drawn in several faces (Latin, Chinese, fallback
                // for "～") arrives in runs along one baseline: joined again.
                std::vector<RecordingDevice::TextRun> joined;
                for (const auto& t : device.texts) {
                    if (!joined.empty() && joined.back().baseline.y() == t.baseline.y() &&
                        std::abs(joined.back().box.right() - t.box.left()) < 1.0) {
                        joined.back().text += t.text;
                        joined.back().box |= t.box;
                        joined.back().ink |= t.ink;
                    } else {
                        joined.push_back(t);
                    }
                }
                std::vector<const RecordingDevice::TextRun*> runs;
                for (const auto& t : joined) {
                    if (!t.text.trimmed().isEmpty())
                        runs.push_back(&t);
                }
                ASSERT_GT(runs.size(), 20u);
                for (std::size_t i = 0; i < runs.size(); ++i) {
                    EXPECT_TRUE(area.adjusted(-0.5, -0.5, 0.5, 0.5).contains(runs[i]->ink))
                        << runs[i]->text.toStdString() << " leaves the printable area";
                    for (std::size_t j = i + 1; j < runs.size(); ++j) {
                        EXPECT_FALSE(Overlap(runs[i]->ink, runs[j]->ink))
                            << '"' << runs[i]->text.toStdString() << "\" overlaps \"" << runs[j]->text.toStdString()
                            << '"';
                    }
                }
            }
        }
    }
}

// Today's short texts are drawn as they were; long ones break, shrink and, as
// a last resort, end in an ellipsis, all inside their box.
TEST(TextFit, WrapsThenShrinksThenCutsInsideTheBox)
{
    const auto width = [](const QString& t) { return static_cast<double>(t.size()) * 10; };
    EXPECT_EQ(BreakIntoLines(QStringLiteral("aaa bbb ccc"), 75, width), (QStringList{"aaa bbb", "ccc"}));
    // Chinese breaks between characters; closing punctuation never starts a line.
    EXPECT_EQ(BreakIntoLines(QStringLiteral("仪器结果不符，请核查。"), 60, width),
              (QStringList{"仪器结果不", "符，请核查。"}));
    // A word wider than the box is broken inside.
    EXPECT_EQ(BreakIntoLines(QStringLiteral("DK125+300～DK125+900"), 100, width),
              (QStringList{"DK125+300～", "DK125+900"}));
    EXPECT_EQ(Elided(QStringLiteral("abcdefgh"), 50, width), QStringLiteral("abcd…"));

    for (const Language lang : {Language::Chinese, Language::English}) {
        RecordingDevice device;
        {
            QPainter painter(&device);
            ReportCanvas c(painter, lang);
            c.SetFont(12);
            const int lh = c.TextHeight();
            c.FitText(100, 100, 300, lh, QStringLiteral("Client: short"));
            c.FitText(100, 200, 200, 2 * lh, QString::fromStdString(SiteHeader(lang, false).ProjectName));
            c.FitText(100, 300, 200, lh, QString::fromStdString(SiteHeader(lang, true).ProjectName));
        }
        ASSERT_GE(device.texts.size(), 3u);
        EXPECT_EQ(device.texts.front().text, QStringLiteral("Client: short"));
        EXPECT_DOUBLE_EQ(device.texts.front().baseline.x(), 100);
        int cut = 0;
        for (const auto& t : device.texts) {
            SCOPED_TRACE(t.text.toStdString());
            EXPECT_LE(t.box.right(), 300.5);
            const double top = t.baseline.y() < 250 ? 200 : 300;
            if (t.baseline.y() > 150) {
                EXPECT_GE(t.box.top(), top - 0.5);
                EXPECT_LE(t.box.bottom(), top + (top == 200 ? 2 : 1) * 18 + 0.5);
            }
            cut += t.text.endsWith(QStringLiteral("…")) ? 1 : 0;
        }
        EXPECT_EQ(cut, 1);
    }
}

}  // namespace
}  // namespace k30

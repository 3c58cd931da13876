// Acceptance on paper: the conclusion sentence of the point report, the point
// bitmap unchanged, and the summary report's pages and texts from the drawing,
// the window's Export PDF and the k30 tool.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <functional>
#include <map>

#include "AcceptancePoints.h"
#include "AcceptanceSettings.h"
#include "CPrintType.h"
#include "ConclusionText.h"
#include "Ev2Report.h"
#include "ListReport.h"
#include "PointReport.h"
#include "PrintType.h"
#include "ReportBitmap.h"
#include "ReportCommands.h"
#include "ReportOutput.h"
#include "ReportTestSupport.h"
#include "ScriptedPrompt.h"
#include "SummaryReport.h"

namespace k30 {
namespace {

constexpr ReportPage kPage{765, 1094, 14, 14};

// The five K30 points and two Ev2 points: Ev2 150.0 (ratio 2.00) and 90.0 (1.20).
TestDataStore StoreWithEv2(Language lang)
{
    TestDataStore s = test::AcceptanceStore(lang);
    s.ev2List = {test::StraightEv2Point("V1"), test::StraightEv2Point("V2", 25)};
    s.nEv2Count = 2;
    return s;
}

QStringList Lines(const TestDataStore& s, int k, std::optional<double> required, Language lang)
{
    const K30& p = s.k30List[static_cast<std::size_t>(k)];
    const Requirements req{required, {}, {}, {}};
    return ConclusionLines(p, AssessK30Point(p, false, req), req, lang);
}

TEST(Conclusion, OneSentenceInTheReportLanguageAndANoteWhereTheInstrumentDiffers)
{
    const TestDataStore s = test::AcceptanceStore(Language::Chinese);
    const auto zh = Language::Chinese;
    const auto en = Language::English;
    EXPECT_EQ(Lines(s, 1, 190, zh), QStringList{"K30 = 153 MPa/m，小于要求值 190 MPa/m，不合格。"});
    EXPECT_EQ(Lines(s, 1, 190, en), QStringList{"K30 = 153 MPa/m, below the required 190 MPa/m: fails."});
    // Equal to the requirement passes; a requirement with decimals keeps them.
    EXPECT_EQ(Lines(s, 1, 153, zh), QStringList{"K30 = 153 MPa/m，不小于要求值 153 MPa/m，合格。"});
    EXPECT_EQ(Lines(s, 0, 190.5, en), QStringList{"K30 = 200 MPa/m, not below the required 190.5 MPa/m: passes."});
    EXPECT_EQ(Lines(s, 2, 208, zh), QStringList{"K30 ≥ 208 MPa/m（沉降未达1.25mm），不小于要求值 208 MPa/m，合格。"});
    EXPECT_EQ(Lines(s, 2, 190, en),
              QStringList{"K30 ≥ 208 MPa/m (1.25 mm not reached), not below the required 190 MPa/m: passes."});
    EXPECT_EQ(Lines(s, 4, 190, zh), QStringList{"K30 ≥ 80 MPa/m（沉降未达1.25mm），无法判定是否达到要求值 190 MPa/m。"});
    EXPECT_EQ(Lines(s, 4, 190, en),
              QStringList{"K30 ≥ 80 MPa/m (1.25 mm not reached): cannot be judged against the required 190 MPa/m."});
    EXPECT_EQ(Lines(s, 3, 190, zh), (QStringList{"K30 = 220 MPa/m，不小于要求值 190 MPa/m，合格。",
                                                 "注：仪器结果与按读数重算的结果不符，请核查。",
                                                 "重算结果：1.25mm荷载强度 0.250 MPa，K30 = 200 MPa/m。"}));
    EXPECT_EQ(Lines(s, 3, 190, en).last(), QStringLiteral("Recomputed: 0.250 MPa at 1.25 mm, K30 = 200 MPa/m."));
    // A manual K30 "%3.0f" loses its blanks in the sentence.
    K30 manual = s.k30List[1];
    manual.k30Value = " 92";
    EXPECT_EQ(ConclusionLines(manual, AssessK30Point(manual, true, {100, {}, {}, {}}), {100, {}, {}, {}}, en).first(),
              QStringLiteral("K30 = 92 MPa/m, below the required 100 MPa/m: fails."));
    // No requirement: no line at all, even for a point that differs.
    EXPECT_TRUE(Lines(s, 3, std::nullopt, zh).isEmpty());
}

TEST(Conclusion, StandsInsideTheBoxAndTheBoxStaysEmptyWithoutARequirement)
{
    const TestDataStore s = test::AcceptanceStore(Language::English);
    auto draw = [&](test::RecordingDevice& d, const Requirements& r) {
        QPainter painter(&d);
        return DrawK30PointReport(painter, kPage, s, {}, Language::English, kPrintAllPoints, 5, 4, r);
    };
    test::RecordingDevice plain, judged;
    ASSERT_TRUE(draw(plain, {}));
    ASSERT_TRUE(draw(judged, {190, 100, 2.0, {}}));
    // Between the label and the tester's line: nothing without a K30 requirement.
    const double labelY = plain.FindText(QStringLiteral("Detection conclusion:"))->baseline.y();
    const double testerY = plain.FindText(QStringLiteral("Tester:"))->baseline.y();
    auto inBox = [&](const test::RecordingDevice& d) {
        QStringList texts;
        for (const auto& t : d.texts)
            if (t.baseline.y() > labelY && t.baseline.y() < testerY)
                texts << t.text;
        return texts;
    };
    EXPECT_TRUE(inBox(plain).isEmpty());
    EXPECT_EQ(plain.texts.size() + inBox(judged).size(), judged.texts.size());
    const QString joined = inBox(judged).join(QLatin1Char(' '));
    EXPECT_TRUE(joined.startsWith(QStringLiteral("K30 = 220 MPa/m, not below the required 190 MPa/m: passes.")));
    EXPECT_TRUE(joined.endsWith(QStringLiteral("Recomputed: 0.250 MPa at 1.25 mm, K30 = 200 MPa/m.")));
}

// Everything a drawing wrote, blanks dropped: wrapped lines join again.
QString Drawn(const std::function<bool(QPainter&)>& draw)
{
    test::RecordingDevice device;
    {
        QPainter painter(&device);
        EXPECT_TRUE(draw(painter));
    }
    QString all;
    for (const auto& t : device.texts)
        all += t.text;
    return all.remove(QLatin1Char(' '));
}

bool Has(const QString& drawn, const QString& text) { return drawn.contains(QString(text).remove(QLatin1Char(' '))); }

// Against 190 MPa/m: A, C (≥ 208) and D pass, B fails, E (≥ 80) cannot be
// judged: 3 of 5, 60.0 %. The Ev2 points: V1 Ev2 150.0 and 2.00, V2 90.0 and 1.20.
TEST(Conclusion, LowerBoundsVerdictsAndOverallConclusionsOnEveryReport)
{
    const Requirements required{190, 120, 2.3, {}};
    const TestDataStore zh = StoreWithEv2(Language::Chinese);
    const TestDataStore en = StoreWithEv2(Language::English);
    const auto list = [](const TestDataStore& s, const Requirements& r, Language lang) {
        return Drawn([&](QPainter& p) { return DrawK30ListReport(p, kPage, s, {}, lang, 1, 1, r); });
    };
    QString drawn = list(zh, required, Language::Chinese);
    EXPECT_TRUE(Has(drawn, QStringLiteral("≥ 208")));
    EXPECT_TRUE(Has(drawn, QStringLiteral("合格（≥ 208）")));
    EXPECT_TRUE(Has(drawn, QStringLiteral("本批 5 点中合格 3 点，不合格 1 点，1 点无法判定；合格率 60.0 %。")));
    drawn = list(en, required, Language::English);
    EXPECT_TRUE(Has(drawn, QStringLiteral("Of the 5 points in this batch, 3 pass, 1 fail and 1 cannot be judged; "
                                          "pass rate 60.0 %.")));
    drawn = list(en, {}, Language::English);
    EXPECT_FALSE(Has(drawn, QStringLiteral("Verdict")));
    EXPECT_TRUE(Has(drawn, QStringLiteral("≥ 80")));
    EXPECT_TRUE(Has(drawn, QStringLiteral("None of the 5 points in this batch can be judged; no pass rate.")));

    // The point report states the bound, never the instrument's 0.
    drawn = Drawn([&](QPainter& p) { return DrawK30PointReport(p, kPage, en, {}, Language::English, kPrintAllPoints, 5, 3); });
    EXPECT_TRUE(Has(drawn, QStringLiteral("K30 ≥ 208")));
    EXPECT_FALSE(Has(drawn, QStringLiteral("K30=0")));

    const auto ev2 = [&](int page, const Requirements& r) {
        return Drawn([&](QPainter& p) {
            return DrawEv2PointReport(p, kPage, en, {}, Language::English, kPrintEv2AllPoints, 2, page, r);
        });
    };
    EXPECT_TRUE(Has(ev2(1, required), QStringLiteral("Ev2 requirements: Ev2 ≥ 120 MPa; Ev2/Ev1 ≤ 2.3")));
    EXPECT_TRUE(Has(ev2(1, required), QStringLiteral("Ev2 = 150.0 MPa, not below the required 120 MPa; "
                                                     "Ev2/Ev1 = 2.00, not above the allowed 2.3: passes.")));
    EXPECT_TRUE(Has(ev2(2, required), QStringLiteral("Ev2 = 90.0 MPa, below the required 120 MPa; "
                                                     "Ev2/Ev1 = 1.20, not above the allowed 2.3: fails.")));
    EXPECT_FALSE(Has(ev2(2, {}), QStringLiteral("fails")));
    // An unreadable requirement is said to be so, where the verdict would stand.
    EXPECT_EQ(ConclusionLines(en.k30List[0], {}, {{}, {}, {}, "19O"}, Language::English),
              QStringList{"requirement not readable (\"19O\")"});
}

// The point bitmap carries no conclusion: with no requirement its bytes are
// those of the workbench before acceptance existed, except where a text did
// not fit its box (the row captions "沉降量" and "Settlement", the label of the
// stress at 1.25 mm), which now wraps or shrinks inside it. SHA-256 of the
// bitmap of P2.
TEST(Conclusion, BitmapBytesAreUnchangedWithoutARequirementWhereTextsFit)
{
    const std::map<Language, QByteArray> golden{
        {Language::Chinese, "9ce51d4cde0a905025036caf57fb5ffc7f9c24ba1b605a65284ef6bee2ec9c17"},
        {Language::English, "e50b58cbe76fdf3c7eb014d210fe6cfebe5fdb8e47bf44f714c49b01859568e9"},
    };
    for (const auto& [lang, hash] : golden) {
        TestDataStore store = test::MakeStore(3, lang);
        store.strCurK30Name = "P2";
        const QByteArray bytes = BitmapFileBytes(RenderReportBitmap(store, test::SampleHeader(lang), lang));
        EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString(), hash.toStdString());
    }
}

TEST(Summary, PagesHoldTheirRowsUnderRepeatedCaptions)
{
    // Page 1: 30 slots, a caption (2) and 28 rows; later pages 40: a caption and 38.
    EXPECT_TRUE(SummaryPages(0, 0).empty());
    EXPECT_EQ(SummaryPages(28, 0).size(), 1u);
    EXPECT_EQ(SummaryPages(29, 0).size(), 2u);
    // 100 K30 points: 28 + 38 + 34; page 3 then has 4 slots: a gap, a caption
    // and one Ev2 row; the other four Ev2 rows go to page 4 under their caption.
    const auto pages = SummaryPages(100, 5);
    ASSERT_EQ(pages.size(), 4u);
    ASSERT_EQ(pages[2].size(), 2u);
    EXPECT_EQ(pages[2][0].first + pages[2][0].count, 100);
    EXPECT_EQ(pages[2][1].table, SummarySlice::Table::Ev2);
    EXPECT_EQ(pages[3][0].first, 1);
    EXPECT_EQ(pages[3][0].count, 4);
    // After 101 points three slots are left: too few for the gap, a caption and a row.
    EXPECT_EQ(SummaryPages(101, 1).size(), 4u);
}

class SummaryPdf : public ::testing::Test {
protected:
    QString Export(const TestDataStore& store, const Requirements& required, const QString& name)
    {
        const QString path = dir_.filePath(name);
        QString error;
        const Language lang = store.nLanguage;
        EXPECT_TRUE(
            ExportReportPdf(path, ReportJob{store, test::SampleHeader(lang), lang, kPrintSummary, required}, error))
            << error.toStdString();
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(SummaryPdf, AFewPointsOnOnePageInBothLanguages)
{
    const QString zh = Export(StoreWithEv2(Language::Chinese), {190, 100, 2.3, {}}, QStringLiteral("zh.pdf"));
    EXPECT_EQ(test::PdfPages(zh), 1);
    test::ExpectTexts(test::PdfText(zh), {"地基系数检测验收汇总表", "共1页，第1页", "委托单位: 中铁建设集团",
                         "要求 K30 ≥ 190 MPa/m；Ev2 ≥ 100 MPa；Ev2/Ev1 ≤ 2.3",
                         "K30测点：合格 3，不合格 1，无法判定 1，合格率 60.0%；重算不符 1 点",
                         "Ev2测点：合格 1，不合格 1，无法判定 0，合格率 50.0%", "合格（≥ 208）", "不符",
                         "检测人:张三"});
    const QString enText =
        test::PdfText(Export(StoreWithEv2(Language::English), {190, 100, 2.3, {}}, QStringLiteral("en.pdf"))).simplified();
    // Statistics: K30 of A, B, D; Ev2 of 150.0 and 90.0 (std 42.43, cv 35.4 %);
    // ratios 2.00 and 1.20 (std 0.566).
    test::ExpectTexts(enText, {"Acceptance Summary of Foundation Coefficient Testing", "1/1",
                         "K30 (MPa/m) 3 191.0 34.4 18.0% 153 220", "Ev2 (MPa) 2 120.0 42.4 35.4% 90.0 150.0",
                         "Ev2/Ev1 2 1.60 0.57 35.4% 1.20 2.00", "3 C 0.000 ≥ 208 Pass (≥ 208)",
                         "4 D 0.275 220 0.250 200 Differs Pass", "5 E ≥ 80", "1 V1 75.0 150.0 2.00 Pass",
                         "2 V2 75.0 90.0 1.20 Fail", "Tester:John Smith"});
    EXPECT_FALSE(enText.contains(QStringLiteral("委托单位")));
}

TEST_F(SummaryPdf, ManyPointsRunOverNumberedPagesWithTheHeaderOnTheFirstOnly)
{
    TestDataStore store = test::MakeStore(100, Language::Chinese);
    for (int k = 0; k < 5; ++k)
        store.ev2List.push_back(test::StraightEv2Point("V" + std::to_string(k + 1)));
    store.nEv2Count = 5;
    const QString pdf = Export(store, {}, QStringLiteral("many.pdf"));
    ASSERT_EQ(test::PdfPages(pdf), 4);
    auto page = [&](int n) {
        return test::RunProgram("pdftotext", {"-layout", "-f", QString::number(n), "-l", QString::number(n), pdf, "-"});
    };
    test::ExpectTexts(page(1), {"共4页，第1页", "委托单位: 中铁建设集团", "未设定要求地基系数；未设定Ev2要求", "P28"});
    EXPECT_FALSE(page(1).contains(QStringLiteral("P29")));
    test::ExpectTexts(page(3), {"共4页，第3页", "P100", "V1", "序号"});
    EXPECT_FALSE(page(3).contains(QStringLiteral("委托单位")));
    test::ExpectTexts(page(4), {"共4页，第4页", "V5", "检测人:张三"});
    EXPECT_FALSE(page(4).contains(QStringLiteral("V1")));
}

TEST_F(SummaryPdf, ExportedFromTheWindowWithTheRequirementsInForceAndFromTheTool)
{
    TestDataStore store = StoreWithEv2(Language::English);
    SaveEv2LimitTexts({QStringLiteral("100"), QString()});
    test::ScriptedPrompt prompt;
    ReportCommands commands(store, prompt, [] {
        ReportHeader h = test::SampleHeader(Language::English);
        h.RequiredCoefficient = " 190 ";
        return h;
    }, nullptr);
    const QString pdf = dir_.filePath(QStringLiteral("window.pdf"));
    prompt.dialog(test::Choose(kPrintSummary)).file(pdf);
    commands.ExportPdf();
    EXPECT_TRUE(prompt.done());
    test::ExpectTexts(test::PdfText(pdf).simplified(),
                {"Required K30 ≥ 190 MPa/m; Ev2 ≥ 100 MPa", "2 V2 75.0 90.0 1.20 Fail"});
    SaveEv2LimitTexts({});

    // The tool: the requirements its options give.
    const QString tool = QStringLiteral(K30_BIN_DIR "/k30");
    const QString out = dir_.filePath(QStringLiteral("tool.pdf"));
    int exit = -1;
    test::RunProgram(tool, {"report", QStringLiteral(K30_SAMPLES "/demo.ORG"), "--pdf", out, "--type", "summary",
                            "--required", "190,5", "--ratio-max", "2.5", "--lang", "zh"},
                     &exit);
    ASSERT_EQ(exit, 0);
    test::ExpectTexts(test::PdfText(out), {"要求 K30 ≥ 190.5 MPa/m；Ev2/Ev1 ≤ 2.5", "要求地基系数值: 190,5"});
    test::RunProgram(tool, {"report", QStringLiteral(K30_SAMPLES "/demo.ORG"), "--pdf", out, "--type", "summary",
                            "--required", "abc"},
                     &exit);
    EXPECT_EQ(exit, 2);
}

}  // namespace
}  // namespace k30

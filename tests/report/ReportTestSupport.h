#pragma once

// Support of the report tests: test points with known readings, a paint device
// that records what a drawing draws, the poppler tools for PDF files, and the
// choice of a print type in the print options dialog.
#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>

#include <functional>
#include <vector>

// The robustness build links the reports without the pages.
#if __has_include("CPrintType.h")
#include "CPrintType.h"
#define K30_TEST_PRINT_DIALOG 1
#endif
#include "ReportFonts.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "TestDataStore.h"

namespace k30::test {

// Point k (from 1) is named "P<k>"; its readings rise by 0.025 MPa and
// 0.12 mm a step from the zero reading, each point a little stiffer than the last.
inline K30 MakePoint(int k)
{
    K30 p;
    p.name = "P" + std::to_string(k);
    p.stress125 = "0." + std::to_string(200 + k);
    p.k30Value = std::to_string(160 + k);
    p.testType = "K30";
    p.designLoad = "0.400";
    for (int i = 0; i < kUsedPairs; ++i) {
        auto& r = p.reading[static_cast<std::size_t>(i)];
        r.stress = static_cast<float>(25 * i + k % 7);
        r.settlement = static_cast<float>(12 * i);
    }
    return p;
}

inline TestDataStore MakeStore(int count, Language lang)
{
    TestDataStore store;
    for (int k = 1; k <= count; ++k)
        store.AddK30Point(MakePoint(k));
    store.nK30Count = count;
    store.nLanguage = lang;
    return store;
}

// Straight loadings, so Ev = 1.5 · 150 mm / slope: the first 3 mm/MPa (Ev1 75.0),
// the second rising `secondRise` hundredths of a mm per 0.1 MPa (15: Ev2 150.0).
inline Ev2Point StraightEv2Point(const std::string& name, double secondRise = 15)
{
    Ev2Point p;
    p.name = name;
    for (int i = 0; i <= 7; ++i)
        p.reading[static_cast<std::size_t>(i)] = {50.0f * i, 15.0f * i};
    p.reading[8] = {200, 100};
    p.reading[9] = {100, 90};
    for (int j = 0; j <= 6; ++j)
        p.reading[static_cast<std::size_t>(10 + j)] = {100.0f * j, static_cast<float>(80 + secondRise * j)};
    return p;
}

inline ReportHeader SampleHeader(Language lang)
{
    const bool zh = lang == Language::Chinese;
    ReportHeader h;
    h.Client = zh ? "中铁建设集团" : "Northern Rail Works";
    h.Tester = zh ? "张三" : "John Smith";
    h.Reviewer = zh ? "李四" : "Mary Jones";
    h.ProjectName = zh ? "京沪铁路DK123" : "Coast Line DK123";
    h.FillLayer = zh ? "第3层" : "Layer 3";
    h.ReportNumber = "BG-2024-017";
    h.SubgradeMileage = "DK123+450";
    return h;
}

// Records lines and texts (at their baseline) in the painter's device
// coordinates: an image of 96 dots per inch, so one report unit is one pixel,
// that is its own paint engine and keeps what is drawn instead of pixels.
class RecordingDevice : public QImage, public QPaintEngine {
public:
    struct TextRun {
        QPointF baseline;
        QString text;
        QRectF box;  // the line the text takes, as the reports measure it
        QRectF ink;  // what its glyphs cover
    };

    RecordingDevice() : QImage(794, 1123, Format_ARGB32), QPaintEngine(AllFeatures)
    {
        setDotsPerMeterX(kBitmapDotsPerMeter);
        setDotsPerMeterY(kBitmapDotsPerMeter);
    }

    std::vector<QLineF> lines;
    std::vector<TextRun> texts;

    // The first text that starts with prefix; null when none does.
    const TextRun* FindText(const QString& prefix) const
    {
        for (const TextRun& t : texts) {
            if (t.text.startsWith(prefix))
                return &t;
        }
        return nullptr;
    }
    std::vector<double> HorizontalRulesY() const
    {
        std::vector<double> ys;
        for (const QLineF& l : lines) {
            if (l.y1() == l.y2() && l.x1() != l.x2())
                ys.push_back(l.y1());
        }
        return ys;
    }

    QPaintEngine* paintEngine() const override { return const_cast<RecordingDevice*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & DirtyTransform)
            transform_ = changed.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF* drawn, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines.push_back(transform_.map(drawn[i]));
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        // The reports measure a Chinese line as one em with its baseline at
        // 0.86 em, an English one by the face's ascent and descent.
        const QFontMetricsF fm(item.font(), this);
        double ascent = fm.ascent();
        double height = fm.ascent() + fm.descent();
        if (item.font().family() == FaceFor(Language::Chinese)) {
            const double em = item.font().pointSizeF() * logicalDpiY() / 72.0;
            ascent = 0.86 * em;
            height = em;
        }
        const QRectF line(p.x(), p.y() - ascent, fm.horizontalAdvance(item.text()), height);
        const QRectF ink = fm.tightBoundingRect(item.text()).translated(p);
        texts.push_back({transform_.map(p), item.text(), transform_.mapRect(line), transform_.mapRect(ink)});
    }

private:
    QTransform transform_;
};

// Output of a program, or an empty text when it could not run.
inline QString RunProgram(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    const bool finished = p.waitForFinished(120000);
    if (exitCode)
        *exitCode = finished ? p.exitCode() : -1;
    return finished ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

inline QString PdfText(const QString& path) { return RunProgram("pdftotext", {"-layout", path, "-"}); }
inline QString PdfInfo(const QString& path) { return RunProgram("pdfinfo", {path}); }
inline int PdfPages(const QString& path)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(PdfInfo(path));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Every expected text is in text; text is shown when one is not.
inline void ExpectTexts(const QString& text, const QStringList& expected)
{
    for (const QString& e : expected)
        EXPECT_TRUE(text.contains(e)) << e.toStdString() << "\n" << text.toStdString();
}

#ifdef K30_TEST_PRINT_DIALOG
// Chooses a print type in the print options dialog and presses OK.
inline std::function<int(QDialog&)> Choose(int type)
{
    return [type](QDialog& d) {
        auto& dialog = dynamic_cast<CPrintType&>(d);
        dialog.Button(type)->click();
        dialog.accept();
        return int(QDialog::Accepted);
    };
}
#endif

}  // namespace k30::test

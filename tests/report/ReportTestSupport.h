#pragma once

// Support of the report tests: test points with known readings, a paint device
// that records what a drawing draws, and the poppler tools for PDF files.
#include <QColor>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <map>
#include <vector>

#include "ReportHeader.h"
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

inline ReportHeader SampleHeader(Language lang)
{
    ReportHeader h;
    const bool zh = lang == Language::Chinese;
    h.Client = zh ? "中铁建设集团" : "Northern Rail Works";
    h.Tester = zh ? "张三" : "John Smith";
    h.Reviewer = zh ? "李四" : "Mary Jones";
    h.Elevation = "+12.350";
    h.ReportNumber = "BG-2024-017";
    h.FillerName = zh ? "A组填料" : "Group A fill";
    h.TestNumber = "T-005";
    h.ProjectName = zh ? "京沪铁路DK123" : "Coast Line DK123";
    h.RequiredCoefficient = "190";
    h.ReportDate = "2024-05-12";
    h.PointLocation = zh ? "左线路肩" : "Left shoulder";
    h.Environment = zh ? "晴" : "Sunny";
    h.SubgradeMileage = "DK123+450";
    h.FillLayer = zh ? "第3层" : "Layer 3";
    return h;
}

// Records lines (with their pen colour) and texts (at their baseline), in the
// painter's device coordinates; 96 dots per inch, so one report unit is one unit.
class RecordingDevice : public QPaintDevice {
public:
    struct Line {
        QLineF line;
        QColor color;
    };
    struct TextRun {
        QPointF baseline;
        QString text;
    };

    RecordingDevice() : engine_(this) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

    std::vector<Line> lines;
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
    // Whether the texts on one baseline, joined from left to right, hold s
    // (Qt hands a text over in runs of one script each).
    bool HasText(const QString& s) const
    {
        std::map<double, std::vector<const TextRun*>> byBaseline;
        for (const TextRun& t : texts)
            byBaseline[t.baseline.y()].push_back(&t);
        for (auto& [y, runs] : byBaseline) {
            std::stable_sort(runs.begin(), runs.end(),
                             [](const TextRun* a, const TextRun* b) { return a->baseline.x() < b->baseline.x(); });
            QString joined;
            for (const TextRun* r : runs)
                joined += r->text;
            if (joined.contains(s))
                return true;
        }
        return false;
    }
    std::vector<double> HorizontalRulesY() const
    {
        std::vector<double> ys;
        for (const Line& l : lines) {
            if (l.line.y1() == l.line.y2() && l.line.x1() != l.line.x2())
                ys.push_back(l.line.y1());
        }
        return ys;
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return 794;
        case PdmHeight:
            return 1123;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(m);
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(RecordingDevice* device) : QPaintEngine(AllFeatures), device_(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& changed) override
        {
            if (changed.state() & DirtyTransform)
                transform_ = changed.transform();
            if (changed.state() & DirtyPen)
                color_ = changed.pen().color();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawLines(const QLineF* lines, int count) override
        {
            for (int i = 0; i < count; ++i)
                device_->lines.push_back({transform_.map(lines[i]), color_});
        }
        void drawLines(const QLine* lines, int count) override
        {
            for (int i = 0; i < count; ++i)
                device_->lines.push_back({transform_.map(QLineF(lines[i])), color_});
        }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            device_->texts.push_back({transform_.map(p), item.text()});
        }

    private:
        RecordingDevice* device_;
        QTransform transform_;
        QColor color_;
    };
    mutable Engine engine_;
};

// Output of a program, or an empty text when it could not run.
inline QString RunProgram(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        if (exitCode)
            *exitCode = -1;
        return {};
    }
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString PdfText(const QString& path)
{
    return RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}
inline QString PdfInfo(const QString& path) { return RunProgram(QStringLiteral("pdfinfo"), {path}); }

}  // namespace k30::test

#pragma once

// Support of the Word tests: a host that keeps what the office layer hands it,
// a known store and header, and a reader that unzips a package with libzip and
// parses its parts with QXmlStreamReader into a small element tree.
#include <gtest/gtest.h>
#include <zip.h>

#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

#include "CDornWordOffice.h"
#include "K30WordReport.h"
#include "OfficeHost.h"

namespace k30::test {

class CaptureHost : public OfficeHost {
public:
    void Warn(const QString& text) override { warnings << text; }
    void Show(const QByteArray& package) override { shown.push_back(package); }

    QStringList warnings;
    std::vector<QByteArray> shown;
};

// The first n of three known points; the third has no test type.
inline TestDataStore KnownStore(int n, Language lang = Language::Chinese)
{
    const char* known[3][4] = {{"1", "0.192", "K30", "153"}, {"测点2", "0.218", "K30", "174"}, {"3", "0.172", "", "138"}};
    TestDataStore s;
    for (int i = 0; i < n; ++i) {
        K30 p;
        p.name = known[i][0];
        p.stress125 = known[i][1];
        p.testType = known[i][2];
        p.k30Value = known[i][3];
        s.AddK30Point(p);
    }
    s.nK30Count = n;
    s.nLanguage = lang;
    return s;
}

inline ReportHeader KnownHeader()
{
    ReportHeader h;
    h.Client = "京沪铁路 <A&B>";
    h.Elevation = "12.5m";
    h.ProjectName = "路基工程";
    h.PointLocation = "DK12+300";
    h.SubgradeMileage = "K1+200";
    h.FillLayer = "3";
    h.ReportNumber = "R-7";
    h.FillerName = "A组填料";
    h.RequiredCoefficient = "110";
    h.ReportDate = "2009-5-12";
    h.Environment = "晴";
    h.Tester = "not in the report";
    return h;
}

// The report's package, shown exactly once and without warnings.
inline QByteArray BuildReport(const TestDataStore& store, const ReportHeader& info, Language lang)
{
    CaptureHost host;
    {
        CDornWordOffice office(host);
        WriteK30WordReport(office, store, info, lang);
    }
    EXPECT_TRUE(host.warnings.isEmpty()) << host.warnings.join(QLatin1Char('|')).toStdString();
    return host.shown.size() == 1 ? host.shown.front() : QByteArray();
}

// The bytes of one part of the package; empty when it is missing.
inline QByteArray Unzip(const QByteArray& package, const char* name)
{
    zip_source_t* source = zip_source_buffer_create(package.constData(), static_cast<zip_uint64_t>(package.size()), 0, nullptr);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, nullptr) : nullptr;
    if (!archive) {
        zip_source_free(source);
        return {};
    }
    QByteArray bytes;
    zip_stat_t st;
    zip_file_t* f = zip_stat(archive, name, 0, &st) == 0 ? zip_fopen(archive, name, 0) : nullptr;
    if (f) {
        bytes.resize(static_cast<qsizetype>(st.size));
        if (zip_fread(f, bytes.data(), st.size) != static_cast<zip_int64_t>(st.size))
            bytes.clear();
        zip_fclose(f);
    }
    zip_close(archive);
    return bytes;
}

struct Node {
    QString name, text;  // qualified name, e.g. "w:p"
    QXmlStreamAttributes attributes;
    std::vector<Node> children;

    QString attr(const char* qualified) const { return attributes.value(QLatin1StringView(qualified)).toString(); }
    std::vector<const Node*> all(const char* n) const
    {
        std::vector<const Node*> out;
        for (const Node& c : children) {
            if (c.name == QLatin1StringView(n))
                out.push_back(&c);
        }
        return out;
    }
    const Node* child(const char* n) const
    {
        const auto found = all(n);
        return found.empty() ? nullptr : found.front();
    }
    // The "w:val" of a property, e.g. val("w:sz") of a w:rPr.
    QString val(const char* n) const { return child(n) ? child(n)->attr("w:val") : QString(); }
};

// The root element; name empty when the XML is not well formed.
inline Node ParseXml(const QByteArray& xml)
{
    QXmlStreamReader r(xml);
    Node root;
    std::vector<Node*> stack;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            Node* added = stack.empty() ? &root : &stack.back()->children.emplace_back();
            added->name = r.qualifiedName().toString();
            added->attributes = r.attributes();
            stack.push_back(added);
        } else if (r.isEndElement()) {
            stack.pop_back();
        } else if (r.isCharacters() && !stack.empty()) {
            stack.back()->text += r.text();
        }
    }
    return r.hasError() ? Node{} : root;
}

inline QByteArray DocumentXml(const QByteArray& package) { return Unzip(package, "word/document.xml"); }
inline Node DocumentOf(const QByteArray& package) { return ParseXml(DocumentXml(package)); }

// The visible text of a paragraph: w:t texts, w:tab as '\t'.
inline QString ParagraphText(const Node& p)
{
    QString s;
    for (const Node* run : p.all("w:r")) {
        for (const Node& c : run->children) {
            if (c.name == QLatin1StringView("w:t"))
                s += c.text;
            else if (c.name == QLatin1StringView("w:tab"))
                s += QLatin1Char('\t');
        }
    }
    return s;
}

// Cell texts of a table, row by row; a cell's paragraphs joined by '\n'.
inline std::vector<QStringList> TableTexts(const Node& tbl)
{
    std::vector<QStringList> rows;
    for (const Node* tr : tbl.all("w:tr")) {
        QStringList& cells = rows.emplace_back();
        for (const Node* tc : tr->all("w:tc")) {
            QStringList paragraphs;
            for (const Node* p : tc->all("w:p"))
                paragraphs << ParagraphText(*p);
            cells << paragraphs.join(QLatin1Char('\n'));
        }
    }
    return rows;
}

// The children of w:body, w:sectPr left out.
inline std::vector<const Node*> BodyBlocks(const Node& document)
{
    std::vector<const Node*> out;
    if (const Node* body = document.child("w:body")) {
        for (const Node& c : body->children) {
            if (c.name != QLatin1StringView("w:sectPr"))
                out.push_back(&c);
        }
    }
    return out;
}

// The run format of a paragraph's run (first by default).
inline const Node& RunFormat(const Node& p, std::size_t run = 0) { return *p.all("w:r").at(run)->child("w:rPr"); }

}  // namespace k30::test

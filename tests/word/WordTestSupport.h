#pragma once

// Support of the Word tests: a host that keeps what the office layer hands it,
// and a reader that unzips a package with libzip and parses its parts with
// QXmlStreamReader into a small element tree.
#include <zip.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

#include "OfficeHost.h"

namespace k30::test {

class CaptureHost : public OfficeHost {
public:
    void Warn(const QString& text) override { warnings << text; }
    void Show(const QByteArray& package) override { shown.push_back(package); }

    QStringList warnings;
    std::vector<QByteArray> shown;
};

// The bytes of one part of the package; empty when it is missing.
inline QByteArray Unzip(const QByteArray& package, const char* name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(package.constData(), static_cast<zip_uint64_t>(package.size()), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source)
            zip_source_free(source);
        return {};
    }
    QByteArray bytes;
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) == 0) {
        if (zip_file_t* f = zip_fopen(archive, name, 0)) {
            bytes.resize(static_cast<qsizetype>(st.size));
            if (zip_fread(f, bytes.data(), st.size) != static_cast<zip_int64_t>(st.size))
                bytes.clear();
            zip_fclose(f);
        }
    }
    zip_close(archive);
    return bytes;
}

struct Node {
    QString name;  // qualified, e.g. "w:p"
    QXmlStreamAttributes attributes;
    QString text;
    std::vector<Node> children;

    QString attr(const QString& qualified) const
    {
        for (const auto& a : attributes) {
            if (a.qualifiedName() == qualified)
                return a.value().toString();
        }
        return {};
    }
    bool has(const QString& qualified) const
    {
        for (const auto& a : attributes) {
            if (a.qualifiedName() == qualified)
                return true;
        }
        return false;
    }
    const Node* child(const QString& n) const
    {
        for (const Node& c : children) {
            if (c.name == n)
                return &c;
        }
        return nullptr;
    }
    std::vector<const Node*> all(const QString& n) const
    {
        std::vector<const Node*> out;
        for (const Node& c : children) {
            if (c.name == n)
                out.push_back(&c);
        }
        return out;
    }
    // The value of a "w:val" property, e.g. prop("w:sz") of a w:rPr.
    QString val(const QString& n) const
    {
        const Node* c = child(n);
        return c ? c->attr(QStringLiteral("w:val")) : QString();
    }
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
            if (stack.empty()) {
                root.name = r.qualifiedName().toString();
                root.attributes = r.attributes();
                stack.push_back(&root);
            } else {
                stack.back()->children.push_back(Node{r.qualifiedName().toString(), r.attributes(), {}, {}});
                stack.push_back(&stack.back()->children.back());
            }
        } else if (r.isEndElement()) {
            stack.pop_back();
        } else if (r.isCharacters() && !stack.empty()) {
            stack.back()->text += r.text();
        }
    }
    if (r.hasError())
        return Node{};
    return root;
}

// The visible text of a paragraph: w:t texts, w:tab as '\t'.
inline QString ParagraphText(const Node& p)
{
    QString s;
    for (const Node* run : p.all(QStringLiteral("w:r"))) {
        for (const Node& c : run->children) {
            if (c.name == QLatin1String("w:t"))
                s += c.text;
            else if (c.name == QLatin1String("w:tab"))
                s += QLatin1Char('\t');
        }
    }
    return s;
}

// Paragraph texts of a cell joined by '\n'.
inline QString CellText(const Node& tc)
{
    QStringList parts;
    for (const Node* p : tc.all(QStringLiteral("w:p")))
        parts << ParagraphText(*p);
    return parts.join(QLatin1Char('\n'));
}

// Cell texts of a table, row by row.
inline std::vector<QStringList> TableTexts(const Node& tbl)
{
    std::vector<QStringList> rows;
    for (const Node* tr : tbl.all(QStringLiteral("w:tr"))) {
        QStringList cells;
        for (const Node* tc : tr->all(QStringLiteral("w:tc")))
            cells << CellText(*tc);
        rows.push_back(cells);
    }
    return rows;
}

// The children of w:body, w:sectPr left out.
inline std::vector<const Node*> BodyBlocks(const Node& document)
{
    std::vector<const Node*> out;
    if (const Node* body = document.child(QStringLiteral("w:body"))) {
        for (const Node& c : body->children) {
            if (c.name != QLatin1String("w:sectPr"))
                out.push_back(&c);
        }
    }
    return out;
}

inline Node DocumentOf(const QByteArray& package) { return ParseXml(Unzip(package, "word/document.xml")); }

}  // namespace k30::test

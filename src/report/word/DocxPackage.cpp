#include "DocxPackage.h"

#include <QXmlStreamWriter>

#include <array>
#include <cmath>
#include <functional>

#include "ZipArchive.h"

namespace k30::docx {

namespace {

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kRel = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString kTypes = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString kOfficeRel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

// Faces of the text the document's own defaults cover.
const QString kDefaultLatinFace = QStringLiteral("Times New Roman");
const QString kDefaultEastAsianFace = QStringLiteral("宋体");

QByteArray WriteXml(const std::function<void(QXmlStreamWriter&)>& body)
{
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    body(w);
    w.writeEndDocument();
    return bytes;
}

// XML 1.0 cannot carry most control characters, not even escaped: a text
// holding one would make the whole document unreadable, so they are left out.
QString XmlSafe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
            continue;
        }
        const char16_t u = c.unicode();
        const bool allowed = u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u < 0xD800) || (u >= 0xE000 && u <= 0xFFFD);
        if (allowed)
            out += c;
    }
    return out;
}

void Val(QXmlStreamWriter& w, const QString& element, const QString& value)
{
    w.writeEmptyElement(kW, element);
    w.writeAttribute(kW, QStringLiteral("val"), value);
}

QString HalfPoints(double points) { return QString::number(std::max(2L, std::lround(points * 2.0))); }

// Colour index of the highlight as the document names it.
QString HighlightName(int index)
{
    static const std::array<const char*, 17> names{
        "",      "black",   "blue",     "cyan",       "green",       "magenta", "red",        "yellow",   "white",
        "darkBlue", "darkCyan", "darkGreen", "darkMagenta", "darkRed", "darkYellow", "darkGray", "lightGray"};
    if (index <= 0 || index >= static_cast<int>(names.size()))
        return {};
    return QString::fromLatin1(names[static_cast<std::size_t>(index)]);
}

// A face named in a Chinese script is an East Asian face and covers all text;
// a Latin face covers Latin text and leaves Chinese characters to the default.
bool IsEastAsianFace(const QString& face)
{
    for (const QChar c : face) {
        if (c.unicode() > 0x7F)
            return true;
    }
    return false;
}

void WriteRunFormat(QXmlStreamWriter& w, const RunFormat& f)
{
    w.writeStartElement(kW, QStringLiteral("rPr"));
    if (!f.face.isEmpty()) {
        w.writeEmptyElement(kW, QStringLiteral("rFonts"));
        w.writeAttribute(kW, QStringLiteral("ascii"), f.face);
        w.writeAttribute(kW, QStringLiteral("hAnsi"), f.face);
        if (IsEastAsianFace(f.face))
            w.writeAttribute(kW, QStringLiteral("eastAsia"), f.face);
        w.writeAttribute(kW, QStringLiteral("cs"), f.face);
    }
    if (f.bold) {
        w.writeEmptyElement(kW, QStringLiteral("b"));
        w.writeEmptyElement(kW, QStringLiteral("bCs"));
    }
    if (f.italic) {
        w.writeEmptyElement(kW, QStringLiteral("i"));
        w.writeEmptyElement(kW, QStringLiteral("iCs"));
    }
    if (f.color != kAutomaticColor) {
        // The layer's colours are 0x00BBGGRR; the document writes RRGGBB.
        const auto c = static_cast<std::uint32_t>(f.color);
        Val(w, QStringLiteral("color"),
            QStringLiteral("%1%2%3")
                .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
                .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
                .toUpper());
    }
    Val(w, QStringLiteral("sz"), HalfPoints(f.sizePoints));
    Val(w, QStringLiteral("szCs"), HalfPoints(f.sizePoints));
    if (const QString h = HighlightName(f.highlight); !h.isEmpty())
        Val(w, QStringLiteral("highlight"), h);
    if (f.underline)
        Val(w, QStringLiteral("u"), QStringLiteral("single"));
    w.writeEndElement();
}

void WriteRun(QXmlStreamWriter& w, const Run& run)
{
    w.writeStartElement(kW, QStringLiteral("r"));
    WriteRunFormat(w, run.format);
    const QString text = XmlSafe(run.text);
    qsizetype start = 0;
    auto flush = [&](qsizetype end) {
        if (end > start) {
            w.writeStartElement(kW, QStringLiteral("t"));
            w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            w.writeCharacters(text.mid(start, end - start));
            w.writeEndElement();
        }
        start = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\t')) {
            flush(i);
            w.writeEmptyElement(kW, QStringLiteral("tab"));
        } else if (text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')) {
            flush(i);
            w.writeEmptyElement(kW, QStringLiteral("br"));
        }
    }
    flush(text.size());
    w.writeEndElement();
}

QString AlignmentName(Alignment a)
{
    switch (a) {
    case Alignment::Center:
        return QStringLiteral("center");
    case Alignment::Right:
        return QStringLiteral("right");
    case Alignment::Justify:
        return QStringLiteral("both");
    case Alignment::Left:
        break;
    }
    return QStringLiteral("left");
}

void WriteParagraph(QXmlStreamWriter& w, const Paragraph& p)
{
    w.writeStartElement(kW, QStringLiteral("p"));
    w.writeStartElement(kW, QStringLiteral("pPr"));
    Val(w, QStringLiteral("jc"), AlignmentName(p.alignment));
    WriteRunFormat(w, p.mark);
    w.writeEndElement();
    for (const Run& r : p.runs)
        WriteRun(w, r);
    w.writeEndElement();
}

void WriteWidth(QXmlStreamWriter& w, const QString& element, int twips)
{
    w.writeEmptyElement(kW, element);
    w.writeAttribute(kW, QStringLiteral("w"), QString::number(twips));
    w.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
}

// Single lines around and between all cells.
void WriteGridBorders(QXmlStreamWriter& w)
{
    w.writeStartElement(kW, QStringLiteral("tblBorders"));
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        w.writeEmptyElement(kW, QString::fromLatin1(side));
        w.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("single"));
        w.writeAttribute(kW, QStringLiteral("sz"), QStringLiteral("4"));
        w.writeAttribute(kW, QStringLiteral("space"), QStringLiteral("0"));
        w.writeAttribute(kW, QStringLiteral("color"), QStringLiteral("auto"));
    }
    w.writeEndElement();
}

void WriteCellMargins(QXmlStreamWriter& w)
{
    w.writeStartElement(kW, QStringLiteral("tblCellMar"));
    WriteWidth(w, QStringLiteral("left"), 108);
    WriteWidth(w, QStringLiteral("right"), 108);
    w.writeEndElement();
}

void WriteTable(QXmlStreamWriter& w, const Table& t)
{
    int total = 0;
    for (int c : t.columnTwips)
        total += c;
    w.writeStartElement(kW, QStringLiteral("tbl"));
    w.writeStartElement(kW, QStringLiteral("tblPr"));
    Val(w, QStringLiteral("tblStyle"), QStringLiteral("TableGrid"));
    WriteWidth(w, QStringLiteral("tblW"), total);
    WriteGridBorders(w);
    w.writeEmptyElement(kW, QStringLiteral("tblLayout"));
    w.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("fixed"));
    WriteCellMargins(w);
    w.writeEndElement();

    w.writeStartElement(kW, QStringLiteral("tblGrid"));
    for (int c : t.columnTwips) {
        w.writeEmptyElement(kW, QStringLiteral("gridCol"));
        w.writeAttribute(kW, QStringLiteral("w"), QString::number(c));
    }
    w.writeEndElement();

    for (const Row& row : t.rows) {
        w.writeStartElement(kW, QStringLiteral("tr"));
        if (row.heightTwips > 0) {
            w.writeStartElement(kW, QStringLiteral("trPr"));
            w.writeEmptyElement(kW, QStringLiteral("trHeight"));
            w.writeAttribute(kW, QStringLiteral("val"), QString::number(row.heightTwips));
            w.writeAttribute(kW, QStringLiteral("hRule"), QStringLiteral("atLeast"));
            w.writeEndElement();
        }
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const Cell& cell = row.cells[c];
            w.writeStartElement(kW, QStringLiteral("tc"));
            w.writeStartElement(kW, QStringLiteral("tcPr"));
            WriteWidth(w, QStringLiteral("tcW"), c < t.columnTwips.size() ? t.columnTwips[c] : 0);
            if (cell.merge == VerticalMerge::Restart)
                Val(w, QStringLiteral("vMerge"), QStringLiteral("restart"));
            else if (cell.merge == VerticalMerge::Continue)
                w.writeEmptyElement(kW, QStringLiteral("vMerge"));
            w.writeEndElement();
            for (const Paragraph& p : cell.paragraphs)
                WriteParagraph(w, p);
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

void WriteSection(QXmlStreamWriter& w)
{
    w.writeStartElement(kW, QStringLiteral("sectPr"));
    w.writeEmptyElement(kW, QStringLiteral("pgSz"));
    w.writeAttribute(kW, QStringLiteral("w"), QString::number(Document::kPageWidthTwips));
    w.writeAttribute(kW, QStringLiteral("h"), QString::number(Document::kPageHeightTwips));
    w.writeEmptyElement(kW, QStringLiteral("pgMar"));
    w.writeAttribute(kW, QStringLiteral("top"), QString::number(Document::kTopMarginTwips));
    w.writeAttribute(kW, QStringLiteral("right"), QString::number(Document::kSideMarginTwips));
    w.writeAttribute(kW, QStringLiteral("bottom"), QString::number(Document::kTopMarginTwips));
    w.writeAttribute(kW, QStringLiteral("left"), QString::number(Document::kSideMarginTwips));
    w.writeAttribute(kW, QStringLiteral("header"), QStringLiteral("851"));
    w.writeAttribute(kW, QStringLiteral("footer"), QStringLiteral("992"));
    w.writeAttribute(kW, QStringLiteral("gutter"), QStringLiteral("0"));
    w.writeEndElement();
}

QByteArray StylesXml()
{
    return WriteXml([](QXmlStreamWriter& w) {
        w.writeNamespace(kW, QStringLiteral("w"));
        w.writeStartElement(kW, QStringLiteral("styles"));

        w.writeStartElement(kW, QStringLiteral("docDefaults"));
        w.writeStartElement(kW, QStringLiteral("rPrDefault"));
        w.writeStartElement(kW, QStringLiteral("rPr"));
        w.writeEmptyElement(kW, QStringLiteral("rFonts"));
        w.writeAttribute(kW, QStringLiteral("ascii"), kDefaultLatinFace);
        w.writeAttribute(kW, QStringLiteral("hAnsi"), kDefaultLatinFace);
        w.writeAttribute(kW, QStringLiteral("eastAsia"), kDefaultEastAsianFace);
        w.writeAttribute(kW, QStringLiteral("cs"), kDefaultLatinFace);
        Val(w, QStringLiteral("sz"), QStringLiteral("21"));
        Val(w, QStringLiteral("szCs"), QStringLiteral("21"));
        w.writeEmptyElement(kW, QStringLiteral("lang"));
        w.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("en-US"));
        w.writeAttribute(kW, QStringLiteral("eastAsia"), QStringLiteral("zh-CN"));
        w.writeEndElement();
        w.writeEndElement();
        w.writeStartElement(kW, QStringLiteral("pPrDefault"));
        w.writeStartElement(kW, QStringLiteral("pPr"));
        w.writeEmptyElement(kW, QStringLiteral("spacing"));
        w.writeAttribute(kW, QStringLiteral("after"), QStringLiteral("0"));
        w.writeAttribute(kW, QStringLiteral("line"), QStringLiteral("240"));
        w.writeAttribute(kW, QStringLiteral("lineRule"), QStringLiteral("auto"));
        w.writeEndElement();
        w.writeEndElement();
        w.writeEndElement();

        auto style = [&](const char* type, const char* id, const char* name, bool isDefault) {
            w.writeStartElement(kW, QStringLiteral("style"));
            w.writeAttribute(kW, QStringLiteral("type"), QString::fromLatin1(type));
            if (isDefault)
                w.writeAttribute(kW, QStringLiteral("default"), QStringLiteral("1"));
            w.writeAttribute(kW, QStringLiteral("styleId"), QString::fromLatin1(id));
            Val(w, QStringLiteral("name"), QString::fromLatin1(name));
        };
        style("paragraph", "Normal", "Normal", true);
        w.writeEmptyElement(kW, QStringLiteral("qFormat"));
        w.writeEndElement();

        style("table", "TableNormal", "Normal Table", true);
        w.writeStartElement(kW, QStringLiteral("tblPr"));
        WriteWidth(w, QStringLiteral("tblInd"), 0);
        WriteCellMargins(w);
        w.writeEndElement();
        w.writeEndElement();

        style("table", "TableGrid", "Table Grid", false);
        Val(w, QStringLiteral("basedOn"), QStringLiteral("TableNormal"));
        w.writeStartElement(kW, QStringLiteral("tblPr"));
        WriteGridBorders(w);
        w.writeEndElement();
        w.writeEndElement();

        w.writeEndElement();
    });
}

QByteArray SettingsXml()
{
    return WriteXml([](QXmlStreamWriter& w) {
        w.writeNamespace(kW, QStringLiteral("w"));
        w.writeStartElement(kW, QStringLiteral("settings"));
        // Two characters of the body text, as Chinese word processors set it.
        Val(w, QStringLiteral("defaultTabStop"), QStringLiteral("420"));
        Val(w, QStringLiteral("characterSpacingControl"), QStringLiteral("compressPunctuation"));
        w.writeEndElement();
    });
}

QByteArray ContentTypesXml()
{
    return WriteXml([](QXmlStreamWriter& w) {
        w.writeDefaultNamespace(kTypes);
        w.writeStartElement(kTypes, QStringLiteral("Types"));
        auto byExtension = [&](const char* ext, const char* type) {
            w.writeEmptyElement(kTypes, QStringLiteral("Default"));
            w.writeAttribute(QStringLiteral("Extension"), QString::fromLatin1(ext));
            w.writeAttribute(QStringLiteral("ContentType"), QString::fromLatin1(type));
        };
        auto byPart = [&](const char* part, const char* type) {
            w.writeEmptyElement(kTypes, QStringLiteral("Override"));
            w.writeAttribute(QStringLiteral("PartName"), QString::fromLatin1(part));
            w.writeAttribute(QStringLiteral("ContentType"), QString::fromLatin1(type));
        };
        byExtension("rels", "application/vnd.openxmlformats-package.relationships+xml");
        byExtension("xml", "application/xml");
        byPart("/word/document.xml",
               "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
        byPart("/word/styles.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml");
        byPart("/word/settings.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml");
        w.writeEndElement();
    });
}

QByteArray RelationshipsXml(const std::vector<std::pair<const char*, const char*>>& typeAndTarget)
{
    return WriteXml([&](QXmlStreamWriter& w) {
        w.writeDefaultNamespace(kRel);
        w.writeStartElement(kRel, QStringLiteral("Relationships"));
        int id = 0;
        for (const auto& [type, target] : typeAndTarget) {
            w.writeEmptyElement(kRel, QStringLiteral("Relationship"));
            w.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(++id));
            w.writeAttribute(QStringLiteral("Type"), kOfficeRel + QString::fromLatin1(type));
            w.writeAttribute(QStringLiteral("Target"), QString::fromLatin1(target));
        }
        w.writeEndElement();
    });
}

}  // namespace

QByteArray DocumentXml(const Document& document)
{
    return WriteXml([&](QXmlStreamWriter& w) {
        w.writeNamespace(kW, QStringLiteral("w"));
        w.writeStartElement(kW, QStringLiteral("document"));
        w.writeStartElement(kW, QStringLiteral("body"));
        for (const Block& b : document.Blocks()) {
            if (const auto* p = std::get_if<Paragraph>(&b))
                WriteParagraph(w, *p);
            else
                WriteTable(w, std::get<Table>(b));
        }
        WriteSection(w);
        w.writeEndElement();
        w.writeEndElement();
    });
}

QByteArray DocxPackage(const Document& document, QString& error)
{
    return ZipInMemory(
        {
            {QStringLiteral("[Content_Types].xml"), ContentTypesXml()},
            {QStringLiteral("_rels/.rels"), RelationshipsXml({{"officeDocument", "word/document.xml"}})},
            {QStringLiteral("word/_rels/document.xml.rels"),
             RelationshipsXml({{"styles", "styles.xml"}, {"settings", "settings.xml"}})},
            {QStringLiteral("word/document.xml"), DocumentXml(document)},
            {QStringLiteral("word/styles.xml"), StylesXml()},
            {QStringLiteral("word/settings.xml"), SettingsXml()},
        },
        error);
}

QByteArray TemplateFromDocx(const QByteArray& docxPackage, QString& error)
{
    std::vector<ZipEntry> entries = UnzipInMemory(docxPackage, error);
    if (entries.empty())
        return {};
    for (auto& [name, bytes] : entries) {
        if (name == QLatin1String("[Content_Types].xml"))
            bytes.replace("wordprocessingml.document.main+xml", "wordprocessingml.template.main+xml");
    }
    return ZipInMemory(entries, error);
}

}  // namespace k30::docx

#include "ReportFonts.h"

#include <QStringList>

namespace k30 {

namespace {
const QString kSong = QStringLiteral("宋体");
const QString kTimes = QStringLiteral("Times New Roman");
}  // namespace

QString FaceFor(Language lang) { return lang == Language::Chinese ? kSong : kTimes; }

void InstallFontSubstitutes()
{
    // A Song (serif) face for Chinese, with Latin glyphs from the same family;
    // Liberation Serif has the metrics of Times New Roman. AR PL UMing comes
    // first: like the Song face it stands in for, its Latin glyphs are half an
    // em wide, and each of its ideographs has a glyph of its own, so text copied
    // out of an exported PDF comes back as typed (Noto maps the Kangxi radicals
    // onto the same glyphs, and PDF writers then give 日 back as ⽇).
    QFont::insertSubstitutions(kSong, {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                                       QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(kTimes, {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    // English texts may hold Chinese characters typed by the operator.
    QFont::insertSubstitutions(QStringLiteral("Liberation Serif"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
}

QFont FontFor(Language lang, double pointSize)
{
    QFont font(FaceFor(lang));
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace k30

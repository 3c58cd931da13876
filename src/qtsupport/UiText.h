#pragma once

#include <QString>

#include "Language.h"
#include "ReportHeader.h"

namespace k30 {

// A user text in the language of the moment.
inline QString Tr(const Text& text, Language lang)
{
    const std::string_view s = text.in(lang);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A header member's label on the reports, without its colon.
inline QString HeaderLabel(std::string ReportHeader::*member, Language lang)
{
    return Tr(HeaderFieldOf(member).label, lang);
}

// "label:value", as the reports print a header member.
inline QString HeaderLabelled(std::string ReportHeader::*member, const std::string& value, Language lang)
{
    return HeaderLabel(member, lang) + QStringLiteral(":") + QString::fromStdString(value);
}

inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace k30

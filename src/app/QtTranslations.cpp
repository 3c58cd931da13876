#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace k30 {

void UseQtTranslations(Language lang)
{
    static std::vector<std::unique_ptr<QTranslator>> installed;
    for (const auto& t : installed)
        QCoreApplication::removeTranslator(t.get());
    installed.clear();
    if (lang != Language::Chinese)
        return;
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogue : {"qtbase_zh_CN", "qtserialport_zh_CN"}) {
        auto t = std::make_unique<QTranslator>();
        if (t->load(QString::fromLatin1(catalogue), dir)) {
            QCoreApplication::installTranslator(t.get());
            installed.push_back(std::move(t));
        }
    }
}

}  // namespace k30

#include "WritableTarget.h"

#include <QFile>

#include "AtomicFile.h"
#include "Texts.h"
#include "UiText.h"

namespace k30 {

namespace {

constexpr Text kReadOnlyTarget{"该文件为只读文件，不能替换。请选择另一个文件：",
                               "The file is read-only and cannot be replaced. Choose another file:"};

}  // namespace

QString ChooseWritableFile(Prompt& prompt, QWidget* parent, Prompt::FileRequest request, Language lang)
{
    for (;;) {
        const QString path = prompt.chooseFile(parent, request);
        if (path.isEmpty() || !IsReadOnlyFile(QFile::encodeName(path).toStdString()))
            return path;
        prompt.inform(parent, Tr(texts::kAppTitle, lang), Tr(kReadOnlyTarget, lang) + QStringLiteral("\n") + path,
                      Prompt::Icon::Warning);
        request.directory = path;
    }
}

QString ChooseWritableSaveFile(Prompt& prompt, QWidget* parent, const QString& title, const QString& nameFilter,
                               const QString& defaultSuffix, Language lang)
{
    Prompt::FileRequest request;
    request.mode = Prompt::FileRequest::Mode::Save;
    request.title = title;
    request.nameFilters = {nameFilter};
    request.defaultSuffix = defaultSuffix;
    return ChooseWritableFile(prompt, parent, request, lang);
}

}  // namespace k30

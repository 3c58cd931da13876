#include "DataExportCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

#include "DataExportTexts.h"
#include "Export.h"
#include "Prompt.h"
#include "SafeSave.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "UiText.h"
#include "WritableTarget.h"

namespace k30 {

namespace {

struct OutputFile {
    QString path;
    ExportRequest request;
    QByteArray bytes;
};

}  // namespace

bool SaveExportFile(const QString& path, const QByteArray& bytes, QString& error, const ProgressFn& progress)
{
    return SaveBytesThroughTemporary(path, bytes, error, progress);
}

QString Ev2CsvPath(const QString& csvPath)
{
    const QFileInfo info(csvPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-Ev2.") + info.suffix());
}

QString RunDataExport(const TestDataStore& store, Prompt& prompt, const ReportHeader& header,
                      const Requirements& required, QWidget* window)
{
    const Language lang = store.nLanguage;
    const QString caption = Tr(texts::kAppTitle, lang);
    const bool hasK30 = store.ValidCount() > 0;
    const bool hasEv2 = !store.ev2List.empty();
    if (!hasK30 && !hasEv2) {
        prompt.inform(window, caption, Tr(texts::kExportNothing, lang), Prompt::Icon::Information);
        return {};
    }

    Prompt::FileRequest request;
    request.mode = Prompt::FileRequest::Mode::Save;
    request.title = Tr(texts::kExportTitle, lang);
    request.nameFilters = QStringList{Tr(texts::kExportFilterXlsx, lang), Tr(texts::kExportFilterCsv, lang),
                                      Tr(texts::kExportFilterAgs, lang)};
    request.defaultSuffix = QStringLiteral("xlsx");
    const QString path = ChooseWritableFile(prompt, window, request, lang);
    if (path.isEmpty())
        return {};
    const auto format = FormatOfPath(path.toStdString());
    if (!format) {
        prompt.inform(window, caption, Tr(texts::kExportUnknownKind, lang), Prompt::Icon::Warning);
        return {};
    }

    ExportRequest base;
    base.format = *format;
    base.header = header;
    base.required = required;
    base.lang = lang;
    std::vector<OutputFile> files;
    if (*format == ExportFormat::Csv && hasK30 && hasEv2) {
        const QString ev2Path = Ev2CsvPath(path);
        if (QFile::exists(ev2Path) &&
            prompt.ask(window, caption, Tr(texts::kExportReplaceEv2, lang) + ev2Path, Prompt::Buttons::YesNo,
                       Prompt::Icon::Question, Prompt::Answer::No) != Prompt::Answer::Yes)
            return {};
        files.push_back({ev2Path, base, {}});
        files.back().request.table = CsvTable::Ev2;
    }
    files.push_back({path, base, {}});
    files.back().request.table = hasK30 ? CsvTable::K30 : CsvTable::Ev2;

    // Every file is made before the first is written; the amounts are steps of
    // making (one per file) and then the bytes written.
    const ProgressFn progress = prompt.progress(window, Tr(texts::kExporting, lang), lang);
    std::size_t total = files.size();
    for (std::size_t i = 0; i < files.size(); ++i) {
        OutputFile& f = files[i];
        std::string bytes;
        std::string error;
        if (!ExportBytes(store, f.request, bytes, error)) {
            prompt.inform(window, caption,
                          Tr(texts::kExportFailed, lang) + QStringLiteral(" ") + f.path + QStringLiteral(":\n") +
                              QString::fromStdString(error),
                          Prompt::Icon::Warning);
            return {};
        }
        f.bytes = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        total += bytes.size();
        if (!progress(i + 1, files.size()))
            return {};
    }
    std::size_t written = files.size();
    std::vector<QString> created;
    for (const OutputFile& f : files) {
        const bool existed = QFile::exists(f.path);
        // Once one file is in place the rest follows: a pair is never left half old, half new.
        const bool first = &f == &files.front();
        bool stopped = false;
        const ProgressFn step = [&](std::size_t done, std::size_t) {
            stopped = !progress(written + done, total) && first;
            return !stopped;
        };
        QString error;
        if (!SaveExportFile(f.path, f.bytes, error, step)) {
            if (stopped)
                return {};
            // A second file that fails takes back the first one this export created.
            for (const QString& p : created)
                QFile::remove(p);
            prompt.inform(window, caption,
                          Tr(texts::kExportFailed, lang) + QStringLiteral(" ") + f.path + QStringLiteral(":\n") + error,
                          Prompt::Icon::Warning);
            return {};
        }
        written += static_cast<std::size_t>(f.bytes.size());
        if (!existed)
            created.push_back(f.path);
    }
    return path;
}

}  // namespace k30

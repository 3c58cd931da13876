#include "WordCommand.h"

#include <QDesktopServices>
#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "CDlgWordK.h"
#include "CDornWordOffice.h"
#include "DocxPackage.h"
#include "K30WordReport.h"
#include "OfficeHost.h"
#include "Prompt.h"
#include "SafeSave.h"
#include "Texts.h"
#include "UiText.h"
#include "WordTexts.h"
#include "WritableTarget.h"

namespace k30 {

namespace {

bool WriteDocument(const QString& path, const QByteArray& package, QString& error)
{
    return SaveBytesThroughTemporary(path, package, error);
}

// Puts the finished document on the desktop, or where the operator saves it.
class DesktopHost : public OfficeHost {
public:
    DesktopHost(Prompt& prompt, QWidget* window, Language lang, const DesktopOpener& open)
        : prompt_(prompt), window_(window), lang_(lang), open_(open)
    {
    }

    void Warn(const QString& text) override
    {
        prompt_.inform(window_, Tr(texts::kAppTitle, lang_), text, Prompt::Icon::Warning);
    }

    void Show(const QByteArray& package) override
    {
        const QString name = Tr(wordtexts::kFileName, lang_);
        // Opened as a template, the word processor makes a new, untitled
        // document of it, whose Save asks where to keep it instead of writing
        // into the temporary folder.
        const QString templateName = Tr(wordtexts::kTemplateFileName, lang_);
        // The viewer reads the file after this command has ended: the folder stays.
        QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("k30-word-XXXXXX")));
        folder.setAutoRemove(false);
        QString error = folder.errorString();
        const QByteArray wordTemplate = folder.isValid() ? docx::TemplateFromDocx(package, error) : QByteArray();
        if (wordTemplate.isEmpty() || !WriteDocument(folder.filePath(templateName), wordTemplate, error)) {
            Warn(Tr(wordtexts::kCannotWriteTemp, lang_) + QStringLiteral(":\n") + error);
            SaveAs(package, name, Tr(texts::kSaveWordDocument, lang_));
        } else if (open_(folder.filePath(templateName))) {
            return;
        } else {
            SaveAs(package, name, Tr(wordtexts::kNoViewerTitle, lang_));
        }
        if (folder.isValid())
            folder.remove();
    }

private:
    void SaveAs(const QByteArray& package, const QString& name, const QString& title)
    {
        Prompt::FileRequest request;
        request.mode = Prompt::FileRequest::Mode::Save;
        request.title = title;
        request.nameFilters = QStringList{Tr(wordtexts::kDocxFilter, lang_)};
        request.defaultSuffix = QStringLiteral("docx");
        request.directory =
            QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
        for (;;) {
            const QString path = ChooseWritableFile(prompt_, window_, request, lang_);
            if (path.isEmpty())
                return;
            QString error;
            if (WriteDocument(path, package, error))
                return;
            Warn(Tr(texts::kCannotWrite, lang_) + QStringLiteral(" ") + path + QStringLiteral(":\n") + error);
            request.directory = path;
        }
    }

    Prompt& prompt_;
    QWidget* window_;
    Language lang_;
    const DesktopOpener& open_;
};

}  // namespace

bool OpenWithDesktop(const QString& path)
{
    // xdg-open starts (and "succeeds") even when no program handles the type:
    // ask the desktop's MIME database first, so such a document is saved instead.
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!xdgMime.isEmpty()) {
        QProcess query;
        query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                              QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name()});
        if (query.waitForFinished(5000) && query.exitStatus() == QProcess::NormalExit &&
            query.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void RunWordExport(TestDataStore& store, Prompt& prompt, const ReportHeader& header, QWidget* window,
                   const DesktopOpener& open)
{
    const Language lang = store.nLanguage;
    CDlgWordK dialog(header, lang, window);
    if (prompt.runDialog(dialog) != QDialog::Accepted)
        return;
    DesktopHost host(prompt, window, lang, open);
    CDornWordOffice office(host);
    WriteK30WordReport(office, store, dialog.Values(), lang);
}

}  // namespace k30

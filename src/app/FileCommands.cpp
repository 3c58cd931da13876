#include "FileCommands.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <string>
#include <utility>

#include "AppTexts.h"
#include "CHeadk30.h"
#include "CKSelect.h"
#include "CMainFrame.h"
#include "CReadData.h"
#include "Ev2PageTexts.h"
#include "Ev2Transfer.h"
#include "FileIO.h"
#include "ProjectFile.h"
#include "SafeSave.h"
#include "Prompt.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "TransferDecoder.h"
#include "UiText.h"

namespace k30 {

namespace {
// Project files hold about 200 bytes a point; nothing real comes near this.
constexpr qint64 kMaxProjectFileBytes = 256ll * 1024 * 1024;

// A record carries each reading as an unsigned 16-bit number; anything else
// would come back changed when the file is opened.
bool ReadingsFitRecord(const std::vector<Ev2Point>& points)
{
    for (const Ev2Point& p : points) {
        for (const ReadingPair& r : p.reading) {
            for (const float v : {r.stress, r.settlement}) {
                if (!(v >= 0.0f && v <= 65535.0f))
                    return false;
            }
        }
    }
    return true;
}
}  // namespace

void FileCommands::Open()
{
    TestDataStore& store = frame_.Store();
    const Language lang = store.nLanguage;
    Prompt& prompt = frame_.GetPrompt();
    if (!frame_.AskToSaveFirst())
        return;
    Prompt::FileRequest request;
    request.mode = Prompt::FileRequest::Mode::Open;
    request.title = Tr(texts::kOpenTitle, lang);
    request.nameFilters = {Tr(texts::kOpenFilterRaw, lang), Tr(texts::kOpenFilterProject, lang)};
    const QString path = prompt.chooseFile(&frame_, request);
    if (path.isEmpty())
        return;
    OpenPath(path);
}

bool FileCommands::OpenPath(const QString& path)
{
    switch (KindOfPath(path.toStdString())) {
    case FileKind::Raw:
        return OpenRaw(path);
    case FileKind::Project:
        return OpenProject(path);
    case FileKind::Unknown:
        break;
    }
    // The two kinds are told apart by the ending; say so rather than do nothing.
    const Language lang = frame_.Store().nLanguage;
    frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, lang),
                              Tr(texts::kUnknownFileKind, lang) + QStringLiteral("\n") + path,
                              Prompt::Icon::Warning);
    return false;
}

bool FileCommands::OpenRaw(const QString& path)
{
    QByteArray bytes;
    if (!ReadFile(path, static_cast<qint64>(kMaxRawFileBytes), bytes))
        return false;
    return OpenRawBytes(bytes, path);
}

bool FileCommands::OpenRawBytes(const QByteArray& bytes, const QString& path)
{
    TestDataStore& store = frame_.Store();
    store.strCurK30Name.clear();
    store.strCurEv2Name.clear();
    store.bManualInput = false;
    store.bManualEv2 = false;
    store.bEv2NotInRawFile = false;
    // Decoded straight from the file: bytes the read page received and has
    // not yet accepted stay where they are.
    std::string text = bytes.toStdString();
    DecodeTransfer(text, store);
    frame_.ReadPage()->SetLastTransferText(std::move(text));
    frame_.RefreshActivePage(true);
    frame_.SetSaveRawState(true);
    frame_.setWindowTitle(Tr(texts::kTitlePrefix, store.nLanguage) + QFileInfo(path).absoluteFilePath());
    store.bDataSaved = false;
    store.bRawTextMatchesPoints = true;
    frame_.HeaderPage()->SyncHeader(false);
    return true;
}

bool FileCommands::OpenProject(const QString& path)
{
    QByteArray bytes;
    if (!ReadFile(path, kMaxProjectFileBytes, bytes))
        return false;
    return OpenProjectBytes(bytes, path);
}

bool FileCommands::OpenProjectBytes(const QByteArray& bytes, const QString& path)
{
    const ProjectReadResult project =
        ReadProject(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    TestDataStore& store = frame_.Store();
    if (!project.ok) {
        ShowError(Tr(texts::kDamagedProject, store.nLanguage), path, QString::fromStdString(project.error));
        return false;
    }
    store.strCurK30Name.clear();
    store.strCurEv2Name.clear();
    store.bManualInput = false;
    store.bManualEv2 = false;
    store.bEv2NotInRawFile = false;
    ApplyProject(project.data, store);
    frame_.SetSaveRawState(false);
    CHeadk30* header = frame_.HeaderPage();
    header->SyncHeader(true);
    header->Fields() = project.data.header;
    header->SyncHeader(false);
    frame_.RefreshActivePage(true);
    frame_.setWindowTitle(Tr(texts::kTitlePrefix, store.nLanguage) + QFileInfo(path).absoluteFilePath());
    return true;
}

void FileCommands::SaveRaw()
{
    TestDataStore& store = frame_.Store();
    const Language lang = store.nLanguage;
    const QString chosen = frame_.GetPrompt().chooseSaveFile(&frame_, Tr(texts::kSaveRawTitle, lang),
                                                           QStringLiteral("Original Files (*.ORG)"),
                                                           QStringLiteral("ORG"));
    const QString path = SavePath(chosen, false);
    if (path.isEmpty())
        return;
    std::string text = frame_.ReadPage()->LastTransferText();
    if (store.bManualEv2) {
        // A typed Ev2 point is saved as the transfer the instrument would have
        // sent for it, so opening the file gives the same point back.
        const auto instrument = static_cast<std::uint16_t>(std::clamp(store.nInstrumentNo, 0, 0xFFFF));
        const std::optional<std::string> ev2 = Ev2TransferText(store.ev2List, instrument);
        if (!ev2 || !ReadingsFitRecord(store.ev2List)) {
            ShowError(Tr(ev2_texts::kCannotWriteEv2, lang), path, {});
            return;
        }
        text = *ev2;
    }
    if (!WriteFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
        return;
    // Typed, renamed, computed or project points are not in that text: they
    // stay unsaved. A typed Ev2 point is, in the text made for it.
    if (store.bRawTextMatchesPoints || store.bManualEv2)
        store.bDataSaved = true;
    store.bEv2NotInRawFile = false;
    frame_.Retitle(texts::kTitleSavedRaw, QFileInfo(path).absoluteFilePath());
}

bool FileCommands::SaveProject()
{
    TestDataStore& store = frame_.Store();
    const Language lang = store.nLanguage;
    Prompt& prompt = frame_.GetPrompt();
    if (store.bEv2NotInRawFile && !store.ev2List.empty()) {
        const auto answer = prompt.ask(&frame_, Tr(texts::kNotice, lang), Tr(ev2_texts::kEv2NotInRawFile, lang),
                                       Prompt::Buttons::YesNo, Prompt::Icon::Warning, Prompt::Answer::Yes);
        if (answer == Prompt::Answer::Yes)
            SaveRaw();
    }
    CKSelect choice(store, lang, &frame_);
    if (prompt.runDialog(choice) != QDialog::Accepted || choice.Chosen().empty())
        return false;
    const std::vector<K30> chosen = choice.ChosenPoints();
    std::vector<const K30*> points;
    for (const K30& p : chosen)
        points.push_back(&p);

    const QString path = SavePath(prompt.chooseSaveFile(&frame_, Tr(texts::kSaveProjectTitle, lang),
                                                        QStringLiteral("Project Files (*.K30)"), QStringLiteral("K30")),
                                  true);
    if (path.isEmpty())
        return false;
    const auto bytes = WriteProject(store.nInstrumentNo, points, frame_.CurrentHeader());
    if (!WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))))
        return false;
    store.bDataSaved = true;
    frame_.Retitle(texts::kTitleSavedProject, QFileInfo(path).absoluteFilePath());
    return true;
}

QString FileCommands::SavePath(const QString& chosen, bool project)
{
    if (chosen.isEmpty())
        return {};
    const QString path = QString::fromStdString(
        WithEnding(chosen.toStdString(), project ? FileKind::Project : FileKind::Raw));
    if (path == chosen || !QFileInfo::exists(path))
        return path;
    const Language lang = frame_.Store().nLanguage;
    const auto answer =
        frame_.GetPrompt().ask(&frame_, Tr(texts::kNotice, lang), Tr(texts::kReplaceQuestion, lang).arg(path),
                               Prompt::Buttons::YesNo, Prompt::Icon::Question, Prompt::Answer::No);
    return answer == Prompt::Answer::Yes ? path : QString();
}

bool FileCommands::ReadFile(const QString& path, qint64 maxBytes, QByteArray& bytes)
{
    const Language lang = frame_.Store().nLanguage;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(Tr(texts::kCannotOpen, lang), path, file.errorString());
        return false;
    }
    if (file.size() > maxBytes) {
        ShowError(Tr(texts::kFileTooLarge, lang), path, {});
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowError(Tr(texts::kCannotOpen, lang), path, file.errorString());
        return false;
    }
    return true;
}

bool FileCommands::WriteFile(const QString& path, const QByteArray& bytes)
{
    // A failed or interrupted save never destroys the file it replaces.
    QString error;
    if (SaveBytesThroughTemporary(path, bytes, error))
        return true;
    ShowError(Tr(texts::kCannotSave, frame_.Store().nLanguage), path, error);
    return false;
}

void FileCommands::ShowError(const QString& what, const QString& path, const QString& detail)
{
    QString text = what + QStringLiteral("\n") + path;
    if (!detail.isEmpty())
        text += QStringLiteral("\n") + detail;
    frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, frame_.Store().nLanguage), text, Prompt::Icon::Warning);
}

}  // namespace k30

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
#include "WritableTarget.h"
#include "WorkbenchTexts.h"

namespace k30 {

namespace {
// Project files hold about 200 bytes a point; nothing real comes near this.
constexpr qint64 kMaxProjectFileBytes = 256ll * 1024 * 1024;

// What a decoded transfer holds.
Document::FileContent ContentOfStore(const TestDataStore& store)
{
    const std::vector<K30> k30(store.k30List.begin(),
                               store.k30List.begin() + static_cast<std::ptrdiff_t>(store.ValidCount()));
    return Document::ContentOf(k30, store.ev2List);
}

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
    request.nameFilters = {Tr(texts::kOpenFilterBoth, lang), Tr(texts::kOpenFilterRaw, lang),
                           Tr(texts::kOpenFilterProject, lang)};
    const QString path = prompt.chooseFile(&frame_, request);
    if (path.isEmpty())
        return;
    frame_.OpenFile(path);
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
    // Decoded straight from the file: bytes the read page received and has
    // not yet accepted stay where they are.
    std::string text = bytes.toStdString();
    DecodeTransfer(text, store);
    store.document.FileOnDisk(S(QFileInfo(path).absoluteFilePath()), ContentOfStore(store));
    frame_.ReadPage()->SetLastTransferText(std::move(text));
    frame_.RefreshActivePage(true);
    frame_.SetSaveRawState(true);
    frame_.setWindowTitle(Tr(texts::kTitlePrefix, store.nLanguage) + QFileInfo(path).absoluteFilePath());
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
    ApplyProject(project.data, store);
    store.document.SetHeader(project.data.header);
    store.document.FileOnDisk(S(QFileInfo(path).absoluteFilePath()),
                              Document::ContentOf(project.data.points, project.data.header));
    frame_.SetSaveRawState(false);
    frame_.RefreshActivePage(true);
    frame_.setWindowTitle(Tr(texts::kTitlePrefix, store.nLanguage) + QFileInfo(path).absoluteFilePath());
    return true;
}

bool FileCommands::SaveRaw()
{
    TestDataStore& store = frame_.Store();
    const Language lang = store.nLanguage;
    const QString chosen = ChooseWritableSaveFile(frame_.GetPrompt(), &frame_, Tr(texts::kSaveRawTitle, lang),
                                                  QStringLiteral("Original Files (*.ORG)"), QStringLiteral("ORG"), lang);
    const QString path = SavePath(chosen, false);
    if (path.isEmpty())
        return false;
    std::string text = frame_.ReadPage()->LastTransferText();
    TestDataStore held;
    DecodeTransfer(text, held);
    if (!store.ev2List.empty() && held.ev2List != store.ev2List) {
        // Ev2 points the last transfer does not hold (typed ones) are saved
        // as the transfer the instrument would have sent for them, so opening
        // the file gives the same points back.
        const auto instrument = static_cast<std::uint16_t>(std::clamp(store.nInstrumentNo, 0, 0xFFFF));
        const std::optional<std::string> ev2 = Ev2TransferText(store.ev2List, instrument);
        if (!ev2 || !ReadingsFitRecord(store.ev2List)) {
            ShowError(Tr(ev2_texts::kCannotWriteEv2, lang), path, {});
            return false;
        }
        text = *ev2;
    }
    if (!WriteFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
        return false;
    // The document learns what the file holds, read back from its text:
    // typed, renamed or project points it does not hold stay unsaved.
    held = TestDataStore{};
    DecodeTransfer(text, held);
    store.document.FileOnDisk(S(QFileInfo(path).absoluteFilePath()), ContentOfStore(held));
    frame_.Retitle(texts::kTitleSavedRaw, QFileInfo(path).absoluteFilePath());
    return true;
}

bool FileCommands::SaveProject()
{
    TestDataStore& store = frame_.Store();
    const Language lang = store.nLanguage;
    Prompt& prompt = frame_.GetPrompt();
    if (store.document.Ev2PointsUnsaved(store)) {
        // A Yes whose raw save does not end written stops the project save too.
        const auto answer = prompt.ask(&frame_, Tr(texts::kNotice, lang), Tr(ev2_texts::kEv2NotInRawFile, lang),
                                       Prompt::Buttons::YesNo, Prompt::Icon::Warning, Prompt::Answer::Yes);
        if (answer == Prompt::Answer::Yes && !SaveRaw())
            return false;
    }
    CKSelect choice(store, lang, &frame_);
    if (prompt.runDialog(choice) != QDialog::Accepted || choice.Chosen().empty())
        return false;
    const std::vector<K30> chosen = choice.ChosenPoints();
    std::vector<const K30*> points;
    for (const K30& p : chosen)
        points.push_back(&p);

    const QString path = SavePath(ChooseWritableSaveFile(prompt, &frame_, Tr(texts::kSaveProjectTitle, lang),
                                                         QStringLiteral("Project Files (*.K30)"), QStringLiteral("K30"), lang),
                                  true);
    if (path.isEmpty())
        return false;
    const auto bytes = WriteProject(store.nInstrumentNo, points, frame_.CurrentHeader());
    if (!WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))))
        return false;
    // What the file holds, as opening it would read it.
    const ProjectReadResult written = ReadProject(bytes);
    if (written.ok)
        store.document.FileOnDisk(S(QFileInfo(path).absoluteFilePath()),
                                  Document::ContentOf(written.data.points, written.data.header));
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

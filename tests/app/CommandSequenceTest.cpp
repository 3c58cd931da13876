// Random sequences of window commands from fixed seeds, checked after every
// step against a model of their own: whenever closing would not ask, every
// point, header text and typed reading is in a file on disk, read back here
// with the file readers.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "CChangeNameK.h"
#include "CHeadk30.h"
#include "CInputName.h"
#include "CKSelect.h"
#include "CMainFrame.h"
#include "CPropSheet.h"
#include "CReadData.h"
#include "CTestEv2.h"
#include "CTestK30.h"
#include "Ev2Transfer.h"
#include "K30Evaluation.h"
#include "ProjectFile.h"
#include "Prompt.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"

using namespace k30;

namespace {

constexpr int kSequences = 1000;
constexpr int kStepsPerSequence = 14;

const QString kDemo = QStringLiteral(K30_SAMPLES "/demo.ORG");

// Texts a person might type into a reading box.
const std::vector<QString> kReadingTexts{"",    "0",   "0.05", "0,10", "0.150", "0,240", "0.3",  "0,40",
                                         "1.1", "1,3", "1.6",  "2",    "abc",   "0.2 MPa", "1,2,3"};
const std::vector<QString> kHeaderTexts{"", "A", "B", "中铁"};
const std::vector<std::string ReportHeader::*> kHeaderMembers{&ReportHeader::Client, &ReportHeader::TestNumber,
                                                              &ReportHeader::Tester};

// Answers every box, file dialog and dialog at random, as a person might.
class RandomPrompt : public Prompt {
public:
    RandomPrompt(std::mt19937& rng, const QString& dir) : rng_(rng), dir_(dir) {}

    Answer ask(QWidget*, const QString&, const QString&, Buttons buttons, Icon, Answer) override
    {
        ++asked;
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Pick(4) == 0 ? Answer::Cancel : Answer::Ok;
        case Buttons::YesNo:
            return Pick(2) == 0 ? Answer::Yes : Answer::No;
        case Buttons::YesNoCancel:
            return std::array{Answer::Yes, Answer::No, Answer::Cancel}[Pick(3)];
        }
        return Answer::Cancel;
    }

    QString chooseFile(QWidget*, const FileRequest& request) override
    {
        if (request.mode == FileRequest::Mode::Open) {
            QStringList files = QDir(dir_).entryList({"*.ORG", "*.K30"}, QDir::Files);
            files.append(kDemo);
            const QString f = files[Pick(files.size())];
            return QFileInfo(f).isAbsolute() ? f : QDir(dir_).filePath(f);
        }
        // Exports go beside the data files and are never read back as them.
        if (request.defaultSuffix != QStringLiteral("K30") && request.defaultSuffix != QStringLiteral("ORG"))
            return Pick(2) ? QDir(dir_).filePath("export.csv") : QString();
        // A cancelled dialog, a folder in the way (the write fails), or a file.
        const bool project = request.defaultSuffix == QStringLiteral("K30");
        const QStringList names = project ? QStringList{"", "blocked.K30", "p.K30", "q.K30"}
                                          : QStringList{"", "blocked.ORG", "a.ORG", "b.ORG"};
        const QString name = names[Pick(names.size())];
        return name.isEmpty() ? QString() : QDir(dir_).filePath(name);
    }

    int runDialog(QDialog& d) override
    {
        if (auto* choice = dynamic_cast<CKSelect*>(&d)) {
            switch (Pick(3)) {
            case 0:
                d.reject();
                return QDialog::Rejected;
            case 1:
                choice->AddAll();
                break;
            default:  // the first point only
                if (choice->AllList()->count() > 0) {
                    choice->AllList()->setCurrentRow(0);
                    choice->MoveRight();
                }
                break;
            }
            choice->OnOk();
            return choice->result();
        }
        if (auto* input = dynamic_cast<CInputName*>(&d)) {
            if (Pick(6) == 0) {
                d.reject();
                return QDialog::Rejected;
            }
            input->Edit()->setText(QString::number(1 + Pick(3)));
            input->OkButton()->click();
            return input->result();
        }
        if (auto* rename = dynamic_cast<CChangeNameK*>(&d)) {
            QTableWidget* grid = rename->Grid();
            for (int r = 0; r < grid->rowCount(); ++r)
                if (grid->item(r, 1) && Pick(3) == 0)
                    grid->item(r, 1)->setText(QStringList{"1", "2", "X"}[Pick(3)]);
            d.accept();
            return QDialog::Accepted;
        }
        d.reject();
        return QDialog::Rejected;
    }

    int asked = 0;

private:
    int Pick(qsizetype n) { return static_cast<int>(std::uniform_int_distribution<qsizetype>(0, n - 1)(rng_)); }

    std::mt19937& rng_;
    QString dir_;
};

// What the files in the folder hold, read back with the file readers.
struct OnDisk {
    std::vector<K30> k30;
    std::vector<Ev2Point> ev2;
    std::vector<ReportHeader> headers;
};

OnDisk ReadFolder(const QString& dir)
{
    OnDisk disk;
    QStringList files;
    for (const QString& f : QDir(dir).entryList({"*.ORG", "*.K30"}, QDir::Files))
        files.append(QDir(dir).filePath(f));
    files.append(kDemo);
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        if (path.endsWith(QStringLiteral(".ORG"))) {
            TestDataStore s;
            DecodeTransfer(bytes.toStdString(), s);
            disk.k30.insert(disk.k30.end(), s.k30List.begin(), s.k30List.begin() + s.nK30Count);
            disk.ev2.insert(disk.ev2.end(), s.ev2List.begin(), s.ev2List.end());
        } else {
            const ProjectReadResult r =
                ReadProject(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
            if (!r.ok)
                continue;
            disk.k30.insert(disk.k30.end(), r.data.points.begin(), r.data.points.end());
            disk.headers.push_back(r.data.header);
        }
    }
    return disk;
}

bool SameSavedPoint(const K30& a, const K30& b)
{
    // Pair 16 is never saved.
    K30 x = a;
    K30 y = b;
    x.reading[16] = y.reading[16] = {};
    return x == y;
}

// A box text is in a file when it reads as the point's reading, or is the
// text the page shows for it.
bool TextHeldBy(const QString& text, float value, bool stress)
{
    const std::string t = text.toStdString();
    const std::optional<float> v = stress ? StressFromText(t) : SettlementFromText(t);
    return (v && *v == value) || t == (stress ? StressText(value) : SettlementText(value));
}

class CommandSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = QDir::currentPath();
        QDir::setCurrent(home_.path());
        QFile config(home_.filePath("Config.cfg"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("E");
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    QTemporaryDir home_;
    QString previous_;
};

// Every model check; false (with the failure added) on the first that fails.
void ExpectEverythingOnDisk(CMainFrame& w, const TestDataStore& store, const QString& dir, const std::string& where)
{
    const OnDisk disk = ReadFolder(dir);
    for (std::size_t k = 0; k < store.ValidCount(); ++k) {
        const K30& p = store.k30List[k];
        const bool held = std::any_of(disk.k30.begin(), disk.k30.end(), [&](const K30& d) { return SameSavedPoint(p, d); });
        EXPECT_TRUE(held) << where << ": K30 point \"" << p.name << "\" is in no file";
    }
    for (const Ev2Point& p : store.ev2List)
        EXPECT_TRUE(std::find(disk.ev2.begin(), disk.ev2.end(), p) != disk.ev2.end())
            << where << ": Ev2 point \"" << p.name << "\" is in no raw file";

    // The header as its boxes show it.
    ReportHeader shown;
    bool empty = true;
    for (const HeaderField& f : kHeaderFileOrder) {
        shown.*f.member = w.HeaderPage()->Box(f.member)->text().toStdString();
        empty = empty && (shown.*f.member).empty();
    }
    if (!empty) {
        EXPECT_TRUE(std::find(disk.headers.begin(), disk.headers.end(), shown) != disk.headers.end())
            << where << ": the header is in no project file";
    }

    // Readings in open boxes are those of the point they belong to.
    CTestK30* k30Page = w.TestPage();
    if (k30Page->findChild<QPushButton*>("compute")->isEnabled() && store.ValidCount() > 0) {
        const auto k = store.FindK30PointByName(store.strCurK30Name);
        const K30& p = store.k30List[k ? *k : 0];
        for (int i = 0; i < kUsedPairs; ++i) {
            const QString s = k30Page->findChild<QLineEdit*>(QStringLiteral("stress%1").arg(i))->text();
            const QString d = k30Page->findChild<QLineEdit*>(QStringLiteral("settlement%1").arg(i))->text();
            EXPECT_TRUE(TextHeldBy(s, p.reading[std::size_t(i)].stress, true)) << where << ": typed stress " << i;
            EXPECT_TRUE(TextHeldBy(d, p.reading[std::size_t(i)].settlement, false))
                << where << ": typed settlement " << i;
        }
    }
    CTestEv2* ev2Page = w.Ev2Page();
    if (ev2Page->ManualEntryOpen() && !store.ev2List.empty()) {
        const Ev2Point& p = store.ev2List.front();
        for (int i = 0; i < kEv2Pairs; ++i) {
            EXPECT_TRUE(TextHeldBy(ev2Page->StressBox(i)->text(), p.reading[std::size_t(i)].stress, true))
                << where << ": typed Ev2 stress " << i;
            EXPECT_TRUE(TextHeldBy(ev2Page->SettlementBox(i)->text(), p.reading[std::size_t(i)].settlement, false))
                << where << ": typed Ev2 settlement " << i;
        }
    }
}

void TypeInto(QLineEdit* box, const QString& text)
{
    box->setText(text);
    emit box->textEdited(text);
}

}  // namespace

TEST_F(CommandSequence, WhenCloseWouldNotAskEverythingIsInAFile)
{
    QFile demoFile(kDemo);
    ASSERT_TRUE(demoFile.open(QIODevice::ReadOnly));
    const QByteArray demoBytes = QByteArray::fromHex(demoFile.readAll());
    Ev2Point received;
    received.name = "9";
    received.startTime = "2026-12-7-08:05";
    received.endTime = "2026-12-7-08:40";
    for (int i = 0; i < kEv2Pairs; ++i)
        received.reading[std::size_t(i)] = {float(50 * i), float(20 * i)};
    const QByteArray ev2Bytes = QByteArray::fromHex(QByteArray::fromStdString(*Ev2TransferText({received}, 4)));

    int savedSteps = 0;
    for (int seed = 1; seed <= kSequences; ++seed) {
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkpath("blocked.K30") && QDir(dir.path()).mkpath("blocked.ORG"));
        std::mt19937 rng(static_cast<unsigned>(seed));
        RandomPrompt prompt(rng, dir.path());
        TestDataStore store;
        CMainFrame w(store, prompt);
        w.ReadPage()->SetArchiveFolder(dir.filePath("transfers"));
        const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };

        for (int step = 0; step < kStepsPerSequence; ++step) {
            const std::size_t command = pick(17);
            switch (command) {
            case 0:
                w.OnFileOpen();
                break;
            case 1:
                w.OnManualInput();
                break;
            case 2:
                w.OnManualInputEv2();
                break;
            case 3:
            case 4: {  // typing on the test data page
                const auto boxes = w.TestPage()->findChildren<QLineEdit*>(QRegularExpression("^(stress|settlement)\\d+$"));
                QLineEdit* box = boxes[qsizetype(pick(std::size_t(boxes.size())))];
                if (box->isEnabled())
                    TypeInto(box, kReadingTexts[pick(kReadingTexts.size())]);
                break;
            }
            case 5:
                if (auto* b = w.TestPage()->findChild<QPushButton*>("compute"); b->isEnabled())
                    b->click();
                break;
            case 6: {  // typing on the Ev2 page
                const int pair = int(pick(kEv2Pairs));
                QLineEdit* box = pick(2) ? w.Ev2Page()->StressBox(pair) : w.Ev2Page()->SettlementBox(pair);
                if (box->isEnabled())
                    TypeInto(box, kReadingTexts[pick(kReadingTexts.size())]);
                break;
            }
            case 7:
                if (w.Ev2Page()->ManualEntryOpen())
                    w.Ev2Page()->ComputeButton()->click();
                break;
            case 8:
                w.OnRenamePoints();
                break;
            case 9:
                w.HeaderPage()->Box(kHeaderMembers[pick(kHeaderMembers.size())])
                    ->setText(kHeaderTexts[pick(kHeaderTexts.size())]);
                break;
            case 10:
                w.SwitchLanguage(pick(2) ? Language::Chinese : Language::English);
                break;
            case 11:
                w.OnSaveRaw();
                break;
            case 12:
                w.OnSaveProject();
                break;
            case 13: {  // a transfer arrives and the quiet line asks to accept it
                const QByteArray& bytes = pick(2) ? demoBytes : ev2Bytes;
                for (const char b : bytes)
                    w.ReadPage()->OnByteReceived(static_cast<quint8>(b));
                w.ReadPage()->OnIdleTimer();
                w.ReadPage()->OnIdleTimer();
                break;
            }
            case 14:
                w.Sheet()->setCurrentIndex(int(pick(std::size_t(w.Sheet()->count()))));
                break;
            case 15:
                w.OnExport();
                break;
            default: {
                const int before = prompt.asked;
                QCloseEvent event;
                QCoreApplication::sendEvent(&w, &event);
                if (event.isAccepted() && prompt.asked == before)
                    ExpectEverythingOnDisk(w, store, dir.path(),
                                           "seed " + std::to_string(seed) + " step " + std::to_string(step) + " close");
                break;
            }
            }
            if (!store.UnsavedDataPresent() && w.ReadPage()->ReceivedText().empty()) {
                ++savedSteps;
                ExpectEverythingOnDisk(w, store, dir.path(),
                                       "seed " + std::to_string(seed) + " step " + std::to_string(step) +
                                           " command " + std::to_string(command));
            }
            if (HasFailure())
                return;
        }
    }
    // The check ran often enough to mean something.
    EXPECT_GT(savedSteps, kSequences);
}

#pragma once

// The main window in a working folder of its own, driven with scripted
// answers, and the dialog answers the window tests share.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "CInputName.h"
#include "CKSelect.h"
#include "CMainFrame.h"
#include "CTestEv2.h"
#include "Format.h"
#include "ScriptedPrompt.h"
#include "TestDataStore.h"
#include "UserSettings.h"

namespace k30::test {

inline QByteArray Slurp(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Chooses every point in the point choice dialog and presses OK.
inline std::function<int(QDialog&)> ChooseAll()
{
    return [](QDialog& d) {
        auto& choice = dynamic_cast<CKSelect&>(d);
        choice.AddAll();
        choice.OnOk();
        return choice.result();
    };
}

inline std::function<int(QDialog&)> Reject()
{
    return [](QDialog& d) {
        d.reject();
        return static_cast<int>(QDialog::Rejected);
    };
}

// Types a name into the point name dialog and presses OK.
inline std::function<int(QDialog&)> TypeName(const QString& name)
{
    return [name](QDialog& d) {
        auto& input = dynamic_cast<CInputName&>(d);
        input.Edit()->setText(name);
        input.OkButton()->click();
        return input.result();
    };
}

// Types an Ev2 point's readings into the page as it shows them.
inline void TypeEv2Readings(CTestEv2& page, const Ev2Point& p)
{
    for (int j = 0; j < kEv2Pairs; ++j) {
        const ReadingPair& r = p.reading[static_cast<std::size_t>(j)];
        page.StressBox(j)->setText(QString::fromStdString(FormatFixed(r.stress / 1000.0, 3)));
        page.SettlementBox(j)->setText(QString::fromStdString(FormatFixed(r.settlement / 100.0, 2)));
    }
}

// Base is ::testing::Test or a parameterised test. The language file holds
// more than its one byte, so that a test sees the rest kept.
template <typename Base = ::testing::Test>
class WindowFixture : public Base {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        WriteFile(Path(QStringLiteral("Config.cfg")), "E and the rest");
        QFile::remove(UserPreferencesFile());
        store_.nLanguage = language_;
        frame_ = std::make_unique<CMainFrame>(store_, prompt_);
    }
    void TearDown() override
    {
        EXPECT_TRUE(prompt_.done()) << "scripted answers left over";
        frame_.reset();
        QDir::setCurrent(previous_);
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Title() const { return frame_->windowTitle(); }
    bool CloseAccepted()
    {
        QCloseEvent event;
        QCoreApplication::sendEvent(frame_.get(), &event);
        return event.isAccepted();
    }

    Language language_ = Language::English;  // the store's, before the window is made
    QTemporaryDir dir_;
    QString previous_;
    TestDataStore store_;
    ScriptedPrompt prompt_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace k30::test

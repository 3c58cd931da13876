#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include <functional>
#include <string>

#include "CReadData.h"
#include "ReadDataTexts.h"
#include "ScriptedPrompt.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"
#include "TransferText.h"
#include "UiText.h"

namespace k30::test {

inline std::string DemoText()
{
    QFile f(QStringLiteral(K30_SAMPLES "/demo.ORG"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}

inline QByteArray BytesOf(const std::string& transferText)
{
    const auto bytes = TransferTextToBytes(transferText);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())) : QByteArray();
}

// The store a transfer text decodes into, to compare with what the page made.
inline void ExpectStoreHolds(const TestDataStore& store, const std::string& transferText)
{
    TestDataStore expected;
    DecodeTransfer(transferText, expected);
    EXPECT_EQ(store.nK30Count, expected.nK30Count);
    EXPECT_EQ(store.nEv2Count, expected.nEv2Count);
    EXPECT_EQ(store.nInstrumentNo, expected.nInstrumentNo);
    EXPECT_TRUE(store.k30List == expected.k30List);
}

// A scripted prompt that also notes what the page had received when it asked
// to confirm the end of a transfer.
class ConfirmRecorder : public ScriptedPrompt {
public:
    explicit ConfirmRecorder(const CReadData* page = nullptr) : page_(page) {}
    void Watch(const CReadData* page) { page_ = page; }

    Answer ask(QWidget* parent, const QString& caption, const QString& text, Buttons buttons, Icon icon,
               Answer defaultAnswer) override
    {
        if (text == Tr(readtexts::kConfirmEnd, Language::Chinese) && page_)
            textWhenAsked.push_back(page_->ReceivedText());
        return ScriptedPrompt::ask(parent, caption, text, buttons, icon, defaultAnswer);
    }

    std::vector<std::string> textWhenAsked;

private:
    const CReadData* page_ = nullptr;
};

inline QComboBox* PortCombo(CReadData& page) { return page.findChild<QComboBox*>(QStringLiteral("portCombo")); }
inline QListWidget* DisplayList(CReadData& page)
{
    return page.findChild<QListWidget*>(QStringLiteral("displayList"));
}
inline QPushButton* OpenButton(CReadData& page) { return page.findChild<QPushButton*>(QStringLiteral("openButton")); }

// Picks a port from the list as the operator would.
inline void ChoosePort(CReadData& page, const QString& name)
{
    page.FillPortList();
    QComboBox* combo = PortCombo(page);
    const int index = combo->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    combo->setCurrentIndex(index);
}

}  // namespace k30::test

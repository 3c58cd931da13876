// The list page's column arrangement and the read page's reception counters.
#include <gtest/gtest.h>

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTableView>

#include "CListData.h"
#include "CReadData.h"
#include "K30ListModel.h"
#include "ListColumns.h"
#include "Prompt.h"
#include "ScriptedPrompt.h"
#include "TestDataStore.h"
#include "TransferText.h"
#include "UserSettings.h"

using namespace k30;

namespace {

class ListArrangement : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(UserPreferencesFile());
        store_.nLanguage = Language::English;
    }
    static std::vector<int> Shown(const QHeaderView& h)
    {
        std::vector<int> order;
        for (int visual = 0; visual < h.count(); ++visual)
            order.push_back(h.logicalIndex(visual));
        return order;
    }
    TestDataStore store_;
};

}  // namespace

TEST_F(ListArrangement, TheHeaderMenuHidesAndRestoresColumnsAndItIsRemembered)
{
    {
        CListData page(store_);
        QHeaderView& h = *page.View()->horizontalHeader();
        std::unique_ptr<QMenu> menu(page.Columns()->BuildMenu(&page));
        const QList<QAction*> entries = menu->actions();
        // One entry per column in the shown order, then the separator and the default.
        ASSERT_EQ(entries.size(), K30ListModel::kColumns + 2);
        EXPECT_EQ(entries[1]->text(), QStringLiteral("Start Time"));
        // A title cut in its column is whole in the tip.
        EXPECT_EQ(page.Model()->headerData(1, Qt::Horizontal, Qt::ToolTipRole),
                  page.Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole));
        entries[1]->toggle();
        EXPECT_TRUE(h.isSectionHidden(35));
        h.moveSection(h.visualIndex(3), 1);
    }
    {
        CListData page(store_);
        QHeaderView& h = *page.View()->horizontalHeader();
        EXPECT_TRUE(h.isSectionHidden(35));
        EXPECT_EQ(h.logicalIndex(1), 3);
        std::unique_ptr<QMenu> menu(page.Columns()->BuildMenu(&page));
        menu->actions().back()->trigger();
        EXPECT_FALSE(h.isSectionHidden(35));
        EXPECT_EQ(Shown(h), ListColumns::DefaultOrder());
    }
    // A damaged stored arrangement gives the default one.
    QSettings(UserPreferencesFile(), QSettings::IniFormat).setValue(QStringLiteral("listPage/columns"),
                                                                      QByteArray("\x00\xff garbage", 10));
    CListData page(store_);
    EXPECT_EQ(Shown(*page.View()->horizontalHeader()), ListColumns::DefaultOrder());
}

TEST(ReadPageCounters, BytesAndPointsSoFar)
{
    TestDataStore store;
    store.nLanguage = Language::English;
    k30::test::ScriptedPrompt prompt;
    CReadData page(store, prompt);
    QFile demo(QStringLiteral(K30_SAMPLES "/demo.ORG"));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    const auto bytes = TransferTextToBytes(demo.readAll().toStdString());
    ASSERT_TRUE(bytes);
    const std::size_t half = bytes->size() / 2;
    for (std::size_t i = 0; i < half; ++i)
        page.OnByteReceived((*bytes)[i]);
    page.UpdateCounters();
    const QString partial = page.Counters()->text();
    EXPECT_TRUE(partial.startsWith(QStringLiteral("Received %1 bytes: ").arg(half))) << partial.toStdString();
    for (std::size_t i = half; i < bytes->size(); ++i)
        page.OnByteReceived((*bytes)[i]);
    page.UpdateCounters();
    EXPECT_EQ(page.Counters()->text(),
              QStringLiteral("Received %1 bytes: 12 K30 points, 2 Ev2 points; last byte 0 s ago").arg(bytes->size()));
}

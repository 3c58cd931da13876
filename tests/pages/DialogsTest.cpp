// The test point dialogs driven as an operator would.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "CChangeNameK.h"
#include "CInputName.h"
#include "CKSelect.h"
#include "TestDataStore.h"

using namespace k30;

namespace {

TestDataStore StoreWithNames(std::initializer_list<const char*> names)
{
    TestDataStore s;
    for (const char* n : names) {
        K30 p;
        p.name = n;
        s.AddK30Point(p);
    }
    s.nK30Count = static_cast<std::int32_t>(s.k30List.size());
    return s;
}

void Select(QListWidget* list, std::initializer_list<int> rows)
{
    for (int r : rows)
        list->item(r)->setSelected(true);
}

}  // namespace

TEST(PointChoice, HoldsPointsNotNames)
{
    const TestDataStore s = StoreWithNames({"A", "B", "A"});
    CKSelect dialog(s, Language::English);
    ASSERT_EQ(dialog.AllList()->count(), 3);

    // Both points named A are chosen, each once, however often they are moved.
    Select(dialog.AllList(), {0, 2});
    dialog.MoveRight();
    Select(dialog.AllList(), {0});
    dialog.MoveRight();
    EXPECT_EQ(dialog.Chosen(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(dialog.ChosenList()->count(), 2);
    EXPECT_TRUE(dialog.AllList()->selectedItems().isEmpty());

    // Removing the second A removes that point, not the first one with its name.
    Select(dialog.ChosenList(), {1});
    dialog.MoveLeft();
    EXPECT_EQ(dialog.Chosen(), (std::vector<std::size_t>{0}));

    // Add all after a partial choice gives exactly the left list, in its order.
    dialog.AddAll();
    EXPECT_EQ(dialog.Chosen(), (std::vector<std::size_t>{0, 1, 2}));
    dialog.DeleteAll();
    EXPECT_TRUE(dialog.Chosen().empty());
    EXPECT_EQ(dialog.ChosenList()->count(), 0);
}

TEST(PointChoice, OkNeedsAChoice)
{
    const TestDataStore s = StoreWithNames({"1", "2"});
    CKSelect dialog(s, Language::Chinese);
    dialog.setResult(QDialog::Rejected);
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    Select(dialog.AllList(), {1});
    dialog.MoveRight();
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), (std::vector<std::size_t>{1}));
}

TEST(PointName, OkOnlyWithAName)
{
    CInputName dialog(Language::English);
    dialog.setResult(QDialog::Rejected);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.Edit()->setText(QStringLiteral("  "));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), QStringLiteral("  "));
}

TEST(RenameGrid, OldNamesFixedNewNamesTyped)
{
    const TestDataStore s = StoreWithNames({"12", "50%", "测点"});
    CChangeNameK dialog(s, Language::Chinese);
    QTableWidget* grid = dialog.Grid();
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("50%"));
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    grid->item(0, 1)->setText(QStringLiteral(" P1 "));
    const auto names = dialog.NewNames();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], QStringLiteral(" P1 "));
    EXPECT_TRUE(names[1].isEmpty());
}

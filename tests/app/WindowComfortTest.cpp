// The window's conveniences driven through real commands: dropped files,
// recent files, shortcuts, the status bar, undo, small screens and what a
// restart brings back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "CChangeNameK.h"
#include "CHeadk30.h"
#include "CListData.h"
#include "CPropSheet.h"
#include "CReadData.h"
#include "CTestK30.h"
#include "K30ChartView.h"
#include "K30ListModel.h"
#include "ListColumns.h"
#include "RecentFiles.h"
#include "SiteCommands.h"
#include "StatusFeedback.h"
#include "WindowFixture.h"
#include "WindowPlacement.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

const QString kDemo = QStringLiteral(K30_SAMPLES "/demo.ORG");

class Comfort : public WindowFixture<> {
protected:
    QString Copy(const QString& name)
    {
        QFile::copy(kDemo, Path(name));
        return QFileInfo(Path(name)).absoluteFilePath();
    }
    void ShowActive()
    {
        frame_->show();
        frame_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    }
    QStringList RecentMenuTexts()
    {
        emit frame_->RecentFilesMenu()->aboutToShow();
        QStringList texts;
        for (QAction* a : frame_->RecentFilesMenu()->actions())
            texts << a->text();
        return texts;
    }
};

bool Drop(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// A control can be brought into view: each scroll area around it scrolls to
// it, then it shows inside all of them; a page that scrolls itself up and
// down (its own scroll bar) needs it only within its width.
bool Reachable(QWidget* control, QWidget* tab)
{
    std::vector<QScrollArea*> areas;
    for (QWidget* w = control->parentWidget(); w && w != tab->parentWidget(); w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w))
            areas.push_back(area);
    }
    for (QScrollArea* area : areas)
        area->ensureWidgetVisible(control, 0, 0);
    const QRect shown(control->mapTo(tab, QPoint(0, 0)), control->size());
    if (tab->findChild<QScrollBar*>(QStringLiteral("scrollBar")))
        return shown.left() >= 0 && shown.right() < tab->width();
    if (!tab->rect().intersects(shown))
        return false;
    for (QScrollArea* area : areas) {
        const QRect view(area->viewport()->mapTo(tab, QPoint(0, 0)), area->viewport()->size());
        if (!view.intersects(shown))
            return false;
    }
    return true;
}

// No control overlaps another and each can be brought into view.
void ExpectFitting(QWidget* tab, const QString& page)
{
    const std::string name = page.toStdString();
    std::vector<QWidget*> controls;
    for (QWidget* w : tab->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QComboBox*>(w) || (label && !label->text().isEmpty());
        // Parts of a compound control are the control's own business.
        const QWidget* parent = w->parentWidget();
        const bool part = qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractItemView*>(parent) ||
                          (parent && qobject_cast<const QAbstractItemView*>(parent->parentWidget()));
        if (control && !part && w->isVisibleTo(tab))
            controls.push_back(w);
    }
    // What shows of a control: scroll areas clip what they have scrolled away.
    const auto shown = [tab](QWidget* control) {
        QRect r(control->mapTo(tab, QPoint(0, 0)), control->size());
        for (QWidget* w = control->parentWidget(); w && w != tab; w = w->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(w))
                r &= QRect(area->viewport()->mapTo(tab, QPoint(0, 0)), area->viewport()->size());
        }
        return r;
    };
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect a = shown(controls[i]);
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QRect b = shown(controls[j]);
            EXPECT_FALSE(a.intersects(b)) << name << ": " << controls[i]->objectName().toStdString() << " "
                                          << controls[i]->metaObject()->className() << " overlaps "
                                          << controls[j]->objectName().toStdString() << " "
                                          << controls[j]->metaObject()->className();
        }
        EXPECT_TRUE(Reachable(controls[i], tab)) << name << ": " << controls[i]->objectName().toStdString();
    }
    // The curve shows whole: its page does not scroll it.
    for (const K30ChartView* chart : tab->findChildren<K30ChartView*>())
        EXPECT_TRUE(tab->rect().contains(QRect(chart->mapTo(tab, QPoint(0, 0)), chart->size()))) << name;
}

// Where Tab stops in a dialog: its focus chain's controls that take focus by
// Tab, an exclusive radio group once (at its checked button).
std::vector<QWidget*> TabStops(QDialog& d)
{
    std::vector<QWidget*> stops;
    for (QWidget* w = d.nextInFocusChain(); w && w != &d; w = w->nextInFocusChain()) {
        const auto* radio = qobject_cast<QRadioButton*>(w);
        if (w->window() == &d && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy() && !qobject_cast<QComboBox*>(w->parentWidget()) && (!radio || radio->isChecked()))
            stops.push_back(w);
    }
    return stops;
}

// Walks a dialog by keyboard: focus starts in its first field (the first
// button when it has none), Tab reaches every control before the default
// button and comes round, Shift+Tab goes back, Escape closes it.
int WalkThenEscape(QDialog& d)
{
    SCOPED_TRACE(d.windowTitle().toStdString());
    d.show();
    QApplication::setActiveWindow(&d);
    const std::vector<QWidget*> stops = TabStops(d);
    EXPECT_FALSE(stops.empty());
    const auto field = std::find_if(stops.begin(), stops.end(), [](QWidget* w) {
        return !qobject_cast<QPushButton*>(w);
    });
    QWidget* first = field != stops.end() ? *field : stops.front();
    EXPECT_EQ(QApplication::focusWidget(), first) << QApplication::focusWidget()->metaObject()->className();

    std::vector<QWidget*> visited{QApplication::focusWidget()};
    for (std::size_t i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited.back(), visited.front()) << "Tab goes round";
    for (QWidget* stop : stops)
        EXPECT_EQ(std::count(visited.begin(), visited.end() - 1, stop), 1) << stop->metaObject()->className();
    QPushButton* byDefault = nullptr;
    for (auto* b : d.findChildren<QPushButton*>())
        if (b->isDefault())
            byDefault = b;
    EXPECT_NE(byDefault, nullptr) << "Return has a button";
    const auto at = std::find(visited.begin(), visited.end() - 1, byDefault);
    for (auto w = at; w != visited.end() - 1; ++w)
        EXPECT_TRUE(qobject_cast<QPushButton*>(*w)) << (*w)->metaObject()->className() << " after the default button";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), visited[visited.size() - 2]);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    return d.result();
}

}  // namespace

TEST_F(Comfort, EveryDialogWorksByKeyboard)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    ShowActive();
    const auto walk = [this](const std::function<void()>& command) {
        prompt_.dialog(WalkThenEscape);
        command();
        EXPECT_TRUE(prompt_.done());
    };
    prompt_.dialog([](QDialog& d) {
        const auto labels = d.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return !l->pixmap().isNull(); }))
            << "About shows the program's icon";
        return WalkThenEscape(d);
    });
    frame_->OnAbout();
    walk([&] { frame_->OnRenamePoints(); });
    walk([&] { frame_->OnSaveWord(); });
    walk([&] { frame_->OnFindPoint(); });
    walk([&] { frame_->OnManualInput(); });
    walk([&] { frame_->OnSaveProject(); });
    walk([&] { frame_->OnPrint(); });
    walk([&] { frame_->OnArchivedTransfers(); });
    walk([&] { frame_->Site().OnDatabaseSetting(); });
    EXPECT_EQ(prompt_.dialogs.size(), 9u);

    // Return takes the default button: a name typed into Find picks its row.
    const std::string wanted = store_.k30List[5].name;
    prompt_.dialog([&](QDialog& d) {
        d.show();
        QApplication::setActiveWindow(&d);
        QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(wanted));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (QWidget* completions = QApplication::activePopupWidget())
            completions->close();
        return d.result();
    });
    frame_->OnFindPoint();
    EXPECT_EQ(frame_->ListPage()->View()->currentIndex().row(), 5);
}

TEST_F(Comfort, DroppedFileOpensAfterTheSaveQuestion)
{
    ASSERT_TRUE(frame_->OpenFile(Copy("first.ORG")));
    EXPECT_FALSE(Drop(frame_.get(), {QUrl::fromLocalFile(Path("notes.txt"))}));

    const QString second = Copy("second.org");
    store_.RenamePoint(0, "renamed");  // work no file holds: asked first
    prompt_.answer(Answer::No);
    ASSERT_TRUE(Drop(frame_.get(), {QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(second)}));
    QTRY_COMPARE(frame_->windowTitle(), QStringLiteral("Quindle-") + second);
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(prompt_.asked[0].text, QStringLiteral("Data is not saved. Do you need to save it?"));
}

TEST_F(Comfort, RecentFilesOfBothKindsNewestFirst)
{
    // The Open dialog's first filter holds both kinds.
    const QString raw = Copy("a.ORG");
    prompt_.file(raw);
    frame_->OnFileOpen();
    ASSERT_FALSE(prompt_.fileRequests.empty());
    EXPECT_EQ(prompt_.fileRequests[0].nameFilters.front(), QStringLiteral("Data files (*.ORG *.K30)"));

    // A saved project joins the list in front.
    prompt_.dialog(ChooseAll()).file(Path("b.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    RecentFiles recent;
    EXPECT_EQ(recent.Files(), (QStringList{Path("b.K30"), raw}));
    EXPECT_EQ(RecentMenuTexts(), (QStringList{QStringLiteral("&1 ") + Path("b.K30"), QStringLiteral("&2 ") + raw}));
    ASSERT_TRUE(QFile::remove(Path("b.K30")));

    // A file gone from the disk leaves the list with a word.
    prompt_.answer(Answer::Ok);
    frame_->OnOpenRecent(Path("b.K30"));
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.asked[0].text.contains(Path("b.K30")));
    EXPECT_EQ(recent.Files(), QStringList{raw});

    // Ten at most, each once.
    for (int i = 0; i < 12; ++i)
        recent.Add(Path(QStringLiteral("f%1.ORG").arg(i)));
    recent.Add(Path("f5.ORG"));
    EXPECT_EQ(recent.Files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.Files().front(), Path("f5.ORG"));
    EXPECT_EQ(recent.Files().count(Path("f5.ORG")), 1);
}

TEST_F(Comfort, StatusBarSaysWhatHappenedAndWhatIsOpen)
{
    const QString raw = Copy("site.ORG");
    ASSERT_TRUE(frame_->OpenFile(raw));
    const QLabel* field = frame_->Feedback().Field();
    EXPECT_EQ(field->text(), QStringLiteral("site.ORG · K30: 12 · Ev2: 2"));
    EXPECT_EQ(frame_->Feedback().Message(), QStringLiteral("Opened ") + raw);

    prompt_.file(Path("kept.ORG"));
    frame_->OnSaveRaw();
    EXPECT_EQ(frame_->Feedback().Message(), QStringLiteral("Saved to ") + Path("kept.ORG"));
    EXPECT_TRUE(field->text().startsWith(QStringLiteral("kept.ORG")));

    frame_->SwitchLanguage(Language::Chinese);
    EXPECT_EQ(field->text(), QStringLiteral("kept.ORG · K30测试点：12 · Ev2测试点：2"));
}

TEST_F(Comfort, ShortcutsSwitchPagesAndPoints)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    ShowActive();
    QTest::keyClick(frame_.get(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::HeaderPage);
    QTest::keyClick(frame_.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::TestPage);
    EXPECT_EQ(store_.strCurK30Name, store_.k30List[0].name);
    QTest::keyClick(frame_.get(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(store_.strCurK30Name, store_.k30List[1].name);
    // Past the last page comes the first; a page number beyond the pages does nothing.
    QTest::keyClick(frame_.get(), Qt::Key_6, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame_->Sheet()->currentIndex(), 0);
    QTest::keyClick(frame_.get(), Qt::Key_9, Qt::ControlModifier);
    EXPECT_EQ(frame_->Sheet()->currentIndex(), 0);

    // On the list the keys move the chosen row; Find picks a point by name.
    QTest::keyClick(frame_.get(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(frame_->ListPage()->View()->currentIndex().row(), 1);
    const QString wanted = QString::fromStdString(store_.k30List[7].name);
    prompt_.dialog([&](QDialog& d) {
        d.findChild<QComboBox*>()->setCurrentText(wanted);
        d.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    QTest::keyClick(frame_.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(frame_->ListPage()->View()->currentIndex().row(), 7);
}

TEST_F(Comfort, UndoAndRedoRenamesHeaderEditsAndTypedReadings)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    const std::string first = store_.k30List[0].name;
    prompt_.dialog([](QDialog& d) {
        dynamic_cast<CChangeNameK&>(d).Grid()->item(0, 1)->setText(QStringLiteral("A1"));
        d.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    frame_->OnRenamePoints();
    EXPECT_EQ(store_.k30List[0].name, "A1");

    ShowActive();
    frame_->Sheet()->setCurrentIndex(CPropSheet::HeaderPage);
    QLineEdit* client = frame_->HeaderPage()->Box(&ReportHeader::Client);
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("Rail"));
    QTest::keyClick(client, Qt::Key_Return);
    frame_->Sheet()->setFocus();  // the box would take Ctrl+Z for its own undo

    QTest::keyClick(frame_.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(client->text().isEmpty());
    EXPECT_EQ(frame_->Feedback().Message(), QStringLiteral("Undone: Edit the report header"));
    frame_->OnUndo();
    EXPECT_EQ(store_.k30List[0].name, first);
    EXPECT_EQ(frame_->ListPage()->Model()->index(0, 0).data().toString(), QString::fromStdString(first));
    QTest::keyClick(frame_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(store_.k30List[0].name, "A1");
    frame_->OnRedo();
    EXPECT_EQ(client->text(), QStringLiteral("Rail"));
    // The header the reports print is the box's.
    EXPECT_EQ(frame_->CurrentHeader().Client, "Rail");

    // A manual entry starts afresh; its typed readings undo too.
    prompt_.answer(Answer::No).dialog(TypeName(QStringLiteral("M1")));
    frame_->OnManualInput();
    EXPECT_FALSE(frame_->UndoStack().canUndo());
    auto* stress = frame_->TestPage()->findChild<QLineEdit*>(QStringLiteral("stress1"));
    ASSERT_NE(stress, nullptr);
    const QString before = stress->text();
    stress->setFocus();
    stress->selectAll();
    QTest::keyClicks(stress, QStringLiteral("0.05"));
    frame_->OnUndo();
    EXPECT_EQ(stress->text(), before);
}

TEST_F(Comfort, EveryPageFitsSmallAndLargeScreensInBothLanguagesWithoutOverlaps)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    ShowActive();
    for (const QSize size : {QSize(1024, 600), QSize(2560, 1440)}) {
        for (const Language lang : {Language::English, Language::Chinese}) {
            frame_->SwitchLanguage(lang);
            frame_->resize(size);
            for (int page = 0; page < frame_->Sheet()->count(); ++page) {
                frame_->Sheet()->setCurrentIndex(page);
                QCoreApplication::processEvents();
                ExpectFitting(frame_->Sheet()->currentWidget(),
                              QStringLiteral("%1 %2x%3").arg(frame_->Sheet()->tabText(page)).arg(size.width()).arg(size.height()));
            }
        }
    }
}

TEST_F(Comfort, ARestartBringsBackSizePlacePageAndColumns)
{
    ShowActive();
    frame_->resize(1024, 600);
    frame_->Sheet()->setCurrentIndex(CPropSheet::HeaderPage);
    QHeaderView* header = frame_->ListPage()->View()->horizontalHeader();
    header->setSectionHidden(K30ListModel::kCheckColumn, true);
    header->resizeSection(0, 123);
    frame_->ListPage()->Columns()->Save();
    EXPECT_TRUE(frame_->close());

    TestDataStore store;
    store.nLanguage = Language::English;
    CMainFrame again(store, prompt_);
    EXPECT_TRUE(RestoreMainWindow(again, *again.Sheet()));
    EXPECT_EQ(again.size(), QSize(1024, 600));
    EXPECT_EQ(again.Sheet()->currentIndex(), CPropSheet::HeaderPage);
    QHeaderView* restored = again.ListPage()->View()->horizontalHeader();
    EXPECT_TRUE(restored->isSectionHidden(K30ListModel::kCheckColumn));
    EXPECT_EQ(restored->sectionSize(0), 123);

    // The print preview: a stored size, never beyond the screen.
    SavePreviewSize(QSize(700, 500));
    EXPECT_EQ(PreviewSize(&again), QSize(700, 500));
    SavePreviewSize(QSize(90000, 90000));
    EXPECT_LE(PreviewSize(&again).height(), again.screen()->availableGeometry().height());
}

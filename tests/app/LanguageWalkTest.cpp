// Every page, dialog and message of the window, walked after each language
// command: no Chinese shows in English (data aside), and no text is left in
// English when the interface is Chinese.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>

#include "CHeadk30.h"
#include "CPropSheet.h"
#include "WindowFixture.h"

using namespace k30;
using Answer = Prompt::Answer;

namespace {

const QString kDemo = QStringLiteral(K30_SAMPLES "/demo.ORG");

bool HasCjk(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

bool HasLatinWord(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i].isLetter() && text[i].unicode() < 0x80 && text[i + 1].isLetter() && text[i + 1].unicode() < 0x80)
            return true;
    return false;
}

// Texts that read the same in both languages: the program's name in message
// captions, units, the engine's failure caption and the save dialogs' filters.
bool Neutral(const QString& text)
{
    static const QStringList kSame{QStringLiteral("Brenlow"),
                                   QStringLiteral("(MPa)"),
                                   QStringLiteral("(mm)"),
                                   QStringLiteral("Application Error"),
                                   QStringLiteral("Original Files (*.ORG)"),
                                   QStringLiteral("Project Files (*.K30)")};
    if (kSame.contains(text.trimmed()))
        return true;
    // The symbols of the quantities and their units read the same in both.
    static const QRegularExpression kSymbols(QStringLiteral("Ev1|Ev2|K30|σ0max|MPa|mm"));
    return !HasLatinWord(QString(text).remove(kSymbols));
}

struct Shown {
    QString where;
    QString text;
};

// The interface texts of a widget tree: captions, labels, buttons, group
// titles, tabs and table titles. Boxes, lists and table cells hold data.
void Collect(QWidget* root, const QString& where, std::vector<Shown>& out)
{
    const auto add = [&](const QString& what, const QString& text) {
        if (!text.trimmed().isEmpty())
            out.push_back({where + " " + what, text});
    };
    if (root->isWindow())
        add(QStringLiteral("title"), root->windowTitle());
    for (QLabel* label : root->findChildren<QLabel*>())
        add(QStringLiteral("label"), label->text());
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        add(QStringLiteral("button"), button->text());
    for (QGroupBox* group : root->findChildren<QGroupBox*>())
        add(QStringLiteral("group"), group->title());
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            add(QStringLiteral("tab"), tabs->tabText(i));
    for (QTableView* table : root->findChildren<QTableView*>()) {
        const QAbstractItemModel* model = table->model();
        for (int c = 0; c < model->columnCount(); ++c)
            add(QStringLiteral("column"), model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    }
}

void CollectMenu(const QList<QAction*>& actions, std::vector<Shown>& out)
{
    for (QAction* a : actions) {
        if (!a->text().isEmpty())
            out.push_back({QStringLiteral("menu"), a->text()});
        if (a->menu())
            CollectMenu(a->menu()->actions(), out);
    }
}

class LanguageWalk : public test::WindowFixture<::testing::TestWithParam<Language>> {
protected:
    // Start in the other language, so every text is one a language command set.
    LanguageWalk() { language_ = GetParam() == Language::Chinese ? Language::English : Language::Chinese; }

    // Runs a command whose dialog is collected and cancelled.
    void InDialog(const std::function<void()>& command)
    {
        prompt_.dialog([this](QDialog& d) {
            Collect(&d, QStringLiteral("dialog \"") + d.windowTitle() + "\"", shown_);
            d.reject();
            return static_cast<int>(QDialog::Rejected);
        });
        command();
    }

    std::vector<Shown> shown_;
};

TEST_P(LanguageWalk, EveryPageDialogAndMessageShowsTheLanguageChosen)
{
    const Language lang = GetParam();
    CMainFrame& w = *frame_;
    w.Action(lang == Language::Chinese ? CommandId::Chinese : CommandId::English)->trigger();
    ASSERT_EQ(store_.nLanguage, lang);
    // A message that needs no data, then the sample's points.
    prompt_.answer(Answer::Ok);
    w.OnRenamePoints();
    ASSERT_TRUE(w.OpenFile(kDemo));

    // The pages, each brought to the front, the menus and the title.
    for (int i = 0; i < w.Sheet()->count(); ++i) {
        w.Sheet()->setCurrentIndex(i);
        Collect(w.Sheet()->widget(i), QStringLiteral("page ") + w.Sheet()->tabText(i), shown_);
    }
    Collect(&w, QStringLiteral("window"), shown_);
    CollectMenu(w.menuBar()->actions(), shown_);

    // Dialogs, with the questions and file dialogs in front of them.
    InDialog([&] { w.OnAbout(); });
    InDialog([&] { w.OnRenamePoints(); });
    InDialog([&] { w.OnPrint(); });
    InDialog([&] { w.OnSaveWord(); });
    InDialog([&] { w.OnSaveProject(); });
    // A typed header text is work no file holds: the commands ask first.
    w.HeaderPage()->Box(&ReportHeader::Client)->setText(QStringLiteral("typed"));
    prompt_.answer(Answer::No).file(QString());
    w.OnFileOpen();
    prompt_.file(QString());
    w.OnSaveRaw();
    const auto accept = [](QDialog& d) {
        d.accept();
        return static_cast<int>(QDialog::Accepted);
    };
    store_.strCurK30Name = store_.k30List.front().name;
    prompt_.dialog(accept).file(QString());
    w.OnExportPdf();
    prompt_.file(QString());
    w.OnSaveBitmap();
    prompt_.dialog(accept);
    InDialog([&] { w.OnPrintPreview(); });
    prompt_.answer(Answer::No);
    InDialog([&] { w.OnManualInput(); });

    // Messages: a file of neither kind, a damaged project, nothing to print.
    test::WriteFile(Path(QStringLiteral("bad.K30")), QByteArray("\x05\0\0\0", 4));
    prompt_.answer(Answer::Ok).answer(Answer::Ok);
    w.OpenFile(Path(QStringLiteral("notes.txt")));
    w.OpenFile(Path(QStringLiteral("bad.K30")));
    store_.strCurK30Name.clear();
    prompt_.dialog(accept).answer(Answer::Ok);
    w.OnPrint();  // print type "current data" with no current point

    for (const auto& a : prompt_.asked) {
        shown_.push_back({QStringLiteral("message caption"), a.caption});
        // The file's path and the system's reason follow the message's first line.
        shown_.push_back({QStringLiteral("message"), a.text.section(QLatin1Char('\n'), 0, 0)});
    }
    for (const auto& r : prompt_.fileRequests) {
        shown_.push_back({QStringLiteral("file dialog title"), r.title});
        for (const QString& filter : r.nameFilters)
            shown_.push_back({QStringLiteral("file dialog filter"), filter});
    }
    for (const QString& title : prompt_.dialogs)
        shown_.push_back({QStringLiteral("dialog title"), title});

    ASSERT_GT(shown_.size(), 150u);
    for (const Shown& s : shown_) {
        const bool wrong = lang == Language::English ? HasCjk(s.text)
                                                     : HasLatinWord(s.text) && !HasCjk(s.text) && !Neutral(s.text);
        EXPECT_FALSE(wrong) << s.where.toStdString() << ": " << s.text.toStdString();
    }
}

std::string LanguageName(const ::testing::TestParamInfo<Language>& param)
{
    return param.param == Language::Chinese ? "Chinese" : "English";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageWalk, ::testing::Values(Language::Chinese, Language::English),
                         LanguageName);

}  // namespace

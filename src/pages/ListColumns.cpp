#include "ListColumns.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include "K30ListModel.h"
#include "Texts.h"
#include "UiText.h"
#include "UserSettings.h"

namespace k30 {

namespace {

const QString kStateKey = QStringLiteral("listPage/columns");

inline constexpr Text kDefaultArrangement{"恢复默认列", "Default columns"};

// Model columns: 0 name, 1 stress at 1.25 mm, 2 K30, 3..34 readings, 35 and 36 times.
constexpr int kStart = 35;
constexpr int kEnd = 36;

}  // namespace

std::vector<int> ListColumns::DefaultOrder()
{
    std::vector<int> order{0,
                           kStart,
                           kEnd,
                           2,
                           1,
                           K30ListModel::kVerdictColumn,
                           K30ListModel::kRecomputedColumn,
                           K30ListModel::kCheckColumn};
    for (int c = 3; c < kStart; ++c)
        order.push_back(c);
    return order;
}

ListColumns::ListColumns(QTableView* view, const Language& lang)
    : QObject(view), view_(view), header_(view->horizontalHeader()), lang_(lang), saveTimer_(new QTimer(this))
{
    header_->setSectionsMovable(true);
    header_->setTextElideMode(Qt::ElideRight);
    // Room for titles of two lines (the model asks for them to wrap); what still does not fit is in the tip.
    header_->setMinimumHeight(2 * header_->fontMetrics().lineSpacing() + 8);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    const QByteArray state = QSettings(UserPreferencesFile(), QSettings::IniFormat).value(kStateKey).toByteArray();
    // A state from another column count (or a damaged one) is refused by Qt.
    if (state.isEmpty() || !header_->restoreState(state) || header_->count() != K30ListModel::kColumns)
        RestoreDefault();

    saveTimer_->setSingleShot(true);
    saveTimer_->setInterval(500);
    connect(saveTimer_, &QTimer::timeout, this, &ListColumns::Save);
    connect(header_, &QHeaderView::sectionMoved, this, &ListColumns::ScheduleSave);
    connect(header_, &QHeaderView::sectionResized, this, &ListColumns::ScheduleSave);
    connect(header_, &QHeaderView::customContextMenuRequested, this, &ListColumns::ShowMenu);
}

ListColumns::~ListColumns() = default;

void ListColumns::SavePending()
{
    if (saveTimer_->isActive())
        Save();
}

void ListColumns::RestoreDefault()
{
    const std::vector<int> order = DefaultOrder();
    for (int visual = 0; visual < static_cast<int>(order.size()); ++visual) {
        const int logical = order[static_cast<std::size_t>(visual)];
        header_->moveSection(header_->visualIndex(logical), visual);
        header_->setSectionHidden(logical, false);
        header_->resizeSection(logical, DefaultWidth(logical));
    }
}

int ListColumns::DefaultWidth(int logical) const
{
    // Wide enough for the title in two lines, in the language of now.
    const QString title = view_->model()->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
    const QFontMetrics metrics = header_->fontMetrics();
    const int margins = 2 * header_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header_) + 4;
    int width = K30ListModel::ColumnWidth(logical);
    while (width < 400 &&
           metrics.boundingRect(QRect(0, 0, width - margins, 1000), Qt::TextWordWrap, title).height() >
               2 * metrics.lineSpacing())
        width += 10;
    return width;
}

void ListColumns::Save()
{
    saveTimer_->stop();
    QSettings(UserPreferencesFile(), QSettings::IniFormat).setValue(kStateKey, header_->saveState());
}

void ListColumns::ScheduleSave() { saveTimer_->start(); }

QMenu* ListColumns::BuildMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const QAbstractItemModel* model = view_->model();
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        QAction* action = menu->addAction(model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString());
        action->setCheckable(true);
        action->setChecked(!header_->isSectionHidden(logical));
        action->setData(logical);
        connect(action, &QAction::toggled, this, [this, logical](bool shown) {
            // The last visible column stays: a list without columns cannot be reached to undo it.
            if (!shown && header_->count() - header_->hiddenSectionCount() <= 1)
                return;
            header_->setSectionHidden(logical, !shown);
            Save();
        });
    }
    menu->addSeparator();
    connect(menu->addAction(Tr(kDefaultArrangement, lang_)), &QAction::triggered, this, [this] {
        RestoreDefault();
        Save();
    });
    return menu;
}

void ListColumns::ShowMenu(const QPoint& at)
{
    QMenu* menu = BuildMenu(header_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(header_->viewport()->mapToGlobal(at));
}

}  // namespace k30

#pragma once

#include <QObject>
#include <QString>

#include <vector>

#include "Language.h"

class QHeaderView;
class QMenu;
class QWidget;
class QPoint;
class QTableView;
class QTimer;

namespace k30 {

// The arrangement of the list page's columns: the results and the verdict
// first, the readings after them (as the exports order them), while the model
// keeps the order the list report prints. The operator moves, resizes and
// hides columns (the header's context menu); the arrangement is kept in the
// user's preferences and comes back at the next start.
class ListColumns : public QObject {
    Q_OBJECT
public:
    // The model's columns in the order the list shows them first.
    static std::vector<int> DefaultOrder();

    // Takes over the view's horizontal header: the stored arrangement when
    // there is a sound one, otherwise the default order and widths.
    ListColumns(QTableView* view, const Language& lang);
    ~ListColumns() override;

    void RestoreDefault();
    // Writes the arrangement to the preferences now; it is also written
    // shortly after each change.
    void Save();
    // A change not yet written is written now (the page calls it as it goes,
    // while the header still exists).
    void SavePending();

    // The menu the header shows on a right click: one checkable entry per
    // column and the default arrangement. The caller owns it.
    QMenu* BuildMenu(QWidget* parent);

private:
    int DefaultWidth(int logical) const;
    void ShowMenu(const QPoint& at);
    void ScheduleSave();

    QTableView* view_;
    QHeaderView* header_;
    const Language& lang_;
    QTimer* saveTimer_;
};

}  // namespace k30

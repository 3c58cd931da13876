#pragma once

#include <QTabWidget>

#include "Language.h"

namespace k30 {

// The six pages in their tab order.
class CPropSheet : public QTabWidget {
    Q_OBJECT
public:
    enum Page { ListPage = 0, ReadPage = 1, HeaderPage = 2, TestPage = 3, Ev2Page = 4, SitePage = 5 };

    using QTabWidget::QTabWidget;

    void SetCaptions(Language lang);
};

}  // namespace k30

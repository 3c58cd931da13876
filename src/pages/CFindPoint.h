#pragma once

#include <QDialog>

#include "Language.h"

class QComboBox;

namespace k30 {

class TestDataStore;

// Asks for a test point by name: the names of the store's K30 points to pick
// from, or one typed (completed as it is typed).
class CFindPoint : public QDialog {
    Q_OBJECT
public:
    CFindPoint(const TestDataStore& store, Language lang, QWidget* parent = nullptr);

    QString Name() const;
    QComboBox* Names() const { return names_; }

private:
    QComboBox* names_;
};

}  // namespace k30

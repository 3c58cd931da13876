#pragma once

#include <QStringList>

namespace k30 {

// The files opened or saved last, newest first, both kinds, kept in the
// user's preferences. At most ten; a path appears once.
class RecentFiles {
public:
    static constexpr int kMaxFiles = 10;

    QStringList Files() const;
    // Puts the file (made absolute) in front.
    void Add(const QString& path);
    void Remove(const QString& path);
};

}  // namespace k30

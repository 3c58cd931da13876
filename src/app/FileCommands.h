#pragma once

#include <QByteArray>
#include <QString>

namespace k30 {

class CMainFrame;

// Open, Save raw data and Save project file. Nothing in the store, the pages
// or the title changes unless a file was read or written completely; each
// command tells the document which file now holds what.
class FileCommands {
public:
    explicit FileCommands(CMainFrame& frame) : frame_(frame) {}

    void Open();
    // Loads a chosen path as Open does; false when nothing was loaded.
    bool OpenPath(const QString& path);
    // A raw file's text or a project file's bytes, loaded as if the file at
    // path were opened (the site database keeps both); false when nothing was loaded.
    bool OpenRawBytes(const QByteArray& bytes, const QString& path);
    bool OpenProjectBytes(const QByteArray& bytes, const QString& path);
    // Each true when its file was written completely; the document then
    // knows what that file holds.
    bool SaveRaw();
    bool SaveProject();

private:
    bool OpenRaw(const QString& path);
    bool OpenProject(const QString& path);
    // The chosen name with the kind's ending added when it has none in any
    // letter case; empty when the operator declines to replace the file that
    // name already names (the dialog asked only about the name as typed).
    QString SavePath(const QString& chosen, bool project);
    bool ReadFile(const QString& path, qint64 maxBytes, QByteArray& bytes);
    bool WriteFile(const QString& path, const QByteArray& bytes);
    void ShowError(const QString& what, const QString& path, const QString& detail);

    CMainFrame& frame_;
};

}  // namespace k30

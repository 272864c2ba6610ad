#pragma once

#include <QHash>
#include <QListWidget>
#include <QString>

namespace mosaicon::platform {

// A directory tree in one list: the current directory's ancestors from its
// volume root down, each indented one step more and the current one
// selected, then its sub-directories (without hidden ones) one step further
// in. Activating an entry (double click or Enter) makes it current; Enter
// goes no further, so a dialog's default button is not pressed by it.
//
// Per volume it remembers the last directory it showed there, so that
// switching drives back returns to where the user was.
class DirListBox : public QListWidget
{
    Q_OBJECT

public:
    // Data roles of the entries: the absolute path and the indentation level
    // (0 for the volume root).
    enum Role
    {
        PathRole = Qt::UserRole,
        DepthRole
    };

    explicit DirListBox(QWidget* parent = nullptr);

    // Absolute and cleaned, without a trailing "/" except for "/" itself;
    // empty until a directory was set.
    QString path() const { return m_path; }
    // False, with errorString() and nothing changed, when dir does not exist
    // or cannot be listed.
    bool setPath(const QString& dir);
    // Goes to the directory last shown on that volume, or to its root when
    // none was shown or that one is gone; otherwise as setPath.
    bool setDrivePath(const QString& volumeRoot);
    // Lists the sub-directories of the current directory again.
    void refresh();

    QString errorString() const { return m_error; }

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();
    void activate(QListWidgetItem* item);

    QString m_path;
    QString m_error;
    QHash<QString, QString> m_lastByVolume;
};

} // namespace mosaicon::platform

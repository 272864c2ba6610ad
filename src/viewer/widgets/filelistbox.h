#pragma once

#include <QList>
#include <QListWidget>
#include <QStringList>

class QMenu;

namespace mosaicon::viewer {

// A list of paths as the image windows show it: several entries selected at
// once, a pop-up menu under the right button, and shown from a value's
// entries, selected flags and current entry.
class FileListBox final : public QListWidget
{
    Q_OBJECT

public:
    FileListBox(const QString& name, QWidget* parent);

    // Opened where the right button was pressed.
    void setPopupMenu(QMenu* menu);
    // The entries are put in again only when they differ, so that a push
    // while the user scrolls or clicks keeps the list where it is.
    void showEntries(const QStringList& entries, const QList<bool>& selected, int current);
    QList<bool> selectedFlags() const;
};

} // namespace mosaicon::viewer

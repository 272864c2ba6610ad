#include "viewer/pathlist.h"

#include "pagekit/imagelists.h"

namespace mosaicon::viewer {

QString PathList::text() const
{
    return current >= 0 && current < entries.size() ? entries.at(current) : QString();
}

bool PathList::hasSelection() const
{
    return selected.contains(true);
}

bool PathList::currentSelected() const
{
    return current >= 0 && current < selected.size() && selected.at(current);
}

QStringList PathList::selectedEntries() const
{
    QStringList chosen;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (selected.at(i))
            chosen.append(entries.at(i));
    }
    return chosen;
}

int PathList::add(const QString& path)
{
    const int at = int(image_path_insert_index(entries, path));
    entries.insert(at, path);
    selected.insert(at, false);
    if (current >= at)
        ++current;
    return at;
}

void PathList::removeAt(int index)
{
    entries.removeAt(index);
    selected.removeAt(index);
    current = -1;
}

void PathList::clear()
{
    entries.clear();
    selected.clear();
    current = -1;
}

void PathList::setEntries(const QStringList& paths)
{
    // One sort: the same order as adding each, without a long list's many inserts.
    entries = paths;
    sort_image_paths(entries);
    selected = QList<bool>(entries.size(), false);
    current = -1;
}

} // namespace mosaicon::viewer

#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon {

// The one order of every list of image paths that must stay aligned with
// another (the viewer's sorted lists, the catalog's lists): letter case is
// ignored first, and only breaks ties, so "A.jpg" and "a.jpg" always come out
// in the same order whichever list sorts them.
bool image_path_less(const QString& a, const QString& b);

// Sorts in that order; stable, so equal paths keep their order.
void sort_image_paths(QStringList& paths);

// Where `path` goes in `sorted` (kept in that order): the index of the first
// entry that does not come before it.
qsizetype image_path_insert_index(const QStringList& sorted, const QString& path);

} // namespace mosaicon

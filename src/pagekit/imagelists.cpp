#include "pagekit/imagelists.h"

#include <algorithm>

namespace mosaicon {

bool image_path_less(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

void sort_image_paths(QStringList& paths)
{
    std::stable_sort(paths.begin(), paths.end(), image_path_less);
}

qsizetype image_path_insert_index(const QStringList& sorted, const QString& path)
{
    return std::lower_bound(sorted.cbegin(), sorted.cend(), path, image_path_less) - sorted.cbegin();
}

} // namespace mosaicon

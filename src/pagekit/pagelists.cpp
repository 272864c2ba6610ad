#include "pagekit/pagelists.h"

#include "pagekit/thumbnails.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/ui.h"

namespace mosaicon {

void fill_working_lists(PageLists& lists, const QStringList& entries, const std::function<bool(qsizetype)>& passes)
{
    lists.templist->clear();
    lists.o_original_location->clear();
    QStringList refused;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!passes(i))
            continue;
        // No page or script may name a file by a name it cannot spell.
        if (platform::hasUndecodableName(entries.at(i))) {
            refused.append(entries.at(i));
            continue;
        }
        lists.templist->append(entries.at(i));
        lists.o_original_location->append(entries.at(i));
    }
    if (!refused.isEmpty())
        warn(QStringLiteral("These files are left out: their names are not valid UTF-8 text, so a page "
                            "or a script could not name them safely. Rename them to use them.\n%1")
                 .arg(refused.join(u'\n')));
}

void tell_nothing_to_do(const QString& text)
{
    warn_and_show_status(text, StatusLine::AfterBox);
}

bool fill_gif_jpeg_lists(PageLists& lists, const QStringList& entries)
{
    fill_working_lists(lists, entries, [&](qsizetype i) { return is_gif_or_jpg(entries.at(i)); });
    if (!lists.templist->isEmpty())
        return true;
    tell_nothing_to_do(QStringLiteral("There are no GIF or JPG files in the list."));
    return false;
}

} // namespace mosaicon

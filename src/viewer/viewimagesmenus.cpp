// The View Images window's File, Options and pop-up menus.
#include "viewer/viewimages.h"

#include "dialogs/assoctext.h"

#include "settings/pickers.h"
#include "settings/program.h"
#include "settings/thumbsize.h"

#include "platform/events.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/ui.h"
#include "platform/wincolor.h"

#include <QScopedValueRollback>

namespace mosaicon::viewer {

void ViewImages::exitWith(std::optional<QStringList> list)
{
    if (list)
        handBack = std::move(list);
    emit hidden();
}

void ViewImages::runMenuCommand(void (ViewImages::*command)())
{
    const platform::BusyCursor busy;
    (this->*command)();
    writeCaptions();
}

namespace {

// From the File menu an empty list leaves the main window's list as it is.
std::optional<QStringList> nonEmpty(const PathList& l)
{
    return l.count() > 0 ? std::optional<QStringList>(l.entries) : std::nullopt;
}

} // namespace

void ViewImages::exitWithCurrentList()
{
    settings().target_dir = Dir1;
    exitWith(nonEmpty(flelist));
}

void ViewImages::exitWithNewList()
{
    settings().target_dir = Dir1;
    exitWith(nonEmpty(newlist));
}

void ViewImages::cancelAndExit()
{
    settings().target_dir = Dir1;
    exitWith(std::nullopt);
}

void ViewImages::handBackCurrentList()
{
    exitWith(flelist.entries);
}

void ViewImages::handBackNewList()
{
    exitWith(newlist.entries);
}

void ViewImages::exitWithoutList()
{
    exitWith(std::nullopt);
}

void ViewImages::moveSelectedToNewList()
{
    moveSelected(Current);
}

void ViewImages::moveSelectedToCurrentList()
{
    moveSelected(New);
}

void ViewImages::clearCurrentListSelections()
{
    clearSelections(Current);
}

void ViewImages::clearNewListSelections()
{
    clearSelections(New);
}

void ViewImages::clearAllSelections()
{
    clearSelections(Current);
    clearSelections(New);
}

void ViewImages::clearCurrentListSelectionsOnly()
{
    const QScopedValueRollback keep(keep_processing, true);
    clearCurrentListSelections();
}

void ViewImages::clearNewListSelectionsOnly()
{
    const QScopedValueRollback keep(keep_processing, true);
    clearNewListSelections();
}

void ViewImages::clearAllSelectionsOnly()
{
    const QScopedValueRollback keep(keep_processing, true);
    clearAllSelections();
}

void ViewImages::clearHtmlBackground()
{
    settings().html_background = QString();
    htmlbackground.caption.clear();
    reset_frm_viewem();
    platform::refresh_toolbar();
}

void ViewImages::moveSelected(ListId from)
{
    PathList& source = list(from);
    PathList& target = list(from == Current ? New : Current);
    if (source.count() == 0)
        return;
    QStringList kept;
    for (qsizetype i = 0; i < source.count(); ++i) {
        if (source.selected.at(i))
            target.add(source.entries.at(i));
        else
            kept.append(source.entries.at(i));
    }
    source.entries = kept;
    source.selected = QList<bool>(kept.size(), false);
    source.current = -1;
}

void ViewImages::clearSelections(ListId id)
{
    for (int i = 0; i < list(id).count(); ++i)
        setSelected(id, i, false);
}

void ViewImages::toggleViewThumbnail()
{
    Settings& s = settings();
    if (!viewThumbnail) {
        // Only a blank size is put right here; any other is read for its number.
        const ThumbSizeText size = parse_thumb_size(s.thumb_size);
        if (size.fault == ThumbSizeFault::Blank)
            s.thumb_size = size.size;
        viewimage.setSizeLimit(int(qBound(0.0, platform::val(s.thumb_size), 32767.0)));
        pictures.setDisplaySize(displaySize());
        viewThumbnail = true;
        if (viewimage.visible())
            recalculate_image(viewimage.fileName());
        sharpenPicture();
        return;
    }
    viewimage.setSizeLimit(0);
    pictures.setDisplaySize(displaySize());
    viewThumbnail = false;
    // A selected current entry of the new list is the one finally shown: the
    // later request is the one delivered.
    for (const PathList* l : {&flelist, &newlist}) {
        if (!l->currentSelected())
            continue;
        const QString text = l->text();
        pictures.show(text, [this, text](const platform::LoadedPicture& picture) {
            viewimage.showLoaded(picture);
            if (viewimage.visible())
                recalculate_image(text);
            emit changed();
        });
    }
    sharpenPicture();
}

// The chosen path goes, as chosen, into each list whose current entry is
// selected; that entry stays current and selected.
void ViewImages::addFile()
{
    Settings& s = settings();
    const std::optional<QString> chosen =
        ask_file(QStringLiteral("Select A File"),
                 QStringLiteral("All Files (*.*)|*.*|GIF (*.gif)|*.gif|JPG (*.jpg)|*.jpg"),
                 s.last_directory);
    if (!chosen)
        return;
    for (PathList* l : {&flelist, &newlist}) {
        if (l->count() > 0 && l->currentSelected())
            l->add(*chosen);
    }
    s.last_directory = platform::split_file_path(*chosen).directory;
}

void ViewImages::changeThumbnailColor()
{
    Settings& s = settings();
    const std::optional<QColor> chosen = platform::ui().colorDialog(
        platform::colorFromWin(thumb_back_color(s)));
    if (!chosen)
        return;
    s.thumb_bg_color = QString::number(platform::winFromColor(*chosen));
    viewimage.setBackColor(platform::winFromColor(*chosen));
}

// Once for each list whose current entry is selected.
void ViewImages::associateFromMenu()
{
    for (const PathList* l : {&flelist, &newlist}) {
        if (l->count() > 0 && l->currentSelected())
            AssocText::edit(QStringLiteral("viewem"), assocTextPath());
    }
}

} // namespace mosaicon::viewer

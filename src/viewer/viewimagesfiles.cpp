// The View Images window's copy, move and delete buttons.
#include "viewer/viewimages.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/ui.h"

namespace mosaicon::viewer {

namespace {

ReplaceAnswer askReplace(const QString& question)
{
    switch (platform::msgbox(question, platform::MsgBox::YesNoCancel, program().product_title)) {
    case platform::MsgBox::Yes:
        return ReplaceAnswer::Yes;
    case platform::MsgBox::No:
        return ReplaceAnswer::No;
    default:
        return ReplaceAnswer::Cancel;
    }
}

bool confirmDelete(const QString& question)
{
    return platform::msgbox(question, platform::MsgBox::YesNo + platform::MsgBox::Question,
                            program().product_title) == platform::MsgBox::Yes;
}

} // namespace

QList<ListSelection> ViewImages::listSelections() const
{
    return {{flelist.entries, flelist.selected, false}, {newlist.entries, newlist.selected, true}};
}

void ViewImages::copyOrMoveSelected()
{
    const platform::BusyCursor busy;
    const FileMode mode = fileoption.index == 1 ? FileMode::Move : FileMode::Copy;
    const CopyMoveOutcome outcome = copy_or_move(mode, Dir1, listSelections(), &askReplace);
    for (ListId id : {Current, New}) {
        if (outcome.rebuilt.value(id))
            list(id).setEntries(outcome.lists.at(id));
    }
    // A move drops the entries of files that were gone: the counts follow.
    writeCaptions();
    warn(outcome.warning);
    warn(copy_move_message(mode, outcome));
}

void ViewImages::viewCopyLog()
{
    view_copy_log();
}

// The picture shown stays, even when its file was deleted.
void ViewImages::deleteSelected()
{
    const DeleteOutcome outcome = delete_selected(listSelections(), &confirmDelete);
    if (!outcome.confirmed)
        return;
    for (ListId id : {Current, New})
        list(id).setEntries(outcome.lists.value(id));
    writeCaptions();
    warn(delete_message(outcome));
}

} // namespace mosaicon::viewer

#pragma once

#include <QList>
#include <QStringList>

#include <functional>

namespace mosaicon {

// The main window's file list as a page or slide-show run sees it, and the
// working lists the run fills: the paths it processes and, parallel to them,
// each file's original location. The window owns the lists; the writers work
// on them through this value without needing the window.
struct PageLists
{
    QStringList items;
    QList<bool> selected;
    bool listVisible = true; // false while the window shows its logo instead
    // Copies of the images in the run's output folder and, parallel to them,
    // their sources.
    QStringList* templist = nullptr;
    QStringList* o_original_location = nullptr;
};

// Puts the entries that pass into the working lists, each with itself as its
// original location; passes is asked with an entry's index. Names that are not
// valid UTF-8 are left out, and the user is told which.
void fill_working_lists(PageLists& lists, const QStringList& entries,
                        const std::function<bool(qsizetype)>& passes);

// Says why a run has nothing to work on: a message box and the status line.
void tell_nothing_to_do(const QString& text);

// The GIF and JPEG files among the entries into the working lists; false,
// after saying so, when there are none.
bool fill_gif_jpeg_lists(PageLists& lists, const QStringList& entries);

} // namespace mosaicon

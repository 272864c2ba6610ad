#pragma once

#include <QList>
#include <QStringList>

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

} // namespace mosaicon

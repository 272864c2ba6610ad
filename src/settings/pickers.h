#pragma once

#include "platform/paths.h"

#include <QString>

#include <optional>

namespace mosaicon {

// Small file pickers that put the user's choice where the program keeps it.

// The file dialog as every picker opens it; nothing when cancelled or empty.
std::optional<QString> ask_file(const QString& title, const QString& filter, const QString& initialDirectory,
                                bool forSaving = false);

// Asks for the HTML editor program. An executable file becomes the editor
// command and is written to the settings file at once; anything else is
// refused with a message. Returns the stored command (for a window that shows
// it), nothing when cancelled or refused.
std::optional<QString> select_html_editor();

// Asks for the pages' background picture; only GIF and JPEG files are taken.
// The folder of any chosen file becomes the next start of the dialog. True
// when the background was stored.
bool select_html_background();
// The caption of the image windows' "Set HTML Background" items: it names the
// background already set, which a new choice would replace.
QString html_background_caption();

// Asks for an HTML file's name, to write or to read: the chosen path split
// into its folder (with its final "/") and its file name; none on a cancel.
std::optional<platform::PathParts> select_html_file_name();

// Asks for the image catalog's data file, one to write (forSaving) or one to
// read. The chosen path keeps its case; its folder, with the final "/",
// becomes the last directory. A cancel changes nothing and gives nothing.
std::optional<QString> select_catalog_output_file(bool forSaving);

// The editor's command line as typed in an input box. Cancel keeps the
// command, an empty OK clears it. A changed command whose program (up to the
// first blank) exists is written to the settings file at once; otherwise the
// change waits for shut-down.
void edit_editor_command_line();

// Clears the editor command, in memory and in the settings file at once.
void clear_html_editor();

// A file name's extension test: the name, not the folders above it, in any case.
bool fileNameHas(const QString& path, const QString& part);

} // namespace mosaicon

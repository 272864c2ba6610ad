#pragma once

#include <QByteArray>
#include <QString>

namespace mosaicon {

// The program's own HTML help, "mknhelp.htm" in the program folder.
QString help_page_path();
// The page as the program writes it: UTF-8, CR LF line ends.
QByteArray help_page_text();
// Writes the page when nothing of its name is there yet; a page that cannot
// be written is told, naming the file and why. False then.
bool check_help_page();

} // namespace mosaicon

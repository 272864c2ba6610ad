#pragma once

#include <QString>

namespace mosaicon {

// The user's page header and footer, "htmlhead.htm" and "htmlfoot.htm" in the program folder.
QString head_file_path();
QString foot_file_path();

// Creates each of the two files with its default lines when it is missing;
// an existing file is never touched.
void check_head_foot_files();

} // namespace mosaicon

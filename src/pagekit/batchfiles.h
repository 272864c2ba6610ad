#pragma once

#include <QSet>
#include <QString>

namespace mosaicon {

// The copy and delete scripts a page run leaves beside its page when
// create_batch_files is on. Both are POSIX shell scripts with LF line ends:
// the copy script copies the page and the files it uses to the folder given
// as its first argument, the delete script removes the generated pages.
// Every path is single-quoted; a path holding a control character is left
// out (with a comment line in its place) so that it can never break a line.

// The two scripts of one run.
class BatchScripts
{
public:
    // Full paths of the two scripts; they keep their value after the run.
    QString copy_batch_path;
    QString del_batch_path;

    // Draws fresh names ("cpy"/"del", five digits, ".sh") in the page's
    // folder and writes both heads, each ending in the line for the page
    // itself. With create_batch_files off nothing is written. False, with the
    // reason in error, when a script could not be written; the other one is
    // still attempted.
    bool start_batch_files(const QString& page_path, QString* error = nullptr);

    // Appends the line that copies file_path to the destination, once a
    // file. Does nothing with create_batch_files off.
    bool add_copy_line(const QString& file_path, QString* error = nullptr);

    // Appends the line that removes file_path. Same rules as add_copy_line.
    bool add_delete_line(const QString& file_path, QString* error = nullptr);

private:
    QSet<QString> m_copied;
};

// Tests draw repeatable names; names already handed out stay taken.
void seed_batch_file_names(quint32 seed);

} // namespace mosaicon

#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon {

// An image's own title and text, kept in the settings file under the image's
// path exactly as listed; the text itself lives in a file of the
// associated-text folder. A copy of an image has records of its own.

// The title, or "" when there is none.
QString associated_title(const QString& image_path);
// The lines of the image's text file; none when there is no record or the
// recorded file is gone.
QStringList associated_text_lines(const QString& image_path);

// Rewrites the image's text file, or makes a new one (and records it) when the
// record is missing or names a file that is gone. False, with the reason, when
// the file could not be written; the record then stays as it was.
bool store_associated_text(const QString& image_path, const QString& text, QString* error = nullptr);
void store_associated_title(const QString& image_path, const QString& title);

// Gives the copy of an image the same two records as its source.
void copy_associated_records(const QString& source_path, const QString& copy_path);

} // namespace mosaicon

#pragma once

#include <QString>

namespace mosaicon {

// Opens a file or an address with its associated program. When it cannot,
// at once or when the desktop's opener gives up later, one message names the
// file (or the address) and says why. False when it failed at once.
bool shell_open(const QString& target);
// "<the file or address> could not be opened: <reason>"; a file address is
// named by its path.
QString not_opened_message(const QString& target, const QString& reason);

// In: an extension (a leading "." is dropped); out: the program associated
// with it, or "".
void get_associated_program(QString& extension);

// Splits at the last "/": the directory keeps its trailing "/". Without any
// "/", split_path leaves both empty and split_file_path gives all as file name.
void split_path(const QString& path, QString& directory, QString& file_name);
void split_file_path(const QString& path, QString& directory, QString& file_name);

// Trims the name in place; true when a readable regular file of that name
// exists (the file is not opened).
bool file_exists(QString& name);
bool file_exists(const QString& name);

// A fresh name of eight random digits in the directory with the extension,
// free in that directory and not handed out before in this run.
void make_temp_file_name(QString& out_path, const QString& directory, const QString& extension);
// Tests draw repeatable names.
void seed_temp_file_names(quint32 seed);

// The one drawing of random file names for the whole run: prefix, a number
// from lowest to highest written with the given count of digits, "." and the
// extension; free in the directory and never handed out before in this run.
// False, with the reason, when no free name turned up in many draws.
bool draw_free_name(QString& out_path, const QString& directory, const QString& prefix, int digits,
                    int lowest, int highest, const QString& extension, QString* error = nullptr);
// Reseeds the drawing; the names handed out so far stay taken unless forgotten.
void seed_random_names(quint32 seed, bool forgetIssued);

// Makes the path relative to the page's directory when it lies below it
// (exact case); otherwise reduces it to its file name.
void make_relative_path(QString& path, const QString& page_path, QString& file_name);

// Shows the text on the status line and lets events run once.
void show_status(const QString& text);

// Finds the icon (or recorded thumbnail) that stands for a file on a page;
// an internet-ready run gets a copy of the icon in the internet directory
// (copy_error says why when it could not be made).
bool get_thumbnail_icon(const QString& file, QString& icon_path, bool internet_ready, QString* copy_error = nullptr);

} // namespace mosaicon

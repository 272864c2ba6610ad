#pragma once

#include <QString>

#include <optional>

namespace mosaicon::platform {

// A fresh name of eight random digits in the directory with the extension,
// free in that directory and not handed out before in this run; none when no
// free name turned up.
std::optional<QString> make_temp_file_name(const QString& directory, const QString& extension);

// The one drawing of random file names for the whole run: prefix, a number
// from lowest to highest written with the given count of digits, "." and the
// extension; free in the directory and never handed out before in this run.
// None, with the reason, when no free name turned up in many draws.
std::optional<QString> draw_free_name(const QString& directory, const QString& prefix, int digits, int lowest,
                                      int highest, const QString& extension, QString* error = nullptr);
// Reseeds the drawing; the names handed out so far stay taken unless forgotten.
void seed_random_names(quint32 seed, bool forgetIssued);

} // namespace mosaicon::platform

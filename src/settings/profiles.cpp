#include "settings/profiles.h"

#include "settings/pickers.h"
#include "settings/program.h"
#include "settings/switches.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QFileInfo>

namespace mosaicon {

namespace {

const ProfileKind fileListKind{
    QStringLiteral(".fpr"), QStringLiteral("File Profile (*.fpr)|*.fpr|All Files (*.*)|*.*"),
    QStringLiteral("The file list profile is required to have the .fpr file extension.  No action taken."),
    QStringLiteral("File List Profile"), QStringLiteral("file list profile")};

} // namespace

std::optional<QString> ask_profile_save_name(const ProfileKind& kind, const QString& title)
{
    std::optional<QString> name = ask_file(title, kind.filter, program().program_folder, true);
    if (!name)
        return std::nullopt;
    if (!QFileInfo(*name).fileName().contains(u'.'))
        *name += kind.extension;
    if (!fileNameHas(*name, kind.extension)) {
        platform::msgbox(kind.refusal, platform::MsgBox::Exclamation, kind.refusalTitle);
        return std::nullopt;
    }
    return name;
}

void write_profile(const ProfileKind& kind, const QString& name, const QByteArray& bytes)
{
    QString error;
    if (!platform::saveFileInPlace(name, bytes, &error))
        warn(QStringLiteral("The %1 '%2' could not be saved: %3").arg(kind.what, name, error));
}

void save_file_list_profile(const QStringList& entries)
{
    const std::optional<QString> name = ask_profile_save_name(fileListKind, QStringLiteral("Save File List Profile"));
    if (!name)
        return;
    const platform::BusyCursor busy;
    QByteArray bytes;
    for (const QString& entry : entries)
        bytes += entry.toUtf8() + "\r\n";
    write_profile(fileListKind, *name, bytes);
}

bool load_file_list_profile(const FileListTarget& target, const std::function<bool()>& keepGoing)
{
    const std::optional<QString> name = ask_file(QStringLiteral("Load File List Profile"),
                                                 fileListKind.filter, program().program_folder);
    if (!name || !fileNameHas(*name, QStringLiteral(".fpr")))
        return false;
    // Whole lines: a path may hold a comma.
    const std::optional<QStringList> lines = platform::readTextLines(*name);
    if (!lines)
        return false;
    target.clear();
    bool missing = false;
    {
        const platform::BusyCursor busy;
        for (const QString& line : *lines) {
            if (keepGoing && !keepGoing())
                break;
            if (platform::file_exists(line))
                target.append(line);
            else
                missing = true;
            platform::doEvents();
        }
    }
    if (missing)
        warn(QStringLiteral("One or more files in the profile did not exist."));
    return true;
}

std::optional<QStringList> load_virtual_directory()
{
    const std::optional<QString> name = ask_file(QStringLiteral("Select Virtual Directory File"),
                                                 QStringLiteral("Text (*.txt)|*.txt|All Files (*.*)|*.*"),
                                                 program().last_dialog_dir);
    if (!name)
        return std::nullopt;
    const platform::BusyCursor busy;
    return read_list_file(*name);
}

} // namespace mosaicon

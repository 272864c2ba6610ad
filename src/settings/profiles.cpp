#include "settings/profiles.h"

#include "settings/helpers.h"
#include "settings/pickers.h"
#include "settings/program.h"
#include "settings/switches.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QFileInfo>

namespace mosaicon {

namespace {

const QString profileFilter = QStringLiteral("File Profile (*.fpr)|*.fpr|All Files (*.*)|*.*");

std::optional<QString> askProfile(const QString& title, bool forSaving)
{
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = profileFilter;
    request.initialDirectory = program().program_folder;
    request.forSaving = forSaving;
    std::optional<QString> name = platform::ui().fileDialog(request);
    if (!name || name->isEmpty())
        return std::nullopt;
    return name;
}

} // namespace

void save_file_list_profile(const QStringList& entries)
{
    Program& p = program();
    p.keep_processing = true;
    std::optional<QString> name = askProfile(QStringLiteral("Save File List Profile"), true);
    if (!name)
        return;
    if (!QFileInfo(*name).fileName().contains(u'.'))
        *name += QStringLiteral(".fpr");
    if (!fileNameHas(*name, QStringLiteral(".fpr"))) {
        platform::msgbox(
            QStringLiteral("The file list profile is required to have the .fpr file extension.  "
                           "No action taken."),
            platform::MsgBox::Exclamation, QStringLiteral("File List Profile"));
        return;
    }
    const platform::BusyCursor busy;
    QByteArray bytes;
    for (const QString& entry : entries)
        bytes += entry.toUtf8() + "\r\n";
    QString error;
    if (!platform::writeFileAtomically(*name, bytes, &error))
        platform::msgbox(
            QStringLiteral("The file list profile '%1' could not be saved: %2").arg(*name, error),
            platform::MsgBox::Exclamation, p.product_title);
}

bool load_file_list_profile(const FileListTarget& target)
{
    Program& p = program();
    p.keep_processing = true;
    const std::optional<QString> name = askProfile(QStringLiteral("Load File List Profile"), false);
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
            if (!p.keep_processing)
                break;
            if (file_exists(line))
                target.append(line);
            else
                missing = true;
            platform::doEvents();
        }
    }
    if (missing)
        platform::msgbox(QStringLiteral("One or more files in the profile did not exist."),
                         platform::MsgBox::Exclamation, p.product_title);
    return true;
}

std::optional<QStringList> load_virtual_directory()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Select Virtual Directory File");
    request.filter = QStringLiteral("Text (*.txt)|*.txt|All Files (*.*)|*.*");
    request.initialDirectory = program().last_dialog_dir;
    const std::optional<QString> name = platform::ui().fileDialog(request);
    if (!name || name->isEmpty())
        return std::nullopt;
    const platform::BusyCursor busy;
    return read_list_file(*name);
}

} // namespace mosaicon

#include "settings/dirprofile.h"

#include "settings/pickers.h"
#include "settings/program.h"

#include "platform/files.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QFileInfo>

#include <cmath>

namespace mosaicon {

namespace {

const QString filterLine = QStringLiteral("FILTER:");
const QString subdirLine = QStringLiteral("SUBDIR:");
const QString volumeLine = QStringLiteral("VOLUME:");

std::optional<QString> askProfile(const QString& title, bool forSaving)
{
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Dir Profile (*.dpr)|*.dpr|All Files (*.*)|*.*");
    request.initialDirectory = program().program_folder;
    request.forSaving = forSaving;
    std::optional<QString> name = platform::ui().fileDialog(request);
    if (!name || name->isEmpty())
        return std::nullopt;
    return name;
}

// A check-box state: the number after the label, rounded half to even, and
// 0 when there is none; a state outside 0 to 2 is not taken.
std::optional<int> checkState(const QString& line, const QString& label)
{
    bool ok = false;
    const double value = line.mid(label.size()).trimmed().section(u' ', 0, 0).toDouble(&ok);
    const int state = ok ? int(std::nearbyint(value)) : 0;
    if (state < 0 || state > 2)
        return std::nullopt;
    return state;
}

} // namespace

QByteArray DirectoryProfile::toBytes() const
{
    QByteArray bytes = "FILTER: " + filter.toUtf8() + "\r\n";
    bytes += "SUBDIR: " + QByteArray::number(subdir) + "\r\n";
    bytes += "VOLUME: " + QByteArray::number(volume) + "\r\n";
    for (const QString& dir : dirs)
        bytes += dir.toUtf8() + "\r\n";
    return bytes;
}

DirectoryProfile DirectoryProfile::fromLines(const QStringList& lines)
{
    DirectoryProfile profile;
    for (const QString& line : lines) {
        if (line.startsWith(filterLine)) {
            profile.filter = line.mid(filterLine.size()).trimmed();
            profile.hasFilter = true;
        } else if (line.startsWith(subdirLine)) {
            if (const auto state = checkState(line, subdirLine)) {
                profile.subdir = *state;
                profile.hasSubdir = true;
            }
        } else if (line.startsWith(volumeLine)) {
            if (const auto state = checkState(line, volumeLine)) {
                profile.volume = *state;
                profile.hasVolume = true;
            }
        } else if (!line.isEmpty()) {
            profile.dirs.append(line);
        }
    }
    return profile;
}

void save_directory_profile(const DirectoryProfile& profile)
{
    Program& p = program();
    p.keep_processing = true;
    std::optional<QString> name =
        askProfile(QStringLiteral("Save Sub-Directory/Multi-Drive Profile"), true);
    if (!name)
        return;
    if (!QFileInfo(*name).fileName().contains(u'.'))
        *name += QStringLiteral(".dpr");
    if (!fileNameHas(*name, QStringLiteral(".dpr"))) {
        platform::msgbox(
            QStringLiteral("The sub-directory profile is required to have the .dpr file "
                           "extension.  No action taken."),
            platform::MsgBox::Exclamation, QStringLiteral("Sub-directory Profile"));
        return;
    }
    QString error;
    if (!platform::writeFileAtomically(*name, profile.toBytes(), &error))
        platform::msgbox(QStringLiteral("The sub-directory profile '%1' could not be saved: %2")
                             .arg(*name, error),
                         platform::MsgBox::Exclamation, p.product_title);
}

std::optional<DirectoryProfile> load_directory_profile()
{
    program().keep_processing = true;
    const std::optional<QString> name =
        askProfile(QStringLiteral("Load Sub-Directory/Multi-Drive Profile"), false);
    if (!name || !fileNameHas(*name, QStringLiteral(".dpr")))
        return std::nullopt;
    const std::optional<QStringList> lines = platform::readTextLines(*name);
    if (!lines)
        return std::nullopt;
    return DirectoryProfile::fromLines(*lines);
}

} // namespace mosaicon

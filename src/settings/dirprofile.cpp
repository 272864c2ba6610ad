#include "settings/dirprofile.h"

#include "settings/pickers.h"
#include "settings/profiles.h"
#include "settings/program.h"

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QFileInfo>

namespace mosaicon {

namespace {

const QString filterLine = QStringLiteral("FILTER:");
const QString subdirLine = QStringLiteral("SUBDIR:");
const QString volumeLine = QStringLiteral("VOLUME:");

const ProfileKind directoryKind{
    QStringLiteral(".dpr"), QStringLiteral("Dir Profile (*.dpr)|*.dpr|All Files (*.*)|*.*"),
    QStringLiteral("The sub-directory profile is required to have the .dpr file extension.  No action taken."),
    QStringLiteral("Sub-directory Profile"), QStringLiteral("sub-directory profile")};

// A check-box state: the number the text after the label begins with,
// rounded half to even, and 0 when there is none; a state outside 0 to 2
// (as "1e300" is) is not taken, and is range-checked before any cast.
std::optional<int> checkState(const QString& line, const QString& label)
{
    const std::optional<qint64> state =
        platform::roundHalfEven(platform::val(line.mid(label.size())));
    if (!state || *state < 0 || *state > 2)
        return std::nullopt;
    return int(*state);
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
    program().keep_processing = true;
    const std::optional<QString> name =
        ask_profile_save_name(directoryKind, QStringLiteral("Save Sub-Directory/Multi-Drive Profile"));
    if (name)
        write_profile(directoryKind, *name, profile.toBytes());
}

std::optional<DirectoryProfile> load_directory_profile()
{
    program().keep_processing = true;
    const std::optional<QString> name = ask_file(QStringLiteral("Load Sub-Directory/Multi-Drive Profile"),
                                                 directoryKind.filter, program().program_folder);
    if (!name || !fileNameHas(*name, directoryKind.extension))
        return std::nullopt;
    const std::optional<QStringList> lines = platform::readTextLines(*name);
    if (!lines)
        return std::nullopt;
    return DirectoryProfile::fromLines(*lines);
}

} // namespace mosaicon

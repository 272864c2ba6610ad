#include "settings/dirprofile.h"

#include "settings/pickers.h"
#include "settings/profiles.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

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
// (as "1e300" is) is none, and is range-checked before any cast.
std::optional<int> checkState(const QString& line, const QString& label)
{
    const std::optional<qint64> state =
        platform::roundHalfEven(platform::val(line.mid(label.size())));
    if (!state || *state < 0 || *state > 2)
        return std::nullopt;
    return int(*state);
}

// One line as text; nothing when its bytes are not UTF-8 or hold control
// characters, as a picture's bytes do.
std::optional<QString> textLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString line = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    const bool control = std::any_of(line.begin(), line.end(), [](QChar c) {
        return c != u'\t' && (c.unicode() < 0x20 || c.unicode() == 0x7f);
    });
    return control ? std::nullopt : std::optional<QString>(line);
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

std::optional<DirectoryProfile> DirectoryProfile::fromBytes(const QByteArray& bytes, Fault* fault)
{
    const auto refuse = [fault](qsizetype line, const QString& reason) {
        if (fault)
            *fault = {line, reason};
        return std::nullopt;
    };
    DirectoryProfile profile;
    // Latin-1 keeps one character a byte, so each line is split off with its
    // bytes intact and then decoded on its own: a fault is told on its line.
    const QStringList lines = platform::splitLines(QString::fromLatin1(bytes));
    for (qsizetype n = 1; n <= lines.size(); ++n) {
        const std::optional<QString> text = textLine(lines.at(n - 1).toLatin1());
        if (!text)
            return refuse(n, QStringLiteral("is not text"));
        const QString& line = *text;
        if (line.startsWith(filterLine)) {
            profile.filter = line.mid(filterLine.size()).trimmed();
            profile.hasFilter = true;
        } else if (line.startsWith(subdirLine) || line.startsWith(volumeLine)) {
            const bool subdir = line.startsWith(subdirLine);
            const std::optional<int> state = checkState(line, subdir ? subdirLine : volumeLine);
            if (!state)
                return refuse(n, QStringLiteral("holds no check-box state (0, 1 or 2)"));
            (subdir ? profile.subdir : profile.volume) = *state;
            (subdir ? profile.hasSubdir : profile.hasVolume) = true;
        } else if (line.startsWith(u'/')) {
            profile.dirs.append(line);
        } else if (!line.isEmpty()) {
            return refuse(n, QStringLiteral("names no folder"));
        }
    }
    return profile;
}

void save_directory_profile(const DirectoryProfile& profile)
{
    const std::optional<QString> name =
        ask_profile_save_name(directoryKind, QStringLiteral("Save Sub-Directory/Multi-Drive Profile"));
    if (name)
        write_profile(directoryKind, *name, profile.toBytes());
}

std::optional<DirectoryProfile> load_directory_profile()
{
    const std::optional<QString> name = ask_file(QStringLiteral("Load Sub-Directory/Multi-Drive Profile"),
                                                 directoryKind.filter, program().program_folder);
    if (!name || !fileNameHas(*name, directoryKind.extension))
        return std::nullopt;
    const auto tell = [&name](const QString& why) {
        warn(QStringLiteral("The sub-directory profile '%1' cannot be loaded: %2. "
                            "Nothing was changed.")
                 .arg(*name, why));
        return std::nullopt;
    };
    QFile file(*name);
    if (!file.open(QIODevice::ReadOnly))
        return tell(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return tell(file.errorString());
    DirectoryProfile::Fault fault;
    const std::optional<DirectoryProfile> profile = DirectoryProfile::fromBytes(bytes, &fault);
    if (!profile)
        return tell(QStringLiteral("line %1 %2").arg(fault.line).arg(fault.reason));
    return profile;
}

} // namespace mosaicon

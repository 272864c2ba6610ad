#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace mosaicon {

// A directory profile (".dpr"): the folder queue of the multi-drive search
// with its pattern and two check-box states. Lines end in CR LF; the first
// three are "FILTER: pattern", "SUBDIR: n", "VOLUME: n", then one folder a line.
struct DirectoryProfile
{
    QString filter;
    int subdir = 0;
    int volume = 0;
    QStringList dirs;
    // Which of the three setting lines the file held; a missing one changes nothing.
    bool hasFilter = false;
    bool hasSubdir = false;
    bool hasVolume = false;

    QByteArray toBytes() const;
    // Whole lines, so a folder may hold commas; a setting line is known by
    // its start, so a folder that merely contains "FILTER:" stays a folder.
    static DirectoryProfile fromLines(const QStringList& lines);
};

// Asks for a name and writes the profile; a name without a "." in its file
// name gets ".dpr", one whose file name lacks ".dpr" is refused with a message.
void save_directory_profile(const DirectoryProfile& profile);

// Asks for a profile and reads it; nothing when cancelled, when the file name
// lacks ".dpr" or when the file cannot be read.
std::optional<DirectoryProfile> load_directory_profile();

} // namespace mosaicon

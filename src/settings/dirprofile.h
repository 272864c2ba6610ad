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

    // Where and why a file is no profile: the number of its first line
    // that cannot be read (from 1), and what is wrong with that line.
    struct Fault
    {
        qsizetype line = 0;
        QString reason;
    };

    QByteArray toBytes() const;
    // Whole lines, so a folder may hold commas; a setting line is known by
    // its start, so a folder that merely contains "FILTER:" stays a folder.
    // Every line is checked before anything is taken: a line that is not
    // UTF-8 text, a check-box state other than 0, 1 or 2, or a folder that
    // is no full path makes the whole file no profile.
    static std::optional<DirectoryProfile> fromBytes(const QByteArray& bytes,
                                                     Fault* fault = nullptr);
};

// Asks for a name and writes the profile; a name without a "." in its file
// name gets ".dpr", one whose file name lacks ".dpr" is refused with a message.
void save_directory_profile(const DirectoryProfile& profile);

// Asks for a profile and reads it; nothing when cancelled, when the file name
// lacks ".dpr" or when the file cannot be read, which is told, naming the file
// and, in a damaged profile, its line.
std::optional<DirectoryProfile> load_directory_profile();

} // namespace mosaicon

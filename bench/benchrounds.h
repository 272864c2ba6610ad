#pragma once

// What the benchmarks that time whole runs over a corpus of large photos share:
// the corpus, one timing of one row, the rows run in interleaved rounds, the
// reference tools started through a shell, and the table of medians.

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace mosaicon {
struct Settings;
}

#include <sys/resource.h>

// Threads of the reference tools and the decode floor.
constexpr int benchCores = 8;
// Every thumbnail row works at this JPEG quality; our thumbnails of size 100
// are decoded to, and saved at, this box, and so are the tools'.
constexpr int benchQuality = 75;
constexpr int benchThumbBox = 104;

// One timing of one row.
struct Sample
{
    double wall = 0;
    double cpu = 0;
    int made = -1;    // files written; -1: the row writes none
    QSize thumb;      // the first photo's output
    long peakKb = 0;  // our process's peak resident memory during the run
    long grownKb = 0; // how far that peak is above its size when the run started
};

// Wall time and the CPU time (user + system) of this process (RUSAGE_SELF) or
// of its finished children (RUSAGE_CHILDREN) while the work runs.
Sample measure(int who, const std::function<void()>& work);
// This process's resident memory now.
long residentKb();
// measure(RUSAGE_SELF) with the run's peak resident memory and its growth.
Sample measureWithMemory(const std::function<void()>& work);

// How many files of the pattern a folder holds, and the size of the first.
void countOutputs(const QString& folder, const QString& pattern, Sample& sample);

// A shell pipeline writing into out (its command names it OUT); its CPU time is
// that of every process it started. An empty pattern counts no files.
Sample toolRun(const QString& command, const QString& out, const QString& pattern);

// A row of a table: what it runs each round and what it measured.
struct Row
{
    using Run = std::function<Sample(const QString& scratch)>;
    explicit Row(QString name, Run run = {}) : name(std::move(name)), run(std::move(run)) {}

    QString name;
    Run run; // empty: its tool is missing
    QList<Sample> samples;

    double median(double Sample::*value) const;
    double wall() const { return median(&Sample::wall); }
    double cpu() const { return median(&Sample::cpu); }
    long peakKb() const;
    long grownKb() const;
};

// A row that starts a reference tool, or a missing row when exe is not installed.
Row toolRow(const char* exe, const char* name, const QString& command, const char* made);

// The rows every thumbnail run is compared with, at the same box and quality:
// the in-process decode floor (a missing row without TurboJPEG), ImageMagick
// with the size hint and vipsthumbnail, each one thread a process, eight
// processes; `files` feeds the photo list to xargs.
void appendThumbnailReferenceRows(QList<Row>& rows, const QStringList& photos, const QString& files);

// Every row once a round, the order rotated each round so that no row always
// follows the same one; each run gets a fresh folder, removed afterwards.
void runRounds(QList<Row>& rows, const QString& root, int rounds);

// The table of medians, each row also as a ratio of the rows in `ours` to it.
void printTable(const QList<Row>& rows, const QList<qsizetype>& ours, const QStringList& oursLabels,
                int rounds, int expectedMade);

const char* verdict(bool pass);

// Rounds: the first argument or BENCH_ROUNDS (default 5).
int roundCount(int argc, char* argv[]);
// Photos: BENCH_PHOTOS (default 200, at most 200).
int photoCount();

// The corpus of 4000x3000 photos at quality 90 in BENCH_CORPUS, or in a
// folder under tempRoot; the first `count` of them, made when missing, then
// read once into the file cache.
QStringList preparePhotoCorpus(const QString& tempRoot, int count);
// `count` photo-like pictures of that size in a folder (JPEGs at quality 90
// unless the suffix names another type), named by the prefix and their number,
// made when missing, then read once into the file cache.
QStringList preparePhotos(const QString& folder, const QString& prefix, QSize size, int count,
                          const QString& suffix = QStringLiteral("jpg"));
// The start of a shell pipeline that gives the photos one a line: "cat LIST | ".
QString photoListPipe(const QStringList& photos, const QString& tempRoot);

// A reset program whose folder and settings file lie in scratch, away from
// the user's; its settings, for the bench to set.
mosaicon::Settings& freshProgramIn(const QString& scratch);

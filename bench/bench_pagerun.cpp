// Times a whole advanced-page run on 200 photo-like 4000x3000 JPEGs, in both
// layouts, against an in-process TurboJPEG decode floor and the reference
// tools making the same thumbnails (104-pixel box, quality 75) on 8 cores.
// Every row runs once a round, in an order rotated each round; the table
// shows the medians of wall and CPU time and our ratio to each row.
// Rounds: the first argument or BENCH_ROUNDS (default 5).
#include "decodefloor.h"

#include "pagekit/pagerun.h"
#include "pages/createhtml.h"

#include "settings/program.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

using namespace mosaicon;

namespace {

constexpr int photoCount = 200;
constexpr int cores = 8;
constexpr int quality = 75;
// Our thumbnails of size 100 are decoded to, and saved at, a 104-pixel box.
constexpr int thumbBox = 104;

QImage photo(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 4000, 3000);
    sky.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 200, 60));
    p.fillRect(image.rect(), sky);
    QRandomGenerator rng(seed);
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor::fromHsv(rng.bounded(360), rng.bounded(256), rng.bounded(256)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(rng.bounded(4000), rng.bounded(3000)), rng.bounded(20, 300),
                      rng.bounded(20, 300));
    }
    p.end();
    // Sensor-like noise, so the encoder has texture to work on.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(rng.bounded(16)) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return image;
}

void makeCorpus(const QStringList& photos)
{
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < cores; ++t)
        pool.emplace_back([&] {
            for (int i = next++; i < photos.size(); i = next++)
                photo(i).save(photos.at(i), "JPEG", 90);
        });
    for (auto& t : pool)
        t.join();
}

// One timing of one row.
struct Sample
{
    double wall = 0;
    double cpu = 0;
    int made = -1;    // thumbnails written; -1: the row writes none
    QSize thumb;      // the first photo's thumbnail
    long peakKb = 0;  // our process's peak resident memory during the run
    long grownKb = 0; // how far that peak is above its size when the run started
};

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall time and the CPU time (user + system) of this process (RUSAGE_SELF) or
// of its finished children (RUSAGE_CHILDREN) while the work runs.
Sample measure(int who, const std::function<void()>& work)
{
    const double cpuBefore = cpuSeconds(who);
    QElapsedTimer timer;
    timer.start();
    work();
    Sample sample;
    sample.wall = timer.nsecsElapsed() / 1e9;
    sample.cpu = cpuSeconds(who) - cpuBefore;
    return sample;
}

// The kernel's high-water mark of resident memory is reset before our run, so
// the peak is the run's, not that of making the corpus or of an earlier row.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// A "VmRSS:" or "VmHWM:" line of the process status, in kB.
long memoryKb(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

// How many thumbnails a folder holds, and the size of the first.
void countThumbnails(const QString& folder, const QString& pattern, Sample& sample)
{
    const QStringList names = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    sample.made = int(names.size());
    if (!names.isEmpty())
        sample.thumb = QImageReader(folder + u'/' + names.first()).size();
}

// One advanced-page run from a fresh output folder and a fresh settings file;
// the table layout writes each photo's pixel size under it.
Sample pageRun(const QStringList& photos, const QString& scratch, bool table)
{
    resetProgram();
    Program& p = program();
    p.program_folder = scratch;
    p.ini_file_path = scratch + QStringLiteral("/mosaik.ini");
    Settings& s = p.settings;
    s.internet_dir = scratch + QStringLiteral("/web");
    s.thumb_size = QStringLiteral("100");
    s.thumb_quality = QString::number(quality);
    // The style a first start writes to a new settings file ("With Borders").
    s.thumb_style = 0;
    s.use_thumbnail = true;
    s.file_names = table;
    s.print_pixel_size = table;

    QStringList templist;
    QStringList sources;
    PageLists lists;
    lists.templist = &templist;
    lists.o_original_location = &sources;
    lists.items = photos;
    lists.selected = QList<bool>(photos.size(), false);
    const auto run = start_page_run(lists, QStringLiteral("advhtml"));
    run->prompt().o_use_default_values.value = true;

    resetPeakMemory();
    const long startKb = memoryKb("VmRSS:");
    Sample sample = measure(RUSAGE_SELF, [&] { go_create_html(*run); });
    sample.peakKb = memoryKb("VmHWM:");
    sample.grownKb = sample.peakKb - startKb;
    countThumbnails(s.internet_dir, QStringLiteral("*_tn.jpg"), sample);
    return sample;
}

Sample floorRun(const QStringList& photos)
{
    DecodeFloor floor;
    Sample sample =
        measure(RUSAGE_SELF, [&] { floor = decode_floor(photos, thumbBox, quality, cores); });
    sample.made = floor.made;
    sample.thumb = floor.first;
    return sample;
}

// A shell pipeline over the corpus writing into out; its CPU time is that of
// every process it started.
Sample toolRun(const QString& command, const QString& out, const QString& pattern)
{
    QDir().mkpath(out);
    Sample sample = measure(RUSAGE_CHILDREN, [&] {
        QProcess sh;
        sh.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
        sh.waitForFinished(-1);
    });
    if (!pattern.isEmpty())
        countThumbnails(out, pattern, sample);
    return sample;
}

// A row of the table: what it runs each round and what it measured.
struct Row
{
    using Run = std::function<Sample(const QString& scratch)>;
    explicit Row(QString name, Run run = {}) : name(std::move(name)), run(std::move(run)) {}

    QString name;
    Run run; // empty: its tool is missing
    QList<Sample> samples;

    double median(double Sample::*value) const
    {
        std::vector<double> values;
        for (const Sample& s : samples)
            values.push_back(s.*value);
        if (values.empty())
            return 0;
        std::sort(values.begin(), values.end());
        const size_t mid = values.size() / 2;
        return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
    }
    double wall() const { return median(&Sample::wall); }
    double cpu() const { return median(&Sample::cpu); }
};

enum RowIndex
{
    OursDefault,
    OursTable,
    Floor,
    FirstTool
};

QList<Row> makeRows(const QStringList& photos, const QString& corpus)
{
    QList<Row> rows;
    rows.append(Row(QStringLiteral("page run, default layout (linked pages)"),
                    [photos](const QString& scratch) { return pageRun(photos, scratch, false); }));
    rows.append(Row(QStringLiteral("page run, table layout (pixel sizes)"),
                    [photos](const QString& scratch) { return pageRun(photos, scratch, true); }));
    rows.append(Row(QStringLiteral("floor: TurboJPEG 1/8 decode, box, encode")));
    if (decode_floor_available())
        rows.last().run = [photos](const QString&) { return floorRun(photos); };

    // Each tool one thread a process, eight processes, five photos each.
    const QString files = QStringLiteral("ls %1/photo*.jpg | ").arg(corpus);
    struct Tool
    {
        const char* exe;
        const char* name;
        QString command; // OUT: the output folder
        const char* made;
    };
    const Tool tools[] = {
        {"mogrify", "mogrify -thumbnail 104x104 -quality 75",
         files + QStringLiteral("MAGICK_THREAD_LIMIT=1 xargs -P8 -n5 mogrify -path OUT "
                                "-define jpeg:size=208x208 -thumbnail 104x104 -quality 75"),
         "*.jpg"},
        {"vipsthumbnail", "vipsthumbnail -s 104 [Q=75]",
         files +
             QStringLiteral(
                 "VIPS_CONCURRENCY=1 xargs -P8 -n5 vipsthumbnail -s 104 -o 'OUT/%s_tn.jpg[Q=75]'"),
         "*_tn.jpg"},
        {"djpeg", "djpeg -scale 1/8 (decode only)",
         files + QStringLiteral("xargs -P8 -n1 djpeg -scale 1/8 -outfile /dev/null"), ""},
    };
    for (const Tool& t : tools) {
        Row row(QString::fromUtf8(t.name));
        if (!QStandardPaths::findExecutable(QString::fromUtf8(t.exe)).isEmpty())
            row.run = [t](const QString& scratch) {
                return toolRun(QString(t.command).replace(QStringLiteral("OUT"), scratch), scratch,
                               QString::fromUtf8(t.made));
            };
        rows.append(row);
    }
    return rows;
}

// Every row once a round, the order rotated each round so that no row always
// follows the same one; each run gets a fresh folder, removed afterwards.
void runRounds(QList<Row>& rows, const QString& root, int rounds)
{
    for (int r = 0; r < rounds; ++r) {
        for (qsizetype k = 0; k < rows.size(); ++k) {
            const qsizetype i = (r + k) % rows.size();
            if (!rows[i].run)
                continue;
            const QString scratch = QStringLiteral("%1/round%2-row%3").arg(root).arg(r).arg(i);
            QDir().mkpath(scratch);
            rows[i].samples.append(rows[i].run(scratch));
            QDir(scratch).removeRecursively();
            // Writing back one run's files must not slow the next.
            ::sync();
        }
        std::printf("round %d of %d done\n", r + 1, rounds);
        std::fflush(stdout);
    }
}

const char* verdict(bool pass)
{
    return pass ? "PASS" : "MISS";
}

void printRow(const Row& row, const QList<Row>& rows, bool withRatios)
{
    const QByteArray name = row.name.toUtf8();
    if (!row.run) {
        std::printf("%-44s %7s\n", name.constData(), "missing");
        return;
    }
    const auto [least, most] =
        std::minmax_element(row.samples.begin(), row.samples.end(),
                            [](const Sample& a, const Sample& b) { return a.wall < b.wall; });
    const QSize thumb = row.samples.first().thumb;
    const QByteArray size =
        thumb.isValid() ? QStringLiteral("%1x%2").arg(thumb.width()).arg(thumb.height()).toUtf8()
                        : QByteArray("-");
    std::printf("%-44s %7.2f %7.2f %6.2f-%-6.2f %7s", name.constData(), row.wall(), row.cpu(),
                least->wall, most->wall, size.constData());
    if (withRatios)
        for (const Row& ours : {rows[OursDefault], rows[OursTable]})
            std::printf(" | %6.2f %6.2f", ours.wall() / row.wall(), ours.cpu() / row.cpu());
    std::printf("\n");
}

void printTable(const QList<Row>& rows, int rounds)
{
    std::printf(
        "\nMedians of %d rounds; CPU is user + system time of every thread and child process.\n",
        rounds);
    std::printf("%-44s %7s %7s %13s %7s | %-13s | %-13s\n", "row", "wall s", "CPU s",
                "wall min-max", "thumb", "default/row", "table/row");
    std::printf("%-44s %7s %7s %13s %7s | %6s %6s | %6s %6s\n", "", "", "", "", "", "wall", "CPU",
                "wall", "CPU");
    for (qsizetype i = 0; i < rows.size(); ++i)
        printRow(rows[i], rows, i >= Floor);
    for (const Row& row : rows)
        for (const Sample& s : row.samples)
            if (s.made >= 0 && s.made != photoCount) {
                std::printf("note: %s made %d of %d thumbnails in a round\n", qPrintable(row.name),
                            s.made, photoCount);
                break;
            }
}

void printGoals(const QList<Row>& rows)
{
    std::printf("\nGoal: page run within 1.10x of the floor in CPU and 1.15x in wall time, in both "
                "layouts, "
                "and faster than every tool\n");
    const Row& floor = rows[Floor];
    for (const RowIndex layout : {OursDefault, OursTable}) {
        const Row& ours = rows[layout];
        const char* name = layout == OursDefault ? "default layout" : "table layout";
        if (floor.run) {
            const double cpu = ours.cpu() / floor.cpu();
            const double wall = ours.wall() / floor.wall();
            std::printf("  %-15s within 1.10x of the floor in CPU   %5.2fx  %s\n", name, cpu,
                        verdict(cpu <= 1.10));
            std::printf("  %-15s within 1.15x of the floor in wall  %5.2fx  %s\n", name, wall,
                        verdict(wall <= 1.15));
        } else {
            std::printf("  %-15s against the floor: missing (built without TurboJPEG)\n", name);
        }
        for (qsizetype i = FirstTool; i < rows.size(); ++i) {
            if (!rows[i].run)
                continue;
            const double wall = ours.wall() / rows[i].wall();
            std::printf("  %-15s faster than %-32s %5.2fx wall  %s\n", name,
                        qPrintable(rows[i].name), wall, verdict(wall < 1));
        }
    }
    std::printf("\nPeak resident memory of our run, largest of the rounds (and its growth during "
                "the run):\n");
    for (const RowIndex layout : {OursDefault, OursTable}) {
        long peak = 0;
        long grown = 0;
        for (const Sample& s : rows[layout].samples) {
            peak = std::max(peak, s.peakKb);
            grown = std::max(grown, s.grownKb);
        }
        std::printf("  %-15s %5.0f MB (+%.0f MB)\n",
                    layout == OursDefault ? "default layout" : "table layout", peak / 1024.0,
                    grown / 1024.0);
    }
}

int roundCount(int argc, char* argv[])
{
    bool ok = false;
    int rounds = argc > 1 ? QByteArray(argv[1]).toInt(&ok) : 0;
    if (!ok)
        rounds = qEnvironmentVariableIntValue("BENCH_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 5;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = roundCount(argc, argv);
    QTemporaryDir dir;
    // A corpus kept from an earlier run (BENCH_CORPUS) saves making it again.
    QString corpus = qEnvironmentVariable("BENCH_CORPUS");
    if (corpus.isEmpty())
        corpus = dir.filePath(QStringLiteral("corpus"));
    QStringList photos;
    for (int i = 0; i < photoCount; ++i)
        photos.append(QStringLiteral("%1/photo%2.jpg").arg(corpus).arg(i, 3, 10, QLatin1Char('0')));
    if (!QFileInfo::exists(photos.last())) {
        QDir().mkpath(corpus);
        std::printf("making %d photos of 4000x3000 at quality 90...\n", photoCount);
        std::fflush(stdout);
        makeCorpus(photos);
    }
    // Warm the file cache for everyone alike.
    QProcess::execute(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("cat %1/*.jpg > /dev/null").arg(corpus)});

    QList<Row> rows = makeRows(photos, corpus);
    std::printf("%d rounds of %lld rows...\n", rounds, qlonglong(rows.size()));
    std::fflush(stdout);
    runRounds(rows, dir.filePath(QStringLiteral("runs")), rounds);
    printTable(rows, rounds);
    printGoals(rows);
    return 0;
}

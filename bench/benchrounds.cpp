#include "benchrounds.h"
#include "decodefloor.h"

#include "settings/program.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int corpusSize = 200;

QImage photo(int seed, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 200, 60));
    p.fillRect(image.rect(), sky);
    QRandomGenerator rng(seed);
    // As many shapes of the same sizes on each 4000 x 3000 of area.
    const int shapes = int(400.0 * w * h / (4000.0 * 3000.0));
    for (int i = 0; i < shapes; ++i) {
        p.setBrush(QColor::fromHsv(rng.bounded(360), rng.bounded(256), rng.bounded(256)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(rng.bounded(w), rng.bounded(h)), rng.bounded(20, 300),
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

void makeCorpus(const QStringList& photos, QSize size)
{
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < benchCores; ++t)
        pool.emplace_back([&] {
            for (int i = next++; i < photos.size(); i = next++)
                photo(i, size).save(photos.at(i), nullptr, 90);
        });
    for (auto& t : pool)
        t.join();
}

// Reads the files once, so that every row finds them in the file cache.
void warmFileCache(const QStringList& files)
{
    QStringList quoted;
    for (const QString& p : files)
        quoted.append(QStringLiteral("'%1'").arg(p));
    QProcess::execute(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("cat %1 > /dev/null").arg(quoted.join(u' '))});
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
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

void printRow(const Row& row, const QList<Row>& rows, const QList<qsizetype>& ours, bool withRatios)
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
    std::printf("%-44s %7.2f %7.2f %6.2f-%-6.2f %9s", name.constData(), row.wall(), row.cpu(),
                least->wall, most->wall, size.constData());
    if (withRatios)
        for (const qsizetype i : ours)
            std::printf(" | %6.2f %6.2f", rows[i].wall() / row.wall(), rows[i].cpu() / row.cpu());
    std::printf("\n");
}

} // namespace

long residentKb()
{
    return memoryKb("VmRSS:");
}

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

Sample measureWithMemory(const std::function<void()>& work)
{
    resetPeakMemory();
    const long startKb = memoryKb("VmRSS:");
    Sample sample = measure(RUSAGE_SELF, work);
    sample.peakKb = memoryKb("VmHWM:");
    sample.grownKb = sample.peakKb - startKb;
    return sample;
}

void countOutputs(const QString& folder, const QString& pattern, Sample& sample)
{
    const QStringList names = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    sample.made = int(names.size());
    if (!names.isEmpty())
        sample.thumb = QImageReader(folder + u'/' + names.first()).size();
}

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
        countOutputs(out, pattern, sample);
    return sample;
}

double Row::median(double Sample::*value) const
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

long Row::peakKb() const
{
    long peak = 0;
    for (const Sample& s : samples)
        peak = std::max(peak, s.peakKb);
    return peak;
}

long Row::grownKb() const
{
    long grown = 0;
    for (const Sample& s : samples)
        grown = std::max(grown, s.grownKb);
    return grown;
}

Row toolRow(const char* exe, const char* name, const QString& command, const char* made)
{
    Row row(QString::fromUtf8(name));
    if (!QStandardPaths::findExecutable(QString::fromUtf8(exe)).isEmpty())
        row.run = [command, made](const QString& scratch) {
            return toolRun(QString(command).replace(QStringLiteral("OUT"), scratch), scratch,
                           QString::fromUtf8(made));
        };
    return row;
}

void appendThumbnailReferenceRows(QList<Row>& rows, const QStringList& photos, const QString& files)
{
    rows.append(Row(QStringLiteral("floor: TurboJPEG 1/8 decode, box, encode")));
    if (decode_floor_available())
        rows.last().run = [photos](const QString&) {
            DecodeFloor floor;
            Sample sample = measure(RUSAGE_SELF, [&] {
                floor = decode_floor(photos, benchThumbBox, benchQuality, benchCores);
            });
            sample.made = floor.made;
            sample.thumb = floor.first;
            return sample;
        };
    rows.append(toolRow("mogrify", "mogrify -thumbnail 104x104 -quality 75",
                        files + QStringLiteral("MAGICK_THREAD_LIMIT=1 xargs -P8 -n5 mogrify -path OUT "
                                               "-define jpeg:size=208x208 -thumbnail 104x104 -quality 75"),
                        "*.jpg"));
    rows.append(toolRow("vipsthumbnail", "vipsthumbnail -s 104 [Q=75]",
                        files + QStringLiteral("VIPS_CONCURRENCY=1 xargs -P8 -n5 vipsthumbnail -s 104 "
                                               "-o 'OUT/%s_tn.jpg[Q=75]'"),
                        "*_tn.jpg"));
}

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

void printTable(const QList<Row>& rows, const QList<qsizetype>& ours, const QStringList& oursLabels,
                int rounds, int expectedMade)
{
    std::printf(
        "\nMedians of %d rounds; CPU is user + system time of every thread and child process.\n",
        rounds);
    std::printf("%-44s %7s %7s %13s %9s", "row", "wall s", "CPU s", "wall min-max", "output");
    for (const QString& label : oursLabels)
        std::printf(" | %-13s", qPrintable(label + QStringLiteral("/row")));
    std::printf("\n%-44s %7s %7s %13s %9s", "", "", "", "", "");
    for (qsizetype i = 0; i < oursLabels.size(); ++i)
        std::printf(" | %6s %6s", "wall", "CPU");
    std::printf("\n");
    for (qsizetype i = 0; i < rows.size(); ++i)
        printRow(rows[i], rows, ours, !ours.contains(i));
    for (const Row& row : rows)
        for (const Sample& s : row.samples)
            if (s.made >= 0 && s.made != expectedMade) {
                std::printf("note: %s made %d of %d files in a round\n", qPrintable(row.name), s.made,
                            expectedMade);
                break;
            }
}

const char* verdict(bool pass)
{
    return pass ? "PASS" : "MISS";
}

int roundCount(int argc, char* argv[])
{
    bool ok = false;
    int rounds = argc > 1 ? QByteArray(argv[1]).toInt(&ok) : 0;
    if (!ok)
        rounds = qEnvironmentVariableIntValue("BENCH_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 5;
}

int photoCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("BENCH_PHOTOS", &ok);
    return ok && count > 0 ? std::min(count, corpusSize) : corpusSize;
}

QStringList preparePhotoCorpus(const QString& tempRoot, int count)
{
    // A corpus kept from an earlier run (BENCH_CORPUS) saves making it again.
    QString corpus = qEnvironmentVariable("BENCH_CORPUS");
    if (corpus.isEmpty())
        corpus = tempRoot + QStringLiteral("/corpus");
    return preparePhotos(corpus, QStringLiteral("photo"), QSize(4000, 3000), count);
}

QStringList preparePhotos(const QString& folder, const QString& prefix, QSize size, int count,
                          const QString& suffix)
{
    QStringList photos;
    for (int i = 0; i < count; ++i)
        photos.append(QStringLiteral("%1/%2%3.%4")
                          .arg(folder, prefix)
                          .arg(i, 3, 10, QLatin1Char('0'))
                          .arg(suffix));
    if (!QFileInfo::exists(photos.last())) {
        QDir().mkpath(folder);
        std::printf("making %d photos of %dx%d as %s...\n", count, size.width(), size.height(),
                    qPrintable(suffix));
        std::fflush(stdout);
        makeCorpus(photos, size);
    }
    warmFileCache(photos);
    return photos;
}

QString photoListPipe(const QStringList& photos, const QString& tempRoot)
{
    const QString list = tempRoot + QStringLiteral("/photos.txt");
    QFile file(list);
    if (file.open(QIODevice::WriteOnly))
        file.write((photos.join(u'\n') + u'\n').toUtf8());
    return QStringLiteral("cat '%1' | ").arg(list);
}

mosaicon::Settings& freshProgramIn(const QString& scratch)
{
    mosaicon::resetProgram();
    mosaicon::Program& p = mosaicon::program();
    p.program_folder = scratch;
    p.ini_file_path = scratch + QStringLiteral("/mosaik.ini");
    return p.settings;
}

// Times the image windows' list conversions on 200 photo-like 4000x3000 JPEGs:
// "Create thumbnails" (size 100: a 104-pixel box, quality 75) against an
// in-process TurboJPEG decode floor, ImageMagick with the size hint and
// vipsthumbnail, and "Create JPEG images" (a full decode and a JPEG encode at
// quality 75 into the target folder) against mogrify -format jpg and vips
// copy; the tools and the floor on 8 cores. Every row runs once a round, in an
// order rotated each round. Before the rounds, one check that a list converted
// on every core leaves the files, records and order one thread leaves.
// Then "Create JPEG images" over 80 photos of 6000x4000 (24 megapixels), once
// from JPEG and once from PNG sources, with their peak memory against the
// 400 MiB they may take.
// Rounds: the first argument or BENCH_ROUNDS (default 5); photos: BENCH_PHOTOS;
// 24-megapixel photos: BENCH_BIG_PHOTOS (default 80; 0 leaves those rows out).
#include "benchrounds.h"

#include "viewer/imageconversion.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

using namespace mosaicon;
using namespace mosaicon::viewer;

namespace {

constexpr int quality = benchQuality;

// A fresh settings file in the scratch folder and the thumbnail settings every
// row uses.
void freshProgram(const QString& scratch)
{
    Settings& s = freshProgramIn(scratch);
    s.thumb_size = QStringLiteral("100");
    s.thumb_quality = QString::number(quality);
    s.thumb_smoothing = QStringLiteral("0");
    s.thumb_dither = QStringLiteral("0");
    s.thumb_style = ThumbStyle::WithBorders;
    s.prefix_thumbnail_file = false;
}

QString outputPattern(ConversionKind kind)
{
    return kind == ConversionKind::Thumbnail ? QStringLiteral("*_tn.jpg") : QStringLiteral("*.jpg");
}

Sample listRun(const QStringList& photos, const QString& scratch, ConversionKind kind)
{
    freshProgram(scratch);
    const QString out = scratch + QStringLiteral("/out");
    QDir().mkpath(out);
    int told = 0;
    Sample sample = measureWithMemory([&] {
        convert_list(photos, kind, {out, false, true}, [](const QString&) { return true; },
                     [&told](qsizetype, const ConversionResult&) { ++told; });
    });
    countOutputs(out, outputPattern(kind), sample);
    if (told != photos.size())
        sample.made = told;
    return sample;
}

enum RowIndex
{
    OursThumbs,
    Floor,
    MagickThumbs,
    VipsThumbs,
    OursJpegs,
    MagickJpegs,
    VipsJpegs
};

QList<Row> makeRows(const QStringList& photos, const QString& files)
{
    QList<Row> rows;
    rows.append(Row(QStringLiteral("Convert List To Thumbs"), [photos](const QString& scratch) {
        return listRun(photos, scratch, ConversionKind::Thumbnail);
    }));
    appendThumbnailReferenceRows(rows, photos, files);
    rows.append(Row(QStringLiteral("Convert List To JPGs"), [photos](const QString& scratch) {
        return listRun(photos, scratch, ConversionKind::Jpeg);
    }));
    rows.append(toolRow("mogrify", "mogrify -format jpg -quality 75",
                        files + QStringLiteral("MAGICK_THREAD_LIMIT=1 xargs -P8 -n5 mogrify -path OUT "
                                               "-format jpg -quality 75"),
                        "*.jpg"));
    rows.append(toolRow("vips", "vips copy [Q=75]",
                        files + QStringLiteral("VIPS_CONCURRENCY=1 xargs -P8 -n1 sh -c "
                                               "'vips copy \"$0\" \"OUT/$(basename \"$0\")[Q=75]\"'"),
                        "*.jpg"));
    return rows;
}

// What a conversion leaves: every output file's bytes, and the records in file order.
struct Left
{
    QStringList outcomes;
    QMap<QString, QByteArray> files;
    QStringList records;
};

Left leftBy(const QStringList& photos, ConversionKind kind, const QString& scratch, bool everyCore,
            bool* inOrder)
{
    freshProgram(scratch);
    const QString out = scratch + QStringLiteral("/out");
    QDir().mkpath(out);
    Left left;
    QList<ConversionResult> results;
    const ConversionPlace place{out, false, true};
    if (everyCore) {
        qsizetype last = -1;
        results = convert_list(photos, kind, place, [](const QString&) { return true; },
                               [&](qsizetype i, const ConversionResult&) {
                                   *inOrder = *inOrder && i == last + 1;
                                   last = i;
                               });
    } else {
        for (const QString& photo : photos)
            results.append(create_jpeg(photo, kind, place));
    }
    for (const ConversionResult& r : results)
        left.outcomes.append(QStringLiteral("%1 %2").arg(r.outcome).arg(QFileInfo(r.output).fileName()));
    for (const QString& name : QDir(out).entryList(QDir::Files, QDir::Name)) {
        QFile file(out + u'/' + name);
        if (file.open(QIODevice::ReadOnly))
            left.files.insert(name, file.readAll());
    }
    platform::ProfileFile& ini = settingsFile();
    for (const QString& key : ini.keys(QStringLiteral("Thumbnails (vi)")))
        left.records.append(key + u'=' + QFileInfo(ini.get(QStringLiteral("Thumbnails (vi)"), key)).fileName());
    return left;
}

bool checkAgainstOneThread(const QStringList& photos, ConversionKind kind, const QString& root)
{
    bool inOrder = true;
    const Left parallel = leftBy(photos, kind, root + QStringLiteral("/every-core"), true, &inOrder);
    const Left single = leftBy(photos, kind, root + QStringLiteral("/one-thread"), false, &inOrder);
    QDir(root).removeRecursively();
    const bool same = inOrder && parallel.outcomes == single.outcomes && parallel.files == single.files &&
                      parallel.records == single.records && parallel.files.size() == photos.size();
    std::printf("  %-22s %3lld photos: %lld files, %lld records, results told in list order: %s  %s\n",
                kind == ConversionKind::Thumbnail ? "Convert List To Thumbs" : "Convert List To JPGs",
                qlonglong(photos.size()), qlonglong(parallel.files.size()), qlonglong(parallel.records.size()),
                inOrder ? "yes" : "no", same ? "SAME AS ONE THREAD" : "DIFFERENT FROM ONE THREAD");
    return same;
}

void printGoals(const QList<Row>& rows, double photoBytes, QSize photoPixels)
{
    std::printf("\nGoals\n");
    const Row& thumbs = rows[OursThumbs];
    const Row& floor = rows[Floor];
    if (floor.run) {
        const double wall = thumbs.wall() / floor.wall();
        std::printf("  thumbnails within 1.15x of the floor in wall     %5.2fx  %s (CPU %.2fx)\n", wall,
                    verdict(wall <= 1.15), thumbs.cpu() / floor.cpu());
    } else {
        std::printf("  thumbnails against the floor: missing (built without TurboJPEG)\n");
    }
    const auto faster = [&](RowIndex ours, RowIndex other, const char* what) {
        if (!rows[other].run)
            return;
        const double wall = rows[ours].wall() / rows[other].wall();
        std::printf("  %-10s faster than %-34s %5.2fx wall  %s\n", what, qPrintable(rows[other].name), wall,
                    verdict(wall < 1));
    };
    faster(OursThumbs, MagickThumbs, "thumbnails");
    faster(OursThumbs, VipsThumbs, "thumbnails");
    faster(OursJpegs, MagickJpegs, "JPEGs");
    faster(OursJpegs, VipsJpegs, "JPEGs");

    // A worker holds one photo's file and at most two pictures of its size at once.
    const int workers = int(std::max(1u, std::thread::hardware_concurrency()));
    const double perWorker = photoBytes + 2.0 * 4 * photoPixels.width() * photoPixels.height();
    const double boundMb = workers * perWorker / (1 << 20);
    std::printf("\nPeak resident memory of our runs, largest of the rounds (growth during the run), and "
                "the bound:\n%d workers x (one photo's file + two pictures of 4 bytes a pixel) = %.0f MB\n",
                workers, boundMb);
    for (const RowIndex ours : {OursThumbs, OursJpegs}) {
        const double grown = rows[ours].grownKb() / 1024.0;
        std::printf("  %-22s %5.0f MB (+%.0f MB)  %s\n", qPrintable(rows[ours].name), rows[ours].peakKb() / 1024.0,
                    grown, verdict(grown <= boundMb));
    }
}

int bigPhotoCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("BENCH_BIG_PHOTOS", &ok);
    return ok && count >= 0 ? count : 80;
}

// Large photos take the memory: the decoded pictures in flight must stay
// within a budget whatever the number of cores.
void runBigPhotos(const QString& root, int rounds)
{
    const int count = bigPhotoCount();
    if (count == 0)
        return;
    QString corpus = qEnvironmentVariable("BENCH_CORPUS");
    if (corpus.isEmpty())
        corpus = root + QStringLiteral("/corpus");
    const QSize size(6000, 4000);
    const QStringList jpegs = preparePhotos(corpus, QStringLiteral("photo24mp"), size, count);
    const QStringList pngs = preparePhotos(corpus, QStringLiteral("photo24mp"), size, count, QStringLiteral("png"));
    QList<Row> rows;
    rows.append(Row(QStringLiteral("Convert List To JPGs, 24 MP JPEGs"), [jpegs](const QString& scratch) {
        return listRun(jpegs, scratch, ConversionKind::Jpeg);
    }));
    rows.append(Row(QStringLiteral("Convert List To JPGs, 24 MP PNGs"), [pngs](const QString& scratch) {
        return listRun(pngs, scratch, ConversionKind::Jpeg);
    }));
    std::printf("\n%d rounds of %lld rows over %d photos of %dx%d...\n", rounds, qlonglong(rows.size()), count,
                size.width(), size.height());
    std::fflush(stdout);
    runRounds(rows, root + QStringLiteral("/big-runs"), rounds);
    printTable(rows, {}, {}, rounds, count);
    constexpr double goalMib = 400;
    std::printf("\nPeak resident memory of the 24 MP rows, largest of the rounds, and the goal of %.0f MiB:\n",
                goalMib);
    for (const Row& row : std::as_const(rows)) {
        const double peak = row.peakKb() / 1024.0;
        std::printf("  %-36s %5.0f MiB  %.2f photos/s  %s\n", qPrintable(row.name), peak, count / row.wall(),
                    verdict(peak <= goalMib));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = roundCount(argc, argv);
    QTemporaryDir dir;
    const QStringList photos = preparePhotoCorpus(dir.path(), photoCount());

    std::printf("Converted on every core and by one thread going down the list:\n");
    std::fflush(stdout);
    checkAgainstOneThread(photos, ConversionKind::Thumbnail, dir.filePath(QStringLiteral("check")));
    // Full-size JPEGs take long on one thread: the first few photos show the same.
    checkAgainstOneThread(photos.mid(0, 16), ConversionKind::Jpeg, dir.filePath(QStringLiteral("check")));

    QList<Row> rows = makeRows(photos, photoListPipe(photos, dir.path()));
    std::printf("\n%d rounds of %lld rows over %lld photos...\n", rounds, qlonglong(rows.size()),
                qlonglong(photos.size()));
    std::fflush(stdout);
    runRounds(rows, dir.filePath(QStringLiteral("runs")), rounds);
    printTable(rows.mid(OursThumbs, OursJpegs), {OursThumbs}, {QStringLiteral("ours")}, rounds,
               int(photos.size()));
    printTable(rows.mid(OursJpegs), {0}, {QStringLiteral("ours")}, rounds, int(photos.size()));
    printGoals(rows, double(QFileInfo(photos.first()).size()), QImageReader(photos.first()).size());
    runBigPhotos(dir.path(), rounds);
    return 0;
}

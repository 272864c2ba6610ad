// Times a whole advanced-page run on 200 photo-like 4000x3000 JPEGs, in both
// layouts, against an in-process TurboJPEG decode floor and the reference
// tools making the same thumbnails (104-pixel box, quality 75) on 8 cores.
// Every row runs once a round, in an order rotated each round; the table
// shows the medians of wall and CPU time and our ratio to each row.
// Rounds: the first argument or BENCH_ROUNDS (default 5); photos: BENCH_PHOTOS.
#include "benchrounds.h"

#include "pagekit/pagerun.h"
#include "pages/createhtml.h"

#include "settings/program.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace mosaicon;

namespace {

constexpr int quality = benchQuality;

// One advanced-page run from a fresh output folder and a fresh settings file;
// the table layout writes each photo's pixel size under it.
Sample pageRun(const QStringList& photos, const QString& scratch, bool table)
{
    Settings& s = freshProgramIn(scratch);
    s.internet_dir = scratch + QStringLiteral("/web");
    s.thumb_size = QStringLiteral("100");
    s.thumb_quality = QString::number(quality);
    // The style a first start writes to a new settings file ("With Borders").
    s.thumb_style = ThumbStyle::WithBorders;
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

    Sample sample = measureWithMemory([&] { go_create_html(*run); });
    countOutputs(s.internet_dir, QStringLiteral("*_tn.jpg"), sample);
    return sample;
}

enum RowIndex
{
    OursDefault,
    OursTable,
    Floor,
    FirstTool
};

QList<Row> makeRows(const QStringList& photos, const QString& files)
{
    QList<Row> rows;
    rows.append(Row(QStringLiteral("page run, default layout (linked pages)"),
                    [photos](const QString& scratch) { return pageRun(photos, scratch, false); }));
    rows.append(Row(QStringLiteral("page run, table layout (pixel sizes)"),
                    [photos](const QString& scratch) { return pageRun(photos, scratch, true); }));
    appendThumbnailReferenceRows(rows, photos, files);
    rows.append(toolRow("djpeg", "djpeg -scale 1/8 (decode only)",
                        files + QStringLiteral("xargs -P8 -n1 djpeg -scale 1/8 -outfile /dev/null"), ""));
    return rows;
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
    for (const RowIndex layout : {OursDefault, OursTable})
        std::printf("  %-15s %5.0f MB (+%.0f MB)\n",
                    layout == OursDefault ? "default layout" : "table layout",
                    rows[layout].peakKb() / 1024.0, rows[layout].grownKb() / 1024.0);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = roundCount(argc, argv);
    QTemporaryDir dir;
    const QStringList photos = preparePhotoCorpus(dir.path(), photoCount());
    QList<Row> rows = makeRows(photos, photoListPipe(photos, dir.path()));
    std::printf("%d rounds of %lld rows over %lld photos...\n", rounds, qlonglong(rows.size()),
                qlonglong(photos.size()));
    std::fflush(stdout);
    runRounds(rows, dir.filePath(QStringLiteral("runs")), rounds);
    printTable(rows, {OursDefault, OursTable}, {QStringLiteral("default"), QStringLiteral("table")}, rounds,
               int(photos.size()));
    printGoals(rows);
    return 0;
}

// Times a whole advanced-page run on 200 photo-like 4000x3000 JPEGs and, on
// the same corpus in the same run, the reference tools making 100-pixel
// thumbnails on 8 cores. Prints the times and our ratio to each tool.
#include "pages/createhtml.h"
#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using namespace mosaicon;

namespace {

constexpr int photoCount = 200;

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
        p.drawEllipse(QPoint(rng.bounded(4000), rng.bounded(3000)), rng.bounded(20, 300), rng.bounded(20, 300));
    }
    p.end();
    // Sensor-like noise, so the encoder has texture to work on.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(rng.bounded(16)) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    return image;
}

void makeCorpus(const QString& folder)
{
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < 8; ++t)
        pool.emplace_back([&] {
            for (int i = next++; i < photoCount; i = next++)
                photo(i).save(QStringLiteral("%1/photo%2.jpg").arg(folder).arg(i, 3, 10, QLatin1Char('0')), "JPEG", 90);
        });
    for (auto& t : pool)
        t.join();
}

// Runs a shell pipeline over the corpus; seconds, or -1 when the tool is missing.
double timeTool(const char* tool, const QString& command)
{
    if (QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty())
        return -1;
    QElapsedTimer timer;
    timer.start();
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    sh.waitForFinished(-1);
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    // A corpus kept from an earlier run (BENCH_CORPUS) saves making it again.
    QString corpus = qEnvironmentVariable("BENCH_CORPUS");
    if (corpus.isEmpty() || !QFileInfo::exists(corpus + QStringLiteral("/photo199.jpg"))) {
        if (corpus.isEmpty())
            corpus = dir.filePath(QStringLiteral("corpus"));
        QDir().mkpath(corpus);
        std::printf("making %d photos of 4000x3000 at quality 90...\n", photoCount);
        makeCorpus(corpus);
    }

    Program& p = program();
    p.program_folder = dir.path();
    p.ini_file_path = dir.filePath(QStringLiteral("mosaik.ini"));
    Settings& s = p.settings;
    s.internet_dir = dir.filePath(QStringLiteral("web"));
    s.thumb_size = QStringLiteral("100");
    s.thumb_quality = QStringLiteral("75");
    s.thumb_style = 1;
    s.use_thumbnail = true;

    QStringList templist;
    QStringList sources;
    PageLists lists;
    lists.templist = &templist;
    lists.o_original_location = &sources;
    for (int i = 0; i < photoCount; ++i) {
        lists.items.append(QStringLiteral("%1/photo%2.jpg").arg(corpus).arg(i, 3, 10, QLatin1Char('0')));
        lists.selected.append(false);
    }
    // Warm the file cache for everyone alike.
    timeTool("cat", QStringLiteral("cat %1/*.jpg > /dev/null").arg(corpus));

    const auto run = start_page_run(lists, QStringLiteral("advhtml"));
    run->prompt().o_use_default_values.value = true;
    QElapsedTimer timer;
    timer.start();
    go_create_html(*run);
    const double ours = timer.elapsed() / 1000.0;

    const QString out = dir.filePath(QStringLiteral("ref"));
    QDir().mkpath(out);
    const QString files = QStringLiteral("ls %1/*.jpg | xargs -P8 -n 8").arg(corpus);
    struct Tool
    {
        const char* name;
        const char* exe;
        QString command;
    };
    const Tool tools[] = {
        {"mogrify -define jpeg:size=200x200 -thumbnail 100x100", "mogrify",
         QStringLiteral("%1 mogrify -path %2 -define jpeg:size=200x200 -thumbnail 100x100").arg(files, out)},
        {"vipsthumbnail", "vipsthumbnail",
         QStringLiteral("%1 vipsthumbnail -s 100 -o %2/%%s_tn.jpg").arg(files, out)},
        {"djpeg -scale 1/8 (decode only)", "djpeg",
         QStringLiteral("ls %1/*.jpg | xargs -P8 -I{} sh -c 'djpeg -scale 1/8 {} > /dev/null'").arg(corpus)},
    };
    std::printf("\n%-52s %8s %8s\n", "run", "seconds", "ours/it");
    std::printf("%-52s %8.2f\n", "advanced page run (copy, thumbnails, pages)", ours);
    for (const Tool& t : tools) {
        const double secs = timeTool(t.exe, t.command);
        if (secs < 0)
            std::printf("%-52s %8s\n", t.name, "missing");
        else
            std::printf("%-52s %8.2f %8.2f\n", t.name, secs, ours / secs);
    }
    return 0;
}

// Times a click on a list entry until its picture is shown, in View Images and
// Simple View, over photo-like JPEGs of 12 and 24 megapixels (4000x3000 and
// 6000x4000, quality 90), with the windows at their opening size on the
// offscreen platform. A click is a mouse press and release on the row.
//
// - A jump: a click on an entry that was not read ahead (three rows on), once
//   the window is idle. Beside each jump, on the same photo and in alternating
//   order: the floor, QImageReader decoding at the size the window shows the
//   photo (setScaledSize before read), and the load the windows did before
//   (the whole photo decoded, then reduced), both on this thread.
// - The opening: from opening the window on the list until its first picture is
//   shown, against the floor on that photo at the size the window shows it.
// - A step: a click on the next entry, once the window is idle (read ahead).
// - The GUI thread's longest block: the longest gap between the ticks of a
//   1 ms timer during the jumps and steps (the floor rows are not watched).
// - Memory: the peak resident size while stepping through the list, over the
//   resident size before the window opened.
// CPU time is user + system time of every thread of the process per click.
// Rounds: the first argument or BENCH_ROUNDS (default 5); photos per size:
// BENCH_PHOTOS (default 8, at least 5). Photos are kept in BENCH_CORPUS when set.
#include "benchrounds.h"

#include "viewer/widgets/frmsimplev.h"
#include "viewer/widgets/frmviewem.h"
#include "viewer/viewimages.h"

#include "settings/program.h"

#include "platform/imagecontrol.h"
#include "platform/widgets/imageview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>

using namespace mosaicon;
using namespace mosaicon::viewer;

namespace {

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The longest time the GUI thread went without running its 1 ms timer while watched.
class Heartbeat
{
public:
    Heartbeat()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            if (m_watching)
                m_longestNs = std::max(m_longestNs, now - m_last);
            m_last = now;
        });
        m_clock.start();
        m_timer.start();
    }
    void watch(bool on)
    {
        m_watching = on;
        m_last = m_clock.nsecsElapsed();
    }
    double longestMs() const { return m_longestNs / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestNs = 0;
    bool m_watching = false;
};

// One picture window, open over a list of photos.
class Window
{
public:
    virtual ~Window() = default;
    virtual QListWidget* list() const = 0;
    // The picture of that file is shown and nothing more is asked for.
    virtual bool shows(const QString& path) const = 0;
    // The size the window holds its picture at, in pixels.
    virtual QSize held() const = 0;
    // Nothing is being read, asked for or ahead.
    virtual bool idle() const = 0;
};

class ViewImagesWindow final : public Window
{
public:
    explicit ViewImagesWindow(const QStringList& photos) : m_dialog(&m_value)
    {
        m_value.Form_Load(photos);
        m_dialog.show();
    }
    QListWidget* list() const override { return m_dialog.listBox(ViewImages::Current); }
    bool shows(const QString& path) const override
    {
        return m_value.viewimage.fileName() == path && !m_value.pictures.loading();
    }
    QSize held() const override { return m_value.viewimage.heldSize(); }
    bool idle() const override { return m_value.pictures.idle(); }

private:
    ViewImages m_value;
    FrmViewem m_dialog;
};

class SimpleViewWindow final : public Window
{
public:
    explicit SimpleViewWindow(const QStringList& photos)
    {
        m_value.load(photos);
        m_dialog = std::make_unique<FrmSimpleV>(&m_value);
        m_dialog->show();
    }
    QListWidget* list() const override { return m_dialog->flelist(); }
    bool shows(const QString& path) const override
    {
        return m_value.viewimage.fileName() == path && !m_value.pictures.loading();
    }
    QSize held() const override { return m_value.viewimage.heldSize(); }
    bool idle() const override { return m_value.pictures.idle(); }

private:
    SimpleView m_value;
    std::unique_ptr<FrmSimpleV> m_dialog;
};

void runUntil(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// What a user's click does: a press and a release of the left button on the row.
void clickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    const QPointF at = list->visualItemRect(list->item(row)).center();
    const QPointF global = list->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &release);
}

struct Click
{
    double wallMs = 0;
    double cpuMs = 0;
};

// Clicks a row and runs events until its picture is shown and painted.
Click clickAndWait(Window& window, Heartbeat& beat, int row, const QString& path)
{
    runUntil([&] { return window.idle(); });
    beat.watch(true);
    const double cpu = cpuMs();
    QElapsedTimer clock;
    clock.start();
    clickRow(window.list(), row);
    runUntil([&] { return window.shows(path); });
    // The repaint the picture asked for.
    QCoreApplication::processEvents();
    Click click{clock.nsecsElapsed() / 1e6, cpuMs() - cpu};
    beat.watch(false);
    return click;
}

double floorMs(const QString& path, QSize size)
{
    QElapsedTimer clock;
    clock.start();
    QImageReader reader(path);
    reader.setScaledSize(size);
    const QImage image = reader.read();
    const double ms = clock.nsecsElapsed() / 1e6;
    if (image.size() != size)
        std::printf("note: the floor read %s at %dx%d, not %dx%d\n", qPrintable(path),
                    image.width(), image.height(), size.width(), size.height());
    return ms;
}

// The load the windows did before: the whole photo, then reduced to the frame.
double wholeLoadMs(const QString& path, QSize size)
{
    QElapsedTimer clock;
    clock.start();
    platform::ImageControl control;
    control.setFileName(path);
    const QImage shown =
        control.picture().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Q_UNUSED(shown);
    return clock.nsecsElapsed() / 1e6;
}

struct Result
{
    QString window;
    QString photo;
    QList<double> jumps, jumpCpu, floors, wholeLoads, steps, openings, openingCpu, openingFloors;
    double guiLongestMs = 0;
    long idleKb = 0;
    long peakOverIdleKb = 0;
};

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double worst(const QList<double>& values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

// A step between jumps that never lands next to the entry shown.
int jumpStride(int count)
{
    for (int k = 2; k <= count - 2; ++k)
        if (std::gcd(k, count) == 1)
            return k;
    return 2;
}

// One window over one list: the jumps with the floor beside each, then the steps.
void runWindow(Result& result, const std::function<std::unique_ptr<Window>()>& open,
               const QStringList& photos, Heartbeat& beat)
{
    malloc_trim(0);
    const long idleKb = residentKb();
    result.idleKb = std::max(result.idleKb, idleKb);
    const double openCpu = cpuMs();
    QElapsedTimer openClock;
    openClock.start();
    std::unique_ptr<Window> window = open();
    const int count = int(photos.size());
    runUntil([&] { return window->shows(photos.first()); });
    result.openings.append(openClock.nsecsElapsed() / 1e6);
    result.openingCpu.append(cpuMs() - openCpu);
    runUntil([&] { return window->idle(); });
    result.openingFloors.append(floorMs(photos.first(), window->held()));

    // The photos of a set share one size, so the window shows them all at the
    // size it shows the first one at.
    const QSize shown = window->held();
    const int stride = jumpStride(count);
    int row = 0;
    for (int i = 0; i < count; ++i) {
        row = (row + stride) % count;
        const QString& path = photos.at(row);
        const auto references = [&] {
            result.floors.append(floorMs(path, shown));
            result.wholeLoads.append(wholeLoadMs(path, shown));
        };
        if (i % 2 == 0)
            references();
        const Click click = clickAndWait(*window, beat, row, path);
        result.jumps.append(click.wallMs);
        result.jumpCpu.append(click.cpuMs);
        if (i % 2 == 1)
            references();
    }

    // Stepping from the first entry to the last, as fast as the window is idle.
    clickAndWait(*window, beat, 0, photos.first());
    malloc_trim(0);
    const Sample stepping = measureWithMemory([&] {
        for (int next = 1; next < count; ++next)
            result.steps.append(clickAndWait(*window, beat, next, photos.at(next)).wallMs);
    });
    result.peakOverIdleKb = std::max(result.peakOverIdleKb, stepping.peakKb - idleKb);
    window.reset();
    QCoreApplication::processEvents();
    result.guiLongestMs = std::max(result.guiLongestMs, beat.longestMs());
}

void freshProgram(const QString& folder)
{
    Settings& s = freshProgramIn(folder);
    s.target_dir = folder;
    s.thumb_size = QStringLiteral("100");
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int rounds = roundCount(argc, argv);
    bool ok = false;
    int photoCount = qEnvironmentVariableIntValue("BENCH_PHOTOS", &ok);
    photoCount = ok ? std::clamp(photoCount, 5, 200) : 8;

    QTemporaryDir temp;
    QString corpus = qEnvironmentVariable("BENCH_CORPUS");
    if (corpus.isEmpty())
        corpus = temp.path() + QStringLiteral("/corpus");
    const QList<std::pair<QString, QStringList>> sets{
        {QStringLiteral("4000x3000"),
         preparePhotos(corpus, QStringLiteral("photo"), QSize(4000, 3000), photoCount)},
        {QStringLiteral("6000x4000"),
         preparePhotos(corpus, QStringLiteral("photo24mp"), QSize(6000, 4000), photoCount)},
    };
    freshProgram(temp.path());

    using Opener = std::function<std::unique_ptr<Window>(const QStringList&)>;
    const QList<std::pair<QString, Opener>> windows{
        {QStringLiteral("View Images"),
         [](const QStringList& photos) { return std::make_unique<ViewImagesWindow>(photos); }},
        {QStringLiteral("Simple View"),
         [](const QStringList& photos) { return std::make_unique<SimpleViewWindow>(photos); }},
    };

    QList<Result> results;
    for (const auto& [photo, photos] : sets)
        for (const auto& [name, opener] : windows) {
            Result result;
            result.window = name;
            result.photo = photo;
            results.append(result);
        }

    for (int r = 0; r < rounds; ++r) {
        for (qsizetype k = 0; k < results.size(); ++k) {
            const qsizetype i = (r + k) % results.size();
            Result& result = results[i];
            const QStringList& photos = sets.at(i / windows.size()).second;
            const Opener& opener = windows.at(i % windows.size()).second;
            Heartbeat beat;
            const auto open = [&] { return opener(photos); };
            runWindow(result, open, photos, beat);
        }
        std::printf("round %d of %d done\n", r + 1, rounds);
        std::fflush(stdout);
    }

    std::printf("\n%d rounds over %d photos of each size; times in ms, median (worst).\n"
                "jump: a click on an entry not read ahead; floor: QImageReader at the shown size; "
                "before: the whole photo decoded, then reduced (the windows' load until now);\n"
                "step: a click on the next entry; GUI block: the GUI thread's longest gap; "
                "memory: peak while stepping over the resident size before the window opened.\n\n",
                rounds, photoCount);
    std::printf("%-12s %-10s %16s %8s %8s %6s %8s %14s %10s %10s %9s\n", "window", "photo", "jump",
                "CPU", "floor", "/floor", "before", "step", "GUI block", "memory MB", "idle MB");
    bool jumpsMet = true, stepsMet = true, blockMet = true, memoryMet = true;
    for (const Result& r : results) {
        const double ratio = median(r.jumps) / median(r.floors);
        std::printf("%-12s %-10s %7.1f (%6.1f) %8.1f %8.1f %6.2f %8.1f %6.1f (%5.1f) %10.1f %10.1f "
                    "%9.1f\n",
                    qPrintable(r.window), qPrintable(r.photo), median(r.jumps), worst(r.jumps),
                    median(r.jumpCpu), median(r.floors), ratio, median(r.wholeLoads),
                    median(r.steps), worst(r.steps), r.guiLongestMs, r.peakOverIdleKb / 1024.0,
                    r.idleKb / 1024.0);
        jumpsMet = jumpsMet && ratio <= 1.2;
        stepsMet = stepsMet && worst(r.steps) <= 20;
        blockMet = blockMet && r.guiLongestMs <= 16;
        if (r.photo == QLatin1String("6000x4000"))
            memoryMet = memoryMet && r.peakOverIdleKb <= 40 * 1024;
    }
    std::printf("\nopening: from opening the window until its first picture is shown; floor: "
                "QImageReader on that photo at the shown size.\n\n");
    std::printf("%-12s %-10s %16s %8s %8s %6s\n", "window", "photo", "opening", "CPU", "floor",
                "/floor");
    bool openingsMet = true;
    for (const Result& r : results) {
        const double ratio = median(r.openings) / median(r.openingFloors);
        std::printf("%-12s %-10s %7.1f (%6.1f) %8.1f %8.1f %6.2f\n", qPrintable(r.window),
                    qPrintable(r.photo), median(r.openings), worst(r.openings),
                    median(r.openingCpu), median(r.openingFloors), ratio);
        openingsMet = openingsMet && ratio <= 1.2;
    }
    std::printf("\ngoal: a jump within 1.2x the floor (median)                %s\n"
                "goal: an opening within 1.2x the floor (median)            %s\n"
                "goal: a step within 20 ms (worst)                          %s\n"
                "goal: the GUI thread never blocked over 16 ms              %s\n"
                "goal: stepping through 24 MP photos within 40 MB of idle   %s\n",
                verdict(jumpsMet), verdict(openingsMet), verdict(stepsMet), verdict(blockMet),
                verdict(memoryMet));
    return 0;
}

// Times a search with sub-folders over 100,000 files in 5,000 folders against
// `find DIR -type f -iname PATTERN` on the same tree (the search ignores case
// too), the floor a search cannot beat. The search yields to the event loop as
// the window does (at most every 10 ms), so its row includes what keeps the
// window answering. The window row runs the same search through the shown
// multi-drive window, which fills its lists as it goes.
//
// The window is timed as a user has it: on an X server with the accessibility
// bridge on, as for a screen reader. Unless it already runs so, the benchmark
// starts itself again under xvfb-run with a session bus of its own, where the
// AT-SPI bus is started and Qt is told to keep accessibility on.
#include "benchrounds.h"

#include "mainwindow/multidrive.h"

#include "platform/events.h"
#include "platform/foldersearch.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <vector>

#include <unistd.h>

using namespace mosaicon::platform;
using namespace Qt::StringLiterals;

namespace {

constexpr int topFolders = 50;
constexpr int subFolders = 99; // 50 + 50 * 99 = 5,000 folders
constexpr int filesPerFolder = 20;
constexpr int expectedFound = (topFolders + topFolders * subFolders) * filesPerFolder * 3 / 4;
constexpr double goal = 2.0;
const QString pattern = u"*.jpg"_s;
// Set in the environment of the benchmark started again on its own X server.
constexpr const char* realWindowVariable = "MOSAICON_BENCH_REAL_WINDOW";

bool makeTree(const QString& root)
{
    int folders = 0;
    int files = 0;
    const auto fill = [&](const QString& folder) {
        if (!QDir().mkpath(folder))
            return false;
        ++folders;
        for (int f = 0; f < filesPerFolder; ++f) {
            // Three in four match the pattern.
            QFile file(folder + u"/IMG_%1.%2"_s.arg(f).arg(f % 4 == 3 ? u"txt"_s : u"jpg"_s));
            if (!file.open(QIODevice::WriteOnly))
                return false;
            ++files;
        }
        return true;
    };
    for (int t = 0; t < topFolders; ++t) {
        const QString top = root + u"/t%1"_s.arg(t);
        if (!fill(top))
            return false;
        for (int s = 0; s < subFolders; ++s) {
            if (!fill(top + u"/s%1"_s.arg(s)))
                return false;
        }
    }
    std::printf("tree: %d folders, %d files\n", folders, files);
    return true;
}

Sample runFind(const QString& root)
{
    QByteArray listed;
    Sample sample = measure(RUSAGE_CHILDREN, [&] {
        QProcess find;
        find.start(u"find"_s, {root, u"-type"_s, u"f"_s, u"-iname"_s, pattern});
        find.waitForFinished(-1);
        listed = find.readAllStandardOutput();
    });
    sample.made = int(listed.count('\n'));
    return sample;
}

Sample runSearch(const QString& root)
{
    int found = 0;
    Sample sample = measure(RUSAGE_SELF, [&] {
        FolderSearch search({root}, {}, {pattern, true, false});
        search.setYield(throttledYield(&doEvents));
        search.run();
        found = int(search.results().size());
    });
    sample.made = found;
    return sample;
}

Sample runWindow(mosaicon::MultiDrive& window, const QString& root)
{
    window.fles()->clear();
    window.dirs()->clear();
    window.dirs()->addItem(root);
    doEvents();
    // Until the lists are painted with all that was found.
    Sample sample = measure(RUSAGE_SELF, [&] {
        window.add_files();
        doEvents();
    });
    sample.made = window.fles()->count();
    return sample;
}

// Starts this program again on a virtual X server with a session bus whose
// AT-SPI bus is up before the program asks for it (Qt turns its bridge on only
// for a bus already there). Returns only when that cannot be done.
void runOnRealWindow(char* argv[])
{
    if (qEnvironmentVariableIsSet(realWindowVariable))
        return;
    for (const char* tool : {"xvfb-run", "dbus-run-session", "dbus-send"}) {
        if (QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty()) {
            std::printf("%s is missing: the window is timed on the offscreen platform\n", tool);
            return;
        }
    }
    std::fflush(stdout);
    qputenv(realWindowVariable, "1");
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    static const char* script =
        "dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus "
        "org.a11y.Bus.GetAddress >/dev/null || echo 'the AT-SPI bus did not start' >&2; "
        "exec \"$0\" \"$@\"";
    std::vector<char*> args = {const_cast<char*>("xvfb-run"),
                               const_cast<char*>("-a"),
                               const_cast<char*>("-s"),
                               const_cast<char*>("-screen 0 1280x1024x24"),
                               const_cast<char*>("dbus-run-session"),
                               const_cast<char*>("--"),
                               const_cast<char*>("sh"),
                               const_cast<char*>("-c"),
                               const_cast<char*>(script)};
    for (int i = 0; argv[i]; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execvp("xvfb-run", args.data());
    std::printf("xvfb-run could not be started: the window is timed on the offscreen platform\n");
    qunsetenv(realWindowVariable);
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = roundCount(argc, argv);
    runOnRealWindow(argv);
    const bool realWindow = qEnvironmentVariableIsSet(realWindowVariable);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !makeTree(dir.path() + u"/tree"_s)) {
        std::fprintf(stderr, "Cannot create the tree.\n");
        return 1;
    }
    const QString root = dir.path() + u"/tree"_s;
    mosaicon::MultiDrive window;
    window.subdir()->setChecked(true);
    window.filefilter()->setEditText(pattern);
    window.show();
    // The bridge connects to the AT-SPI bus through the event loop.
    QElapsedTimer waited;
    waited.start();
    while (realWindow && !QAccessible::isActive() && waited.elapsed() < 10'000) {
        doEvents();
        QThread::msleep(5);
    }
    const bool accessible = QAccessible::isActive();
    std::printf("platform: %s, accessibility %s\n", qPrintable(QGuiApplication::platformName()),
                accessible ? "on" : "off");

    // Warms the file cache, and the window's fonts and allocations.
    runFind(root);
    runWindow(window, root);

    QList<Row> rows;
    rows.append(
        Row(u"find -type f -iname '*.jpg'"_s, [&](const QString&) { return runFind(root); }));
    rows.append(
        Row(u"search, yielding every 10 ms"_s, [&](const QString&) { return runSearch(root); }));
    const QString windowName =
        realWindow && accessible
            ? u"window: X server, AT-SPI on"_s
            : u"window: %1, accessibility %2"_s.arg(QGuiApplication::platformName(),
                                                    accessible ? u"on"_s : u"off"_s);
    rows.append(Row(windowName, [&](const QString&) { return runWindow(window, root); }));
    runRounds(rows, dir.path(), rounds);
    printTable(rows, {1, 2}, {u"search"_s, u"window"_s}, rounds, expectedFound);

    const double ratio = rows[2].wall() / rows[0].wall();
    const bool real = realWindow && accessible && QGuiApplication::platformName() == u"xcb"_s;
    std::printf("\nwindow / find, wall: %.2f (goal: at most %.0f on a real window with "
                "accessibility on) %s%s\n",
                ratio, goal, verdict(real && ratio <= goal),
                real ? "" : " (not timed on an X server with accessibility on)");
    for (const Row& row : rows)
        for (const Sample& s : row.samples)
            if (s.made != expectedFound)
                return 2;
    return 0;
}

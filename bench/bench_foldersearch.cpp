// Times a search with sub-folders over 100,000 files in 5,000 folders against
// `find DIR -type f -iname PATTERN` on the same tree (the search ignores case
// too), the floor a search cannot beat. The search yields to the event loop as
// the window does (at most every 10 ms), so the ratio includes what keeps the
// window answering. The second row runs the same search through the shown
// multi-drive window, which fills its lists as it goes.
#include "mainwindow/multidrive.h"

#include "platform/events.h"
#include "platform/foldersearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace mosaicon::platform;
using namespace Qt::StringLiterals;

namespace {

constexpr int topFolders = 50;
constexpr int subFolders = 99; // 50 + 50 * 99 = 5,000 folders
constexpr int filesPerFolder = 20;
const QString pattern = u"*.jpg"_s;

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

qint64 timeFind(const QString& root, int* found)
{
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.start(u"find"_s, {root, u"-type"_s, u"f"_s, u"-iname"_s, pattern});
    find.waitForFinished(-1);
    const qint64 ns = timer.nsecsElapsed();
    *found = int(find.readAllStandardOutput().count('\n'));
    return ns;
}

qint64 timeSearch(const QString& root, int* found)
{
    QElapsedTimer timer;
    timer.start();
    FolderSearch search({root}, {}, {pattern, true, false});
    search.setYield(throttledYield(&doEvents));
    search.run();
    const qint64 ns = timer.nsecsElapsed();
    *found = int(search.results().size());
    return ns;
}

qint64 timeWindow(mosaicon::MultiDrive& window, const QString& root, int* found)
{
    window.fles()->clear();
    window.dirs()->clear();
    window.dirs()->addItem(root);
    QElapsedTimer timer;
    timer.start();
    window.add_files();
    const qint64 ns = timer.nsecsElapsed();
    *found = window.fles()->count();
    return ns;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !makeTree(dir.path())) {
        std::fprintf(stderr, "Cannot create the tree.\n");
        return 1;
    }
    mosaicon::MultiDrive window;
    window.subdir()->setChecked(true);
    window.filefilter()->setEditText(pattern);
    window.show();
    int findCount = 0;
    int searchCount = 0;
    int windowCount = 0;
    timeFind(dir.path(), &findCount); // warms the cache for both
    qint64 bestFind = std::numeric_limits<qint64>::max();
    qint64 bestSearch = std::numeric_limits<qint64>::max();
    qint64 bestWindow = std::numeric_limits<qint64>::max();
    for (int round = 0; round < 3; ++round) {
        bestFind = std::min(bestFind, timeFind(dir.path(), &findCount));
        bestSearch = std::min(bestSearch, timeSearch(dir.path(), &searchCount));
        bestWindow = std::min(bestWindow, timeWindow(window, dir.path(), &windowCount));
    }
    std::printf("find:   %8.1f ms, %d files\n", bestFind / 1e6, findCount);
    std::printf("search: %8.1f ms, %d files, ratio %.2f\n", bestSearch / 1e6, searchCount,
                double(bestSearch) / double(bestFind));
    std::printf("window: %8.1f ms, %d files, ratio %.2f (goal: at most 2)\n", bestWindow / 1e6,
                windowCount, double(bestWindow) / double(bestFind));
    return findCount == searchCount && findCount == windowCount ? 0 : 2;
}

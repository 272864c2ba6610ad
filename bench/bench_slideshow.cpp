// Times slide shows with frames on 200 photos of 12 MP and 40 of 24 MP, and
// measures how long the window's thread goes without answering its event
// loop: the longest gap between the ticks of a 1 ms timer on that thread.
// Each size runs with the defaults chosen (no prompt at all), and with the
// prompts shown until "use default values" is ticked in the first slide's
// own prompt. A shown prompt runs the event loop once and returns, as a
// user's instant OK.
// Rounds: the first argument or BENCH_ROUNDS (default 5); photos: BENCH_PHOTOS
// (the 24 MP rows take a fifth of them).
#include "benchrounds.h"

#include "pagekit/pageprompt.h"
#include "pagekit/pagerun.h"
#include "slides/slideshow.h"

#include "settings/program.h"

#include "platform/ui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace mosaicon;

namespace {

// Answers every prompt at once; ticks "use default values" at the prompt
// of that number (0: never).
class InstantAnswers : public platform::Ui
{
public:
    int tickAt = 0;
    int prompts = 0;
    int boxes = 0;

    int messageBox(const QString& text, int, const QString&) override
    {
        ++boxes;
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
        return platform::MsgBox::Ok;
    }
    std::optional<QString> inputBox(const QString&, const QString&,
                                    const QString& defaultText) override
    {
        return defaultText;
    }
    std::optional<QString> fileDialog(const platform::FileDialogRequest&) override
    {
        return std::nullopt;
    }
    std::optional<QColor> colorDialog(const QColor&) override { return std::nullopt; }
    bool showModal(const QString&, QObject* window) override
    {
        auto* prompt = qobject_cast<PagePrompt*>(window);
        if (!prompt)
            return false;
        if (++prompts == tickAt)
            prompt->o_use_default_values.value = true;
        // A modal prompt runs the event loop while it is up.
        QCoreApplication::processEvents();
        prompt->acceptAnswers();
        return true;
    }
};

struct Blocks
{
    double wall = 0;
    double longest = 0; // ms
    int over50 = 0;
    int over100 = 0;
    int prompts = 0;
    int boxes = 0;
};

// One framed slide show from a fresh output folder and settings file.
Blocks slideShow(const QStringList& photos, const QString& scratch, bool prompted)
{
    Settings& s = freshProgramIn(scratch);
    s.internet_dir = scratch + QStringLiteral("/web");
    s.use_frames = true;

    InstantAnswers answers;
    // The frames show asks for its index and its start page before the first slide.
    answers.tickAt = prompted ? 3 : 0;
    platform::setUi(&answers);

    QStringList templist;
    QStringList sources;
    PageLists lists;
    lists.templist = &templist;
    lists.o_original_location = &sources;
    lists.items = photos;
    lists.selected = QList<bool>(photos.size(), false);
    const auto run = start_page_run(lists, QStringLiteral("slideshow"));
    run->prompt().o_use_default_values.value = !prompted;

    QElapsedTimer clock;
    QList<qint64> ticks; // ns since the start
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] { ticks.append(clock.nsecsElapsed()); });
    timer.start();
    clock.start();
    go_create_slideshow(*run);
    const qint64 end = clock.nsecsElapsed();
    timer.stop();
    platform::setUi(nullptr);

    Blocks b;
    b.wall = end / 1e9;
    ticks.prepend(0);
    ticks.append(end);
    for (qsizetype i = 1; i < ticks.size(); ++i) {
        const double gap = (ticks.at(i) - ticks.at(i - 1)) / 1e6;
        b.longest = std::max(b.longest, gap);
        b.over50 += gap > 50;
        b.over100 += gap > 100;
    }
    b.prompts = answers.prompts;
    b.boxes = answers.boxes;
    return b;
}

struct Case
{
    const char* name;
    QStringList photos;
    bool prompted;
    QList<Blocks> rounds;
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = roundCount(argc, argv);
    QTemporaryDir dir;
    const int count = photoCount();
    const QStringList twelve = preparePhotoCorpus(dir.path(), count);
    QString big = qEnvironmentVariable("BENCH_CORPUS");
    if (big.isEmpty())
        big = dir.filePath(QStringLiteral("corpus"));
    const QStringList twentyFour =
        preparePhotos(big, QStringLiteral("photo24mp"), QSize(6000, 4000), std::max(1, count / 5));

    QList<Case> cases{
        {"12 MP, defaults chosen", twelve, false, {}},
        {"12 MP, defaults ticked at slide 1", twelve, true, {}},
        {"24 MP, defaults chosen", twentyFour, false, {}},
        {"24 MP, defaults ticked at slide 1", twentyFour, true, {}},
    };
    std::printf("%d rounds of %lld slide shows (%lld photos of 12 MP, %lld of 24 MP)...\n", rounds,
                qlonglong(cases.size()), qlonglong(twelve.size()), qlonglong(twentyFour.size()));
    std::fflush(stdout);
    for (int r = 0; r < rounds; ++r) {
        for (qsizetype i = 0; i < cases.size(); ++i) {
            Case& c = cases[(i + r) % cases.size()];
            QTemporaryDir scratch(dir.filePath(QStringLiteral("run-XXXXXX")));
            c.rounds.append(slideShow(c.photos, scratch.path(), c.prompted));
        }
    }

    std::printf("\n%-36s %9s %12s %12s %9s %9s %8s\n", "slide show (frames)", "wall s",
                "longest ms", "worst ms", ">50 ms", ">100 ms", "prompts");
    bool pass = true;
    for (const Case& c : cases) {
        QList<double> wall;
        QList<double> longest;
        double worst = 0;
        int over50 = 0;
        int over100 = 0;
        for (const Blocks& b : c.rounds) {
            wall << b.wall;
            longest << b.longest;
            worst = std::max(worst, b.longest);
            over50 = std::max(over50, b.over50);
            over100 = std::max(over100, b.over100);
            if (b.boxes > 0)
                std::printf("note: %s raised %d message box(es)\n", c.name, b.boxes);
        }
        std::printf("%-36s %9.2f %12.1f %12.1f %9d %9d %8d\n", c.name, median(wall),
                    median(longest), worst, over50, over100,
                    c.rounds.isEmpty() ? 0 : c.rounds.first().prompts);
        pass = pass && worst <= 100;
    }
    std::printf("\nlongest: median over the rounds of the longest gap; worst: the largest of them; "
                ">50/>100 ms: the most gaps over that in one round.\n");
    std::printf("Goal: the window's thread never goes over 100 ms without its event loop  %s\n",
                verdict(pass));
    return 0;
}

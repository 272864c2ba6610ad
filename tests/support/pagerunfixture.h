#pragma once

#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "fakemainform.h"
#include "testprogram.h"

#include <QDir>
#include <QImage>

#include <functional>
#include <memory>

// What a page run needs around it: a program folder with its settings file,
// pictures in "pics", the internet directory "web", a main window that records
// the status lines, the working lists, and a run whose page prompt is answered
// by its defaults.
struct PageRunFixture
{
    TestProgram tp;
    FakeMainForm window;
    QStringList templist;
    QStringList sources;
    mosaicon::PageLists lists;
    QString toolbarKey = QStringLiteral("advhtml");
    std::unique_ptr<mosaicon::PageRun> pageRun;
    // What the test sets in the run's prompt before the run starts writing.
    std::function<void(mosaicon::PagePrompt&)> preparePrompt;

    PageRunFixture()
    {
        mosaicon::Program& p = mosaicon::program();
        p.ini_file_path = tp.path("mosaik.ini");
        mosaicon::platform::setMainFormView(&window);
        p.settings.internet_dir = tp.path("web");
        setDefaultPageColours();
        QDir(tp.folder()).mkpath(QStringLiteral("pics"));
        lists.templist = &templist;
        lists.o_original_location = &sources;
    }
    ~PageRunFixture() { mosaicon::platform::setMainFormView(nullptr); }
    PageRunFixture(const PageRunFixture&) = delete;
    PageRunFixture& operator=(const PageRunFixture&) = delete;

    // The run over the file list as it stands when first asked for, started
    // as the toolbar starts it.
    mosaicon::PageRun& started()
    {
        if (!pageRun) {
            pageRun = mosaicon::start_page_run(lists, toolbarKey);
            pageRun->prompt().o_use_default_values.value = true;
            if (preparePrompt)
                preparePrompt(pageRun->prompt());
        }
        return *pageRun;
    }

    // A picture of that size in "pics", PNG or JPEG by its name, added to the file list.
    QString picture(const QString& name, int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        const QString path = tp.path(QStringLiteral("pics/") + name);
        img.save(path, name.endsWith(QLatin1String(".png")) ? "PNG" : "JPEG");
        return listed(path);
    }
    // A file of these bytes in "pics", added to the file list.
    QString file(const QString& name, const QByteArray& bytes)
    {
        tp.write(QStringLiteral("pics/") + name, bytes);
        return listed(tp.path(QStringLiteral("pics/") + name));
    }
    QString listed(const QString& path)
    {
        lists.items.append(path);
        lists.selected.append(false);
        return path;
    }
};

#pragma once

#include "pagekit/generatedfiles.h"
#include "pagekit/pagelists.h"
#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "fakemainform.h"
#include "testprogram.h"

#include <QDir>
#include <QImage>

// What a page run needs around it: a program folder with its settings file,
// pictures in "pics", the internet directory "web", a main window that records
// the status lines, the working lists, and the page prompt answered by its
// defaults.
struct PageRunFixture
{
    TestProgram tp;
    FakeMainForm window;
    QStringList templist;
    QStringList sources;
    mosaicon::PageLists lists;

    PageRunFixture()
    {
        mosaicon::Program& p = mosaicon::program();
        p.ini_file_path = tp.path("mosaik.ini");
        p.main_form = &window;
        p.settings.internet_dir = tp.path("web");
        setDefaultPageColours();
        QDir(tp.folder()).mkpath(QStringLiteral("pics"));
        mosaicon::frm_htmltitle->o_use_default_values.value = true;
        lists.templist = &templist;
        lists.o_original_location = &sources;
    }
    ~PageRunFixture()
    {
        mosaicon::program().main_form = nullptr;
        mosaicon::frm_htmltitle.unload();
        mosaicon::frm_htmledit.unload();
    }
    PageRunFixture(const PageRunFixture&) = delete;
    PageRunFixture& operator=(const PageRunFixture&) = delete;

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

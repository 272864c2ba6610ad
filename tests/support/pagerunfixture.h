#pragma once

#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "fakemainform.h"
#include "testprogram.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QUrl>

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

    // Thumbnails on the pages: at most 100 pixels, JPEG quality 75, three to a row.
    void useThumbnails()
    {
        mosaicon::Settings& s = mosaicon::settings();
        s.thumb_size = QStringLiteral("100");
        s.thumb_quality = QStringLiteral("75");
        s.use_thumbnail = true;
        s.image_count = QStringLiteral("3");
    }

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

    // The addresses a browser follows from the pages in "web" (src, href and
    // background attributes, in either case), each decoded as a browser
    // decodes it; those whose file is not in "web" as "page: address".
    struct WebAddresses
    {
        int count = 0;
        QStringList broken;
    };
    WebAddresses webAddresses() const
    {
        static const QRegularExpression attribute(
            QStringLiteral("(?:src|href|background)=\"([^\"]*)\""),
            QRegularExpression::CaseInsensitiveOption);
        WebAddresses found;
        const QDir web(tp.path("web"));
        for (const QString& name : web.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
            const QString page = QString::fromUtf8(tp.read(QStringLiteral("web/") + name));
            for (auto it = attribute.globalMatch(page); it.hasNext(); ++found.count) {
                const QString address =
                    it.next().captured(1).replace(QLatin1String("&amp;"), QLatin1String("&"));
                if (!QFileInfo::exists(web.filePath(QUrl::fromPercentEncoding(address.toUtf8()))))
                    found.broken << name + QStringLiteral(": ") + address;
            }
        }
        return found;
    }
};

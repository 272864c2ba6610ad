#pragma once

#include "pagekit/pageprompt.h"

#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/profilefile.h"

#include "pagerunfixture.h"

#include <QDir>

#include <functional>
#include <initializer_list>

// The lines of a page, each ended by CR LF.
inline QByteArray lines(std::initializer_list<const char*> ls)
{
    QByteArray bytes;
    for (const char* l : ls)
        bytes += QByteArray(l) + "\r\n";
    return bytes;
}

inline const char* const pictureBody =
    "<body background=\"bg.gif\" text=#000000 link=#0000FF vlink=#FF0000 alink=#000000 >";

// A slide show's run, with or without frames, started by its toolbar key.
struct SlideRunFixture : PageRunFixture
{
    explicit SlideRunFixture(bool frames)
    {
        toolbarKey = QStringLiteral("slideshow");
        mosaicon::settings().use_frames = frames;
        QDir(tp.folder()).mkpath(QStringLiteral("web"));
    }
    // Three slides: a low one, a tall one (shown by its reduced copy) and a small one.
    void threePictures()
    {
        picture(QStringLiteral("a.jpg"), 100, 50);
        picture(QStringLiteral("b.jpg"), 100, 300);
        picture(QStringLiteral("c.jpg"), 50, 50);
    }
    // Two pictures, a navigation icon and a background whose names an address
    // must escape: blanks, '#', '&', '\'' and '%'.
    void oddFileNames()
    {
        picture(QStringLiteral("a b#1&'x.jpg"), 100, 300);
        picture(QStringLiteral("50% off.jpg"), 10, 10);
        tp.write("pics/my next.gif", "GIF89a");
        tp.write("pics/back ground.gif", "GIF89a");
        mosaicon::Settings& s = mosaicon::settings();
        s.next_icon = tp.path("pics/my next.gif");
        s.use_background_image = true;
        s.html_background = tp.path("pics/back ground.gif");
    }
    void showPrompts()
    {
        preparePrompt = [](mosaicon::PagePrompt& p) { p.o_use_default_values.value = false; };
    }
    // The prompt is shown once more, and answered by action.
    void prompted(std::function<void(mosaicon::PagePrompt&)> action)
    {
        tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                          [action](QObject* w) { action(*qobject_cast<mosaicon::PagePrompt*>(w)); });
    }
    // Every option a slide can show: navigation icons (with "exit" when asked),
    // automatic advance in a loop, titles, associated text as preformatted text,
    // banners, a background picture, a copyright, two titles and one text file.
    void everyOption(bool withExit)
    {
        mosaicon::Settings& s = mosaicon::settings();
        QStringList icons{"first", "next", "index", "previous", "last"};
        if (withExit)
            icons.insert(3, QStringLiteral("exit"));
        for (const QString& icon : icons)
            tp.write(QStringLiteral("pics/%1.gif").arg(icon), "GIF89a");
        s.first_icon = tp.path("pics/first.gif");
        s.next_icon = tp.path("pics/next.gif");
        s.index_icon = tp.path("pics/index.gif");
        if (withExit)
            s.exit_icon = tp.path("pics/exit.gif");
        s.previous_icon = tp.path("pics/previous.gif");
        s.last_icon = tp.path("pics/last.gif");
        s.auto_advance = true;
        s.slide_delay = QStringLiteral("5");
        s.slide_loop = true;
        s.display_title = true;
        s.use_associated_text = true;
        s.preformatted_text = true;
        tp.write("pics/top.gif", "GIF89a top");
        tp.write("pics/bottom.gif", "GIF89a bottom");
        tp.write("pics/bg.gif", "GIF89a bg");
        s.top_banner = tp.path("pics/top.gif");
        s.top_banner_link = QStringLiteral("http://example.com/");
        s.bottom_banner = tp.path("pics/bottom.gif");
        s.use_background_image = true;
        s.html_background = tp.path("pics/bg.gif");
        auto& ini = mosaicon::settingsFile();
        ini.put(QStringLiteral("Captions"), QStringLiteral("Copyright"), QStringLiteral("(c) Me"));
        mosaicon::store_associated_title(tp.path("pics/a.jpg"), QStringLiteral("Ay"));
        mosaicon::store_associated_title(tp.path("pics/b.jpg"), QStringLiteral("Bee"));
        tp.write("b.txt", "line one\r\nline two\r\n");
        ini.put(QStringLiteral("Associated Text"), tp.path("pics/b.jpg"), tp.path("b.txt"));
    }
    QStringList webFiles() const { return QDir(tp.path("web")).entryList(QDir::Files); }
};

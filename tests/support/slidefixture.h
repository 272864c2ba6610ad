#pragma once

#include "pagekit/pageprompt.h"

#include "settings/program.h"

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

inline const char* const colourBody = "<body bgcolor=#FFFFFF text=#000000 link=#0000FF vlink=#FF0000 alink=#000000 >";
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
    QStringList webFiles() const { return QDir(tp.path("web")).entryList(QDir::Files); }
};

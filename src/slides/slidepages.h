#pragma once

#include "pagekit/imagecopies.h"

#include <QList>
#include <QString>

#include <functional>

namespace mosaicon::platform {
class ImageControl;
}

namespace mosaicon {

class PagePrompt;
class PageRun;
class TextFile;

// The navigation icons' file names in the show's folder; "" for an icon
// whose file is missing, which gives the bracketed text link instead.
struct SlideIcons
{
    QString first;
    QString next;
    QString index;
    QString previous;
    QString last;
    QString exit;
};

// What the slides of one show share.
struct SlideShow
{
    QString folder;
    // The images' copies in the folder and their reduced copies, in slide order.
    QList<ImageJob> images;
    // Where the index links and the end page's "Go To" lead.
    QString startName;
    QString firstName;
    QString lastName;
    SlideIcons icons;
    // The images before this one have their reduced copies made.
    qsizetype reducedUpTo = 0;
    // The slides whose image exists.
    int written = 0;
};

// One slide's own values.
struct Slide
{
    qsizetype index = 0;
    QString title;
    QString name;
    QString previous;
    QString next;
};

// The file name of a path, as the pages refer to the files beside them.
QString file_name_part(const QString& path);
// "slide_" + number + ".htm".
QString slide_name(qsizetype number);

// Copies the icons whose files exist into the folder; the index and the exit
// icon only when asked.
SlideIcons copy_slide_icons(const QString& folder, bool index, bool exit);

// The height in pixels that a slide's image may have: the setting, which an
// empty or "0" value turns into "200" for good; any other value that is not
// a positive number counts as 200.
int slide_height();

// Names each image's reduced copy on no name the run holds.
void name_reduced_copies(SlideShow& show, QSet<QString>& taken);

// The page the show moves on to from a slide: the next slide, or the end
// page after the last one unless the show loops.
QString slide_move_on(const SlideShow& show, const Slide& slide);
// The line that moves on to target after the slide delay.
QString slide_refresh_line(const QString& target);
// The body line: the background picture, copied into the folder, or the colours.
QString slide_body_line(const QString& folder);
// A banner block as the slides write it, its file copied into the folder first.
void write_slide_banner(TextFile& page, const PagePrompt& prompt, bool top, const QString& folder);
// A navigation link: the icon when there is one, else "[" + word + "]".
QString slide_link(const QString& target, const QString& icon, const QString& word);
// The image's title line, when titles are displayed.
void write_slide_title(TextFile& page, const QString& title);
// Counts the slide, makes its reduced copy unless made already, and gives
// its image line: the reduced copy linked to the image when the image is
// higher than a slide's image may be, else the image itself.
QString slide_image_line(PageRun& run, SlideShow& show, qsizetype index);
// The image's associated text as one line, framed for preformatted text;
// "" when associated text is off.
QString slide_text_block(const QString& image_path);
// The copyright caption, centred, when the user set one.
void write_slide_copyright(TextFile& page);

// The two shows' end pages: the frames show's repeats the top banner and
// ends with the slides' copyright block; the frameless show's has no top
// banner and ends with the copyright block of its other pages.
enum class EndPageStyle
{
    Frames,
    Frameless
};

// The end page "the-end.htm", whose "Go To" link leads to index_target.
// False when it could not be written (the run has said so).
bool write_end_page(PageRun& run, const SlideShow& show, const QString& index_target, EndPageStyle style);

// The slide page of the show with frames, in the folder under the slide's
// name; at_image runs when the image exists, where the index page takes its
// entries. False when a page could not be written.
bool write_frames_slide(PageRun& run, SlideShow& show, const Slide& slide,
                        const std::function<void()>& at_image);

} // namespace mosaicon

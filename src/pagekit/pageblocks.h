#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace mosaicon {

class PagePrompt;
class TextFile;

// The banner block of a page, when the banner has a picture: centred, linked
// when a link is set.
void write_banner(TextFile& page, const QString& ref, const QString& link);

// The copyright caption of a page's foot, when the user set one.
void write_copyright(TextFile& page);

// Up to 100 lines of the user's header or footer file, line ends of any kind.
QStringList head_foot_lines(const QString& path);

// The user's header or footer file stands in for the program's own lines
// when the option is on and the file is there.
bool uses_head_foot_file(const QString& path);

// Copies the user's header or footer file onto the page as it stands, when
// it stands in; true when it did.
bool copy_head_foot_file(TextFile& page, const QString& path);

// Merges the user's header file into a page: its first html line (or
// "<html>" when it has none; lines before it are dropped), the title line when
// one is given, its last body line (or body when it has none), then its lines
// after the html line that open no body.
void merge_head_file(TextFile& page, const QString& path, const QString& body, const QString& title_line);

// Where a page's head puts its <title> line: the quick page has it before
// the body tag (and in a merged header too), the others after it.
enum class TitleLine
{
    AfterBody,
    BeforeBody
};

// The head of a page: the user's header file merged when header and footer
// files are on and it exists, else the built-in head with the prompt's
// title, the top banner and, when asked, a rule.
void write_page_head(TextFile& page, const PagePrompt& prompt, const QString& body, bool rule,
                     TitleLine title = TitleLine::AfterBody);

// The built-in foot: the bottom banner, the copyright caption and the closing tags.
void write_builtin_foot(TextFile& page, const PagePrompt& prompt);

// The foot of a page: the user's footer file merged when header and footer
// files are on and it exists (closing tags added where it lacks them), else
// the built-in foot.
void write_page_foot(TextFile& page, const PagePrompt& prompt);

// An image's associated text as a page writes it: each line followed by a
// blank, and by a line feed when the text is preformatted; "" without one.
QString associated_page_text(const QString& image_path, bool preformatted);

// The page's body tag from the colour settings; with a background address,
// the picture stands in place of the background colour.
QString body_tag(const QString& background_address = QString());

// A table's opening tag with the border and padding settings, across the
// whole page when asked.
QString table_tag(bool full_width = false);

// Where an image stands on a page, as the settings name it.
struct ImagePlace
{
    QString location;    // "left", "center" or "right"
    QString link;        // an address the image links to, or ""
    bool spacedLeft = false; // the left form ends " > " (the vertical page's own)
};

// The image line for src with its height and width at that place; "" for an
// unknown place.
QString located_image(const ImagePlace& place, const QString& src, const QString& height, const QString& width);

// An image's title and associated text, preformatted or not.
void write_text_block(TextFile& page, const QString& title, const QString& text, bool preformatted);

// One table cell around what content writes.
void write_cell(TextFile& page, const std::function<void()>& content);

// The text of a link caption by its id ("o_ss_view_slide", "o_ss_view_image",
// "o_ss_click_here", "o_copyright"): the user's text, or the built-in one. An
// unknown id has none.
QString get_caption(const QString& id);

// A local path's "file:" address, percent-encoded.
QString file_url(const QString& path);

// The page name an answer to a page-name prompt gives: the answer cut before
// its first ".", with ".htm" added. None when nothing is left, or, after
// telling the user, when what is left holds anything but letters and digits.
std::optional<QString> page_name_from_answer(const QString& answer);

// The page file's name for a proposed one: a fresh random one when it is
// empty; with Rename HTML on, the user is asked until a name of letters and
// digits is confirmed. The name comes without folder: the writers put it
// into the folder given, where a random name is drawn free.
QString ask_html_file_name(const QString& proposed, const QString& source, const QString& folder);

// An address made from a file name or path for a src or href attribute:
// percent-encoded (keeping "/"), so any name a camera or file manager
// produces reaches the browser whole.
QString html_address(const QString& name);

// True when a reference is already an address: blanks aside, it starts with
// a scheme (a letter, then letters, digits, "+", "-" or ".") and a ":". One
// letter before the colon is a drive, not a scheme.
bool is_address(const QString& ref);

// A reference the user gave (a banner, a catalog entry) for a src or href
// attribute: an address goes in as typed, escaped only where HTML needs it;
// a file name or path is made an address by html_address.
QString typed_address(const QString& ref);

// Text for the page body with "&", "<", ">" and quotes escaped.
QString html_text(const QString& text);

} // namespace mosaicon

#include "pagekit/pageblocks.h"

#include "pagekit/headfoot.h"
#include "pagekit/pageprompt.h"
#include "pagekit/textfile.h"

#include "settings/associatedtext.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/randomnames.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QFile>
#include <QUrl>

#include <algorithm>

namespace mosaicon {

namespace {

struct Caption
{
    const char* id;
    const char* key;
    const char* builtIn;
};

const Caption captions[] = {
    {"o_ss_view_slide", "View The Slide", "View The Slide"},
    {"o_ss_view_image", "View The image", "View The Image"},
    {"o_ss_click_here", "Click Here", "Click Here To Start"},
    {"o_copyright", "Copyright", ""},
};

// Tag tests of header and footer lines ignore case.
bool holds(const QString& line, const char* a, const char* b)
{
    const QString lower = line.toLower();
    return lower.contains(QLatin1String(a)) || lower.contains(QLatin1String(b));
}

bool isBadNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 1 && u <= 47) || (u >= 58 && u <= 64) || (u >= 91 && u <= 96) || (u >= 123 && u <= 127);
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

QString withSource(QString text, const QString& source)
{
    if (!source.isEmpty())
        text += QStringLiteral("\n\nSource File:  ") + source;
    return text;
}

} // namespace

void write_banner(TextFile& page, const QString& ref, const QString& link)
{
    if (ref.isEmpty())
        return;
    page.line(QStringLiteral("<p>"));
    page.line(QStringLiteral("<center>"));
    // A link has always gone in as typed; one holding a character that would
    // end the attribute or open a tag is made an address first.
    const bool breaks = std::any_of(link.begin(), link.end(),
                                    [](QChar c) { return c == u'"' || c == u'<' || c == u'>'; });
    if (!link.isEmpty())
        page.line(QStringLiteral("<a href=\"%1\" >").arg(breaks ? typed_address(link) : link));
    page.line(QStringLiteral("<img src=\"%1\" >").arg(typed_address(ref)));
    if (!link.isEmpty())
        page.line(QStringLiteral("</a>"));
    page.line(QStringLiteral("</center>"));
    page.line(QStringLiteral("<p>"));
}

void write_copyright(TextFile& page)
{
    const QString copyright = get_caption(QStringLiteral("o_copyright"));
    if (copyright.isEmpty())
        return;
    page.line(QStringLiteral("<p>"));
    page.line(QStringLiteral("<center>"));
    page.line(copyright);
    page.line(QStringLiteral("</center>"));
}

QStringList head_foot_lines(const QString& path)
{
    return platform::readTextLines(path).value_or(QStringList()).mid(0, 100);
}

bool uses_head_foot_file(const QString& path)
{
    return settings().header_and_footer && platform::file_exists(path);
}

bool copy_head_foot_file(TextFile& page, const QString& path)
{
    if (!uses_head_foot_file(path))
        return false;
    for (const QString& l : head_foot_lines(path))
        page.line(l);
    return true;
}

void merge_head_file(TextFile& page, const QString& path, const QString& body, const QString& title_line)
{
    const QStringList lines = head_foot_lines(path);
    const auto opensBody = [](const QString& l) { return holds(l, "<body", "< body"); };
    const auto htmlLine = std::find_if(lines.begin(), lines.end(),
                                       [](const QString& l) { return holds(l, "<html", "< html"); });
    const auto bodyLine = std::find_if(lines.rbegin(), lines.rend(), opensBody);
    page.line(htmlLine == lines.end() ? QStringLiteral("<html>") : *htmlLine);
    if (!title_line.isEmpty())
        page.line(title_line);
    page.line(bodyLine == lines.rend() ? body : *bodyLine);
    for (auto it = htmlLine == lines.end() ? lines.begin() : htmlLine + 1; it != lines.end(); ++it) {
        if (!opensBody(*it))
            page.line(*it);
    }
}

void write_page_head(TextFile& page, const PagePrompt& prompt, const QString& body, bool rule, TitleLine title)
{
    const Settings& s = settings();
    const QString titleLine = QStringLiteral("<title>%1</title>").arg(prompt.o_title_tag.text);
    const bool titleFirst = title == TitleLine::BeforeBody;
    const QString headFile = head_file_path();
    if (uses_head_foot_file(headFile)) {
        merge_head_file(page, headFile, body, titleFirst ? titleLine : QString());
        return;
    }
    page.line(QStringLiteral("<html>"));
    page.line(titleFirst ? titleLine : body);
    page.line(titleFirst ? body : titleLine);
    page.line(QStringLiteral("<center>"));
    write_banner(page, prompt.top_banner_ref, s.top_banner_link);
    page.line(QStringLiteral("<h1>%1</h1>").arg(prompt.o_title.text));
    page.line(QStringLiteral("</center>"));
    page.line(QStringLiteral("<p>"));
    if (rule) {
        page.line(QStringLiteral("<hr>"));
        page.line(QStringLiteral("<p>"));
    }
}

void write_builtin_foot(TextFile& page, const PagePrompt& prompt)
{
    write_banner(page, prompt.bottom_banner_ref, settings().bottom_banner_link);
    write_copyright(page);
    page.line(QStringLiteral("</body>"));
    page.line(QStringLiteral("</html>"));
}

void write_page_foot(TextFile& page, const PagePrompt& prompt)
{
    const QString footFile = foot_file_path();
    if (uses_head_foot_file(footFile)) {
        const QStringList lines = head_foot_lines(footFile);
        const auto closesHtml = [](const QString& l) { return holds(l, "/html", "/ html"); };
        const bool bodyClosed = std::any_of(lines.begin(), lines.end(),
                                            [](const QString& l) { return holds(l, "/body", "/ body"); });
        if (std::none_of(lines.begin(), lines.end(), closesHtml)) {
            for (const QString& l : lines)
                page.line(l);
            write_copyright(page);
            page.line(QStringLiteral("</body>"));
            page.line(QStringLiteral("</html>"));
            return;
        }
        for (const QString& l : lines) {
            if (closesHtml(l) && !bodyClosed)
                page.line(QStringLiteral("</body>"));
            page.line(l);
        }
        return;
    }
    write_builtin_foot(page, prompt);
}

QString associated_page_text(const QString& image_path, bool preformatted)
{
    QString text;
    for (const QString& line : associated_text_lines(image_path))
        text += line + (preformatted ? QStringLiteral(" \n") : QStringLiteral(" "));
    return text;
}

QString body_tag(const QString& background_address)
{
    const Settings& s = settings();
    const QString background = background_address.isEmpty()
                                   ? QStringLiteral("bgcolor=%1").arg(s.background_color.text())
                                   : QStringLiteral("background=\"%1\"").arg(background_address);
    return QStringLiteral("<body %1 text=%2 link=%3 vlink=%4 alink=%5 >")
        .arg(background, s.text_color.text(), s.link_color.text(), s.vlink_color.text(), s.alink_color.text());
}

QString table_tag(bool full_width)
{
    const Settings& s = settings();
    return QStringLiteral("<table border=%1 cellpadding=%2%3>")
        .arg(s.image_borders ? 1 : 0)
        .arg(s.table_cell_padding.text(), full_width ? QStringLiteral(" width=100%") : QString());
}

QString located_image(const ImagePlace& place, const QString& src, const QString& height, const QString& width)
{
    const QString open = place.link.isEmpty() ? QString() : QStringLiteral("<a href=\"%1\">").arg(place.link);
    const QString close = place.link.isEmpty() ? QString() : QStringLiteral("</a>");
    const QString img = QStringLiteral("<img src=\"%1\" height=%2 width=%3").arg(src, height, width);
    if (place.location == QLatin1String("left"))
        return place.spacedLeft ? img + QStringLiteral(" > ") : open + img + QStringLiteral(">") + close;
    if (place.location == QLatin1String("center"))
        return QStringLiteral("<center>") + open + img + QStringLiteral(" >") + close + QStringLiteral("</center>");
    if (place.location == QLatin1String("right"))
        return open + img + QStringLiteral(" align=right>") + close;
    return QString();
}

void write_text_block(TextFile& page, const QString& title, const QString& text, bool preformatted)
{
    if (preformatted)
        page.line(QStringLiteral("<pre>"));
    page.line(QStringLiteral("<b><u>%1</u></b><br>").arg(title));
    page.line(text);
    if (preformatted)
        page.line(QStringLiteral("</pre>"));
}

void write_cell(TextFile& page, const std::function<void()>& content)
{
    page.line(QStringLiteral("<td>"));
    content();
    page.line(QStringLiteral("</td>"));
}

QString get_caption(const QString& id)
{
    for (const Caption& c : captions) {
        if (id != QLatin1String(c.id))
            continue;
        const QString value =
            settingsFile().get(QStringLiteral("Captions"), QString::fromUtf8(c.key));
        return value.isEmpty() ? QString::fromUtf8(c.builtIn) : value;
    }
    return QString();
}

QString file_url(const QString& path)
{
    return QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
}

QString html_address(const QString& name)
{
    return html_text(QString::fromUtf8(QUrl::toPercentEncoding(name, "/")));
}

bool is_address(const QString& ref)
{
    const QString text = ref.trimmed();
    const qsizetype colon = text.indexOf(u':');
    if (colon < 2 || !isAsciiLetter(text.front()))
        return false;
    return std::all_of(text.begin() + 1, text.begin() + colon, [](QChar c) {
        return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    });
}

QString typed_address(const QString& ref)
{
    // Some pages quote their attributes with "'".
    return is_address(ref) ? html_text(ref).replace(u'\'', QLatin1String("&#39;")) : html_address(ref);
}

QString html_text(const QString& text)
{
    return text.toHtmlEscaped();
}

std::optional<QString> page_name_from_answer(const QString& answer)
{
    const QString base = answer.left(answer.indexOf(u'.') < 0 ? answer.size() : answer.indexOf(u'.'));
    if (std::any_of(base.begin(), base.end(), isBadNameCharacter)) {
        inform(QStringLiteral("You have entered a bad file name.  You can only use numbers and "
                              "letters for the file name.  Do not use special characters."));
        return std::nullopt;
    }
    // A page named ".htm" would be hidden.
    if (base.isEmpty())
        return std::nullopt;
    return base + QStringLiteral(".htm");
}

QString ask_html_file_name(const QString& proposed, const QString& source, const QString& folder)
{
    const Program& p = program();
    QString name = proposed;
    if (name.isEmpty()) {
        // Drawn free in the folder the page is written to.
        const std::optional<QString> path = platform::make_temp_file_name(folder, QStringLiteral("htm"));
        name = path ? platform::split_file_path(*path).file_name : QString();
    }
    if (!p.settings.rename_html)
        return name;

    QString proposal = name.startsWith(u'/') ? name.mid(1) : name;
    const QString prompt = withSource(QStringLiteral("What is the name of the HTML file?"), source);
    for (;;) {
        const QString answer = platform::ui().inputBox(prompt, p.product_title, proposal).value_or(QString());
        proposal = answer;
        const std::optional<QString> candidate = page_name_from_answer(answer);
        if (!candidate)
            continue;
        const QString question = withSource(
            QStringLiteral("Is '%1' the name of the file you want to use?").arg(candidate->toLower()), source);
        if (platform::msgbox(question, platform::MsgBox::YesNo, p.product_title) ==
            platform::MsgBox::Yes)
            return *candidate;
    }
}

} // namespace mosaicon

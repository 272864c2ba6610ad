#include "pages/pageblocks.h"

#include "pages/textfile.h"

#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/profilefile.h"
#include "platform/ui.h"

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

bool isBadNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 1 && u <= 47) || (u >= 58 && u <= 64) || (u >= 91 && u <= 96) || (u >= 123 && u <= 127);
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
    if (!link.isEmpty())
        page.line(QStringLiteral("<a href=\"%1\" >").arg(link));
    page.line(QStringLiteral("<img src=\"%1\" >").arg(html_address(ref)));
    if (!link.isEmpty())
        page.line(QStringLiteral("</a>"));
    page.line(QStringLiteral("</center>"));
    page.line(QStringLiteral("<p>"));
}

void write_copyright(TextFile& page)
{
    QString copyright;
    get_caption(QStringLiteral("o_copyright"), copyright);
    if (copyright.isEmpty())
        return;
    page.line(QStringLiteral("<p>"));
    page.line(QStringLiteral("<center>"));
    page.line(copyright);
    page.line(QStringLiteral("</center>"));
}

QString body_tag()
{
    const Settings& s = settings();
    return QStringLiteral("<body bgcolor=%1 text=%2 link=%3 vlink=%4 alink=%5 >")
        .arg(s.background_color.text(), s.text_color.text(), s.link_color.text(), s.vlink_color.text(),
             s.alink_color.text());
}

void get_caption(const QString& id, QString& text)
{
    for (const Caption& c : captions) {
        if (id != QLatin1String(c.id))
            continue;
        const QString value = platform::profile(program().ini_file_path)
                                  .get(QStringLiteral("Captions"), QString::fromUtf8(c.key));
        text = value.isEmpty() ? QString::fromUtf8(c.builtIn) : value;
        return;
    }
}

void make_file_url(QString& path)
{
    path = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
}

QString html_address(const QString& name)
{
    return html_text(QString::fromUtf8(QUrl::toPercentEncoding(name, "/")));
}

QString html_text(const QString& text)
{
    return text.toHtmlEscaped();
}

void ask_html_file_name(QString& name, const QString& source, const QString& folder)
{
    const Program& p = program();
    if (name.isEmpty()) {
        // Drawn free in the folder the page is written to.
        QString path;
        make_temp_file_name(path, folder.isEmpty() ? p.settings.internet_dir.text() : folder, QStringLiteral("htm"));
        QString dir;
        split_file_path(path, dir, name);
    }
    if (!p.settings.rename_html)
        return;

    QString proposal = name.startsWith(u'/') ? name.mid(1) : name;
    const QString prompt = withSource(QStringLiteral("What is the name of the HTML file?"), source);
    for (;;) {
        QString answer = platform::ui().inputBox(prompt, p.product_title, proposal).value_or(QString());
        proposal = answer;
        answer = answer.left(answer.indexOf(u'.') < 0 ? answer.size() : answer.indexOf(u'.'));
        if (std::any_of(answer.begin(), answer.end(), isBadNameCharacter)) {
            platform::msgbox(QStringLiteral("You have entered a bad file name.  You can only use numbers and "
                                            "letters for the file name.  Do not use special characters."),
                             platform::MsgBox::Information, p.product_title);
            continue;
        }
        const QString candidate = answer + QStringLiteral(".htm");
        if (candidate == QLatin1String(".htm"))
            continue;
        const QString question = withSource(
            QStringLiteral("Is '%1' the name of the file you want to use?").arg(candidate.toLower()), source);
        if (platform::msgbox(question, platform::MsgBox::YesNo, p.product_title) == platform::MsgBox::Yes) {
            name = candidate;
            return;
        }
    }
}

} // namespace mosaicon

#include "dialogs/htmlheadingfooting.h"

#include "pagekit/headfoot.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/textlines.h"
#include "platform/ui.h"

#include <QStringList>

namespace mosaicon {

namespace {

const QString lineEnd = QStringLiteral("\r\n");

QString fileText(const QString& path)
{
    QString text;
    for (const QString& line : platform::readTextLines(path).value_or(QStringList()))
        text += line + lineEnd;
    return text;
}

// CR LF throughout, and one line end at the close that the box may lack; a
// text that already ends its last line gets no empty line after it.
QByteArray fileBytes(const QString& text)
{
    QString body = platform::splitLines(text).join(lineEnd) + lineEnd;
    return body.toUtf8();
}

} // namespace

HtmlHeadingFooting::HtmlHeadingFooting(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_html_heading_footing"));
}

void HtmlHeadingFooting::edit()
{
    check_head_foot_files();
    edit(fileText(head_file_path()), fileText(foot_file_path()));
}

void HtmlHeadingFooting::edit(const QStringList& headingLines, const QStringList& footingLines)
{
    const auto text = [](const QString& path, const QStringList& lines) {
        return platform::file_exists(path) ? fileText(path) : lines.join(lineEnd) + lineEnd;
    };
    edit(text(head_file_path(), headingLines), text(foot_file_path(), footingLines));
}

void HtmlHeadingFooting::edit(const QString& heading, const QString& footing)
{
    HtmlHeadingFooting window;
    window.html_header.text = heading;
    window.html_footer.text = footing;
    platform::ui().showModal(window.objectName(), &window);
    window.Form_Unload();
}

void HtmlHeadingFooting::saveAndClose()
{
    if (!save())
        return;
    m_saved = true;
    emit hidden();
}

void HtmlHeadingFooting::Form_Unload()
{
    // After Save / Exit the files hold the boxes already.
    if (!m_saved)
        save();
}

bool HtmlHeadingFooting::save()
{
    QStringList failures;
    const std::pair<QString, const platform::TextBox*> files[] = {
        {head_file_path(), &html_header},
        {foot_file_path(), &html_footer},
    };
    for (const auto& [path, box] : files) {
        QString error;
        if (!platform::saveFileInPlace(path, fileBytes(box->text), &error))
            failures.append(QStringLiteral("%1: %2").arg(path, error));
    }
    if (failures.isEmpty())
        return true;
    platform::msgbox(QStringLiteral("The heading and footing could not be saved.\n%1")
                         .arg(failures.join(u'\n')),
                     platform::MsgBox::Exclamation, caption);
    return false;
}

} // namespace mosaicon

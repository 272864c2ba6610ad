#include "pagekit/pagerun.h"

#include "pagekit/pageblocks.h"
#include "pagekit/textfile.h"

#include "settings/editor.h"
#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/files.h"
#include "platform/profilefile.h"
#include "platform/shell.h"
#include "platform/ui.h"

#include <QFile>
#include <QFileInfo>

namespace mosaicon {

namespace {

void open_in_browser(const QString& page_path)
{
    QString address = page_path;
    make_file_url(address);
    platform::shell().open(address, [address](const QString& reason) {
        platform::msgbox(QStringLiteral("Error:  Possible Browser problem.  Check to make sure you have "
                                        "selected the proper browser application.\n\n") +
                             not_opened_message(address, reason),
                         platform::MsgBox::Exclamation, program().product_title);
    });
}

void tell_no_editor()
{
    platform::msgbox(QStringLiteral("You must use a supported Internet browser to automatically load the "
                                    "HTML file.  Only Netscape and MSIE browsers are supported with this "
                                    "function.  Please select the desired browser from the menu "
                                    "'Applications' option."),
                     platform::MsgBox::Exclamation, program().product_title);
}

} // namespace

PageRun::PageRun(PageLists pageLists)
    : lists(std::move(pageLists)), m_prompt(std::make_unique<PagePrompt>()),
      m_generated(std::make_unique<GeneratedFiles>())
{
    const Settings& s = settings();
    internetReady = s.internet_ready;
    relativeAddress = s.relative_address;
}

PageRun::~PageRun() = default;

bool PageRun::askForPage(const PageProposal& proposal)
{
    PagePrompt& p = prompt();
    p.f_file_name.caption = proposal.frameCaption;
    if (!p.use_title_for_all) {
        p.o_title.text = proposal.title;
        p.o_title_tag.text = proposal.title;
    }
    p.o_filename.text = proposal.fileName;
    if (!proposal.hasImage)
        p.Frame3.visible = false;
    if (!p.o_use_default_values.value && !settings().header_and_footer)
        p.show();
    if (stopped())
        return false;
    p.Frame3.visible = true;
    return true;
}

bool PageRun::pagePathFromPrompt(QString& page_path) const
{
    const Program& p = program();
    QString typedFolder;
    QString fileName;
    split_file_path(m_prompt->o_filename.text, typedFolder, fileName);
    if (fileName.isEmpty()) {
        platform::msgbox(QStringLiteral("The page cannot be written: it has no file name."),
                         platform::MsgBox::Exclamation, p.product_title);
        return false;
    }
    page_path = platform::joinPath(p.settings.internet_dir, fileName);
    return true;
}

void PageRun::listFile(const QString& path)
{
    m_generated->o_flist.append(path);
}

bool PageRun::openPage(QString& page_path)
{
    if (!pagePathFromPrompt(page_path))
        return false;
    listFile(page_path);
    QString error;
    failScript(m_scripts.start_batch_files(page_path, &error), error);
    // The banners the prompt copied into the internet directory go with the page.
    for (const QString& ref : {m_prompt->top_banner_ref, m_prompt->bottom_banner_ref}) {
        const QString copy = platform::joinPath(settings().internet_dir, ref);
        if (!ref.isEmpty() && !ref.contains(u'/') && file_exists(copy))
            publish(copy);
    }
    return !m_failed;
}

void PageRun::fail(const QString& message)
{
    if (m_failed)
        return;
    m_failed = true;
    show_status(message);
    platform::msgbox(message, platform::MsgBox::Exclamation, program().product_title);
}

void PageRun::failScript(bool ok, const QString& error)
{
    if (!ok)
        fail(error);
}

void PageRun::publish(const QString& path)
{
    QString folder = settings().internet_dir;
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    if (!path.startsWith(folder))
        return;
    QString error;
    failScript(m_scripts.add_copy_line(path, &error), error);
}

QString PageRun::backgroundBody(const QString& folder)
{
    const QString& picture = settings().html_background.text();
    QString dir;
    QString name;
    split_file_path(picture, dir, name);
    const QString copy = platform::joinPath(folder, name);
    QString error;
    if (!platform::copyFile(picture, copy, &error))
        fail(QStringLiteral("The background picture %1 could not be copied to %2: %3").arg(picture, copy, error));
    publish(copy);
    return body_tag(html_address(name));
}

void PageRun::unreadable(const QString& path, const QString& reason)
{
    m_unreadable.append(QStringLiteral("%1: %2").arg(path, reason));
    show_status(QStringLiteral("The picture %1 could not be read: %2").arg(path, reason));
}

void PageRun::reportUnreadable() const
{
    if (m_unreadable.isEmpty())
        return;
    platform::msgbox(QStringLiteral("These pictures could not be read:\n%1").arg(m_unreadable.join(u'\n')),
                     platform::MsgBox::Exclamation, program().product_title);
}

bool PageRun::savedBlank(const TextFile& page, const QString& page_path)
{
    if (!lists.templist->isEmpty())
        return false;
    show_status(QStringLiteral("The file list is blank."));
    savePage(page, page_path);
    return true;
}

bool PageRun::savePage(const TextFile& page, const QString& page_path)
{
    if (m_failed)
        return false;
    QString error;
    if (page.save(page_path, &error))
        return true;
    fail(QStringLiteral("The page %1 could not be written: %2").arg(page_path, error));
    return false;
}

bool PageRun::saveRecords()
{
    if (m_failed)
        return false;
    platform::ProfileFile& records = platform::profile(program().ini_file_path);
    if (records.flush())
        return true;
    fail(records.errorString());
    return false;
}

void PageRun::startViewers(const QString& page_path, EditorStart editor)
{
    // Never send the browser to a page that is not there.
    if (!QFileInfo(page_path).isFile())
        return;
    const Settings& s = settings();
    if (s.auto_start_browser)
        open_in_browser(page_path);
    if (!s.auto_start_editor)
        return;
    if (s.editor_command.isEmpty())
        tell_no_editor();
    else if (editor == EditorStart::DirectWhenAlone && m_generated->o_flist.size() <= 1)
        start_editor(page_path);
    else
        m_generated->show();
}

void PageRun::finish(const QString& page_path, bool produced, EditorStart editor)
{
    // The run's records reach the settings file before anything is reported.
    if (!saveRecords())
        return;
    if (!produced) {
        show_status(QStringLiteral("There are no entries matching your selection."));
        QFile::remove(page_path);
        return;
    }
    show_status(QStringLiteral("The HTML document %1 has been created.").arg(page_path));
    startViewers(page_path, editor);
}

std::unique_ptr<PageRun> start_page_run(PageLists lists, const QString& toolbar_key)
{
    auto run = std::make_unique<PageRun>(std::move(lists));
    run->toolbarKey = toolbar_key;
    return run;
}

} // namespace mosaicon

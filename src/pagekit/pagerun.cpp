#include "pagekit/pagerun.h"

#include "pagekit/pageblocks.h"
#include "pagekit/textfile.h"
#include "pagekit/thumbnails.h"

#include "settings/associatedtext.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/editor.h"
#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/shellopen.h"
#include "platform/ui.h"

#include <QFile>
#include <QFileInfo>

namespace mosaicon {

namespace {

void open_in_browser(const QString& page_path)
{
    const QString address = file_url(page_path);
    platform::shell_open(address, [](const QString& message) {
        warn(QStringLiteral("Error:  Possible Browser problem.  Check to make sure you have "
                            "selected the proper browser application.\n\n") +
             message);
    });
}

void tell_no_editor()
{
    warn(QStringLiteral("You must use a supported Internet browser to automatically load the "
                        "HTML file.  Only Netscape and MSIE browsers are supported with this "
                        "function.  Please select the desired browser from the menu "
                        "'Applications' option."));
}

// The title a proposal puts into both title boxes; none when the boxes keep
// the title the user chose for all remaining pages.
std::optional<QString> proposedTitle(const PageProposal& proposal, bool keptForAll)
{
    if (keptForAll)
        return std::nullopt;
    if (proposal.titleFrom == TitleFrom::Proposal)
        return proposal.title;
    const QString stored = associated_title(proposal.picture);
    if (!stored.isEmpty())
        return stored;
    return platform::split_file_path(proposal.picture).file_name;
}

} // namespace

PageRun::PageRun(PageLists pageLists)
    : lists(std::move(pageLists)), m_folder(settings().internet_dir),
      m_prompt(std::make_unique<PagePrompt>(m_folder)),
      m_generated(std::make_unique<GeneratedFiles>())
{
    const Settings& s = settings();
    internetReady = s.internet_ready;
    relativeAddress = s.relative_address;
}

PageRun::PageRun(CatalogTag, const QString& folder)
    : m_folder(folder), m_catalog(true), m_generated(std::make_unique<GeneratedFiles>())
{
}

PageRun::~PageRun() = default;

PagePrompt& PageRun::prompt()
{
    // A page run loads its prompt when it starts, so the banner checks speak
    // first; a catalog run has none until asked.
    if (!m_prompt)
        m_prompt = std::make_unique<PagePrompt>(m_folder);
    return *m_prompt;
}

bool PageRun::asks(Unasked rule)
{
    if (prompt().o_use_default_values.value)
        return false;
    return rule == Unasked::WhenDefaultsChosen || !settings().header_and_footer;
}

void PageRun::fillPrompt(const PageProposal& proposal, bool shown)
{
    PagePrompt& p = prompt();
    if (proposal.frameCaption)
        p.f_file_name.caption = *proposal.frameCaption;
    if (const std::optional<QString> title = proposedTitle(proposal, p.use_title_for_all)) {
        p.o_title.text = *title;
        p.o_title_tag.text = *title;
    }
    p.o_filename.text = proposal.fileName;
    if (proposal.nameBox != NameBox::LockedForPicture)
        p.o_filename.enabled = proposal.nameBox == NameBox::Editable;
    if (proposal.picture.isEmpty()) {
        p.Frame3.visible = false;
    } else {
        // A photo's preview costs a decode: only a prompt the user sees gets one.
        if (shown)
            p.showPreview(proposal.picture);
        p.Frame3.visible = true;
    }
    if (proposal.exitAddressLocked)
        p.o_url_exit.enabled = false;
}

void PageRun::leave()
{
    m_left = true;
    m_workStop.stop();
}

bool PageRun::askForPage(const PageProposal& proposal)
{
    // Nobody is there to answer.
    if (m_left)
        return false;
    const bool shown = asks(proposal.unasked);
    fillPrompt(proposal, shown);
    PagePrompt& p = prompt();
    if (shown) {
        if (proposal.nameBox == NameBox::LockedForPicture) {
            const bool picture = is_gif_or_jpg(p.o_filename.text);
            if (picture)
                p.f_file_name.caption = QStringLiteral("Image File Name");
            p.o_filename.enabled = !picture;
        }
        p.show();
    }
    if (proposal.exitAddressLocked)
        p.o_url_exit.enabled = true;
    if (stopped())
        return false;
    p.Frame3.visible = true;
    return true;
}

std::optional<QString> PageRun::pagePathFromPrompt()
{
    const QString fileName = platform::split_file_path(prompt().o_filename.text).file_name;
    if (fileName.isEmpty()) {
        warn(QStringLiteral("The page cannot be written: it has no file name."));
        return std::nullopt;
    }
    return platform::joinPath(m_folder, fileName);
}

void PageRun::listFile(const QString& path)
{
    m_generated->o_flist.entries.append(path);
}

std::optional<QString> PageRun::openPage()
{
    const std::optional<QString> opened = pagePathFromPrompt();
    if (!opened)
        return std::nullopt;
    const QString& page_path = *opened;
    listFile(page_path);
    QString error;
    failScript(m_scripts.start_batch_files(page_path, &error), error);
    // The banners the prompt copied into the internet directory go with the page.
    for (const QString& ref : {prompt().top_banner_ref, prompt().bottom_banner_ref}) {
        const QString copy = platform::joinPath(m_folder, ref);
        if (!ref.isEmpty() && !ref.contains(u'/') && platform::file_exists(copy))
            publish(copy);
    }
    if (m_failed)
        return std::nullopt;
    return page_path;
}

void PageRun::fail(const QString& message)
{
    if (m_failed)
        return;
    m_failed = true;
    m_workStop.stop();
    // Nobody is there to read it.
    if (m_left)
        return;
    // A catalog run keeps its own progress on the status line.
    if (m_catalog)
        warn(message);
    else
        warn_and_show_status(message);
}

void PageRun::failScript(bool ok, const QString& error)
{
    if (!ok)
        fail(error);
}

void PageRun::publish(const QString& path)
{
    QString folder = m_folder;
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
    const QString name = platform::split_file_path(picture).file_name;
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
    platform::show_status(QStringLiteral("The picture %1 could not be read: %2").arg(path, reason));
}

void PageRun::keptUsersFile(const QString& message)
{
    m_kept.append(message);
    platform::show_status(message);
}

void PageRun::reportUnreadable() const
{
    // A run that failed or was stopped has told the user enough; one the
    // user left has nobody to tell.
    if ((m_unreadable.isEmpty() && m_kept.isEmpty()) || m_failed || stopped() || m_left)
        return;
    QStringList told;
    if (!m_unreadable.isEmpty())
        told.append(
            QStringLiteral("These pictures could not be read:\n%1").arg(m_unreadable.join(u'\n')));
    if (!m_kept.isEmpty())
        told.append(m_kept.join(u'\n'));
    warn(told.join(QStringLiteral("\n\n")));
}

bool PageRun::savedBlank(const TextFile& page, const QString& page_path)
{
    if (!lists.templist->isEmpty())
        return false;
    platform::show_status(QStringLiteral("The file list is blank."));
    savePage(page, page_path);
    return true;
}

bool PageRun::savePage(const TextFile& page, const QString& page_path)
{
    if (m_failed || m_left)
        return false;
    QString error;
    if (page.save(page_path, &error))
        return true;
    fail((m_catalog ? QStringLiteral("The catalog page %1 could not be written: %2")
                    : QStringLiteral("The page %1 could not be written: %2"))
             .arg(page_path, error));
    return false;
}

bool PageRun::saveRecords()
{
    if (m_failed || m_left)
        return false;
    platform::ProfileFile& records = settingsFile();
    // A lock another program holds is told once by the settings file's notice;
    // the records stay in memory for the next write.
    if (records.flush() || records.lockedByAnother())
        return true;
    fail(records.errorString());
    return false;
}

void PageRun::startViewers(const QString& page_path, EditorStart editor)
{
    // Never send the browser to a page that is not there.
    if (m_left || !QFileInfo(page_path).isFile())
        return;
    const Settings& s = settings();
    if (s.auto_start_browser)
        open_in_browser(page_path);
    if (!s.auto_start_editor)
        return;
    if (s.editor_command.isEmpty())
        tell_no_editor();
    else if (editor == EditorStart::DirectWhenAlone && m_generated->o_flist.entries.size() <= 1)
        platform::start_editor(s.editor_command, page_path, warn);
    else
        m_generated->show();
}

void PageRun::finish(const QString& page_path, bool produced, EditorStart editor)
{
    // The run's records reach the settings file before anything is reported.
    if (!saveRecords())
        return;
    if (!produced) {
        platform::show_status(QStringLiteral("There are no entries matching your selection."));
        QFile::remove(page_path);
        return;
    }
    platform::show_status(QStringLiteral("The HTML document %1 has been created.").arg(page_path));
    startViewers(page_path, editor);
}

void PageRun::openCatalog(const QString& home_path)
{
    if (m_failed || m_left)
        return;
    const QString address = file_url(home_path);
    platform::shell_open(address, warn);
}

std::unique_ptr<PageRun> start_page_run(PageLists lists, const QString& toolbar_key)
{
    auto run = std::make_unique<PageRun>(std::move(lists));
    run->toolbarKey = toolbar_key;
    return run;
}

std::unique_ptr<PageRun> start_catalog_run(const QString& folder)
{
    return std::unique_ptr<PageRun>(new PageRun(PageRun::CatalogTag{}, folder));
}

} // namespace mosaicon

#include "pagekit/pagerun.h"

#include "pagekit/generatedfiles.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pageprompt.h"
#include "pagekit/textfile.h"

#include "settings/editor.h"
#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/files.h"
#include "platform/ui.h"

#include <QFile>
#include <QFileInfo>

namespace mosaicon {

bool prompt_for_page(const PageProposal& proposal)
{
    const Program& p = program();
    PagePrompt* prompt = frm_htmltitle.load();
    prompt->f_file_name.caption = proposal.frameCaption;
    if (!p.use_title_for_all) {
        prompt->o_title.text = proposal.title;
        prompt->o_title_tag.text = proposal.title;
    }
    prompt->o_filename.text = proposal.fileName;
    if (!proposal.hasImage)
        prompt->Frame3.visible = false;
    if (!prompt->o_use_default_values.value && !p.settings.header_and_footer)
        frm_htmltitle.showModal();
    if (p.page_prompt_cancel)
        return false;
    prompt->Frame3.visible = true;
    return true;
}

bool page_path_from_prompt(QString& page_path)
{
    const Program& p = program();
    QString typedFolder;
    QString fileName;
    split_file_path(frm_htmltitle->o_filename.text, typedFolder, fileName);
    if (fileName.isEmpty()) {
        platform::msgbox(QStringLiteral("The page cannot be written: it has no file name."),
                         platform::MsgBox::Exclamation, p.product_title);
        return false;
    }
    page_path = platform::joinPath(p.settings.internet_dir, fileName);
    return true;
}

bool save_page(const TextFile& page, const QString& page_path)
{
    QString error;
    if (page.save(page_path, &error))
        return true;
    platform::msgbox(QStringLiteral("The page %1 could not be written: %2").arg(page_path, error),
                     platform::MsgBox::Exclamation, program().product_title);
    return false;
}

void list_generated_file(const QString& path)
{
    frm_htmledit->o_flist.append(path);
}

void end_page_run(const QString& page_path, bool produced, EditorStart editor)
{
    const Program& p = program();
    if (!produced) {
        show_status(QStringLiteral("There are no entries matching your selection."));
        QFile::remove(page_path);
        return;
    }
    show_status(QStringLiteral("The HTML document %1 has been created.").arg(page_path));
    // Never send the browser to a page that is not there.
    if (!QFileInfo(page_path).isFile())
        return;
    if (p.settings.auto_start_browser) {
        QString address = page_path;
        make_file_url(address);
        shell_open(address);
    }
    if (p.settings.auto_start_editor) {
        if (!p.settings.editor_command.isEmpty()) {
            if (editor == EditorStart::DirectWhenAlone && frm_htmledit->o_flist.size() <= 1)
                start_editor(page_path);
            else
                frm_htmledit.showModal();
        } else {
            platform::msgbox(QStringLiteral("You must use a supported Internet browser to automatically load the "
                                            "HTML file.  Only Netscape and MSIE browsers are supported with this "
                                            "function.  Please select the desired browser from the menu "
                                            "'Applications' option."),
                             platform::MsgBox::Exclamation, p.product_title);
        }
    }
}

} // namespace mosaicon

#include "settings/pickers.h"

#include "settings/program.h"

#include "platform/mainformview.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>

namespace mosaicon {

namespace {

const QString current = QStringLiteral("Current");
const QString editorKey = QStringLiteral("Editor");

} // namespace

std::optional<QString> ask_file(const QString& title, const QString& filter, const QString& initialDirectory,
                                bool forSaving)
{
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.initialDirectory = initialDirectory;
    request.forSaving = forSaving;
    std::optional<QString> name = platform::ui().fileDialog(request);
    if (!name || name->isEmpty())
        return std::nullopt;
    return name;
}

bool fileNameHas(const QString& path, const QString& part)
{
    return QFileInfo(path).fileName().contains(part, Qt::CaseInsensitive);
}

std::optional<QString> select_html_editor()
{
    Program& p = program();
    const QString command = p.settings.editor_command;
    const QString start =
        platform::file_exists(command) ? QFileInfo(command.trimmed()).absolutePath() : p.program_folder;
    const std::optional<QString> name =
        ask_file(QStringLiteral("Select HTML Editor"),
            QStringLiteral("Editors (*.exe)|*.exe|All Files (*.*)|*.*"), start);
    if (!name)
        return std::nullopt;
    const QFileInfo chosen(*name);
    if (!chosen.isFile() || !chosen.isExecutable()) {
        platform::msgbox(QStringLiteral("The selected file must be a software application."),
                         platform::MsgBox::OkOnly, p.product_title);
        return std::nullopt;
    }
    p.settings.editor_command = *name;
    settingsFile().put(current, editorKey, *name);
    return name;
}

std::optional<platform::PathParts> select_html_file_name()
{
    // A save dialog: an open dialog cannot name a page that does not exist yet.
    const std::optional<QString> chosen =
        ask_file(QStringLiteral("Select HTML File Name"), QStringLiteral("HTM Files|*.htm|All Files (*.*)|*.*"),
            settings().last_directory, true);
    if (!chosen)
        return std::nullopt;
    return platform::split_file_path(*chosen);
}

std::optional<QString> select_catalog_output_file(bool forSaving)
{
    const std::optional<QString> chosen =
        ask_file(QStringLiteral("Select The Catalog Output File"),
            QStringLiteral("Text (*.txt)|*.txt|Text (*.csv)|*.csv|All Files (*.*)|*.*"),
            settings().last_directory, forSaving);
    if (chosen)
        settings().last_directory = QFileInfo(*chosen).path() + u'/';
    return chosen;
}

bool select_html_background()
{
    Program& p = program();
    const std::optional<QString> name = ask_file(
        QStringLiteral("Select HTML Background"),
        QStringLiteral("All Files (*.*)|*.*|GIF Files|*.gif|JPG Files|*.jpg"), p.last_dialog_dir);
    if (!name)
        return false;
    // Refused or not, the dialog starts in that folder next time.
    p.last_dialog_dir = QFileInfo(*name).path() + u'/';
    if (!fileNameHas(*name, QStringLiteral(".gif")) &&
        !fileNameHas(*name, QStringLiteral(".jpg"))) {
        platform::msgbox(
            QStringLiteral("GIF and JPG are the only valid file formats for HTML background."),
            platform::MsgBox::OkOnly, p.product_title);
        return false;
    }
    p.settings.html_background = *name;
    platform::refresh_toolbar();
    return true;
}

QString html_background_caption()
{
    const QString& background = program().settings.html_background;
    return background.isEmpty() ? QStringLiteral("Set HTML Background")
                                : QStringLiteral("Set HTML Background (%1)").arg(background);
}

void edit_editor_command_line()
{
    Program& p = program();
    const QString before = p.settings.editor_command;
    const std::optional<QString> answer = platform::ui().inputBox(
        QStringLiteral("Enter the command line parameters for the HTML editor application."),
        p.product_title, before);
    if (!answer)
        return;
    p.settings.editor_command = *answer;
    const qsizetype blank = answer->indexOf(u' ');
    if (*answer != before && blank > 0 && platform::file_exists(answer->left(blank)))
        settingsFile().put(current, editorKey, *answer);
}

void clear_html_editor()
{
    program().settings.editor_command = QString();
    settingsFile().remove(current, editorKey);
}

} // namespace mosaicon

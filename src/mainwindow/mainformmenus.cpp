// The main window's menu commands that are more than a call.
#include "mainwindow/mainform.h"

#include "settings/profiles.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/shellopen.h"
#include "platform/ui.h"
#include "platform/widgets/imageview.h"
#include "platform/wincolor.h"

#include <QListWidget>
#include <QUrl>

namespace mosaicon {

namespace {

const QString noLogo = QStringLiteral("{none}");

} // namespace

void MainForm::selectLogo()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Select Logo");
    request.filter =
        QStringLiteral("All Files|*.*|BMP Files|*.bmp|GIF Files|*.gif|JPG Files|*.jpg");
    request.initialDirectory = m_dialogDirectory;
    const std::optional<QString> name = platform::ui().fileDialog(request);
    if (!name || name->isEmpty())
        return;
    m_logo->control().setFileName(*name);
    settings().logo_file = *name;
    show_logo();
    if (inLogoView())
        m_logo->control().setVisible(true);
}

void MainForm::clearLogo()
{
    m_logo->control().setFileName(QString());
    m_logo->control().setVisible(false);
    settings().logo_file = noLogo;
}

void MainForm::chooseBackgroundColor()
{
    Program& p = program();
    p.color_dialog_cancelled = false;
    const std::optional<QColor> chosen =
        platform::ui().colorDialog(platform::colorFromWin(quint32(p.settings.logo_background)));
    if (!chosen) {
        p.color_dialog_cancelled = true;
        return;
    }
    p.settings.logo_background = qint32(platform::winFromColor(*chosen));
    setBackgroundColor(p.settings.logo_background);
}

void MainForm::chooseThumbnailColor()
{
    Settings& s = settings();
    const std::optional<QColor> chosen = platform::ui().colorDialog(
        platform::colorFromWin(thumb_back_color(s)));
    if (chosen)
        s.thumb_bg_color = QString::number(platform::winFromColor(*chosen));
}

void MainForm::clearFileList()
{
    const Settings& s = settings();
    m_itemlist->clear();
    setListsVisible(false);
    if (!s.logo_file.isEmpty() && s.logo_file.text() != noLogo)
        m_logo->control().setVisible(true);
    setBackgroundColor(s.logo_background);
}

void MainForm::useVirtualDirectory()
{
    const std::optional<QStringList> entries = load_virtual_directory();
    if (!entries)
        return;
    m_itemlist->clear();
    m_itemlist->addItems(*entries);
    markVirtualList();
}

void MainForm::markVirtualList()
{
    m_itemlist->setStyleSheet(QStringLiteral("QListWidget { background: black; color: white; }"));
}

void MainForm::openHelp()
{
    const QString help = settings().html_help_file;
    if (platform::file_exists(help))
        platform::shell_open(QUrl::fromLocalFile(help.trimmed()).toString(QUrl::FullyEncoded), warn);
}

void MainForm::openCurrentEntry()
{
    const platform::BusyCursor busy;
    if (const QListWidgetItem* current = m_itemlist->currentItem())
        platform::shell_open(current->text(), warn);
}

} // namespace mosaicon

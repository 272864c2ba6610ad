#include "pagekit/pageprompt.h"

#include "settings/pickers.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>

namespace mosaicon {

namespace {

// The folder the page's pictures go to.
QString pageFolder(const PagePrompt& prompt)
{
    const QString page = prompt.o_filename.text.trimmed();
    if (!page.contains(u'/'))
        return prompt.folder();
    return QFileInfo(page).path();
}

} // namespace

void select_banner_file(PagePrompt& prompt)
{
    Settings& s = settings();
    const bool top = prompt.banner_side == QLatin1String("top");
    platform::FileDialogRequest request;
    request.title =
        top ? QStringLiteral("Select The Top Banner") : QStringLiteral("Select The Bottom Banner");
    request.filter = QStringLiteral("All Files (*.*)|*.*|GIF (*.gif)|*.gif|JPG "
                                    "(*.jpg)|*.jpg|GIF/JPG (*.gif,*.jpg)|*.gif;*.jpg");
    request.initialDirectory = s.last_directory;
    const std::optional<QString> name = platform::ui().fileDialog(request);
    // A cancel keeps the browser's remembered folder.
    if (!name || name->isEmpty())
        return;
    const QFileInfo chosen(*name);
    s.last_directory = chosen.path();
    if (!fileNameHas(*name, QStringLiteral(".gif")) &&
        !fileNameHas(*name, QStringLiteral(".jpg"))) {
        warn(QStringLiteral("You must select a file that is in GIF or JPG format."));
        return;
    }
    const QString file = chosen.fileName();
    const QString folder = pageFolder(prompt);
    const QString copy = platform::joinPath(folder, file);
    if (!folder.isEmpty() && QFileInfo(folder).isDir() && !QFileInfo::exists(copy))
        platform::copyFile(*name, copy);
    if (top) {
        prompt.o_top_banner.text = *name;
        prompt.top_banner_ref = file;
        s.top_banner = *name;
    } else {
        prompt.o_bottom_banner.text = *name;
        prompt.bottom_banner_ref = file;
        s.bottom_banner = *name;
    }
}

} // namespace mosaicon

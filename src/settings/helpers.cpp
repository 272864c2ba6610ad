#include "settings/helpers.h"

#include "settings/mainformview.h"
#include "settings/program.h"
#include "settings/thumbnailrecords.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/profilefile.h"
#include "platform/shell.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <random>

namespace mosaicon {

namespace {

// One generator for the whole run: reseeding from the clock gives the same
// name twice within one tick.
std::mt19937& generator()
{
    static std::mt19937 g{std::random_device{}()};
    return g;
}

QSet<QString>& issuedNames()
{
    static QSet<QString> names;
    return names;
}

void splitAtLastSlash(const QString& path, QString& directory, QString& file_name, bool wholeIsName)
{
    directory.clear();
    file_name.clear();
    const qsizetype at = path.lastIndexOf(u'/');
    if (at < 0) {
        if (wholeIsName)
            file_name = path;
        return;
    }
    directory = path.left(at + 1);
    file_name = path.mid(at + 1);
}

QString extensionOf(const QString& file)
{
    // Looks at the last four, then five characters for a ".", as the icon
    // table's keys are three or four letters long.
    const auto after = [&](int n) -> QString {
        if (file.size() < 5 || file.size() < n)
            return {};
        const QString tail = file.right(n);
        const qsizetype dot = tail.indexOf(u'.');
        return dot < 0 ? QString() : tail.mid(dot + 1);
    };
    QString ext = after(4);
    if (ext.isEmpty() && file.size() > 5)
        ext = after(5);
    return ext;
}

} // namespace

QString not_opened_message(const QString& target, const QString& reason)
{
    const QUrl url(target);
    const QString named = url.isLocalFile() ? url.toLocalFile() : target;
    return QStringLiteral("%1 could not be opened: %2").arg(named, reason);
}

bool shell_open(const QString& target)
{
    return platform::shell().open(target, [target](const QString& reason) {
        platform::msgbox(not_opened_message(target, reason), platform::MsgBox::Exclamation,
                         program().product_title);
    });
}

void get_associated_program(QString& extension)
{
    QString ext = extension.startsWith(u'.') ? extension.mid(1) : extension;
    QString value = platform::shell().associatedProgram(ext);
    const qsizetype blank = value.indexOf(u' ');
    if (!value.isEmpty() && blank >= 0)
        value = value.left(blank + 1).trimmed();
    extension = value;
}

void split_path(const QString& path, QString& directory, QString& file_name)
{
    splitAtLastSlash(path, directory, file_name, false);
}

void split_file_path(const QString& path, QString& directory, QString& file_name)
{
    splitAtLastSlash(path, directory, file_name, true);
}

bool file_exists(QString& name)
{
    name = name.trimmed();
    return platform::isReadableFile(name);
}

bool file_exists(const QString& name)
{
    return platform::isReadableFile(name.trimmed());
}

bool draw_free_name(QString& out_path, const QString& directory, const QString& prefix, int digits,
                    int lowest, int highest, const QString& extension, QString* error)
{
    // A folder full of such names must end in an error, not in an endless draw.
    constexpr int maxDraws = 100000;
    std::uniform_int_distribution<int> draw(lowest, highest);
    for (int i = 0; i < maxDraws; ++i) {
        const QString name = prefix + QStringLiteral("%1").arg(draw(generator()), digits, 10, QLatin1Char('0')) +
                             u'.' + extension;
        const QString candidate = platform::joinPath(directory, name);
        if (issuedNames().contains(candidate) || QFileInfo::exists(candidate))
            continue;
        issuedNames().insert(candidate);
        out_path = candidate;
        return true;
    }
    if (error)
        *error = QStringLiteral("No free file name is left in %1.").arg(directory);
    return false;
}

void seed_random_names(quint32 seed, bool forgetIssued)
{
    generator().seed(seed);
    if (forgetIssued)
        issuedNames().clear();
}

void make_temp_file_name(QString& out_path, const QString& directory, const QString& extension)
{
    draw_free_name(out_path, directory, QString(), 8, 1, 89999999, extension);
}

void seed_temp_file_names(quint32 seed)
{
    seed_random_names(seed, true);
}

void make_relative_path(QString& path, const QString& page_path, QString& file_name)
{
    const qsizetype slash = page_path.lastIndexOf(u'/');
    const QString base = slash < 0 ? QString() : page_path.left(slash + 1);
    const qsizetype own = path.lastIndexOf(u'/');
    file_name = path.mid(own + 1);
    if (path.startsWith(base))
        path = path.mid(base.size());
    else if (!file_name.isEmpty())
        path = file_name;
}

void show_status(const QString& text)
{
    if (MainFormView* view = program().main_form)
        view->showStatus(text);
    platform::doEvents();
}

bool get_thumbnail_icon(const QString& file, QString& icon_path, bool internet_ready, QString* copy_error)
{
    Program& p = program();
    const QString ext = extensionOf(file);
    bool found = false;

    QString thumbnail = file;
    find_thumbnail(thumbnail);
    if (!thumbnail.isEmpty()) {
        icon_path = thumbnail;
        return true;
    }

    platform::ProfileFile& ini = settingsFile();
    const QString section = QStringLiteral("Thumbnail Icons");
    QString icon = ini.get(section, ext);
    if (!ext.isEmpty() && file_exists(icon)) {
        found = true;
    } else {
        if (!ext.isEmpty())
            ini.put(section, ext, QStringLiteral("{no icon file name defined}"));
        icon = ini.get(section, QStringLiteral("other"));
        found = file_exists(icon);
    }
    // Paths keep their case: a lower-cased path would name no file here.
    icon_path = found ? icon : QString();
    if (found && internet_ready) {
        QString dir;
        QString name;
        split_file_path(icon, dir, name);
        const QString copy = platform::joinPath(p.settings.internet_dir, name);
        QString error;
        if (!platform::copyFile(icon, copy, &error) && copy_error)
            *copy_error = QStringLiteral("The icon %1 could not be copied to %2: %3").arg(icon, copy, error);
    }
    return found;
}

} // namespace mosaicon

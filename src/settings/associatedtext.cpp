#include "associatedtext.h"

#include "program.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/randomnames.h"
#include "platform/textlines.h"

#include <QFile>
#include <QRegularExpression>

namespace mosaicon {

namespace {

const QString textSection = QStringLiteral("Associated Text");
const QString titleSection = QStringLiteral("Associated Text Title");

} // namespace

QString associated_title(const QString& image_path)
{
    return settingsFile().get(titleSection, image_path);
}

QStringList associated_text_lines(const QString& image_path)
{
    const QString file = settingsFile().get(textSection, image_path);
    if (file.isEmpty() || !platform::file_exists(file))
        return {};
    return platform::readTextLines(file).value_or(QStringList());
}

bool store_associated_text(const QString& image_path, const QString& text, QString* error)
{
    QString file = settingsFile().get(textSection, image_path).trimmed();
    const bool known = !file.isEmpty() && platform::file_exists(file);
    if (!known) {
        const QString& folder = program().settings.assoc_text_dir.text();
        platform::makeFolder(folder);
        if (const std::optional<QString> drawn = platform::make_temp_file_name(folder, QStringLiteral("txt")))
            file = *drawn;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QString body = text;
    body.replace(lineEnd, QStringLiteral("\r\n"));
    body += QStringLiteral("\r\n");
    if (!platform::saveFileInPlace(file, body.toUtf8(), error))
        return false;
    if (!known)
        settingsFile().put(textSection, image_path, file);
    return true;
}

void store_associated_title(const QString& image_path, const QString& title)
{
    settingsFile().put(titleSection, image_path, title.trimmed().isEmpty() ? QString() : title);
}

void copy_associated_records(const QString& source_path, const QString& copy_path)
{
    platform::ProfileFile& records = settingsFile();
    const platform::ProfileBatch batch; // both records in one write
    records.put(textSection, copy_path, records.get(textSection, source_path));
    records.put(titleSection, copy_path, records.get(titleSection, source_path));
}

} // namespace mosaicon

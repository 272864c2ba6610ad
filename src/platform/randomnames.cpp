#include "platform/randomnames.h"

#include "platform/files.h"

#include <QFileInfo>
#include <QSet>

#include <random>

namespace mosaicon::platform {

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

} // namespace

std::optional<QString> draw_free_name(const QString& directory, const QString& prefix, int digits, int lowest,
                                      int highest, const QString& extension, QString* error)
{
    // A folder full of such names must end in an error, not in an endless draw.
    constexpr int maxDraws = 100000;
    std::uniform_int_distribution<int> draw(lowest, highest);
    for (int i = 0; i < maxDraws; ++i) {
        const QString name =
            prefix + QStringLiteral("%1").arg(draw(generator()), digits, 10, QLatin1Char('0')) +
            u'.' + extension;
        const QString candidate = joinPath(directory, name);
        if (issuedNames().contains(candidate) || QFileInfo::exists(candidate))
            continue;
        issuedNames().insert(candidate);
        return candidate;
    }
    if (error)
        *error = QStringLiteral("No free file name is left in %1.").arg(directory);
    return std::nullopt;
}

void seed_random_names(quint32 seed, bool forgetIssued)
{
    generator().seed(seed);
    if (forgetIssued)
        issuedNames().clear();
}

std::optional<QString> make_temp_file_name(const QString& directory, const QString& extension)
{
    return draw_free_name(directory, QString(), 8, 1, 89999999, extension);
}

} // namespace mosaicon::platform

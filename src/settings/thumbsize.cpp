#include "settings/thumbsize.h"

#include "settings/settings.h"

#include "platform/numbers.h"

#include <limits>

namespace mosaicon {

namespace {

QString defaultSize()
{
    return setting_default(&Settings::thumb_size);
}

} // namespace

ThumbSizeText parse_thumb_size(const QString& text)
{
    if (text.isEmpty())
        return {defaultSize(), ThumbSizeFault::Blank};
    if (text == QLatin1String("0"))
        return {defaultSize(), ThumbSizeFault::Zero};
    if (text.startsWith(u'0'))
        return {defaultSize(), ThumbSizeFault::LeadingZero};
    return {text, ThumbSizeFault::None};
}

QString thumb_size_warning(ThumbSizeFault fault)
{
    QString why;
    switch (fault) {
    case ThumbSizeFault::None:
        return QString();
    case ThumbSizeFault::Blank:
        why = QStringLiteral("The thumbnail size cannot be blank.");
        break;
    case ThumbSizeFault::Zero:
        why = QStringLiteral("Thumbnail size cannot be zero.");
        break;
    case ThumbSizeFault::LeadingZero:
        why = QStringLiteral("Thumbnail size cannot be prefixed with a zero.");
        break;
    }
    return why + QStringLiteral("  The default size of %1 will be used.").arg(defaultSize());
}

int thumb_size_pixels(const QString& text)
{
    const int size = int(platform::valToInteger(text, 0, std::numeric_limits<qint16>::max()).value_or(0));
    // An empty or zero size would give every user 4-pixel thumbnails.
    return size > 0 ? size : defaultSize().toInt();
}

} // namespace mosaicon

#include "pagekit/textfile.h"

#include "platform/events.h"
#include "platform/files.h"

namespace mosaicon {

void TextFile::line(const QString& text)
{
    m_bytes += text.toUtf8();
    m_bytes += "\r\n";
}

bool TextFile::save(const QString& path, QString* error) const
{
    // A page flushed to disk behind the hundreds of megabytes of photo copies
    // a run has just made can take a third of a second: the window answers
    // meanwhile.
    bool saved = false;
    QString reason;
    platform::runAnswering([&] { saved = platform::writeFileAtomically(path, m_bytes, &reason); });
    if (!saved && error)
        *error = reason;
    return saved;
}

} // namespace mosaicon

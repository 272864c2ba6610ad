#include "pagekit/textfile.h"

#include "platform/files.h"

namespace mosaicon {

void TextFile::line(const QString& text)
{
    m_bytes += text.toUtf8();
    m_bytes += "\r\n";
}

bool TextFile::save(const QString& path, QString* error) const
{
    return platform::writeFileAtomically(path, m_bytes, error);
}

} // namespace mosaicon

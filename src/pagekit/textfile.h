#pragma once

#include <QByteArray>
#include <QString>

namespace mosaicon {

// A text file made line by line: UTF-8, every line ended by CR LF, saved
// atomically so a failed or interrupted write never leaves half a page.
class TextFile
{
public:
    void line(const QString& text);
    const QByteArray& bytes() const { return m_bytes; }
    // False, with the reason in error, when the file could not be written.
    // On the window's thread the window answers meanwhile, as runAnswering says.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    QByteArray m_bytes;
};

} // namespace mosaicon

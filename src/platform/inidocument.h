#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace mosaicon::platform {

// The text of one INI file, with the grammar of the private-profile calls the
// program was designed around: sections and keys are found without regard to
// case; a put replaces a value in place, appends a new key at the end of its
// section and a new section at the end of the text; removing a key that is not
// there changes nothing; every line not touched is written back byte for byte,
// with its own line end. Sections keyed by file paths (see isExactKeySection)
// match their keys exactly, since on this platform /p/A.gif and /p/a.gif are
// two files. A key the plain form would not give back is written quoted.
class IniDocument
{
public:
    IniDocument();
    ~IniDocument();
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Replaces the text with the bytes of a file.
    void parse(const QByteArray& bytes);
    QByteArray serialize() const;

    // The value of the first key of that name in the first section of that
    // name, trimmed of blanks.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Both true when the text changed.
    bool put(const QString& section, const QString& key, const QString& value);
    bool remove(const QString& section, const QString& key);

    // A name that heads two sections, or a key that occurs twice, is listed
    // once, as its first line spells it: lookups only ever reach the first.
    QStringList sectionNames() const;
    QStringList keys(const QString& section) const;

    static bool isExactKeySection(const QString& section);

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace mosaicon::platform

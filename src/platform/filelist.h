#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace mosaicon::platform {

// A pattern of masks separated by ";" ("*.gif;*.jpg"), as FileList applies it.
class NamePattern
{
public:
    explicit NamePattern(const QString& pattern);
    bool matches(const QString& name) const;

private:
    QList<QList<uint>> m_masks; // case-folded code points; empty means every name
};

// The files of one directory that match a pattern, enumerated synchronously
// (the window rebuilds its file list at once on every change, and an
// asynchronous model would leave it showing stale names meanwhile).
//
// A pattern holds masks separated by ";" ("*.gif;*.jpg"); "*" and "?" are the
// only wildcards, matched without regard to case against the whole name, and
// "*.*" also matches names without a dot. An empty pattern means "*.*".
// Listed are regular files and symlinks to them; directories and hidden files
// (names starting with ".") are not.
class FileList
{
    Q_DECLARE_TR_FUNCTIONS(FileList)

public:
    FileList() = default;

    QString path() const { return m_path; }
    // Makes dir (made absolute and cleaned) the listed directory and lists it.
    // False, with errorString(), when it does not exist or cannot be read;
    // path and names then stay as they were.
    bool setPath(const QString& dir);

    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);

    int count() const { return int(m_names.size()); }
    QString name(int i) const { return m_names.value(i); }
    QStringList names() const { return m_names; }

    // Lists the directory again. When it can no longer be read the list
    // becomes empty and errorString() says why; the path is kept so that a
    // later refresh shows the directory again once it is back.
    void refresh();

    QString errorString() const { return m_error; }

    // The order of names everywhere in the program: without regard to case,
    // then with it, so that names differing only in case keep a stable order.
    static bool nameLess(const QString& a, const QString& b);
    // Whether dir is an existing directory whose entries can be listed; when
    // not, *error (if given) says why in words for the user.
    static bool isListableDirectory(const QString& dir, QString* error = nullptr);

private:
    bool list(const QString& path, QStringList* names);

    QString m_path;
    QString m_pattern;
    QStringList m_names;
    QString m_error;
};

} // namespace mosaicon::platform

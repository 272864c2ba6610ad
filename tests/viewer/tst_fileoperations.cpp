#include "viewer/fileoperations.h"

#include "filesizelimit.h"
#include "testprogram.h"
#include "tmpfsmount.h"

#include "settings/program.h"

#include "platform/foldersearch.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSet>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mosaicon;
using namespace mosaicon::viewer;
using namespace Qt::StringLiterals;

namespace {

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The real file system, but a copy, a removal or the log's write fails for
// the file names it is told, the target folder may count as another volume,
// and each step can be watched.
class FailingFileSystem final : public FileSystem
{
public:
    QSet<QString> failCopy;  // no copy is made
    QSet<QString> shortCopy; // the copy reports success but comes out short
    QSet<QString> failRemove;
    bool failAppend = false;
    bool otherVolume = false; // a rename fails as between two file systems
    bool nothingThere = false; // every target name counts as free when checked
    std::function<void(const QString& path)> stepStarts;

    bool occupied(const QString& path) const override
    {
        return !nothingThere && FileSystem::occupied(path);
    }
    bool copy(const QString& from, const QString& to, platform::Replace replace,
              QString* error) override
    {
        if (stepStarts)
            stepStarts(from);
        if (failCopy.contains(nameOf(to))) {
            *error = u"No space left on device"_s;
            return false;
        }
        if (shortCopy.contains(nameOf(to))) {
            QFile out(to);
            return out.open(QIODevice::WriteOnly) && out.write("s") == 1;
        }
        return FileSystem::copy(from, to, replace, error);
    }
    platform::Renamed rename(const QString& from, const QString& to, platform::Replace replace,
                             QString* error) override
    {
        if (stepStarts)
            stepStarts(from);
        return otherVolume ? platform::Renamed::OtherVolume
                           : FileSystem::rename(from, to, replace, error);
    }
    bool remove(const QString& path, QString* error) override
    {
        if (stepStarts)
            stepStarts(path);
        if (failRemove.contains(nameOf(path))) {
            *error = u"Device or resource busy"_s;
            return false;
        }
        return FileSystem::remove(path, error);
    }
    bool append(const QString& path, const QByteArray& bytes, QString* error) override
    {
        if (failAppend) {
            *error = u"Read-only file system"_s;
            return false;
        }
        return FileSystem::append(path, bytes, error);
    }
};

struct stat statOf(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        st.st_ino = 0;
    return st;
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

// A file whose name is given as bytes, which need not be UTF-8.
void writeRaw(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    ::close(fd);
}

QByteArray readRaw(const QByteArray& path)
{
    QByteArray bytes(64, '\0');
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "(missing)";
    bytes.resize(qMax<ssize_t>(0, ::read(fd, bytes.data(), size_t(bytes.size()))));
    ::close(fd);
    return bytes;
}

const QDateTime sourceTime(QDate(2001, 2, 3), QTime(4, 5, 6));
const QDateTime oldTargetTime(QDate(2024, 5, 6), QTime(7, 8, 9));

// A program folder with the current list's five files in "src", the new
// list's two in "src/new", and an empty target folder "dst".
class Folders
{
public:
    Folders()
    {
        QDir(tp.folder()).mkpath(u"src/new"_s);
        QDir(tp.folder()).mkpath(u"dst"_s);
        for (const QString& name : current)
            writeFile(u"src/"_s + name, "source " + name.toUtf8(), sourceTime);
        for (const QString& name : newer)
            writeFile(u"src/new/"_s + name, "new " + name.toUtf8(), sourceTime);
    }

    void writeFile(const QString& relative, const QByteArray& bytes, const QDateTime& time)
    {
        tp.write(relative, bytes);
        QFile file(tp.path(relative));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    }

    // "{S}", "{N}", "{T}" and "{L}" stand for the source, new-list, target and linked folders.
    QString expand(QString text) const
    {
        return text.replace(u"{S}"_s, tp.path(u"src"_s))
            .replace(u"{N}"_s, tp.path(u"src/new"_s))
            .replace(u"{T}"_s, tp.path(u"dst"_s))
            .replace(u"{L}"_s, tp.path(u"link"_s));
    }
    QStringList expand(const QStringList& texts) const
    {
        QStringList out;
        for (const QString& text : texts)
            out.append(expand(text));
        return out;
    }
    // Lines given with "\n" as they are in the log, with CR LF.
    QByteArray expandLog(const QString& text) const
    {
        return expand(text).replace(u'\n', u"\r\n"_s).toUtf8();
    }

    QList<ListSelection> lists(const QList<int>& selected, const QList<int>& newSelected) const
    {
        QList<ListSelection> out{{paths(u"{S}/"_s, current), {}, false},
                                 {paths(u"{N}/"_s, newer), {}, true}};
        for (ListSelection& list : out)
            list.selected = QList<bool>(list.entries.size(), false);
        for (int i : selected)
            out[0].selected[i] = true;
        for (int i : newSelected)
            out[1].selected[i] = true;
        return out;
    }
    QStringList paths(const QString& folder, const QStringList& names) const
    {
        QStringList out;
        for (const QString& name : names)
            out.append(expand(folder + name));
        return out;
    }
    QByteArray log() const { return tp.read(u"filecopy.log"_s); }

    TestProgram tp;
    const QStringList current{u"A.jpg"_s, u"b.jpg"_s, u"c.gif"_s, u"d.jpg"_s, u"e.png"_s};
    const QStringList newer{u"f.jpg"_s, u"g.jpg"_s};
};

} // namespace

class TestFileOperations : public QObject
{
    Q_OBJECT

private slots:
    void copyOrMove_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("newSelected");
        QTest::addColumn<QStringList>("oldTargets"); // names already in the target folder
        QTest::addColumn<QList<int>>("answers");     // to the replace questions, in order
        QTest::addColumn<QStringList>("missing");    // sources gone before the command
        // "copy", "short" or "remove" of A.jpg; "folder": a folder "A.jpg" is in the target
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QStringList>("current"); // the current list afterwards
        QTest::addColumn<QStringList>("newList"); // the new list afterwards
        QTest::addColumn<QList<bool>>("rebuilt");
        QTest::addColumn<QStringList>("failures"); // "path: reason"
        QTest::addColumn<QStringList>("copied"); // names whose target now holds the source's bytes
        QTest::addColumn<QStringList>("gone");   // source names no longer there

        const int copy = int(FileMode::Copy);
        const int move = int(FileMode::Move);
        const int yes = int(ReplaceAnswer::Yes);
        const int no = int(ReplaceAnswer::No);
        const int cancel = int(ReplaceAnswer::Cancel);
        const QStringList current{"{S}/A.jpg", "{S}/b.jpg", "{S}/c.gif", "{S}/d.jpg", "{S}/e.png"};
        const QStringList newList{"{N}/f.jpg", "{N}/g.jpg"};

        QTest::addRow("copy with nothing selected logs one empty line")
            << copy << QList<int>{} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{} << ""
            << "\n"
            << current << newList << QList<bool>{false, false} << QStringList{} << QStringList{}
            << QStringList{};
        QTest::addRow(
            "copy logs a pair and an empty line for each file, then one more, and keeps the lists")
            << copy << QList<int>{0, 2} << QList<int>{1} << QStringList{} << QList<int>{}
            << QStringList{} << ""
            << "Copied From: {S}/A.jpg\nCopied To  : {T}/A.jpg\n\n"
               "Copied From: {S}/c.gif\nCopied To  : {T}/c.gif\n\n"
               "Copied From: {N}/g.jpg\nCopied To  : {T}/g.jpg\n\n\n"
            << current << newList << QList<bool>{false, false} << QStringList{}
            << QStringList{"A.jpg", "c.gif", "g.jpg"} << QStringList{};
        QTest::addRow("move of two of five lists them under their new paths, in the one order")
            << move << QList<int>{1, 3} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{} << ""
            << "Moved  From: {S}/b.jpg\nMoved  To  : {T}/b.jpg\n\n"
               "Moved  From: {S}/d.jpg\nMoved  To  : {T}/d.jpg\n\n\n"
            << QStringList{"{T}/b.jpg", "{T}/d.jpg", "{S}/A.jpg", "{S}/c.gif", "{S}/e.png"}
            << newList << QList<bool>{true, false} << QStringList{} << QStringList{"b.jpg", "d.jpg"}
            << QStringList{"b.jpg", "d.jpg"};
        QTest::addRow("move works the current list, then the new list")
            << move << QList<int>{4} << QList<int>{0} << QStringList{} << QList<int>{}
            << QStringList{} << ""
            << "Moved  From: {S}/e.png\nMoved  To  : {T}/e.png\n\n"
               "Moved  From: {N}/f.jpg\nMoved  To  : {T}/f.jpg\n\n\n"
            << QStringList{"{T}/e.png", "{S}/A.jpg", "{S}/b.jpg", "{S}/c.gif", "{S}/d.jpg"}
            << QStringList{"{T}/f.jpg", "{N}/g.jpg"} << QList<bool>{true, true} << QStringList{}
            << QStringList{"e.png", "f.jpg"} << QStringList{"e.png", "f.jpg"};
        QTest::addRow(
            "move where every selected file is missing logs nothing for them and rebuilds nothing")
            << move << QList<int>{1, 3} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{"b.jpg", "d.jpg"} << ""
            << "\n"
            << current << newList << QList<bool>{false, false} << QStringList{} << QStringList{}
            << QStringList{"b.jpg", "d.jpg"};
        QTest::addRow("a missing file is dropped from a list a move rebuilds")
            << move << QList<int>{0, 1} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{"b.jpg"} << ""
            << "Moved  From: {S}/A.jpg\nMoved  To  : {T}/A.jpg\n\n\n"
            << QStringList{"{T}/A.jpg", "{S}/c.gif", "{S}/d.jpg", "{S}/e.png"} << newList
            << QList<bool>{true, false} << QStringList{} << QStringList{"A.jpg"}
            << QStringList{"A.jpg", "b.jpg"};
        QTest::addRow("replace answered No in a copy keeps the old target")
            << copy << QList<int>{0} << QList<int>{} << QStringList{"A.jpg"} << QList<int>{no}
            << QStringList{} << ""
            << "File Not Copied From: {S}/A.jpg\nFile Not Copied To  : {T}/A.jpg\n\n\n"
            << current << newList << QList<bool>{false, false} << QStringList{} << QStringList{}
            << QStringList{};
        QTest::addRow("replace answered No in a move keeps the entry under its old path")
            << move << QList<int>{0, 1} << QList<int>{} << QStringList{"A.jpg"} << QList<int>{no}
            << QStringList{} << ""
            << "File Not Copied From: {S}/A.jpg\nFile Not Copied To  : {T}/A.jpg\n\n"
               "Moved  From: {S}/b.jpg\nMoved  To  : {T}/b.jpg\n\n\n"
            << QStringList{"{T}/b.jpg", "{S}/A.jpg", "{S}/c.gif", "{S}/d.jpg", "{S}/e.png"}
            << newList << QList<bool>{true, false} << QStringList{} << QStringList{"b.jpg"}
            << QStringList{"b.jpg"};
        QTest::addRow("replace answered Yes replaces the target")
            << copy << QList<int>{0} << QList<int>{} << QStringList{"A.jpg"} << QList<int>{yes}
            << QStringList{} << ""
            << "Copied From: {S}/A.jpg\nCopied To  : {T}/A.jpg\n\n\n"
            << current << newList << QList<bool>{false, false} << QStringList{}
            << QStringList{"A.jpg"} << QStringList{};
        QTest::addRow("Cancel ends the command at once, without the closing line")
            << copy << QList<int>{0, 1} << QList<int>{0} << QStringList{"A.jpg"}
            << QList<int>{cancel} << QStringList{} << ""
            << "File copy cancelled.\n\n"
            << current << newList << QList<bool>{false, false} << QStringList{} << QStringList{}
            << QStringList{};
        QTest::addRow("Cancel in a move lists the files moved before it under their new paths")
            << move << QList<int>{0, 1, 2} << QList<int>{0} << QStringList{"b.jpg"}
            << QList<int>{cancel} << QStringList{} << ""
            << "Moved  From: {S}/A.jpg\nMoved  To  : {T}/A.jpg\n\nFile copy cancelled.\n\n"
            << QStringList{"{T}/A.jpg", "{S}/b.jpg", "{S}/c.gif", "{S}/d.jpg", "{S}/e.png"}
            << newList << QList<bool>{true, false} << QStringList{} << QStringList{"A.jpg"}
            << QStringList{"A.jpg"};
        QTest::addRow("a failed copy keeps the source and the old target, and the move goes on")
            << move << QList<int>{0, 1} << QList<int>{} << QStringList{"A.jpg"} << QList<int>{yes}
            << QStringList{} << "copy"
            << "Copy Failed From: {S}/A.jpg\nCopy Failed To  : {T}/A.jpg\n\n"
               "Moved  From: {S}/b.jpg\nMoved  To  : {T}/b.jpg\n\n\n"
            << QStringList{"{T}/b.jpg", "{S}/A.jpg", "{S}/c.gif", "{S}/d.jpg", "{S}/e.png"}
            << newList << QList<bool>{true, false}
            << QStringList{"{S}/A.jpg: not copied to {T}/A.jpg (No space left on device)"}
            << QStringList{"b.jpg"} << QStringList{"b.jpg"};
        QTest::addRow("a failed copy is logged and listed in a copy too")
            << copy << QList<int>{0} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{} << "copy"
            << "Copy Failed From: {S}/A.jpg\nCopy Failed To  : {T}/A.jpg\n\n\n"
            << current << newList << QList<bool>{false, false}
            << QStringList{"{S}/A.jpg: not copied to {T}/A.jpg (No space left on device)"}
            << QStringList{} << QStringList{};
        QTest::addRow("a rename refused by a folder of the name is logged as a failed copy first")
            << move << QList<int>{0} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{} << "folder"
            << "Copy Failed From: {S}/A.jpg\nCopy Failed To  : {T}/A.jpg\n"
               "Attempted Move From: {S}/A.jpg\nAttempted Move To  : {T}/A.jpg\n\n\n"
            << current << newList << QList<bool>{true, false}
            << QStringList{u"{S}/A.jpg: not moved to {T}/A.jpg (%1)"_s.arg(
                   QString::fromLocal8Bit(std::strerror(EEXIST)))}
            << QStringList{} << QStringList{};
        QTest::addRow("a copy that came out short keeps its source")
            << move << QList<int>{0} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{} << "short"
            << "Attempted Move From: {S}/A.jpg\nAttempted Move To  : {T}/A.jpg\n\n\n"
            << current << newList << QList<bool>{true, false}
            << QStringList{"{S}/A.jpg: the copy at {T}/A.jpg is not whole; the file was not moved"}
            << QStringList{} << QStringList{};
        QTest::addRow("a source that cannot be removed stays listed and is not logged as moved")
            << move << QList<int>{0} << QList<int>{} << QStringList{} << QList<int>{}
            << QStringList{} << "remove"
            << "Attempted Move From: {S}/A.jpg\nAttempted Move To  : {T}/A.jpg\n\n\n"
            << current << newList << QList<bool>{true, false}
            << QStringList{"{S}/A.jpg: copied to {T}/A.jpg but not removed (Device or resource "
                           "busy)"}
            << QStringList{"A.jpg"} << QStringList{};
    }
    void copyOrMove()
    {
        QFETCH(int, mode);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, newSelected);
        QFETCH(QStringList, oldTargets);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, missing);
        QFETCH(QString, failure);
        QFETCH(QString, log);
        QFETCH(QStringList, current);
        QFETCH(QStringList, newList);
        QFETCH(QList<bool>, rebuilt);
        QFETCH(QStringList, failures);
        QFETCH(QStringList, copied);
        QFETCH(QStringList, gone);

        Folders f;
        for (const QString& name : oldTargets)
            f.writeFile(u"dst/"_s + name, "old", oldTargetTime);
        for (const QString& name : missing)
            QVERIFY(QFile::remove(f.tp.path(u"src/"_s + name)));
        FailingFileSystem fs;
        if (failure == u"folder"_s)
            QVERIFY(QDir(f.tp.path(u"dst"_s)).mkdir(u"A.jpg"_s));
        // A failing copy is a move's only between two file systems.
        else if (!failure.isEmpty()) {
            fs.otherVolume = true;
            (failure == u"copy"_s    ? fs.failCopy
             : failure == u"short"_s ? fs.shortCopy
                                     : fs.failRemove)
                .insert(u"A.jpg"_s);
        }
        QStringList asked;
        const auto ask = [&](const QString& question) {
            asked.append(question);
            return asked.size() <= answers.size() ? ReplaceAnswer(answers.at(asked.size() - 1))
                                                  : ReplaceAnswer::Yes;
        };

        const QList<ListSelection> before = f.lists(selected, newSelected);
        const CopyMoveOutcome out =
            copy_or_move(FileMode(mode), f.tp.path(u"dst"_s), before, ask, fs);

        QCOMPARE(f.log(), f.expandLog(log));
        QCOMPARE(out.lists.size(), 2);
        QCOMPARE(out.lists.at(0), f.expand(current));
        QCOMPARE(out.lists.at(1), f.expand(newList));
        QCOMPARE(out.rebuilt, rebuilt);
        QCOMPARE(out.failures, f.expand(failures));
        QCOMPARE(asked.size(), answers.size());
        QCOMPARE(out.cancelled, answers.contains(int(ReplaceAnswer::Cancel)));
        QCOMPARE(out.warning.isEmpty(), !selected.isEmpty() || !newSelected.isEmpty());
        QVERIFY(out.logError.isEmpty());
        for (const QString& name : f.current + f.newer) {
            const QString source = (f.current.contains(name) ? u"src/"_s : u"src/new/"_s) + name;
            const QByteArray bytes =
                (f.current.contains(name) ? "source " : "new ") + name.toUtf8();
            QCOMPARE(QFile::exists(f.tp.path(source)), !gone.contains(name));
            const QByteArray target = f.tp.read(u"dst/"_s + name);
            if (copied.contains(name))
                QCOMPARE(target, bytes);
            else if (failure == u"short"_s && name == u"A.jpg"_s)
                QCOMPARE(target, QByteArray("s"));
            else
                QCOMPARE(target, oldTargets.contains(name) ? QByteArray("old") : QByteArray());
        }
    }

    void aMoveCutShortOnTheDiskKeepsTheSourceAndTheOldTarget()
    {
        Folders f;
        const QByteArray big(1 << 20, 'x');
        f.writeFile(u"src/big.jpg"_s, big, sourceTime);
        f.writeFile(u"dst/big.jpg"_s, "old", oldTargetTime);
        const QString source = f.tp.path(u"src/big.jpg"_s);
        CopyMoveOutcome out;
        {
            // The copy stops at 4 KB as on a full disk; the log's few lines still fit.
            const FileSizeLimit limit{4096};
            FailingFileSystem fs;
            fs.otherVolume = true;
            out = copy_or_move(FileMode::Move, f.tp.path(u"dst"_s), {{{source}, {true}, false}},
                               [](const QString&) { return ReplaceAnswer::Yes; }, fs);
        }
        QCOMPARE(f.tp.read(u"src/big.jpg"_s), big);
        QCOMPARE(f.tp.read(u"dst/big.jpg"_s), QByteArray("old"));
        QCOMPARE(QDir(f.tp.path(u"dst"_s))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"big.jpg"_s});
        QCOMPARE(
            f.log(),
            f.expandLog(u"Copy Failed From: {S}/big.jpg\nCopy Failed To  : {T}/big.jpg\n\n\n"_s));
        QCOMPARE(out.failures, QStringList{f.expand(u"{S}/big.jpg: not copied to {T}/big.jpg ("_s) +
                                           QString::fromLocal8Bit(std::strerror(EFBIG)) + u')'});
        QCOMPARE(out.lists.first(), QStringList{source});
    }

    void nothingSelectedIsWarned()
    {
        Folders f;
        const CopyMoveOutcome out =
            copy_or_move(FileMode::Copy, f.tp.path(u"dst"_s), f.lists({}, {}),
                         [](const QString&) { return ReplaceAnswer::Yes; });
        QVERIFY(!out.anySelected);
        QCOMPARE(out.warning, u"No files were selected to perform a file copy."_s);
        QCOMPARE(copy_move_message(FileMode::Copy, out), QString());
    }

    void sameFolderIsFoundByIdentity_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("log");
        QTest::addRow("copy") << int(FileMode::Copy)
                              << "Attempted Copy From (Same Directory): {S}/A.jpg\nAttempted Copy "
                                 "To   (Same Directory): {L}/A.jpg\n\n"
                                 "Attempted Copy From (Same Directory): {S}/e.png\nAttempted Copy "
                                 "To   (Same Directory): {L}/e.png\n\n\n";
        QTest::addRow("move") << int(FileMode::Move)
                              << "Attempted Move From (Same Directory): {S}/A.jpg\nAttempted Move "
                                 "To   (Same Directory): {L}/A.jpg\n\n"
                                 "Attempted Move From (Same Directory): {S}/e.png\nAttempted Move "
                                 "To   (Same Directory): {L}/e.png\n\n\n";
    }
    void sameFolderIsFoundByIdentity()
    {
        QFETCH(int, mode);
        QFETCH(QString, log);
        Folders f;
        // The target is the source folder under another name.
        QVERIFY(QFile::link(f.tp.path(u"src"_s), f.tp.path(u"link"_s)));
        const QList<ListSelection> lists = f.lists({0, 4}, {});
        const CopyMoveOutcome out =
            copy_or_move(FileMode(mode), f.tp.path(u"link"_s), lists, [](const QString&) {
                QTest::qFail("no question is asked", __FILE__, __LINE__);
                return ReplaceAnswer::Cancel;
            });
        QCOMPARE(f.log(), f.expandLog(log));
        QCOMPARE(out.lists.at(0), lists.at(0).entries);
        for (const QString& name : {u"A.jpg"_s, u"e.png"_s})
            QCOMPARE(f.tp.read(u"src/"_s + name), "source " + name.toUtf8());
    }

    void replaceQuestionShowsThePathsAsTheyAre()
    {
        Folders f;
        f.writeFile(u"dst/A.jpg"_s, "old", oldTargetTime);
        QString asked;
        copy_or_move(FileMode::Copy, f.tp.path(u"dst"_s), f.lists({0}, {}),
                     [&](const QString& question) {
                         asked = question;
                         return ReplaceAnswer::No;
                     });
        QCOMPARE(
            asked,
            f.expand(u"Do you want to replace:\n\n\t{T}/A.jpg [2024-05-06 07:08:09,  3 bytes]\n"
                     u"With\n\t{S}/A.jpg [2001-02-03 04:05:06,  12 bytes]\n"_s));
    }

    void deleteSelected_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("newSelected");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("dangling"); // made links to nothing
        QTest::addColumn<bool>("failRemove");      // of A.jpg
        QTest::addColumn<QString>("log");     // "-" for no log file at all
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QStringList>("newList");
        QTest::addColumn<QStringList>("failures");

        const QStringList current{"{S}/A.jpg", "{S}/b.jpg", "{S}/c.gif", "{S}/d.jpg", "{S}/e.png"};
        const QStringList newList{"{N}/f.jpg", "{N}/g.jpg"};
        QTest::addRow("answered No: no log line, lists and files as they were")
            << false << QList<int>{0, 3} << QList<int>{1} << QStringList{} << QStringList{} << false << "-"
            << current << newList << QStringList{};
        QTest::addRow(
            "each deleted file is logged, without empty lines; a missing one is only dropped")
            << true << QList<int>{0, 2, 3} << QList<int>{1} << QStringList{"c.gif"} << QStringList{} << false
            << "Deleted    : {S}/A.jpg\nDeleted    : {S}/d.jpg\nDeleted    : {N}/g.jpg\n"
            << QStringList{"{S}/b.jpg", "{S}/e.png"} << QStringList{"{N}/f.jpg"} << QStringList{};
        QTest::addRow("every entry of a list deleted leaves it empty")
            << true << QList<int>{} << QList<int>{0, 1} << QStringList{} << QStringList{} << false
            << "Deleted    : {N}/f.jpg\nDeleted    : {N}/g.jpg\n"
            << current << QStringList{} << QStringList{};
        QTest::addRow("a file that cannot be deleted keeps its entry and is not logged")
            << true << QList<int>{0, 3} << QList<int>{} << QStringList{} << QStringList{} << true
            << "Deleted    : {S}/d.jpg\n"
            << QStringList{"{S}/A.jpg", "{S}/b.jpg", "{S}/c.gif", "{S}/e.png"} << newList
            << QStringList{"{S}/A.jpg: Device or resource busy"};
        QTest::addRow("a link to nothing is deleted and logged like a file")
            << true << QList<int>{2} << QList<int>{} << QStringList{} << QStringList{"c.gif"}
            << false << "Deleted    : {S}/c.gif\n"
            << QStringList{"{S}/A.jpg", "{S}/b.jpg", "{S}/d.jpg", "{S}/e.png"} << newList
            << QStringList{};
    }
    void deleteSelected()
    {
        QFETCH(bool, confirmed);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, newSelected);
        QFETCH(QStringList, missing);
        QFETCH(QStringList, dangling);
        QFETCH(bool, failRemove);
        QFETCH(QString, log);
        QFETCH(QStringList, current);
        QFETCH(QStringList, newList);
        QFETCH(QStringList, failures);

        Folders f;
        for (const QString& name : missing)
            QVERIFY(QFile::remove(f.tp.path(u"src/"_s + name)));
        for (const QString& name : dangling) {
            QVERIFY(QFile::remove(f.tp.path(u"src/"_s + name)));
            QVERIFY(QFile::link(f.tp.path(u"nowhere"_s), f.tp.path(u"src/"_s + name)));
        }
        FailingFileSystem fs;
        if (failRemove)
            fs.failRemove.insert(u"A.jpg"_s);
        const QList<ListSelection> lists = f.lists(selected, newSelected);
        QString asked;
        const DeleteOutcome out = delete_selected(
            lists,
            [&](const QString& question) {
                asked = question;
                return confirmed;
            },
            fs);

        QVERIFY(asked.startsWith(
            u"Are you sure you want to delete the selected file(s)? \n\n        "_s));
        QCOMPARE(out.confirmed, confirmed);
        QCOMPARE(QFile::exists(copy_log_path()), log != u"-"_s);
        if (log != u"-"_s)
            QCOMPARE(f.log(), f.expandLog(log));
        QCOMPARE(out.lists, (QList<QStringList>{f.expand(current), f.expand(newList)}));
        QCOMPARE(out.failures, f.expand(failures));
        for (const QString& entry : lists.at(0).entries + lists.at(1).entries) {
            const bool kept = out.lists.at(0).contains(entry) || out.lists.at(1).contains(entry);
            QCOMPARE(QFileInfo(entry).isSymLink() || QFile::exists(entry),
                     kept || (failRemove && nameOf(entry) == u"A.jpg"_s));
        }
    }

    void deleteQuestionNamesTheSelectedFiles()
    {
        Folders f;
        QCOMPARE(delete_question(f.lists({0, 3}, {1})),
                 f.expand(u"Are you sure you want to delete the selected file(s)? \n\n"
                          u"        {S}/A.jpg\n        {S}/d.jpg\n        {N}/g.jpg"_s));
    }

    void failuresAndAnUnwrittenLogAreToldInOneMessage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::addRow("copy")
            << "copy"
            << "These files could not be copied:\n{S}/A.jpg: not copied to {T}/A.jpg (No space "
               "left on device)\n\n"
               "The copy log {P}/filecopy.log could not be written: Read-only file system";
        QTest::addRow("move")
            << "move"
            << "These files could not be moved:\n{S}/A.jpg: not copied to {T}/A.jpg (No space left "
               "on device)\n\n"
               "The copy log {P}/filecopy.log could not be written: Read-only file system";
        QTest::addRow("delete")
            << "delete"
            << "These files could not be deleted:\n{S}/A.jpg: Device or resource busy\n\n"
               "The copy log {P}/filecopy.log could not be written: Read-only file system";
    }
    void failuresAndAnUnwrittenLogAreToldInOneMessage()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        Folders f;
        FailingFileSystem fs;
        fs.failAppend = true;
        fs.otherVolume = true;
        fs.failCopy.insert(u"A.jpg"_s);
        fs.failRemove.insert(u"A.jpg"_s);
        const auto yes = [](const QString&) { return ReplaceAnswer::Yes; };
        QString told;
        if (command == u"delete"_s) {
            told = delete_message(delete_selected(f.lists({0, 1}, {}), fs));
        } else {
            const FileMode mode = command == u"copy"_s ? FileMode::Copy : FileMode::Move;
            told = copy_move_message(
                mode, copy_or_move(mode, f.tp.path(u"dst"_s), f.lists({0, 1}, {}), yes, fs));
        }
        QCOMPARE(told, f.expand(message).replace(u"{P}"_s, f.tp.folder()));
        QVERIFY(!QFile::exists(copy_log_path()));
    }

    // What a copy or a move makes is the file as it was: its bytes, its date
    // to the nanosecond and its permissions; no temporary file stays behind.
    void aCopyOrMoveKeepsTheFileAsItWas_data()
    {
        QTest::addColumn<int>("mode");
        // "here": source and target on one file system; "other": the target
        // on a tmpfs of its own; "full": both on a tmpfs with no room for a copy.
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("name");
        const int copy = int(FileMode::Copy);
        const int move = int(FileMode::Move);
        const QString longest = QString(251, u'x') + u".jpg"_s; // the system's limit, 255 bytes
        const QString cjk = QString(81, QChar(0x5199)) + u".jpg"_s; // 243 bytes and ".jpg"
        QTest::addRow("a copy keeps the date and the permissions") << copy << "here" << "A.jpg";
        QTest::addRow("a copy of 81 CJK characters to another file system") << copy << "other" << cjk;
        QTest::addRow("a move within one file system is a rename") << move << "here" << cjk;
        QTest::addRow("a move of a name of 255 bytes to another file system")
            << move << "other" << longest;
        QTest::addRow("a move on a nearly full disk is a rename, needing no room")
            << move << "full" << "A.jpg";
    }
    void aCopyOrMoveKeepsTheFileAsItWas()
    {
        QFETCH(int, mode);
        QFETCH(QString, where);
        QFETCH(QString, name);
        Folders f;
        const bool full = where == u"full"_s;
        const QString mountPoint = f.tp.path(full ? u"vol"_s : u"dst"_s);
        std::optional<TmpfsMount> volume;
        if (where != u"here"_s) {
            volume.emplace(mountPoint, full ? 1 << 20 : 8 << 20);
            if (!volume->mounted())
                QSKIP(qPrintable(volume->reason()));
        }
        const QString srcDir = full ? mountPoint + u"/src"_s : f.tp.path(u"src"_s);
        const QString dstDir = full ? mountPoint + u"/dst"_s : f.tp.path(u"dst"_s);
        QVERIFY(QDir().mkpath(srcDir) && QDir().mkpath(dstDir));
        const QString source = srcDir + u'/' + name;
        const QString target = dstDir + u'/' + name;
        // On the full disk, 700 KB of its 1 MB: a second copy cannot fit.
        QByteArray bytes(full ? 700 << 10 : 100 << 10, 'p');
        for (qsizetype i = 0; i < bytes.size(); i += 4093)
            bytes[i] = char(i);
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        }
        const QByteArray encoded = QFile::encodeName(source);
        QCOMPARE(::chmod(encoded.constData(), 0600), 0);
        const timespec times[2]{{1'600'000'000, 5}, {981'173'106, 123'456'789}};
        QCOMPARE(::utimensat(AT_FDCWD, encoded.constData(), times, 0), 0);
        const struct stat before = statOf(source);

        const CopyMoveOutcome out =
            copy_or_move(FileMode(mode), dstDir, {{{source}, {true}, false}}, [](const QString&) {
                QTest::qFail("no question is asked", __FILE__, __LINE__);
                return ReplaceAnswer::Cancel;
            });

        QCOMPARE(out.failures, QStringList());
        QVERIFY(out.logError.isEmpty());
        const bool moving = FileMode(mode) == FileMode::Move;
        QCOMPARE(f.log(), (QString::fromLatin1(moving ? "Moved  From: " : "Copied From: ") + source +
                           u"\r\n"_s + QString::fromLatin1(moving ? "Moved  To  : " : "Copied To  : ") +
                           target + u"\r\n\r\n\r\n"_s)
                              .toUtf8());
        QFile copied(target);
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), bytes);
        const struct stat after = statOf(target);
        QVERIFY(S_ISREG(after.st_mode));
        QCOMPARE(after.st_mode & 07777, mode_t(0600));
        QVERIFY(sameTime(after.st_mtim, times[1]));
        QCOMPARE(entriesOf(dstDir), QStringList{name});
        QCOMPARE(QFile::exists(source), !moving);
        if (moving && where != u"other"_s) {
            // Renamed, not copied: the same file under its new name.
            QCOMPARE(after.st_ino, before.st_ino);
        } else if (!moving) {
            const struct stat kept = statOf(source);
            QCOMPARE(kept.st_mode & 07777, mode_t(0600));
            QVERIFY(sameTime(kept.st_mtim, times[1]));
        }
    }

    // A name is replaced only when the user said Yes to replacing it, and then
    // the name alone: a link there goes, the photo it led to stays.
    void aTargetIsReplacedOnlyAsAnswered_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherVolume");
        QTest::addColumn<bool>("appeared"); // the target was free when checked, then taken
        QTest::addColumn<QString>("failure");
        const int copy = int(FileMode::Copy);
        const int move = int(FileMode::Move);
        const QString exists = QString::fromLocal8Bit(std::strerror(EEXIST));
        QTest::addRow("a copy onto a link replaces the link, not the photo it leads to")
            << copy << false << false << "";
        QTest::addRow("a move onto a link replaces the link, not the photo it leads to")
            << move << false << false << "";
        QTest::addRow("a move across file systems onto a link replaces the link only")
            << move << true << false << "";
        QTest::addRow("a copy never replaces a file that took the name after the check")
            << copy << false << true << u"{S}/A.jpg: not copied to {T}/A.jpg (%1)"_s.arg(exists);
        QTest::addRow("a move never replaces a file that took the name after the check")
            << move << false << true << u"{S}/A.jpg: not moved to {T}/A.jpg (%1)"_s.arg(exists);
        QTest::addRow("a move across file systems never replaces a file that took the name")
            << move << true << true << u"{S}/A.jpg: not copied to {T}/A.jpg (%1)"_s.arg(exists);
    }
    void aTargetIsReplacedOnlyAsAnswered()
    {
        QFETCH(int, mode);
        QFETCH(bool, otherVolume);
        QFETCH(bool, appeared);
        QFETCH(QString, failure);
        Folders f;
        QVERIFY(QDir(f.tp.folder()).mkdir(u"other"_s));
        f.writeFile(u"other/photo.jpg"_s, "the other photo", oldTargetTime);
        FailingFileSystem fs;
        fs.otherVolume = otherVolume;
        if (appeared) {
            f.writeFile(u"dst/A.jpg"_s, "old", oldTargetTime);
            fs.nothingThere = true;
        } else {
            QVERIFY(QFile::link(f.tp.path(u"other/photo.jpg"_s), f.tp.path(u"dst/A.jpg"_s)));
        }
        QStringList asked;
        const CopyMoveOutcome out =
            copy_or_move(FileMode(mode), f.tp.path(u"dst"_s), f.lists({0}, {}),
                         [&](const QString& question) {
                             asked.append(question);
                             return ReplaceAnswer::Yes;
                         },
                         fs);

        QCOMPARE(f.tp.read(u"other/photo.jpg"_s), QByteArray("the other photo"));
        QCOMPARE(entriesOf(f.tp.path(u"dst"_s)), QStringList{u"A.jpg"_s});
        QVERIFY(!QFileInfo(f.tp.path(u"dst/A.jpg"_s)).isSymLink());
        QCOMPARE(out.failures, appeared ? QStringList{f.expand(failure)} : QStringList());
        QCOMPARE(f.tp.read(u"dst/A.jpg"_s), appeared ? QByteArray("old") : QByteArray("source A.jpg"));
        QCOMPARE(QFile::exists(f.tp.path(u"src/A.jpg"_s)), appeared || mode == int(FileMode::Copy));
        QCOMPARE(asked, appeared ? QStringList()
                                 : QStringList{f.expand(
                                       u"Do you want to replace:\n\n\t{T}/A.jpg [a link to "
                                       u"{P}/other/photo.jpg: the link is replaced, not that file]\n"
                                       u"With\n\t{S}/A.jpg [2001-02-03 04:05:06,  12 bytes]\n"_s)
                                                   .replace(u"{P}"_s, f.tp.folder())});
    }

    // The folder search lists a name whose bytes are not UTF-8 apart from the
    // name spelt with a replacement character, which as bytes is another file.
    void aNameThatIsNotUtf8IsRefusedAndTold_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("heading");
        QTest::addRow("copy") << "copy" << "These files could not be copied:";
        QTest::addRow("move") << "move" << "These files could not be moved:";
        QTest::addRow("delete") << "delete" << "These files could not be deleted:";
    }
    void aNameThatIsNotUtf8IsRefusedAndTold()
    {
        QFETCH(QString, command);
        QFETCH(QString, heading);
        Folders f;
        const QByteArray folder = QFile::encodeName(f.tp.path(u"src"_s)) + '/';
        writeRaw(folder + "b\xff.jpg", "not UTF-8");
        writeRaw(folder + "b\xef\xbf\xbd.jpg", "valid UTF-8");
        // The temporary folder cannot remove a name it cannot spell.
        const auto removeRaw = qScopeGuard([&] { ::unlink((folder + "b\xff.jpg").constData()); });
        platform::FolderSearch search({f.tp.path(u"src"_s)}, {}, {u"b?.jpg"_s});
        search.run();
        // The byte is read as a character of its own, U+DCFF.
        const QString entry = f.tp.path(u"src/b"_s + QChar(0xdcff) + u".jpg"_s);
        QCOMPARE(search.results(), (QStringList{entry, f.tp.path(u"src/b\uFFFD.jpg"_s)}));

        const QList<ListSelection> lists{{{entry}, {true}, false}};
        QString told;
        QStringList listed;
        if (command == u"delete"_s) {
            const DeleteOutcome out = delete_selected(lists, [](const QString&) { return true; });
            told = delete_message(out);
            listed = out.lists.first();
        } else {
            const FileMode mode = command == u"copy"_s ? FileMode::Copy : FileMode::Move;
            const CopyMoveOutcome out = copy_or_move(mode, f.tp.path(u"dst"_s), lists, [](const QString&) {
                return ReplaceAnswer::Yes;
            });
            told = copy_move_message(mode, out);
            listed = out.lists.first();
        }

        QCOMPARE(told, heading + u'\n' + entry +
                           u": its name is not valid UTF-8 text, so it cannot be named safely. "
                           u"Rename it to use it."_s);
        QCOMPARE(listed, QStringList{entry});
        QCOMPARE(readRaw(folder + "b\xff.jpg"), QByteArray("not UTF-8"));
        QCOMPARE(readRaw(folder + "b\xef\xbf\xbd.jpg"), QByteArray("valid UTF-8"));
        QCOMPARE(entriesOf(f.tp.path(u"dst"_s)), QStringList());
        QCOMPARE(f.log(), command == u"delete"_s ? QByteArray() : QByteArray("\r\n"));
    }

    // A program killed half way through a command leaves a log of the steps done.
    void eachStepIsLoggedAsItEnds_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("logged"); // the log as the second file's step begins
        QTest::addRow("copy") << "copy" << "Copied From: {S}/A.jpg\nCopied To  : {T}/A.jpg\n\n";
        QTest::addRow("move") << "move" << "Moved  From: {S}/A.jpg\nMoved  To  : {T}/A.jpg\n\n";
        QTest::addRow("delete") << "delete" << "Deleted    : {S}/A.jpg\n";
    }
    void eachStepIsLoggedAsItEnds()
    {
        QFETCH(QString, command);
        QFETCH(QString, logged);
        Folders f;
        FailingFileSystem fs;
        QList<QByteArray> seen;
        fs.stepStarts = [&](const QString& path) {
            if (nameOf(path) == u"b.jpg"_s)
                seen.append(f.log());
        };
        if (command == u"delete"_s)
            delete_selected(f.lists({0, 1}, {}), fs);
        else
            copy_or_move(command == u"copy"_s ? FileMode::Copy : FileMode::Move,
                         f.tp.path(u"dst"_s), f.lists({0, 1}, {}),
                         [](const QString&) { return ReplaceAnswer::Yes; }, fs);
        QCOMPARE(seen, QList<QByteArray>{f.expandLog(logged)});
    }

    void viewCopyLog_data()
    {
        QTest::addColumn<bool>("logThere");
        QTest::addColumn<bool>("viewerStarts");
        QTest::addRow("no log yet: nothing happens") << false << true;
        QTest::addRow("the log opens in the desktop's viewer") << true << true;
        QTest::addRow("a viewer that does not start is told") << true << false;
    }
    void viewCopyLog()
    {
        QFETCH(bool, logThere);
        QFETCH(bool, viewerStarts);
        TestProgram tp;
        // A blank in the folder name shows the address is encoded, not glued.
        const QString folder = tp.path(u"my logs"_s);
        QVERIFY(QDir().mkpath(folder));
        program().program_folder = folder;
        program().product_title = u"Mosaicon"_s;
        if (logThere)
            tp.write(u"my logs/filecopy.log"_s, "\r\n");
        tp.shell.succeed = viewerStarts;
        if (logThere && !viewerStarts)
            tp.ui.expectMessage(u"%1/filecopy.log could not be opened: %2"_s.arg(folder, tp.shell.failure));
        QCOMPARE(view_copy_log(), logThere && viewerStarts);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.shell.opened,
                 logThere ? QStringList{u"file://"_s + QString(folder).replace(u" "_s, u"%20"_s) +
                                        u"/filecopy.log"_s}
                          : QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestFileOperations)
#include "tst_fileoperations.moc"

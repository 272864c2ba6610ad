// Times puts and gets of a profile file with many keys in one section. The cost
// per operation over the first 1,000 keys and over all 10,000 should be about
// the same; a growing cost would mean some operation is not linear.
#include "platform/profilefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace mosaicon::platform;
using namespace Qt::StringLiterals;

namespace {

constexpr int manyKeys = 10000;
constexpr int fewKeys = 1000;
const QString section = u"Thumbnails (ir)"_s;

QString keyFor(int i)
{
    return u"/home/user/Photos/2024/Holiday/IMG_%1.JPG"_s.arg(i, 5, 10, QChar(u'0'));
}

QString valueFor(int i)
{
    return u"%1,4000,3000,2024-07-%2"_s.arg(i).arg(i % 28 + 1);
}

void printRow(const char* what, int count, qint64 nanoseconds)
{
    std::printf("%-36s %7d %11.2f %12.2f\n", what, count, nanoseconds / 1e6,
                nanoseconds / 1e3 / count);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "Cannot create a temporary folder.\n");
        return 1;
    }

    const QString batchedPath = dir.filePath(u"batched.ini"_s);
    ProfileFile& batched = profile(batchedPath);
    QElapsedTimer timer;
    qint64 putFew = 0;
    qint64 putMany = 0;
    qint64 batchEnd = 0;
    {
        ProfileBatch batch;
        timer.start();
        for (int i = 0; i < manyKeys; ++i) {
            if (i == fewKeys)
                putFew = timer.nsecsElapsed();
            batched.put(section, keyFor(i), valueFor(i));
        }
        putMany = timer.nsecsElapsed();
        timer.restart();
    }
    batchEnd = timer.nsecsElapsed();
    const ProfileFile::DiskUse batchUse = batched.diskUse();

    qint64 getFew = 0;
    int wrong = 0;
    timer.restart();
    for (int i = 0; i < manyKeys; ++i) {
        if (i == fewKeys)
            getFew = timer.nsecsElapsed();
        if (batched.get(section, keyFor(i)) != valueFor(i))
            ++wrong;
    }
    const qint64 getMany = timer.nsecsElapsed();

    ProfileFile& direct = profile(dir.filePath(u"direct.ini"_s));
    timer.restart();
    for (int i = 0; i < fewKeys; ++i)
        direct.put(section, keyFor(i), valueFor(i));
    const qint64 putDirect = timer.nsecsElapsed();

    std::printf("%-36s %7s %11s %12s\n", "operation", "keys", "total ms", "us per key");
    printRow("put in a batch, first keys", fewKeys, putFew);
    printRow("put in a batch, all keys", manyKeys, putMany);
    printRow("write at the end of the batch", manyKeys, batchEnd);
    printRow("get, first keys", fewKeys, getFew);
    printRow("get, all keys", manyKeys, getMany);
    printRow("put without a batch (write-through)", fewKeys, putDirect);
    std::printf("\nfile size %lld bytes; per-key cost ratio all/first: put %.2f, get %.2f\n",
                static_cast<long long>(QFileInfo(batchedPath).size()),
                (putMany / double(manyKeys)) / (putFew / double(fewKeys)),
                (getMany / double(manyKeys)) / (getFew / double(fewKeys)));
    std::printf("the batch of %d puts looked at the file %d times and wrote it %d times\n",
                manyKeys, batchUse.stats, batchUse.writes);
    if (wrong > 0 || !batched.errorString().isEmpty() || !direct.errorString().isEmpty()) {
        std::fprintf(stderr, "%d values read back wrong; %s\n", wrong,
                     qPrintable(batched.errorString() + direct.errorString()));
        return 1;
    }
    return 0;
}

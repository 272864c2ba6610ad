#include "settings/dirprofile.h"

#include <QRandomGenerator>
#include <QTest>

using namespace mosaicon;

namespace {

QString randomText(QRandomGenerator& rng, const QString& alphabet, int maxLength)
{
    QString text;
    for (int n = int(rng.bounded(maxLength + 1)); n > 0; --n)
        text += alphabet.at(int(rng.bounded(int(alphabet.size()))));
    return text;
}

} // namespace

class TestDirProfile : public QObject
{
    Q_OBJECT

private slots:
    void checkBoxStatesAreRangeCheckedBeforeUse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("state"); // -1: the file is no profile
        QTest::addRow("a huge number is no state") << "SUBDIR: 1e300" << -1;
        QTest::addRow("a huge negative number is no state") << "VOLUME: -1e300" << -1;
        QTest::addRow("a number beyond 64 bits is no state") << "SUBDIR: 9223372036854775807" << -1;
        QTest::addRow("a number that a 32-bit cast would wrap to 2 is no state")
            << "VOLUME: 4294967298" << -1;
        QTest::addRow("nan is no number: 0") << "VOLUME: nan" << 0;
        QTest::addRow("inf is no number: 0") << "SUBDIR: inf" << 0;
        QTest::addRow("the number the text begins with counts") << "SUBDIR: 1e" << 1;
        QTest::addRow("a half rounds to the even state") << "VOLUME: 2.5" << 2;
        QTest::addRow("a small negative rounds to 0") << "SUBDIR: -0.4" << 0;
        QTest::addRow("blanks inside the number are skipped") << "SUBDIR: 1 2" << -1;
        QTest::addRow("no blank after the colon") << "VOLUME:1" << 1;
        QTest::addRow("a hexadecimal state") << "SUBDIR: &H2" << 2;
        QTest::addRow("a hexadecimal -1 is no state") << "SUBDIR: &HFFFF" << -1;
    }
    void checkBoxStatesAreRangeCheckedBeforeUse()
    {
        QFETCH(QString, line);
        QFETCH(int, state);
        const bool subdir = line.startsWith(QLatin1String("SUBDIR:"));
        DirectoryProfile::Fault fault;
        const std::optional<DirectoryProfile> profile =
            DirectoryProfile::fromBytes("FILTER: *.jpg\r\n" + line.toUtf8() + "\r\n/p\r\n", &fault);
        QCOMPARE(profile.has_value(), state >= 0);
        if (!profile) {
            QCOMPARE(fault.line, 2);
            QCOMPARE(fault.reason, QStringLiteral("holds no check-box state (0, 1 or 2)"));
            return;
        }
        QVERIFY(subdir ? profile->hasSubdir : profile->hasVolume);
        QCOMPARE(subdir ? profile->subdir : profile->volume, state);
        QCOMPARE(subdir ? profile->hasVolume : profile->hasSubdir, false);
        QCOMPARE(profile->dirs, QStringList{"/p"});
    }

    // Random setting lines give only the states a check box has; random
    // profiles are written and read back the same.
    void randomLinesAndRandomProfiles()
    {
        QRandomGenerator rng(20261209);
        const QString number = QStringLiteral("0123456789.eEdD+-&HhOo nainf \t,x\u00e9");
        const QString folder = QStringLiteral("/abc ,:\u00e9\u6e2f");
        const QStringList labels{"SUBDIR:", "VOLUME:", "FILTER:", "SUBDIR: ", ""};
        for (int round = 0; round < 3000; ++round) {
            QStringList lines;
            for (int n = int(rng.bounded(5)); n > 0; --n)
                lines.append(labels.at(int(rng.bounded(int(labels.size())))) +
                             randomText(rng, number, 14));
            const std::optional<DirectoryProfile> read =
                DirectoryProfile::fromBytes(lines.join(u'\n').toUtf8());
            if (read) {
                QVERIFY2(read->subdir >= 0 && read->subdir <= 2 && read->volume >= 0 &&
                             read->volume <= 2,
                         qPrintable(lines.join(u'|')));
                QVERIFY(read->hasSubdir || read->subdir == 0);
                QVERIFY(read->hasVolume || read->volume == 0);
            }

            DirectoryProfile written;
            written.filter = QStringLiteral("*.") + randomText(rng, QStringLiteral("jpgif"), 3);
            written.subdir = int(rng.bounded(3));
            written.volume = int(rng.bounded(3));
            for (int n = int(rng.bounded(4)); n > 0; --n)
                written.dirs.append(u'/' + randomText(rng, folder, 10));
            const std::optional<DirectoryProfile> again =
                DirectoryProfile::fromBytes(written.toBytes());
            QVERIFY(again);
            QCOMPARE(again->filter, written.filter);
            QCOMPARE(again->subdir, written.subdir);
            QCOMPARE(again->volume, written.volume);
            QCOMPARE(again->dirs, written.dirs);
            QVERIFY(again->hasFilter && again->hasSubdir && again->hasVolume);
        }
    }
};

QTEST_GUILESS_MAIN(TestDirProfile)
#include "tst_dirprofile.moc"

#include "platform/numbers.h"

#include <QTest>

using namespace mosaicon::platform;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("empty text gives 0") << "" << 0.0;
        QTest::addRow("leading blanks are skipped") << "   42" << 42.0;
        QTest::addRow("Str form with its leading blank") << " 12632256" << 12632256.0;
        QTest::addRow("text after the number is ignored") << "100px" << 100.0;
        QTest::addRow("blanks inside the number are skipped") << "1 2 3" << 123.0;
        QTest::addRow("decimal fraction") << "12.5" << 12.5;
        QTest::addRow("negative number") << "-7" << -7.0;
        QTest::addRow("no digits gives 0") << "abc" << 0.0;
        QTest::addRow("a percentage reads as its number") << "50%" << 50.0;
        QTest::addRow("exponent") << "1e3" << 1000.0;
        QTest::addRow("hex prefix") << "&HFF" << 255.0;
        QTest::addRow("four-digit hex is a 16-bit signed value") << "&HFFFF" << -1.0;
        QTest::addRow("octal prefix") << "&O17" << 15.0;
        QTest::addRow("second decimal point ends the number") << "1.2.3" << 1.2;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(mosaicon::platform::val(text), expected);
    }

    void roundsHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::addRow("2.5 goes down to 2") << 2.5 << qint64(2);
        QTest::addRow("3.5 goes up to 4") << 3.5 << qint64(4);
        QTest::addRow("-2.5 goes to -2") << -2.5 << qint64(-2);
        QTest::addRow("2.6 goes to 3") << 2.6 << qint64(3);
    }
    void roundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }

    void int16RefusesWhatDoesNotFit()
    {
        QCOMPARE(valToInt16(QStringLiteral(" 12.5")), std::optional<qint16>(12));
        QCOMPARE(valToInt16(QStringLiteral("32767")), std::optional<qint16>(32767));
        QCOMPARE(valToInt16(QStringLiteral("32768")), std::nullopt);
        QCOMPARE(valToInt16(QStringLiteral("-32769")), std::nullopt);
    }

    void strForm_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("expected");
        QTest::addRow("zero has a leading blank") << qint64(0) << " 0";
        QTest::addRow("positive has a leading blank") << qint64(12632256) << " 12632256";
        QTest::addRow("negative has its minus sign") << qint64(-5) << "-5";
    }
    void strForm()
    {
        QFETCH(qint64, value);
        QFETCH(QString, expected);
        QCOMPARE(mosaicon::platform::strForm(value), expected);
    }

    void generalNumberForms()
    {
        QCOMPARE(strFormDouble(200.0 / 3.0), QStringLiteral(" 66.6666666666667"));
        QCOMPARE(strFormDouble(50), QStringLiteral(" 50"));
        QCOMPARE(strFormDouble(0.5), QStringLiteral(" .5"));
        QCOMPARE(strFormSingle(1570.0), QStringLiteral(" 1570"));
        QCOMPARE(strFormSingle(-0.25), QStringLiteral("-.25"));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"

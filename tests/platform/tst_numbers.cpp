#include "platform/numbers.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

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
        QTest::addColumn<std::optional<qint64>>("expected");
        const double huge = std::numeric_limits<double>::max();
        const std::optional<qint64> refused;
        QTest::addRow("2.5 goes down to 2") << 2.5 << std::optional<qint64>(2);
        QTest::addRow("3.5 goes up to 4") << 3.5 << std::optional<qint64>(4);
        QTest::addRow("-2.5 goes to -2") << -2.5 << std::optional<qint64>(-2);
        QTest::addRow("2.6 goes to 3") << 2.6 << std::optional<qint64>(3);
        QTest::addRow("-2^63 is the smallest that fits")
            << -9223372036854775808.0 << std::optional<qint64>(std::numeric_limits<qint64>::min());
        QTest::addRow("2^63 is one past the largest") << 9223372036854775808.0 << refused;
        QTest::addRow("the largest double does not fit") << huge << refused;
        QTest::addRow("infinity does not fit") << huge * 2 << refused;
        QTest::addRow("NaN is no number") << std::nan("") << refused;
    }
    void roundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(std::optional<qint64>, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }

    void int16RefusesWhatDoesNotFit()
    {
        QCOMPARE(valToInt16(QStringLiteral(" 12.5")), std::optional<qint16>(12));
        QCOMPARE(valToInt16(QStringLiteral("32767")), std::optional<qint16>(32767));
        QCOMPARE(valToInt16(QStringLiteral("32768")), std::nullopt);
        QCOMPARE(valToInt16(QStringLiteral("-32769")), std::nullopt);
        QCOMPARE(valToInt16(QStringLiteral("1e300")), std::nullopt);
        QCOMPARE(valToInt16(QStringLiteral("&HFFFFFFFFFFFFFFFF")), std::nullopt);
    }

    // Texts a settings file may hold whose number no integer cast may be given.
    void integersRefuseWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<std::optional<qint64>>("expected");
        const qint64 intMin = std::numeric_limits<int>::min();
        const qint64 intMax = std::numeric_limits<int>::max();
        const qint64 all = std::numeric_limits<qint64>::max();
        const qint64 lowest = std::numeric_limits<qint64>::min();
        const auto fits = [](qint64 n) { return std::optional<qint64>(n); };
        const std::optional<qint64> refused;
        QTest::addRow("the fraction is dropped") << "99.9" << intMin << intMax << fits(99);
        QTest::addRow("a negative fraction is dropped towards 0")
            << "-99.9" << intMin << intMax << fits(-99);
        QTest::addRow("the largest int fits") << "2147483647" << intMin << intMax << fits(intMax);
        QTest::addRow("one past the largest int") << "2147483648" << intMin << intMax << refused;
        QTest::addRow("one below the smallest int") << "-2147483649" << intMin << intMax << refused;
        QTest::addRow("1e10 is no int") << "1e10" << intMin << intMax << refused;
        QTest::addRow("1e300 is beyond 64 bits") << "1e300" << lowest << all << refused;
        QTest::addRow("-1e300 is beyond 64 bits") << "-1e300" << lowest << all << refused;
        QTest::addRow("2^63 is beyond 64 bits")
            << "9223372036854775808" << lowest << all << refused;
        QTest::addRow("sixteen hex digits are 2^64 - 1, beyond 64 bits")
            << "&HFFFFFFFFFFFFFFFF" << lowest << all << refused;
        QTest::addRow("eight hex digits are a 32-bit signed value")
            << "&HFFFFFFFF" << intMin << intMax << fits(-1);
        QTest::addRow("nine hex digits are unsigned")
            << "&H100000000" << lowest << all << fits(4294967296);
        QTest::addRow("an exponent too large for a double gives 0")
            << "1e999" << intMin << intMax << fits(0);
        QTest::addRow("a negative count is below the smallest allowed")
            << "-5" << qint64(1) << intMax << refused;
        QTest::addRow("0.5 drops to 0, below the smallest allowed")
            << "0.5" << qint64(1) << intMax << refused;
    }
    void integersRefuseWhatDoesNotFit()
    {
        QFETCH(QString, text);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(std::optional<qint64>, expected);
        QCOMPARE(valToInteger(text, min, max), expected);
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

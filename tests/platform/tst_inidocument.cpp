#include "platform/inidocument.h"

#include <QTest>

using namespace mosaicon::platform;
using namespace Qt::StringLiterals;

namespace {

// "put|section|key|value" or "remove|section|key".
void run(IniDocument& text, const QStringList& operations)
{
    for (const QString& operation : operations) {
        const QStringList parts = operation.split(u'|');
        if (parts[0] == u"put")
            text.put(parts[1], parts[2], parts[3]);
        else
            text.remove(parts[1], parts[2]);
    }
}

} // namespace

class TestIniDocument : public QObject
{
    Q_OBJECT

private slots:
    void editsTextExactly_data();
    void editsTextExactly();
    void lookup_data();
    void lookup();
    void keysReadBackExactly_data();
    void keysReadBackExactly();
    void listsNamesInFileOrder();
};

void TestIniDocument::editsTextExactly_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("a value is replaced in place, the other LF lines are kept")
        << QByteArray("[A]\nx=1\ny=2\n") << QStringList{"put|A|x|9"}
        << QByteArray("[A]\nx=9\r\ny=2\n");
    QTest::addRow("a replaced key is spelled as in the put")
        << QByteArray("[Main]\n  Width = 1\n") << QStringList{"put|main|WIDTH|2"}
        << QByteArray("[Main]\nWIDTH=2\r\n");
    QTest::addRow("a new key goes before the blank line that separates sections")
        << QByteArray("[A]\nx=1\n\n[B]\ny=2\n") << QStringList{"put|a|z|3"}
        << QByteArray("[A]\nx=1\nz=3\r\n\n[B]\ny=2\n");
    QTest::addRow("a comment counts as the end of its section")
        << QByteArray("[A]\nx=1\n; note\n\n[B]\n") << QStringList{"put|A|y|2"}
        << QByteArray("[A]\nx=1\n; note\ny=2\r\n\n[B]\n");
    QTest::addRow("a new section after a last line without line end starts on its own line")
        << QByteArray("[A]\nx=1") << QStringList{"put|B|y|2"}
        << QByteArray("[A]\nx=1\r\n[B]\r\ny=2\r\n");
    QTest::addRow("a new key after a last line without line end starts on its own line")
        << QByteArray("[A]\nx=1") << QStringList{"put|A|y|2"}
        << QByteArray("[A]\nx=1\r\ny=2\r\n");
    QTest::addRow("a new section adds no blank line")
        << QByteArray("[A]\nx=1\n\n") << QStringList{"put|B|y|2"}
        << QByteArray("[A]\nx=1\n\n[B]\r\ny=2\r\n");
    QTest::addRow("CR line ends are read and kept")
        << QByteArray("[A]\rx=1\ry=2\r") << QStringList{"put|A|y|3"}
        << QByteArray("[A]\rx=1\ry=3\r\n");
    QTest::addRow("lines before the first section are kept and are no section")
        << QByteArray("; top\nx=0\n[A]\n") << QStringList{"put|A|x|1"}
        << QByteArray("; top\nx=0\n[A]\nx=1\r\n");
    QTest::addRow("the first section of a name wins")
        << QByteArray("[A]\nx=1\n[B]\n[a]\nx=2\n") << QStringList{"put|A|x|3"}
        << QByteArray("[A]\nx=3\r\n[B]\n[a]\nx=2\n");
    QTest::addRow("a section name is matched trimmed and in any case")
        << QByteArray("[ Main ]\r\n") << QStringList{"put|MAIN|x|1"}
        << QByteArray("[ Main ]\r\nx=1\r\n");
    QTest::addRow("remove takes out only the key line")
        << QByteArray("[A]\r\nx=1\r\ny=2\n") << QStringList{"remove|A|X"}
        << QByteArray("[A]\r\ny=2\n");
    QTest::addRow("removing a missing key or section changes nothing")
        << QByteArray("[A]\nx=1") << QStringList{"remove|A|q", "remove|B|x"}
        << QByteArray("[A]\nx=1");
    QTest::addRow("after removing the first of two equal keys the second one is found")
        << QByteArray("[A]\nx=1\nX=2\n") << QStringList{"remove|A|x", "put|A|x|3"}
        << QByteArray("[A]\nx=3\r\n");
    QTest::addRow("after removing the last key a new key follows the line before it")
        << QByteArray("[A]\nx=1\n\ny=2\n\n[B]\n")
        << QStringList{"remove|A|y", "put|A|z|3", "put|A|w|4"}
        << QByteArray("[A]\nx=1\nz=3\r\nw=4\r\n\n\n[B]\n");
    QTest::addRow("putting the value a key already has leaves its line alone")
        << QByteArray("[A]\nx=1\n") << QStringList{"put|A|x|1"} << QByteArray("[A]\nx=1\n");
    QTest::addRow("line breaks in a value become blanks")
        << QByteArray() << QStringList{"put|A|x|a\r\nb\nc\rd"}
        << QByteArray("[A]\r\nx=a b c d\r\n");
    QTest::addRow("a key holding \"=\" is written quoted")
        << QByteArray() << QStringList{"put|Thumbnails (ir)|/p/a=b \"1\".gif|5"}
        << QByteArray("[Thumbnails (ir)]\r\n\"/p/a=b \\\"1\\\".gif\"=5\r\n");
    QTest::addRow("the byte order mark is kept and does not hide the first section")
        << QByteArray("\xEF\xBB\xBF[A]\nx=1\n") << QStringList{"put|A|x|2"}
        << QByteArray("\xEF\xBB\xBF[A]\nx=2\r\n");
    QTest::addRow("putting into an empty text makes its section")
        << QByteArray() << QStringList{"put|A|x|1", "put|A|y|2"}
        << QByteArray("[A]\r\nx=1\r\ny=2\r\n");
    QTest::addRow("keys in exact sections differ by case")
        << QByteArray("[associated text]\n/p/A.gif=1\n")
        << QStringList{"put|Associated Text|/p/a.gif|2", "remove|Associated Text|/P/A.GIF"}
        << QByteArray("[associated text]\n/p/A.gif=1\n/p/a.gif=2\r\n");
}

void TestIniDocument::editsTextExactly()
{
    QFETCH(QByteArray, start);
    QFETCH(QStringList, operations);
    QFETCH(QByteArray, expected);

    IniDocument text;
    text.parse(start);
    run(text, operations);
    QCOMPARE(text.serialize(), expected);
}

void TestIniDocument::lookup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray exact = "[Thumbnails (ir)]\n/p/A.gif=upper\n/p/a.gif=lower\n";
    QTest::addRow("section and key in another case")
        << QByteArray("[Main]\nWidth=10\n") << u"mAIN"_s << u"WIDTH"_s << u"10"_s;
    QTest::addRow("key and value trimmed of blanks")
        << QByteArray("[A]\n\t x  =  v 1 \t\n") << u"A"_s << u" x "_s << u"v 1"_s;
    QTest::addRow("CR LF is not part of the value")
        << QByteArray("[A]\r\nx=1\r\n") << u"A"_s << u"x"_s << u"1"_s;
    QTest::addRow("the value is everything after the first \"=\"")
        << QByteArray("[A]\nx=a=b ; c\n") << u"A"_s << u"x"_s << u"a=b ; c"_s;
    QTest::addRow("the first of two equal keys wins")
        << QByteArray("[A]\nx=1\nX=2\n") << u"A"_s << u"x"_s << u"1"_s;
    QTest::addRow("exact section: lower-case file")
        << exact << u"Thumbnails (ir)"_s << u"/p/a.gif"_s << u"lower"_s;
    QTest::addRow("exact section: upper-case file")
        << exact << u"thumbnails (IR)"_s << u"/p/A.gif"_s << u"upper"_s;
    QTest::addRow("exact section: a third spelling is another file")
        << exact << u"Thumbnails (ir)"_s << u"/P/A.GIF"_s << u"<default>"_s;
    QTest::addRow("exact section: Thumbnails (vi)")
        << QByteArray("[Thumbnails (vi)]\nA=1\n") << u"Thumbnails (vi)"_s << u"a"_s
        << u"<default>"_s;
    QTest::addRow("exact section: Associated Text Title")
        << QByteArray("[Associated Text Title]\nA=1\n") << u"associated text title"_s << u"a"_s
        << u"<default>"_s;
    QTest::addRow("a similar name is an ordinary section")
        << QByteArray("[Associated Texts]\nA=1\n") << u"Associated Texts"_s << u"a"_s << u"1"_s;
    QTest::addRow("a quoted key") << QByteArray("[A]\n \"a=\\\"b\\\\\" = 1\n") << u"A"_s
                                  << u"a=\"b\\"_s << u"1"_s;
    QTest::addRow("a comment is no key")
        << QByteArray("[A]\n;x=1\n") << u"A"_s << u";x"_s << u"<default>"_s;
    QTest::addRow("a line without \"=\" is no key")
        << QByteArray("[A]\nx\n") << u"A"_s << u"x"_s << u"<default>"_s;
    QTest::addRow("a key before the first section belongs to none")
        << QByteArray("x=1\n[A]\n") << u"A"_s << u"x"_s << u"<default>"_s;
    QTest::addRow("a missing section")
        << QByteArray("[A]\nx=1\n") << u"B"_s << u"x"_s << u"<default>"_s;
    QString value;
    for (int i = 0; i < 1000; ++i)
        value += QChar(u'a' + i % 26);
    QTest::addRow("a long value is read whole")
        << "[A]\nlong=" + value.toUtf8() + "\n" << u"A"_s << u"long"_s << value;
}

void TestIniDocument::lookup()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    IniDocument text;
    text.parse(content);
    QCOMPARE(text.value(section, key).value_or(u"<default>"_s), expected);
}

void TestIniDocument::keysReadBackExactly_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");

    QTest::addRow("a path holding \"=\"") << u"Thumbnails (ir)"_s << u"/p/a=b.gif"_s;
    QTest::addRow("a leading blank") << u"Associated Text"_s << u" /p/x.gif"_s;
    QTest::addRow("a trailing blank") << u"Associated Text"_s << u"/p/x.gif "_s;
    QTest::addRow("a leading quote") << u"Thumbnails (vi)"_s << u"\"q\".gif"_s;
    QTest::addRow("a leading bracket") << u"Thumbnails (vi)"_s << u"[1].gif"_s;
    QTest::addRow("a leading semicolon") << u"Thumbnails (vi)"_s << u";x.gif"_s;
    QTest::addRow("quotes and backslashes inside a quoted key") << u"R"_s << u"=a\\\"b\\"_s;
    QTest::addRow("a line break") << u"Associated Text"_s << u"/p/two\nlines\r.gif"_s;
    QTest::addRow("non-ASCII letters") << u"Associated Text"_s << u"/p/Fotos/Ärger ß=1.jpg"_s;
}

void TestIniDocument::keysReadBackExactly()
{
    QFETCH(QString, section);
    QFETCH(QString, key);

    IniDocument written;
    written.put(section, u"first"_s, u"0"_s);
    written.put(section, key, u"value"_s);
    written.put(section, u"last"_s, u"2"_s);

    IniDocument text;
    text.parse(written.serialize());
    QCOMPARE(text.keys(section), (QStringList{u"first"_s, key, u"last"_s}));
    QCOMPARE(text.value(section, key), u"value"_s);
    QCOMPARE(text.value(section, u"last"_s), u"2"_s);
    QVERIFY(text.put(section, key, u"changed"_s));
    IniDocument again;
    again.parse(text.serialize());
    QCOMPARE(again.value(section, key), u"changed"_s);
    QCOMPARE(again.keys(section).size(), 3);
}

void TestIniDocument::listsNamesInFileOrder()
{
    IniDocument text;
    text.parse("k=0\n[Zeta]\nB=1\n;c=3\na=2\nb=9\n[alpha]\n[ZETA]\nq=1\n");
    QVERIFY(text.remove(u"zeta"_s, u"a"_s));
    QVERIFY(text.put(u"Zeta"_s, u"C"_s, u"4"_s));
    QVERIFY(text.put(u"Beta"_s, u"x"_s, u"1"_s));
    QCOMPARE(text.sectionNames(), (QStringList{u"Zeta"_s, u"alpha"_s, u"Beta"_s}));
    QCOMPARE(text.keys(u"ZETA"_s), (QStringList{u"B"_s, u"C"_s}));
    QVERIFY(text.keys(u"alpha"_s).isEmpty());
    QVERIFY(text.keys(u"missing"_s).isEmpty());
}

QTEST_GUILESS_MAIN(TestIniDocument)

#include "tst_inidocument.moc"

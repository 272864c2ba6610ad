#include "settings/program.h"
#include "settings/readwriteini.h"
#include "settings/startup.h"

#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/profilefile.h"

#include "everysetting.h"
#include "fakemainform.h"
#include "testprogram.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QTest>

#include <algorithm>
#include <limits>

using namespace mosaicon;
using namespace Qt::StringLiterals;

namespace {

// Test data writes the program folder as <folder>.
QString at(const TestProgram& tp, QString text)
{
    return text.replace(u"<folder>"_s, tp.folder());
}

QStringList at(const TestProgram& tp, QStringList texts)
{
    for (QString& text : texts)
        text = at(tp, text);
    return texts;
}

void useSettingsFileOf(const TestProgram& tp)
{
    program().ini_file_path = tp.path(u"mosaik.ini"_s);
    program().product_title = u"Mosaicon Pro v4.00"_s;
}

// A new run of the program in the same folder: nothing kept in memory.
void restart(const TestProgram& tp)
{
    resetProgram();
    program().program_folder = tp.folder();
    useSettingsFileOf(tp);
}

// A settings file written in test data with "\n" line ends, stored with CR LF;
// none for an empty text.
void writeSettingsFile(const TestProgram& tp, const QString& text)
{
    if (!text.isEmpty())
        tp.write(u"mosaik.ini"_s, at(tp, text).replace(u"\n"_s, u"\r\n"_s).toUtf8());
}

// Replaces the "name = value" lines of the changed settings; false for a name that is no setting.
bool change(QStringList& description, const QStringList& changes)
{
    for (const QString& changed : changes) {
        const QString name = changed.section(u" = "_s, 0, 0) + u" = "_s;
        const auto it = std::find_if(description.begin(), description.end(),
                                     [&](const QString& line) { return line.startsWith(name); });
        if (it == description.end())
            return false;
        *it = changed;
    }
    return true;
}

// The key lines of one section of a settings file.
QStringList sectionLines(const QByteArray& file, const QString& section)
{
    QStringList lines;
    bool inside = false;
    for (const QString& line : QString::fromUtf8(file).split(u"\r\n"_s)) {
        if (line.startsWith(u'['))
            inside = line == u'[' + section + u']';
        else if (inside && !line.isEmpty())
            lines << line;
    }
    return lines;
}

} // namespace

class TestReadWriteIni : public QObject
{
    Q_OBJECT

private slots:
    void readWithoutSettingsFile()
    {
        TestProgram tp;
        useSettingsFileOf(tp);
        readwriteini(IniMode::Read);
        QCOMPARE(describe(settings()), describe(defaultSettings(tp.folder())));
        QVERIFY(settings() == defaultSettings(tp.folder()));
        QVERIFY(QFileInfo(tp.path(u"html"_s)).isDir());
        QVERIFY(QFileInfo(tp.path(u"assoctxt"_s)).isDir());
        QVERIFY(!QFileInfo::exists(tp.path(u"mosaik.ini"_s)));
        VERIFY_DIALOGS(tp);
    }

    // Each key alone in the file changes its own setting and no other, and
    // WRITE puts that setting back under the same key.
    void everyKeyReachesItsSetting_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("written"); // empty: WRITE leaves no such key
        const auto row = [](const char* section, const char* key, const QString& value,
                            const QStringList& changes, const QString& written) {
            QTest::addRow("[%s] %s", section, key) << QString::fromLatin1(section) << QString::fromLatin1(key)
                                                   << value << changes << written;
        };
        const auto text = [&](const char* section, const char* key, const char* field, const QString& value) {
            row(section, key, value, {QString::fromLatin1(field) + u" = "_s + value}, value);
        };
        const auto yes = [&](const char* section, const char* key, const char* field) {
            row(section, key, u"Yes"_s, {QString::fromLatin1(field) + u" = True"_s}, u"Yes"_s);
        };
        const char* c = "Current";
        text(c, "Editor", "editor_command", u"/usr/bin/gimp"_s);
        text(c, "Last HTML Directory", "last_html_directory", u"/srv/www"_s);
        text(c, "Last Target Directory", "target_dir", u"/srv/target"_s);
        row(c, "Last Directory", u"/srv/photos"_s,
            {u"last_directory = /srv/photos"_s, u"internet_dir = /srv/photos"_s}, u"/srv/photos"_s);
        text(c, "Internet Directory", "internet_dir", u"/srv/web"_s);
        text(c, "Last Drive", "last_drive", u"/media/card"_s);
        text(c, "Last Image Type", "last_image_type", u"*.png"_s);
        text(c, "Pixel Height", "pixel_height", u"120"_s);
        text(c, "Pixel Width", "pixel_width", u"160"_s);
        text(c, "Table Cell Padding", "table_cell_padding", u"4"_s);
        row(c, "Load Delay", u" 12"_s, {u"load_delay = 12"_s}, u" 12"_s);
        text(c, "Logo", "logo_file", u"<folder>/logo.gif"_s);
        text(c, "HTML Background", "html_background", u"<folder>/back.gif"_s);
        text(c, "Help File", "html_help_file", u"<folder>/guide.htm"_s);
        text(c, "Top Banner", "top_banner", u"Top"_s);
        text(c, "Top Banner Link", "top_banner_link", u"https://example.org/top"_s);
        text(c, "Bottom Banner", "bottom_banner", u"Bottom"_s);
        text(c, "Bottom Banner Link", "bottom_banner_link", u"https://example.org/bottom"_s);
        text(c, "Thumbnail Background Color", "thumb_bg_color", u"255"_s);
        text(c, "Thumbnail Dither", "thumb_dither", u"0"_s);
        text(c, "Thumbnail Quality", "thumb_quality", u"90"_s);
        text(c, "Thumbnail Smoothing", "thumb_smoothing", u"2"_s);
        yes(c, "Thumbnail Optimize", "thumb_optimize");
        yes(c, "Prefix Thumbnail File", "prefix_thumbnail_file");
        yes(c, "File Title", "file_title");
        row(c, "Thumbnail Style", u"With Borders"_s, {u"thumb_style = 0"_s}, u"With Borders"_s);
        yes(c, "Source Directory For Images", "images_in_source_dir");
        yes(c, "Use Background Image", "use_background_image");
        yes(c, "Purge Internet Directory", "purge_internet_dir");
        text(c, "Image Count", "image_count", u"48"_s);
        text(c, "Thumbnail Size", "thumb_size", u"150"_s);
        yes(c, "Rename HTML", "rename_html");
        yes(c, "Use Thumbnail", "use_thumbnail");
        yes(c, "Header And Footer", "header_and_footer");
        yes(c, "GIF & JPEG Only", "gif_jpeg_only");
        yes(c, "Create Batch Files", "create_batch_files");
        yes(c, "Print KB Size", "print_kb_size");
        yes(c, "Print Pixel Size", "print_pixel_size");
        yes(c, "File Name Only", "file_name_only");
        yes(c, "File Name & Path", "file_name_and_path");
        yes(c, "Auto Start Browser", "auto_start_browser");
        yes(c, "Auto Start Editor", "auto_start_editor");
        yes(c, "Create Thumbnail", "create_thumbnail_flag");
        yes(c, "3D Thumbnail", "thumb_3d");
        yes(c, "File Names", "file_names");
        yes(c, "Image Borders", "image_borders");
        yes(c, "Individual Selections", "individual_selections");
        row(c, "Logo Background", u" 255"_s, {u"logo_background = 255"_s}, u" 255"_s);
        const char* color = "Color";
        text(color, "Text", "text_color", u"#111111"_s);
        text(color, "VLink", "vlink_color", u"#222222"_s);
        text(color, "Link", "link_color", u"#333333"_s);
        text(color, "Alink", "alink_color", u"#444444"_s);
        text(color, "Image Border", "image_border_color", u"#555555"_s);
        text(color, "BackGround", "background_color", u"#666666"_s);
        const char* full = "Full Size Image";
        text(full, "Location", "full_img_location", u"right"_s);
        text(full, "Layout", "full_img_layout", u"#3"_s);
        yes(full, "Use Text", "full_img_use_text");
        yes(full, "Use Options", "full_img_with_options");
        const char* slides = "Slides";
        text(slides, "First Image", "first_icon", u"<folder>/nav/first.gif"_s);
        text(slides, "Last Image", "last_icon", u"<folder>/nav/last.gif"_s);
        text(slides, "Next Image", "next_icon", u"<folder>/nav/next.gif"_s);
        text(slides, "Previous Image", "previous_icon", u"<folder>/nav/previous.gif"_s);
        text(slides, "Index Image", "index_icon", u"<folder>/nav/index.gif"_s);
        text(slides, "Exit Image", "exit_icon", u"<folder>/nav/exit.gif"_s);
        text(slides, "Associated Text Directory", "assoc_text_dir", u"/srv/texts"_s);
        text(slides, "Slide Image Height", "slide_image_height", u"480"_s);
        text(slides, "Slide Delay", "slide_delay", u"5"_s);
        row(slides, "Use Image Directory", u"No"_s, {u"use_image_directory = False"_s}, u"No"_s);
        row(slides, "Navigation Icons", u"No"_s, {u"use_frames = False"_s}, u"No"_s);
        yes(slides, "Auto Advance", "auto_advance");
        yes(slides, "Display Title", "display_title");
        yes(slides, "Preformatted Text", "preformatted_text");
        yes(slides, "Use Associated Text", "use_associated_text");
        yes(slides, "Slide Loop", "slide_loop");
        yes(slides, "Rename Slide", "rename_slide");
        const char* icons = "HTML Icons";
        row(icons, "Number_1", u"vertical"_s, {u"html_icon_1 = vertical"_s}, QString());
        row(icons, "Number_2", u"quick"_s, {u"html_icon_2 = quick"_s}, QString());
        row(icons, "Number_3", u"simple"_s, {u"html_icon_3 = simple"_s}, QString());
        row(icons, "Number_4", u"advanced"_s, {u"html_icon_4 = advanced"_s}, QString());
    }
    void everyKeyReachesItsSetting()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QStringList, changes);
        QFETCH(QString, written);
        TestProgram tp;
        useSettingsFileOf(tp);
        value = at(tp, value);
        written = at(tp, written);
        if (value.startsWith(tp.folder()))
            createFiles(tp, {value.mid(tp.folder().size() + 1)});
        tp.write(u"mosaik.ini"_s, (u'[' + section + u"]\r\n"_s + key + u'=' + value + u"\r\n"_s).toUtf8());
        readwriteini(IniMode::Read);
        QStringList expected = describe(defaultSettings(tp.folder()));
        QVERIFY2(change(expected, at(tp, changes)), "the test names a setting that does not exist");
        QCOMPARE(describe(settings()), expected);

        QVERIFY(QFile::remove(tp.path(u"mosaik.ini"_s)));
        readwriteini(IniMode::Write);
        const QStringList lines = sectionLines(tp.read(u"mosaik.ini"_s), section);
        if (written.isEmpty())
            QVERIFY(std::none_of(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(key + u'='); }));
        else
            QVERIFY2(lines.contains(key + u'=' + written), qPrintable(lines.join(u" | "_s)));
    }

    void readRules_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected"); // "setting = value"
        const auto current = [](const QString& key, const QString& value) {
            return u"[Current]\n"_s + key + u'=' + value + u'\n';
        };
        const auto slides = [](const QString& key, const QString& value) {
            return u"[Slides]\n"_s + key + u'=' + value + u'\n';
        };
        const QString a254(254, u'a');
        const QString a300(300, u'a');

        QTest::addRow("text: 254 characters are read whole") << current(u"Editor"_s, a254) << QStringList()
                                                               << u"editor_command = "_s + a254;
        QTest::addRow("text: 300 characters are read whole, not cut") << current(u"Editor"_s, a300)
                                                                        << QStringList()
                                                                        << u"editor_command = "_s + a300;
        QTest::addRow("text: a missing key gives a set, empty value")
            << current(u"Pixel Height"_s, u"40"_s) << QStringList() << u"editor_command = "_s;
        QTest::addRow("default if empty: an empty Pixel Height gives 25")
            << current(u"Pixel Height"_s, QString()) << QStringList() << u"pixel_height = 25"_s;
        QTest::addRow("default if empty: Internet Directory takes the Last Directory just read")
            << current(u"Last Directory"_s, u"/srv/photos"_s) << QStringList() << u"internet_dir = /srv/photos"_s;
        QTest::addRow("ALink is found although WRITE spells it Alink")
            << u"[Color]\nALink=#ABCDEF\n"_s << QStringList() << u"alink_color = #ABCDEF"_s;
        QTest::addRow("Thumbnail smoothing is found although WRITE spells it Thumbnail Smoothing")
            << current(u"Thumbnail smoothing"_s, u"3"_s) << QStringList() << u"thumb_smoothing = 3"_s;

        QTest::addRow("exact: yes in lower case is False") << current(u"3D Thumbnail"_s, u"yes"_s)
                                                            << QStringList() << u"thumb_3d = False"_s;
        QTest::addRow("exact: Yes among other words is False") << current(u"3D Thumbnail"_s, u"Yes please"_s)
                                                                << QStringList() << u"thumb_3d = False"_s;
        QTest::addRow("contains: yes in any case among other words is True")
            << current(u"Thumbnail Optimize"_s, u"Oh YES, please"_s) << QStringList()
            << u"thumb_optimize = True"_s;
        QTest::addRow("contains: No is False") << current(u"Thumbnail Optimize"_s, u"No"_s) << QStringList()
                                               << u"thumb_optimize = False"_s;
        QTest::addRow("contains, True if empty: a missing key is True")
            << slides(u"Slide Delay"_s, u"5"_s) << QStringList() << u"use_frames = True"_s;
        QTest::addRow("contains, True if empty: an empty value is True")
            << slides(u"Navigation Icons"_s, QString()) << QStringList() << u"use_frames = True"_s;

        QTest::addRow("Load Delay: 12.5 rounds to the even 12") << current(u"Load Delay"_s, u" 12.5"_s)
                                                                 << QStringList() << u"load_delay = 12"_s;
        QTest::addRow("Load Delay: 13.5 rounds to the even 14") << current(u"Load Delay"_s, u"13.5"_s)
                                                                 << QStringList() << u"load_delay = 14"_s;
        QTest::addRow("Load Delay: the leading number counts") << current(u"Load Delay"_s, u"8 seconds"_s)
                                                                << QStringList() << u"load_delay = 8"_s;
        QTest::addRow("Load Delay: empty gives 0") << current(u"Load Delay"_s, QString()) << QStringList()
                                                   << u"load_delay = 0"_s;
        QTest::addRow("Load Delay: -32768 still fits") << current(u"Load Delay"_s, u"-32768"_s) << QStringList()
                                                       << u"load_delay = -32768"_s;
        QTest::addRow("Load Delay: 40000 does not fit and leaves the previous value")
            << current(u"Load Delay"_s, u"40000"_s) << QStringList() << u"load_delay = 77"_s;
        QTest::addRow("Load Delay: 1e300 does not fit and leaves the previous value")
            << current(u"Load Delay"_s, u"1e300"_s) << QStringList() << u"load_delay = 77"_s;
        QTest::addRow("Load Delay: sixteen hex digits do not fit and leave the previous value")
            << current(u"Load Delay"_s, u"&HFFFFFFFFFFFFFFFF"_s) << QStringList()
            << u"load_delay = 77"_s;

        QTest::addRow("Thumbnail Style: Without Borders gives 1")
            << current(u"Thumbnail Style"_s, u"Without Borders"_s) << QStringList() << u"thumb_style = 1"_s;
        QTest::addRow("Thumbnail Style: with borders in capitals gives 0")
            << current(u"Thumbnail Style"_s, u"WITH BORDERS"_s) << QStringList() << u"thumb_style = 0"_s;
        QTest::addRow("Thumbnail Style: a missing key gives 1")
            << current(u"Load Delay"_s, u" 0"_s) << QStringList() << u"thumb_style = 1"_s;

        QTest::addRow("Logo Background: blanks around the number are trimmed")
            << current(u"Logo Background"_s, u"  255  "_s) << QStringList() << u"logo_background = 255"_s;
        QTest::addRow("Logo Background: a hex number") << current(u"Logo Background"_s, u"&H808080"_s)
                                                        << QStringList() << u"logo_background = 8421504"_s;
        QTest::addRow("Logo Background: empty gives light grey")
            << current(u"Logo Background"_s, QString()) << QStringList() << u"logo_background = 12632256"_s;
        QTest::addRow("Logo Background: garbage leaves the previous colour")
            << current(u"Logo Background"_s, u"grey"_s) << QStringList() << u"logo_background = 4242"_s;
        QTest::addRow("Logo Background: 1e300 does not fit and leaves the previous colour")
            << current(u"Logo Background"_s, u"1e300"_s) << QStringList()
            << u"logo_background = 4242"_s;
        QTest::addRow("Logo Background: 2^32 does not fit and leaves the previous colour")
            << current(u"Logo Background"_s, u"4294967296"_s) << QStringList()
            << u"logo_background = 4242"_s;
        QTest::addRow("Logo Background: sixteen hex digits leave the previous colour")
            << current(u"Logo Background"_s, u"&HFFFFFFFFFFFFFFFF"_s) << QStringList()
            << u"logo_background = 4242"_s;
        QTest::addRow("Logo Background: infinity leaves the previous colour")
            << current(u"Logo Background"_s, u"inf"_s) << QStringList()
            << u"logo_background = 4242"_s;
        QTest::addRow("Logo Background: NaN leaves the previous colour")
            << current(u"Logo Background"_s, u"nan"_s) << QStringList()
            << u"logo_background = 4242"_s;

        QTest::addRow("HTML Background: a missing file gives empty")
            << current(u"HTML Background"_s, u"<folder>/back.gif"_s) << QStringList()
            << u"html_background = "_s;

        QTest::addRow("Help File: empty gives the program folder's mknhelp.htm")
            << current(u"Help File"_s, QString()) << QStringList() << u"html_help_file = <folder>/mknhelp.htm"_s;
        QTest::addRow("Help File: a missing file gives the default")
            << current(u"Help File"_s, u"<folder>/guide.htm"_s) << QStringList()
            << u"html_help_file = <folder>/mknhelp.htm"_s;
        QTest::addRow("Help File: mkxxhelp becomes mk32help when that exists")
            << current(u"Help File"_s, u"<folder>/mkxxhelp.htm"_s) << QStringList{u"mk32help.htm"_s}
            << u"html_help_file = <folder>/mk32help.htm"_s;
        QTest::addRow("Help File: mkxxhelp gives the default when mk32help does not exist")
            << current(u"Help File"_s, u"<folder>/mkxxhelp.htm"_s) << QStringList{u"mkxxhelp.htm"_s}
            << u"html_help_file = <folder>/mknhelp.htm"_s;
        QTest::addRow("Help File: only the first mkxxhelp is changed")
            << current(u"Help File"_s, u"<folder>/mkxxhelp/mkxxhelp.htm"_s)
            << QStringList{u"mk32help/mkxxhelp.htm"_s} << u"html_help_file = <folder>/mk32help/mkxxhelp.htm"_s;
        QTest::addRow("Help File: MKXXHELP in capitals is not changed")
            << current(u"Help File"_s, u"<folder>/MKXXHELP.htm"_s) << QStringList{u"MKXXHELP.htm"_s}
            << u"html_help_file = <folder>/MKXXHELP.htm"_s;

        QTest::addRow("Logo: a missing file is still taken") << current(u"Logo"_s, u"<folder>/logo.gif"_s)
                                                             << QStringList() << u"logo_file = <folder>/logo.gif"_s;
        QTest::addRow("Logo: empty keeps the previous logo") << current(u"Logo"_s, QString()) << QStringList()
                                                             << u"logo_file = <folder>/old.gif"_s;

        QTest::addRow("Icon: a missing file gives empty") << slides(u"Next Image"_s, u"<folder>/nav/go.gif"_s)
                                                          << QStringList{u"next.gif"_s} << u"next_icon = "_s;
        QTest::addRow("Icon: empty takes the program folder's icon when it exists")
            << slides(u"Next Image"_s, QString()) << QStringList{u"next.gif"_s}
            << u"next_icon = <folder>/next.gif"_s;
        QTest::addRow("Icon: empty without the program folder's icon gives empty")
            << slides(u"Exit Image"_s, QString()) << QStringList{u"next.gif"_s} << u"exit_icon = "_s;

        QTest::addRow("HTML Icons: Simple with a capital is replaced by simple")
            << u"[HTML Icons]\nNumber_2=Simple\n"_s << QStringList() << u"html_icon_2 = simple"_s;
        QTest::addRow("HTML Icons: any known style stays, wherever it is")
            << u"[HTML Icons]\nNumber_1=vertical\n"_s << QStringList() << u"html_icon_1 = vertical"_s;
        QTest::addRow("HTML Icons: an unknown style gives the default")
            << u"[HTML Icons]\nNumber_4=fancy\n"_s << QStringList() << u"html_icon_4 = vertical"_s;

        QTest::addRow("Associated Text Directory under [Current] is read")
            << current(u"Associated Text Directory"_s, u"/srv/texts"_s) << QStringList()
            << u"assoc_text_dir = /srv/texts"_s;
        QTest::addRow("Associated Text Directory under [Current] wins over [Slides]")
            << u"[Current]\nAssociated Text Directory=/srv/a\n[Slides]\nAssociated Text Directory=/srv/b\n"_s
            << QStringList() << u"assoc_text_dir = /srv/a"_s;
    }
    void readRules()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        TestProgram tp;
        useSettingsFileOf(tp);
        createFiles(tp, files);
        writeSettingsFile(tp, file);
        settings().load_delay = 77;
        settings().logo_background = 4242;
        settings().logo_file = tp.path(u"old.gif"_s);
        readwriteini(IniMode::Read);
        const QString name = expected.section(u" = "_s, 0, 0) + u" = "_s;
        const QStringList all = describe(settings());
        const auto it = std::find_if(all.begin(), all.end(), [&](const QString& l) { return l.startsWith(name); });
        QVERIFY2(it != all.end(), "the test names a setting that does not exist");
        QCOMPARE(*it, at(tp, expected));
        VERIFY_DIALOGS(tp);
    }

    // A number kept as text is used through setting_number(), which must never
    // hand a cast a number out of its range: such a text counts as its key's default.
    void numericTextOutOfRangeGivesItsDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("expected");
        const qint64 intMin = std::numeric_limits<int>::min();
        const qint64 intMax = std::numeric_limits<int>::max();
        const qint64 colourMax = std::numeric_limits<quint32>::max();
        QTest::addRow("Thumbnail Quality: a number in range is used without its fraction")
            << u"Thumbnail Quality"_s << u"90.5"_s << intMin << intMax << qint64(90);
        QTest::addRow("Thumbnail Quality: 1e300 gives 75")
            << u"Thumbnail Quality"_s << u"1e300"_s << intMin << intMax << qint64(75);
        QTest::addRow("Thumbnail Quality: 1e10 is no int and gives 75")
            << u"Thumbnail Quality"_s << u"1e10"_s << intMin << intMax << qint64(75);
        QTest::addRow("Thumbnail Smoothing: -1e300 gives 0")
            << u"Thumbnail Smoothing"_s << u"-1e300"_s << intMin << intMax << qint64(0);
        QTest::addRow("Thumbnail Dither: sixteen hex digits give 1")
            << u"Thumbnail Dither"_s << u"&HFFFFFFFFFFFFFFFF"_s << intMin << intMax << qint64(1);
        QTest::addRow("Thumbnail Background Color: 2^32 - 1 is still a colour")
            << u"Thumbnail Background Color"_s << u"4294967295"_s << qint64(0) << colourMax
            << qint64(4294967295);
        QTest::addRow("Thumbnail Background Color: 2^32 gives white")
            << u"Thumbnail Background Color"_s << u"4294967296"_s << qint64(0) << colourMax
            << qint64(16777215);
        QTest::addRow("Thumbnail Background Color: a negative number gives white")
            << u"Thumbnail Background Color"_s << u"-1"_s << qint64(0) << colourMax
            << qint64(16777215);
        QTest::addRow("Thumbnail Size: 1e10 gives 100, as an empty size does")
            << u"Thumbnail Size"_s << u"1e10"_s << qint64(-32768) << qint64(32767) << qint64(100);
        QTest::addRow("Image Count: 1e300 gives 0, as an empty count does")
            << u"Image Count"_s << u"1e300"_s << intMin << intMax << qint64(0);
    }
    void numericTextOutOfRangeGivesItsDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(qint64, expected);
        static const QHash<QString, SettingText Settings::*> members{
            {u"Thumbnail Quality"_s, &Settings::thumb_quality},
            {u"Thumbnail Smoothing"_s, &Settings::thumb_smoothing},
            {u"Thumbnail Dither"_s, &Settings::thumb_dither},
            {u"Thumbnail Background Color"_s, &Settings::thumb_bg_color},
            {u"Thumbnail Size"_s, &Settings::thumb_size},
            {u"Image Count"_s, &Settings::image_count},
        };
        TestProgram tp;
        useSettingsFileOf(tp);
        writeSettingsFile(tp, u"[Current]\n"_s + key + u'=' + value + u'\n');
        readwriteini(IniMode::Read);
        SettingText Settings::*member = members.value(key);
        QCOMPARE((settings().*member).text(), value);
        QCOMPARE(setting_number(settings(), member, min, max), expected);
    }

    // "yes" in lower case sets every key read by the contains rule and none read by the exact rule.
    void everyBooleanKeyFollowsItsRule()
    {
        TestProgram tp;
        useSettingsFileOf(tp);
        const QString contains = u"=oh yes\n"_s;
        const QString exact = u"=yes\n"_s;
        writeSettingsFile(
            tp, u"[Current]\n"_s + u"Thumbnail Optimize"_s + contains + u"Prefix Thumbnail File"_s + contains +
                    u"File Title"_s + contains + u"Source Directory For Images"_s + contains +
                    u"Use Background Image"_s + contains + u"Purge Internet Directory"_s + contains +
                    u"Create Batch Files"_s + contains + u"Rename HTML"_s + exact + u"Use Thumbnail"_s + exact +
                    u"Header And Footer"_s + exact + u"GIF & JPEG Only"_s + exact + u"Print KB Size"_s + exact +
                    u"Print Pixel Size"_s + exact + u"File Name Only"_s + exact + u"File Name & Path"_s + exact +
                    u"Auto Start Browser"_s + exact + u"Auto Start Editor"_s + exact + u"Create Thumbnail"_s +
                    exact + u"3D Thumbnail"_s + exact + u"File Names"_s + exact + u"Image Borders"_s + exact +
                    u"Individual Selections"_s + exact + u"[Full Size Image]\n"_s + u"Use Text"_s + contains +
                    u"Use Options"_s + contains + u"[Slides]\n"_s + u"Auto Advance"_s + exact +
                    u"Display Title"_s + exact + u"Preformatted Text"_s + exact + u"Use Associated Text"_s +
                    contains + u"Slide Loop"_s + contains + u"Rename Slide"_s + contains);
        readwriteini(IniMode::Read);
        QStringList expected = describe(defaultSettings(tp.folder()));
        QVERIFY(change(expected, {u"thumb_optimize = True"_s, u"prefix_thumbnail_file = True"_s,
                                  u"file_title = True"_s, u"images_in_source_dir = True"_s,
                                  u"use_background_image = True"_s, u"purge_internet_dir = True"_s,
                                  u"create_batch_files = True"_s, u"full_img_use_text = True"_s,
                                  u"full_img_with_options = True"_s, u"use_associated_text = True"_s,
                                  u"slide_loop = True"_s, u"rename_slide = True"_s}));
        QCOMPARE(describe(settings()), expected);
    }

    void readTellsTheMainWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("calls");
        const QString caption = u"caption Mosaicon Pro v4.00"_s;
        const QString toolbar = u"refreshToolbar"_s;
        QTest::addRow("an existing logo is shown on the logo background")
            << u"[Current]\nLogo=<folder>/logo.gif\nLogo Background= 255\n"_s << QStringList{u"logo.gif"_s}
            << QStringList{u"background 255"_s, u"logo <folder>/logo.gif"_s, caption, toolbar};
        QTest::addRow("a missing logo file shows the lists")
            << u"[Current]\nLogo=<folder>/logo.gif\nLogo Background= 255\n"_s << QStringList()
            << QStringList{u"background 255"_s, u"lists"_s, caption, toolbar};
        QTest::addRow("an empty Logo shows the lists") << u"[Current]\nLogo=\n"_s << QStringList()
                                                       << QStringList{u"background 12632256"_s, u"lists"_s, caption,
                                                                      toolbar};
        QTest::addRow("no settings file: light grey and the lists")
            << QString() << QStringList() << QStringList{u"background 12632256"_s, u"lists"_s, caption, toolbar};
        QTest::addRow("an unreadable colour keeps the previous one")
            << u"[Current]\nLogo Background=grey\n"_s << QStringList()
            << QStringList{u"background 4242"_s, u"lists"_s, caption, toolbar};
    }
    void readTellsTheMainWindow()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, files);
        QFETCH(QStringList, calls);
        TestProgram tp;
        FakeMainForm form;
        useSettingsFileOf(tp);
        createFiles(tp, files);
        writeSettingsFile(tp, file);
        settings().logo_background = 4242;
        readwriteini(IniMode::Read, &form);
        QCOMPARE(form.calls, at(tp, calls));
    }

    void thumbnailIconRepair_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("after");
        QTest::addRow("a key naming a missing file gets the standard icon")
            << u"[Thumbnail Icons]\navi=<folder>/gone.gif\n"_s << QStringList{u"avi.gif"_s}
            << u"[Thumbnail Icons]\navi=<folder>/avi.gif\n"_s;
        QTest::addRow("the text for an undefined icon is replaced")
            << u"[Thumbnail Icons]\nmid={no icon file name defined}\n"_s << QStringList{u"mid.gif"_s}
            << u"[Thumbnail Icons]\nmid=<folder>/mid.gif\n"_s;
        QTest::addRow("a key naming an existing file is kept")
            << u"[Thumbnail Icons]\nwav=<folder>/sounds/bell.gif\n"_s
            << QStringList{u"sounds/bell.gif"_s, u"wav.gif"_s} << u"[Thumbnail Icons]\nwav=<folder>/sounds/bell.gif\n"_s;
        QTest::addRow("without the standard icon a broken key stays")
            << u"[Thumbnail Icons]\nmpg=<folder>/gone.gif\n"_s << QStringList()
            << u"[Thumbnail Icons]\nmpg=<folder>/gone.gif\n"_s;
        QTest::addRow("missing keys are added in order; htm and html share htm.gif, other takes qmark.gif")
            << QString() << QStringList{u"qmark.gif"_s, u"rmi.gif"_s, u"htm.gif"_s}
            << u"[Thumbnail Icons]\nhtm=<folder>/htm.gif\nhtml=<folder>/htm.gif\nrmi=<folder>/rmi.gif\n"
               u"other=<folder>/qmark.gif\n"_s;
    }
    void thumbnailIconRepair()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, files);
        QFETCH(QString, after);
        TestProgram tp;
        useSettingsFileOf(tp);
        createFiles(tp, files);
        writeSettingsFile(tp, before);
        readwriteini(IniMode::Read);
        QCOMPARE(tp.read(u"mosaik.ini"_s), at(tp, after).replace(u"\n"_s, u"\r\n"_s).toUtf8());
    }

    void roundTripOfEverySetting()
    {
        TestProgram tp;
        useSettingsFileOf(tp);
        createFiles(tp, filesOfEverySetting);
        settings() = everySettingChanged(tp.folder());
        readwriteini(IniMode::Write);
        const QStringList current = sectionLines(tp.read(u"mosaik.ini"_s), u"Current"_s);
        QVERIFY(current.contains(u"Load Delay=-5"_s));
        QVERIFY(current.contains(u"Logo Background= 1193046"_s));
        restart(tp);
        readwriteini(IniMode::Read);

        Settings expected = everySettingChanged(tp.folder());
        // Forced by READ whatever the file says, or never stored.
        expected.internet_ready = true;
        expected.relative_address = false;
        expected.maintain_ratio = true;
        // Read only: WRITE never stores them, so READ gives their defaults.
        expected.html_icon_1 = u"quick"_s;
        expected.html_icon_2 = u"simple"_s;
        expected.html_icon_3 = u"advanced"_s;
        expected.html_icon_4 = u"vertical"_s;
        // assoc_text_dir is no exception: READ finds it under [Slides], where WRITE stored it.
        QCOMPARE(describe(settings()), describe(expected));
        QVERIFY(settings() == expected);
    }

    // A new setting must be described, changed by everySettingChanged (so that
    // the round trip above carries it through the settings table) and given
    // its READ default (so that reading no file checks it).
    void everySettingIsListed()
    {
        const QString folder = u"/p"_s;
        const QStringList defaults = describe(defaultSettings(folder));
        const QStringList changed = describe(everySettingChanged(folder));
        QStringList names;
        for (const QString& line : defaults)
            names << line.section(u" = "_s, 0, 0);
        names.removeDuplicates();
        QCOMPARE(names.size(), qsizetype(fieldCount<Settings>()));
        QCOMPARE(defaults.size(), names.size());
        // A text setting left out of everySettingChanged stays unset.
        for (qsizetype i = 0; i < defaults.size(); ++i)
            QVERIFY2(changed.at(i) != defaults.at(i) && !changed.at(i).endsWith(u" = (unset)"_s),
                     qPrintable(u"unchanged: "_s + changed.at(i)));
    }

    // Another program keeps the settings file locked: the user hears of it
    // once, and the first save after the lock ends stores every change.
    void lockedSettingsFileIsToldOnceAndSavedLater()
    {
        TestProgram tp;
        init_application(); // which has the lock told
        const QString ini = tp.path(u"mosaik.ini"_s);
        writeSettingsFile(tp, u"[Current]\nEditor=vi\n"_s);
        readwriteini(IniMode::Read);
        const auto wait = platform::ProfileFile::lockWait();
        const auto restore = qScopeGuard([wait] { platform::ProfileFile::setLockWait(wait); });
        platform::ProfileFile::setLockWait(std::chrono::milliseconds(50));
        std::optional<platform::FileLock> other(std::in_place);
        QVERIFY(other->lock(ini));
        const QByteArray before = tp.read(u"mosaik.ini"_s);

        tp.ui.expectMessage(u"The settings file "_s + ini +
                            u" is locked by another program. Your settings are kept and will be "
                            u"saved with the next change."_s);
        QTest::ignoreMessage(QtWarningMsg, u"Cannot save %1: It is locked by another program."_s.arg(ini)
                                               .toUtf8()
                                               .constData());
        settings().pixel_height = u"40"_s;
        readwriteini(IniMode::Write);
        settings().pixel_width = u"30"_s;
        readwriteini(IniMode::Write);
        QCOMPARE(tp.read(u"mosaik.ini"_s), before);
        QCOMPARE(tp.ui.asked().size(), 1);

        other.reset();
        settings().table_cell_padding = u"6"_s;
        readwriteini(IniMode::Write);
        const QStringList current = sectionLines(tp.read(u"mosaik.ini"_s), u"Current"_s);
        QVERIFY(current.contains(u"Editor=vi"_s));
        QVERIFY(current.contains(u"Pixel Height=40"_s));
        QVERIFY(current.contains(u"Pixel Width=30"_s));
        QVERIFY(current.contains(u"Table Cell Padding=6"_s));
        VERIFY_DIALOGS(tp);
    }

    void forcedKeysAfterReadAndWrite()
    {
        TestProgram tp;
        useSettingsFileOf(tp);
        writeSettingsFile(tp, u"[Current]\nDirectory=/old/place\nInternet Ready=No\nRelative Address=Yes\n"_s);
        readwriteini(IniMode::Read);
        QCOMPARE(settings().internet_ready, true);
        QCOMPARE(settings().relative_address, false);
        readwriteini(IniMode::Write);
        const QStringList lines = sectionLines(tp.read(u"mosaik.ini"_s), u"Current"_s);
        QVERIFY(lines.contains(u"Internet Ready=Yes"_s));
        QVERIFY(lines.contains(u"Relative Address=No"_s));
        QVERIFY(!lines.contains(u"Directory=/old/place"_s));
    }

    void emptyLogoIsRemovedWhenNeverSet()
    {
        TestProgram tp;
        useSettingsFileOf(tp);
        writeSettingsFile(tp, u"[Current]\nLogo=\nEditor=vi\n"_s);
        readwriteini(IniMode::Read);
        QVERIFY(!settings().logo_file.isSet());
        readwriteini(IniMode::Write);
        const QStringList lines = sectionLines(tp.read(u"mosaik.ini"_s), u"Current"_s);
        QVERIFY(std::none_of(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith(u"Logo="_s); }));
        QVERIFY(lines.contains(u"Editor=vi"_s));
    }

    void windowKeysKeptUnlessNormal_data()
    {
        QTest::addColumn<bool>("withWindow");
        QTest::addRow("a minimised or maximised window") << true;
        QTest::addRow("no main window") << false;
    }
    void windowKeysKeptUnlessNormal()
    {
        QFETCH(bool, withWindow);
        TestProgram tp;
        FakeMainForm form; // geometry empty: not in its normal state
        useSettingsFileOf(tp);
        platform::MainFormView* view = withWindow ? &form : nullptr;
        writeSettingsFile(tp, u"[Current]\nForm Top= 100\nForm Left= 200\nForm Height= 300\nForm Width= 400\n"_s);
        readwriteini(IniMode::Read, view);
        readwriteini(IniMode::Write, view);
        const QStringList lines = sectionLines(tp.read(u"mosaik.ini"_s), u"Current"_s);
        QCOMPARE(lines.mid(0, 4), (QStringList{u"Form Top= 100"_s, u"Form Left= 200"_s, u"Form Height= 300"_s,
                                               u"Form Width= 400"_s}));
    }
};

QTEST_GUILESS_MAIN(TestReadWriteIni)
#include "tst_readwriteini.moc"

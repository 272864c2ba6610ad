#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "platform/windowregistry.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace mosaicon;
using platform::MsgBox::No;
using platform::MsgBox::Ok;
using platform::MsgBox::Yes;

namespace {

const QString topMissing = QStringLiteral(
    "The file selected for the top banner does not exist.  If you continue, the top banner will "
    "not be used.  Do you want to continue?");
const QString bottomMissing = QStringLiteral("The bottom banner file does not exist.");
const QString notPicture = QStringLiteral("You must select a file that is in GIF or JPG format.");

// A program with an output folder "web" and a folder "art" of banner files.
struct Fixture
{
    Fixture()
    {
        QDir(tp.folder()).mkdir(QStringLiteral("web"));
        QDir(tp.folder()).mkdir(QStringLiteral("art"));
        tp.write(QStringLiteral("art/logo.gif"), "GIF89a logo");
        tp.write(QStringLiteral("art/PHOTO.JPG"), "JFIF photo");
        tp.write(QStringLiteral("art/notes.txt"), "notes");
        program().product_title = QStringLiteral("Mosaicon Test");
        settings().internet_dir = tp.path(QStringLiteral("web"));
    }
    // "$ART" stands for the banner folder in the data tables.
    QString expand(QString text) const
    {
        return text.replace(QLatin1String("$ART"), tp.path(QStringLiteral("art")));
    }

    TestProgram tp;
};

// Stands in for the option windows, which live above this library: each
// opening is noted in `opened`.
void registerOptionWindows(QStringList& opened)
{
    for (const char* name : {"frm_color", "frm_fullimage", "frm_soptions"})
        platform::registerWindowOpener(QString::fromLatin1(name),
                                       [&opened, name] { opened.append(QString::fromLatin1(name)); });
}

} // namespace

class TestPagePrompt : public QObject
{
    Q_OBJECT

private slots:
    void bannerCheck_data()
    {
        QTest::addColumn<bool>("top");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("alreadyInWeb");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("ref");
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QString>("webFile");
        QTest::addColumn<QByteArray>("webBytes");

        QTest::addRow("an existing top picture is copied into the output folder")
            << true << "$ART/logo.gif" << QByteArray() << QString() << 0 << 0 << "$ART/logo.gif"
            << "logo.gif"
            << "$ART/logo.gif"
            << "logo.gif" << QByteArray("GIF89a logo");
        QTest::addRow("an existing bottom picture sets the bottom settings")
            << false << "$ART/logo.gif" << QByteArray() << QString() << 0 << 0 << "$ART/logo.gif"
            << "logo.gif"
            << "$ART/logo.gif"
            << "logo.gif" << QByteArray("GIF89a logo");
        QTest::addRow("a file of that name in the output folder is used, not overwritten")
            << true << "$ART/logo.gif" << QByteArray("older logo") << QString() << 0 << 0
            << "$ART/logo.gif"
            << "logo.gif"
            << "$ART/logo.gif"
            << "logo.gif" << QByteArray("older logo");
        QTest::addRow("blanks around a picture's path are dropped")
            << true << "  $ART/logo.gif  " << QByteArray() << QString() << 0 << 0
            << "  $ART/logo.gif  "
            << "logo.gif"
            << "$ART/logo.gif"
            << "logo.gif" << QByteArray("GIF89a logo");
        QTest::addRow("a picture with a capitalised extension is accepted")
            << true << "$ART/PHOTO.JPG" << QByteArray() << QString() << 0 << 0 << "$ART/PHOTO.JPG"
            << "PHOTO.JPG"
            << "$ART/PHOTO.JPG"
            << "PHOTO.JPG" << QByteArray("JFIF photo");
        QTest::addRow("a missing top banner answered Yes empties the box and the reference")
            << true << "$ART/gone.jpg" << QByteArray() << topMissing << 36 << Yes << ""
            << ""
            << "old banner"
            << "gone.jpg" << QByteArray();
        QTest::addRow("a missing top banner answered No changes nothing")
            << true << "$ART/gone.jpg" << QByteArray() << topMissing << 36 << No << "$ART/gone.jpg"
            << "old ref"
            << "old banner"
            << "gone.jpg" << QByteArray();
        QTest::addRow("a missing bottom banner is reported and changes nothing")
            << false << "$ART/gone.gif" << QByteArray() << bottomMissing << 48 << Ok
            << "$ART/gone.gif"
            << "old ref"
            << "old banner"
            << "gone.gif" << QByteArray();
        QTest::addRow("an http address is used unchanged")
            << true << "http://example.com/Top.gif" << QByteArray() << QString() << 0 << 0
            << "http://example.com/Top.gif"
            << "http://example.com/Top.gif"
            << "http://example.com/Top.gif"
            << "Top.gif" << QByteArray();
        QTest::addRow("an ftp address ending in .jpg is an address, not a file")
            << false << "ftp://example.com/b.jpg" << QByteArray() << QString() << 0 << 0
            << "ftp://example.com/b.jpg"
            << "ftp://example.com/b.jpg"
            << "ftp://example.com/b.jpg"
            << "b.jpg" << QByteArray();
        QTest::addRow("a capitalised scheme with .gif is looked up as a file")
            << true << "HTTP://example.com/x.gif" << QByteArray() << topMissing << 36 << No
            << "HTTP://example.com/x.gif"
            << "old ref"
            << "old banner"
            << "x.gif" << QByteArray();
        QTest::addRow("a capitalised scheme without a picture name is stored as typed")
            << true << "HTTP://EXAMPLE.COM/banner" << QByteArray() << QString() << 0 << 0
            << "HTTP://EXAMPLE.COM/banner"
            << "HTTP://EXAMPLE.COM/banner"
            << "HTTP://EXAMPLE.COM/banner"
            << "banner" << QByteArray();
        QTest::addRow("a box of blanks is emptied and the settings are untouched")
            << true << "   " << QByteArray() << QString() << 0 << 0 << ""
            << "old ref"
            << "old banner"
            << "" << QByteArray();
        QTest::addRow("a file that is no picture is refused and its side cleared")
            << false << "$ART/notes.txt" << QByteArray() << notPicture << 48 << Ok << ""
            << ""
            << ""
            << "notes.txt" << QByteArray();
    }
    void bannerCheck()
    {
        QFETCH(bool, top);
        QFETCH(QString, text);
        QFETCH(QByteArray, alreadyInWeb);
        QFETCH(QString, message);
        QFETCH(int, style);
        QFETCH(int, answer);
        QFETCH(QString, box);
        QFETCH(QString, ref);
        QFETCH(QString, banner);
        QFETCH(QString, webFile);
        QFETCH(QByteArray, webBytes);
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        if (!alreadyInWeb.isEmpty())
            f.tp.write("web/" + webFile, alreadyInWeb);
        Program& p = program();
        QString& sideRef = top ? prompt.top_banner_ref : prompt.bottom_banner_ref;
        SettingText& sideBanner = top ? p.settings.top_banner : p.settings.bottom_banner;
        QString& otherRef = top ? prompt.bottom_banner_ref : prompt.top_banner_ref;
        SettingText& otherBanner = top ? p.settings.bottom_banner : p.settings.top_banner;
        sideRef = QStringLiteral("old ref");
        sideBanner = QStringLiteral("old banner");
        otherRef = QStringLiteral("other ref");
        otherBanner = QStringLiteral("other banner");
        if (!message.isEmpty())
            f.tp.ui.expectMessage(message, answer);

        PagePrompt::TextBox& sideBox = top ? prompt.o_top_banner : prompt.o_bottom_banner;
        sideBox.text = f.expand(text);
        if (top)
            prompt.o_top_banner_LostFocus();
        else
            prompt.o_bottom_banner_LostFocus();

        VERIFY_DIALOGS(f.tp);
        QCOMPARE(f.tp.ui.asked().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(f.tp.ui.asked().first().style, style);
            QCOMPARE(f.tp.ui.asked().first().title, QStringLiteral("Mosaicon Test"));
        }
        QCOMPARE(sideBox.text, f.expand(box));
        QCOMPARE(sideRef, f.expand(ref));
        QCOMPARE(sideBanner.text(), f.expand(banner));
        QCOMPARE(otherRef, QStringLiteral("other ref"));
        QCOMPARE(otherBanner.text(), QStringLiteral("other banner"));
        QCOMPARE((top ? prompt.o_bottom_banner : prompt.o_top_banner).text, QString());
        const QStringList inWeb = QDir(f.tp.path("web")).entryList(QDir::Files);
        if (webBytes.isEmpty()) {
            QCOMPARE(inWeb, QStringList());
        } else {
            QCOMPARE(inWeb, QStringList{webFile});
            QCOMPARE(f.tp.read("web/" + webFile), webBytes);
        }
    }

    void noOutputFolderMeansNoCopyInTheWorkingFolder()
    {
        Fixture f;
        settings().internet_dir = QString();
        QDir(f.tp.folder()).mkdir(QStringLiteral("cwd"));
        const QString oldCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(f.tp.path("cwd")));
        PagePrompt prompt(settings().internet_dir);
        prompt.o_top_banner.text = f.expand("$ART/logo.gif");
        prompt.o_top_banner_LostFocus();
        const QStringList inCurrent = QDir::current().entryList(QDir::Files);
        QDir::setCurrent(oldCurrent);
        QCOMPARE(inCurrent, QStringList());
        QCOMPARE(prompt.top_banner_ref, QStringLiteral("logo.gif"));
        QCOMPARE(settings().top_banner.text(), f.expand("$ART/logo.gif"));
        VERIFY_DIALOGS(f.tp);
    }

    void aFailedCopyIsReportedAndTheBannerKept()
    {
        Fixture f;
        settings().internet_dir = f.tp.path("no-such-folder");
        f.tp.ui.expectMessage(std::nullopt, Ok);
        PagePrompt prompt(settings().internet_dir);
        prompt.o_bottom_banner.text = f.expand("$ART/logo.gif");
        prompt.o_bottom_banner_LostFocus();
        VERIFY_DIALOGS(f.tp);
        const auto& asked = f.tp.ui.asked().first();
        QVERIFY2(
            asked.text.startsWith(QStringLiteral("The banner file %1 could not be copied into %2: ")
                                      .arg(f.expand("$ART/logo.gif"), f.tp.path("no-such-folder"))),
            qPrintable(asked.text));
        QCOMPARE(asked.style, 48);
        QCOMPARE(prompt.bottom_banner_ref, QStringLiteral("logo.gif"));
        QCOMPARE(settings().bottom_banner.text(), f.expand("$ART/logo.gif"));
        QVERIFY(!QFileInfo::exists(f.tp.path("no-such-folder")));
    }

    void loadStepsTakeTheBannersAndCheckThem()
    {
        Fixture f;
        Program& p = program();
        p.settings.top_banner = f.expand("$ART/logo.gif");
        p.settings.top_banner_link = QStringLiteral("http://example.com/home");
        p.settings.bottom_banner = f.expand("$ART/gone.gif");
        p.settings.bottom_banner_link = QStringLiteral("bottom link");
        f.tp.ui.expectMessage(bottomMissing, Ok);

        const auto owned = std::make_unique<PagePrompt>(settings().internet_dir);
        PagePrompt* prompt = owned.get();
        VERIFY_DIALOGS(f.tp);
        QCOMPARE(prompt->objectName(), QStringLiteral("frm_htmltitle"));
        QVERIFY(!prompt->page_prompt_cancel);
        QCOMPARE(prompt->height, 7065);
        QCOMPARE(prompt->caption, QStringLiteral("HTML Title And <title> Tag"));
        QCOMPARE(prompt->o_url_exit.text, QStringLiteral("http://"));
        QVERIFY(!prompt->o_use_hr.visible);
        QCOMPARE(prompt->o_top_banner.text, f.expand("$ART/logo.gif"));
        QCOMPARE(prompt->o_top_link.text, QStringLiteral("http://example.com/home"));
        QCOMPARE(prompt->top_banner_ref, QStringLiteral("logo.gif"));
        QCOMPARE(f.tp.read("web/logo.gif"), QByteArray("GIF89a logo"));
        QCOMPARE(prompt->o_bottom_banner.text, f.expand("$ART/gone.gif"));
        QCOMPARE(prompt->o_bottom_link.text, QStringLiteral("bottom link"));
        QCOMPARE(prompt->bottom_banner_ref, QString());
    }

    void okCleansUpBlankBanners_data()
    {
        QTest::addColumn<QString>("topBox");
        QTest::addColumn<QString>("topRef");
        QTest::addColumn<QString>("topBanner");
        QTest::addColumn<QString>("topLinkBox");
        QTest::addRow("a top box of blanks clears the top side but its link setting") << "  "
                                                                                      << ""
                                                                                      << ""
                                                                                      << "";
        QTest::addRow("an empty top box clears the top side") << ""
                                                              << ""
                                                              << ""
                                                              << "";
        QTest::addRow("a filled top box is left as it is") << "http://x/t.gif"
                                                           << "t ref"
                                                           << "t banner"
                                                           << "top link";
    }
    void okCleansUpBlankBanners()
    {
        QFETCH(QString, topBox);
        QFETCH(QString, topRef);
        QFETCH(QString, topBanner);
        QFETCH(QString, topLinkBox);
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        Program& p = program();
        prompt.top_banner_ref = QStringLiteral("t ref");
        p.settings.top_banner = QStringLiteral("t banner");
        p.settings.top_banner_link = QStringLiteral("link setting");
        prompt.bottom_banner_ref = QStringLiteral("b ref");
        p.settings.bottom_banner = QStringLiteral("b banner");
        prompt.o_top_banner.text = topBox;
        prompt.o_top_link.text = QStringLiteral("top link");
        prompt.o_bottom_banner.text = QStringLiteral("http://x/b.gif");
        prompt.o_bottom_link.text = QStringLiteral("bottom link");
        QSignalSpy hidden(&prompt, &PagePrompt::hidden);

        prompt.acceptAnswers();
        QCOMPARE(hidden.count(), 1);
        QVERIFY(!prompt.page_prompt_cancel);
        QCOMPARE(prompt.o_top_banner.text, topBox.trimmed().isEmpty() ? QString() : topBox);
        QCOMPARE(prompt.o_top_link.text, topLinkBox);
        QCOMPARE(prompt.top_banner_ref, topRef);
        QCOMPARE(p.settings.top_banner.text(), topBanner);
        QCOMPARE(p.settings.top_banner_link.text(), QStringLiteral("link setting"));
        QCOMPARE(prompt.o_bottom_banner.text, QStringLiteral("http://x/b.gif"));
        QCOMPARE(prompt.o_bottom_link.text, QStringLiteral("bottom link"));
        QCOMPARE(prompt.bottom_banner_ref, QStringLiteral("b ref"));
        QCOMPARE(p.settings.bottom_banner.text(), QStringLiteral("b banner"));
    }

    void exitStopsTheRunWithoutCleanUp()
    {
        const bool stops = true;
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        prompt.top_banner_ref = QStringLiteral("t ref");
        prompt.o_top_banner.text = QStringLiteral("   ");
        QSignalSpy hidden(&prompt, &PagePrompt::hidden);
        prompt.b_cancel_exit_Click();
        QCOMPARE(prompt.page_prompt_cancel, stops);
        QCOMPARE(hidden.count(), stops ? 1 : 0);
        QCOMPARE(prompt.o_top_banner.text, QStringLiteral("   "));
        QCOMPARE(prompt.top_banner_ref, QStringLiteral("t ref"));
    }

    void clearTextEmptiesBothTitles()
    {
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        prompt.o_title.text = QStringLiteral("Title");
        prompt.o_title_tag.text = QStringLiteral("Tag");
        prompt.o_filename.text = QStringLiteral("page.htm");
        prompt.clearText();
        QCOMPARE(prompt.o_title.text, QString());
        QCOMPARE(prompt.o_title_tag.text, QString());
        QCOMPARE(prompt.o_filename.text, QStringLiteral("page.htm"));
    }

    void clearBannersKeepsTheLinkSettings_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("clears");
        QTest::addRow("Clear Banners") << "clearBanners" << true;
        QTest::addRow("Color Selection leaves the banners") << "openColourOptions" << false;
        QTest::addRow("Slide Show leaves the banners") << "openSlideShowOptions" << false;
    }
    void clearBannersKeepsTheLinkSettings()
    {
        QFETCH(QString, item);
        QFETCH(bool, clears);
        const QHash<QString, void (PagePrompt::*)()> items{
            {QStringLiteral("clearBanners"), &PagePrompt::clearBanners},
            {QStringLiteral("openColourOptions"), &PagePrompt::openColourOptions},
            {QStringLiteral("openSlideShowOptions"), &PagePrompt::openSlideShowOptions},
        };
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        Program& p = program();
        prompt.o_top_banner.text = QStringLiteral("http://t");
        prompt.o_top_link.text = QStringLiteral("tl");
        prompt.o_bottom_banner.text = QStringLiteral("http://b");
        prompt.o_bottom_link.text = QStringLiteral("bl");
        prompt.top_banner_ref = QStringLiteral("http://t");
        p.settings.top_banner = QStringLiteral("http://t");
        p.settings.top_banner_link = QStringLiteral("tl");
        prompt.bottom_banner_ref = QStringLiteral("http://b");
        p.settings.bottom_banner = QStringLiteral("http://b");
        p.settings.bottom_banner_link = QStringLiteral("bl");
        QStringList opened;
        registerOptionWindows(opened);

        (prompt.*items.value(item))();
        const auto expect = [clears](const char* kept) {
            return clears ? QString() : QString::fromUtf8(kept);
        };
        QCOMPARE(prompt.o_top_banner.text, expect("http://t"));
        QCOMPARE(prompt.o_top_link.text, expect("tl"));
        QCOMPARE(prompt.o_bottom_banner.text, expect("http://b"));
        QCOMPARE(prompt.o_bottom_link.text, expect("bl"));
        QCOMPARE(prompt.top_banner_ref, expect("http://t"));
        QCOMPARE(p.settings.top_banner.text(), expect("http://t"));
        QCOMPARE(prompt.bottom_banner_ref, expect("http://b"));
        QCOMPARE(p.settings.bottom_banner.text(), expect("http://b"));
        QCOMPARE(p.settings.top_banner_link.text(), QStringLiteral("tl"));
        QCOMPARE(p.settings.bottom_banner_link.text(), QStringLiteral("bl"));
        VERIFY_DIALOGS(f.tp);
    }

    void defaultBoxSetsTitleForAll_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addRow("checked") << true;
        QTest::addRow("unchecked") << false;
    }
    void defaultBoxSetsTitleForAll()
    {
        QFETCH(bool, checked);
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        prompt.use_title_for_all = !checked;
        prompt.o_default.value = checked;
        prompt.o_default_Click();
        QCOMPARE(prompt.use_title_for_all, checked);
    }

    void selectButtonsAskForTheirSidesBanner()
    {
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        f.tp.ui.expectFile(QStringLiteral("Select The Bottom Banner"), std::nullopt)
            .expectFile(QStringLiteral("Select The Top Banner"), std::nullopt);
        prompt.selectBottomBanner();
        QCOMPARE(prompt.banner_side, QStringLiteral("bottom"));
        prompt.selectTopBanner();
        QCOMPARE(prompt.banner_side, QStringLiteral("top"));
        VERIFY_DIALOGS(f.tp);
    }

    void writersShowThePromptAndReadItBack()
    {
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        prompt.o_title.text = QStringLiteral("HTML Title");
        f.tp.ui.expectModal(QStringLiteral("frm_htmltitle"), [](QObject* window) {
            auto* prompt = qobject_cast<PagePrompt*>(window);
            QVERIFY(prompt);
            prompt->o_title.text = QStringLiteral("Holiday");
            prompt->acceptAnswers();
        });
        prompt.show();
        VERIFY_DIALOGS(f.tp);
        QCOMPARE(prompt.o_title.text, QStringLiteral("Holiday"));
        QVERIFY(!prompt.page_prompt_cancel);
    }

    void optionsMenuOpensTheOptionWindowsByName()
    {
        Fixture f;
        PagePrompt prompt(settings().internet_dir);
        QStringList opened;
        registerOptionWindows(opened);
        for (auto item : {&PagePrompt::openColourOptions, &PagePrompt::openPlacementOptions,
                          &PagePrompt::openSlideShowOptions, &PagePrompt::clearBanners})
            (prompt.*item)();
        QCOMPARE(opened, (QStringList{"frm_color", "frm_fullimage", "frm_soptions"}));
    }
};


QTEST_GUILESS_MAIN(TestPagePrompt)
#include "tst_pageprompt.moc"

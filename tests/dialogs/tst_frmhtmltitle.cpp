#include "dialogs/widgets/frmhtmltitle.h"

#include "pagekit/pageprompt.h"
#include "pagekit/thumbnails.h"
#include "settings/program.h"

#include "platform/widgets/widgetui.h"

#include "testprogram.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mosaicon;

namespace {

const QString notPicture = QStringLiteral("You must select a file that is in GIF or JPG format.");

QString captionOf(QWidget* widget)
{
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    return {};
}

// Shows the dialog as the user would meet it: active, keyboard focus inside.
bool showActive(FrmHtmlTitle& dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

} // namespace

class TestFrmHtmlTitle : public QObject
{
    Q_OBJECT

private slots:
    void controlsHaveTheirNamesAndCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addRow("file name frame") << "f_file_name"
                                         << "File Name";
        QTest::addRow("exit address frame") << "f_url_exit"
                                            << "URL Or File Name For Exit Page";
        QTest::addRow("exit address box") << "o_url_exit"
                                          << "http://";
        QTest::addRow("image frame") << "Frame3"
                                     << "Image";
        QTest::addRow("title frame") << "Frame4"
                                     << "Title / Subject";
        QTest::addRow("title tag frame") << "Frame1"
                                         << "HTML <title>?</title> Information";
        QTest::addRow("banner frame") << "Frame5"
                                      << "Banners";
        QTest::addRow("check box frame has no caption") << "Frame2"
                                                        << "";
        QTest::addRow("select top") << "Command2"
                                    << "Select Top";
        QTest::addRow("select bottom") << "Command4"
                                       << "Select Bottom";
        QTest::addRow("top link label") << "Label2"
                                        << "Top Hyperlink:";
        QTest::addRow("bottom link label") << "Label3"
                                           << "Bottom Hyperlink:";
        QTest::addRow("title for all")
            << "o_default"
            << "Use the current Title and <title> information for all remaining pages";
        QTest::addRow("do not prompt") << "o_use_default_values"
                                       << "Do not prompt for this information (use default values)";
        QTest::addRow("horizontal rules") << "o_use_hr"
                                          << "Use horizontal rules '<hr>' between images";
        QTest::addRow("OK") << "Command1"
                            << "OK";
        QTest::addRow("Clear Text") << "Command3"
                                    << "Clear Text";
        QTest::addRow("Exit") << "b_cancel_exit"
                              << "Exit";
        for (const char* box : {"o_filename", "o_title", "o_title_tag", "o_top_banner",
                                "o_top_link", "o_bottom_banner", "o_bottom_link"})
            QTest::addRow("empty text box %s", box) << box << "";
    }
    void controlsHaveTheirNamesAndCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TestProgram tp;
        PagePrompt prompt;
        FrmHtmlTitle dialog(&prompt);
        QCOMPARE(dialog.objectName(), QStringLiteral("frm_htmltitle"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("HTML Title And <title> Tag"));
        auto* widget = dialog.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(captionOf(widget), caption);
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("o_image")));
    }

    void menusHoldTheirItems()
    {
        TestProgram tp;
        PagePrompt prompt;
        FrmHtmlTitle dialog(&prompt);
        const auto caption = [&dialog](const char* menu, int index) {
            QAction* item = dialog.menuItem(QString::fromUtf8(menu), index);
            return item ? item->text().remove(u'&') : QStringLiteral("(missing)");
        };
        QCOMPARE(caption("menuFileItem", 99), QStringLiteral("Exit"));
        QCOMPARE(caption("menuOptionsItem", 5), QStringLiteral("Color Selection"));
        QCOMPARE(caption("menuOptionsItem", 7), QStringLiteral("Clear Banners"));
        QCOMPARE(caption("menuOptionsItem", 10), QStringLiteral("Image And Text Placement"));
        QCOMPARE(caption("menuOptionsItem", 15), QStringLiteral("Slide Show"));
    }

    void valueIsShownAndTypedTextComesBack()
    {
        TestProgram tp;
        PagePrompt prompt;
        prompt.f_file_name.caption = QStringLiteral("Image File Name");
        prompt.o_filename = {QStringLiteral("photo.jpg"), false};
        prompt.o_url_exit.enabled = false;
        prompt.Frame3.visible = false;
        prompt.o_use_hr.visible = true;
        prompt.o_title.text = QStringLiteral("HTML Title");
        prompt.o_use_default_values.value = true;
        FrmHtmlTitle dialog(&prompt);
        QVERIFY(showActive(dialog));

        QCOMPARE(dialog.findChild<QGroupBox*>("f_file_name")->title(),
                 QStringLiteral("Image File Name"));
        auto* fileName = dialog.findChild<QLineEdit*>("o_filename");
        QCOMPARE(fileName->text(), QStringLiteral("photo.jpg"));
        QVERIFY(!fileName->isEnabled());
        QVERIFY(!dialog.findChild<QLineEdit*>("o_url_exit")->isEnabled());
        QVERIFY(!dialog.findChild<QGroupBox*>("Frame3")->isVisible());
        QVERIFY(dialog.findChild<QCheckBox*>("o_use_hr")->isVisible());
        QVERIFY(dialog.findChild<QCheckBox*>("o_use_default_values")->isChecked());

        auto* title = dialog.findChild<QLineEdit*>("o_title");
        title->selectAll();
        QTest::keyClicks(title, QStringLiteral("Holiday"));
        QTest::mouseClick(dialog.findChild<QCheckBox*>("o_use_hr"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QCheckBox*>("o_default"), Qt::LeftButton);
        QVERIFY(prompt.use_title_for_all);
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);

        QVERIFY(!dialog.isVisible());
        QVERIFY(!prompt.page_prompt_cancel);
        QCOMPARE(prompt.o_title.text, QStringLiteral("Holiday"));
        QVERIFY(prompt.o_use_hr.value);
        QVERIFY(prompt.o_default.value);
        VERIFY_DIALOGS(tp);
    }

    void leavingByFrameEscOrExitStopsTheRun_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("Esc") << "esc";
        QTest::addRow("the window frame's close button") << "close";
        QTest::addRow("the Exit button") << "exit";
        QTest::addRow("File > Exit") << "menu";
    }
    void leavingByFrameEscOrExitStopsTheRun()
    {
        QFETCH(QString, how);
        TestProgram tp;
        PagePrompt prompt;
        prompt.top_banner_ref = QStringLiteral("kept");
        prompt.o_top_banner.text = QStringLiteral("  ");
        FrmHtmlTitle dialog(&prompt);
        QVERIFY(showActive(dialog));
        auto* title = dialog.findChild<QLineEdit*>("o_title");
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral("typed"));
        if (how == QLatin1String("esc")) {
            QTest::keyClick(title, Qt::Key_Escape);
        } else if (how == QLatin1String("close")) {
            QCloseEvent event;
            QApplication::sendEvent(&dialog, &event);
        } else if (how == QLatin1String("exit")) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("b_cancel_exit"), Qt::LeftButton);
        } else {
            dialog.menuItem(QStringLiteral("menuFileItem"), 99)->trigger();
        }
        QVERIFY(!dialog.isVisible());
        QVERIFY(prompt.page_prompt_cancel);
        QCOMPARE(prompt.o_title.text, QStringLiteral("typed"));
        // Leaving is no OK: the blank banner box is not cleaned up.
        QCOMPARE(prompt.o_top_banner.text, QStringLiteral("  "));
        QCOMPARE(prompt.top_banner_ref, QStringLiteral("kept"));
    }

    void leavingABoxRunsItsRule_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::addRow("Enter on OK checks the focused top banner first")
            << "o_top_banner"
            << "notes.txt" << int(Qt::Key_Return) << true;
        QTest::addRow("Enter on OK checks the focused bottom banner first")
            << "o_bottom_banner"
            << "notes.txt" << int(Qt::Key_Enter) << true;
        QTest::addRow("Tab out of the top banner checks it")
            << "o_top_banner"
            << "notes.txt" << int(Qt::Key_Tab) << false;
        QTest::addRow("Enter on OK takes the focused top link")
            << "o_top_link"
            << "http://example.com/" << int(Qt::Key_Return) << true;
        QTest::addRow("Tab out of the bottom link takes it")
            << "o_bottom_link"
            << "http://example.com/" << int(Qt::Key_Tab) << false;
    }
    void leavingABoxRunsItsRule()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(bool, closes);
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Test");
        const bool banner = box.endsWith(QLatin1String("banner"));
        if (banner)
            tp.ui.expectMessage(notPicture);
        PagePrompt prompt;
        prompt.top_banner_ref = QStringLiteral("old");
        prompt.bottom_banner_ref = QStringLiteral("old");
        FrmHtmlTitle dialog(&prompt);
        QVERIFY(showActive(dialog));
        auto* edit = dialog.findChild<QLineEdit*>(box);
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key(key));

        VERIFY_DIALOGS(tp);
        QCOMPARE(dialog.isVisible(), !closes);
        QVERIFY(!prompt.page_prompt_cancel);
        if (banner) {
            QCOMPARE(edit->text(), QString());
            QCOMPARE(box == QLatin1String("o_top_banner") ? prompt.top_banner_ref
                                                          : prompt.bottom_banner_ref,
                     QString());
        } else {
            QCOMPARE(box == QLatin1String("o_top_link") ? settings().top_banner_link.text()
                                                        : settings().bottom_banner_link.text(),
                     typed);
        }
    }

    void previewStaysInsideTheImageFrame_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("fittedByTheWriter");
        QTest::addRow("a small picture at its own size") << QSize(40, 30) << false;
        QTest::addRow("a wide picture fitted to the frame's width") << QSize(600, 300) << true;
        QTest::addRow("a tall picture fitted to the frame's height") << QSize(300, 600) << true;
    }
    void previewStaysInsideTheImageFrame()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, fittedByTheWriter);
        TestProgram tp;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("preview.png"));
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(file));
        PagePrompt prompt;
        QVERIFY(prompt.o_image.setFileName(file));
        // As the full-size page writer fits it: the frame less 280 by 320 twips.
        if (fittedByTheWriter)
            fit_in_box(prompt.o_image, prompt.Frame3.width - 280, prompt.Frame3.height - 320);
        const QSize asked(qRound(prompt.o_image.width() / 15),
                          qRound(prompt.o_image.height() / 15));

        FrmHtmlTitle dialog(&prompt);
        dialog.show();
        auto* frame = dialog.findChild<QGroupBox*>("Frame3");
        auto* preview = dialog.findChild<QLabel*>("o_image");
        QCOMPARE(frame->title(), QStringLiteral("Image"));
        const QRect contents = frame->contentsRect();
        const QRect shown = preview->geometry();
        QVERIFY(preview->isVisible());
        QVERIFY(contents.contains(shown));
        QCOMPARE(preview->pixmap().size(), shown.size());
        if (asked.height() <= contents.height() && asked.width() <= contents.width()) {
            QCOMPARE(shown.size(), asked);
        } else {
            // Shrunk to the frame's contents in proportion.
            QVERIFY(shown.width() == contents.width() || shown.height() == contents.height());
            QVERIFY(qAbs(shown.width() * asked.height() - shown.height() * asked.width()) <=
                    qMax(asked.width(), asked.height()));
        }
    }

    void registeredDialogShowsTheValueModally()
    {
        TestProgram tp;
        registerFrmHtmlTitle();
        PagePrompt prompt;
        prompt.o_title.text = QStringLiteral("shown");
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            seen = modal->findChild<QLineEdit*>("o_title")->text();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        platform::WidgetUi().showModal(QStringLiteral("frm_htmltitle"), &prompt);
        QCOMPARE(seen, QStringLiteral("shown"));
        QVERIFY(prompt.page_prompt_cancel);
    }
};

QTEST_MAIN(TestFrmHtmlTitle)
#include "tst_frmhtmltitle.moc"

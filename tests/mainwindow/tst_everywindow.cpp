#include "mainwindow/commandtable.h"
#include "mainwindow/imagewindow.h"
#include "mainwindow/mainform.h"
#include "mainwindow/windows.h"

#include "dialogs/aboutbox.h"
#include "dialogs/assoctext.h"
#include "dialogs/captiontexts.h"
#include "dialogs/coloroptions.h"
#include "dialogs/editorsetting.h"
#include "dialogs/htmlheadingfooting.h"
#include "dialogs/htmloptions.h"
#include "dialogs/placementoptions.h"
#include "dialogs/slideoptions.h"
#include "dialogs/targetdirectory.h"
#include "dialogs/thumbnaildirectories.h"

#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "platform/widgets/pathlabel.h"
#include "platform/widgets/widgetui.h"
#include "platform/windowregistry.h"

#include "testprogram.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDebug>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

using namespace mosaicon;

namespace {

QString describe(const QWidget* window, const QWidget* w, const QString& text)
{
    return QStringLiteral("%1: %2 %3 \"%4\"")
        .arg(window->objectName(), QString::fromLatin1(w->metaObject()->className()),
             w->objectName(), text);
}

QString size(const QSize& s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

// The room a button's style leaves for its caption.
QRect captionRoom(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement room = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button))
        room = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(button))
        room = QStyle::SE_RadioButtonContents;
    return button->style()->subElementRect(room, &option, button);
}

// What of the window's captions and boxes does not show its whole text.
QStringList clippedTexts(const QWidget* window)
{
    QStringList found;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->size().isEmpty())
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            // A path label shows the middle of a long path as "…", by design.
            const auto* path = qobject_cast<const platform::PathLabel*>(w);
            const QString text = path ? path->shownText() : label->text();
            if (text.isEmpty() || !label->pixmap().isNull())
                continue;
            const bool rich = label->textFormat() == Qt::RichText ||
                              (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
            if (rich)
                continue;
            const int indent = label->indent() > 0 ? label->indent() : 0;
            const QRect room =
                label->contentsRect().adjusted(label->margin() + indent, label->margin(),
                                               -label->margin(), -label->margin());
            int flags = Qt::TextExpandTabs;
            if (label->buddy())
                flags |= Qt::TextShowMnemonic;
            if (label->wordWrap())
                flags |= Qt::TextWordWrap;
            const QSize needed =
                fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text).size();
            if (needed.width() > room.width() || needed.height() > room.height())
                found.append(describe(window, w, text) + QStringLiteral(" needs %1 in %2")
                                                             .arg(size(needed), size(room.size())));
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            const bool captioned = qobject_cast<const QPushButton*>(w) ||
                                   qobject_cast<const QCheckBox*>(w) ||
                                   qobject_cast<const QRadioButton*>(w);
            if (!captioned || button->text().isEmpty())
                continue;
            const QRect room = captionRoom(button);
            const QSize needed = fm.size(Qt::TextShowMnemonic, button->text());
            if (needed.width() > room.width() || needed.height() > room.height())
                found.append(describe(window, w, button->text()) +
                             QStringLiteral(" needs %1 in %2").arg(size(needed), size(room.size())));
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
            if (frame->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.textAlignment = frame->alignment();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            if (frame->isCheckable())
                option.subControls |= QStyle::SC_GroupBoxCheckBox;
            const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                               QStyle::SC_GroupBoxLabel, frame);
            if (!frame->rect().contains(title))
                found.append(describe(window, w, frame->title()) +
                             QStringLiteral(" needs its title at %1,%2 %3 in %4")
                                 .arg(title.x())
                                 .arg(title.y())
                                 .arg(size(title.size()), size(frame->size())));
        } else if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
                   qobject_cast<const QAbstractSpinBox*>(w)) {
            // A box's text scrolls sideways, but a box lower than its text cuts it.
            if (qobject_cast<const QComboBox*>(w->parentWidget()) ||
                qobject_cast<const QAbstractSpinBox*>(w->parentWidget()))
                continue;
            if (w->height() < w->minimumSizeHint().height())
                found.append(describe(window, w, QString()) +
                             QStringLiteral(" needs %1 high, is %2")
                                 .arg(w->minimumSizeHint().height())
                                 .arg(w->height()));
        }
    }
    return found;
}

bool isEditableBox(const QWidget* w)
{
    if (qobject_cast<const QComboBox*>(w->parentWidget()) ||
        qobject_cast<const QAbstractSpinBox*>(w->parentWidget()))
        return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) ||
           (qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QTextEdit*>(w));
}

// The box a label stands beside: the nearest box that begins just right of it
// on its line, or just below it where its left edges meet.
const QWidget* boxBeside(const QWidget* window, const QLabel* label,
                         const QList<const QWidget*>& boxes)
{
    const QRect l(label->mapTo(window, QPoint()), label->size());
    const int near = 2 * label->fontMetrics().height();
    const QWidget* beside = nullptr;
    const QWidget* below = nullptr;
    int besideGap = 0;
    int belowGap = 0;
    for (const QWidget* box : boxes) {
        const QRect b(box->mapTo(window, QPoint()), box->size());
        // A box on the label's own line comes before one below it.
        if (b.left() >= l.right() - 2 && b.top() < l.bottom() && b.bottom() > l.top()) {
            const int gap = b.left() - l.right();
            if (gap <= near && (!beside || gap < besideGap)) {
                beside = box;
                besideGap = gap;
            }
        } else if (b.top() >= l.bottom() - 2 && qAbs(b.left() - l.left()) <= near) {
            const int gap = b.top() - l.bottom();
            if (gap <= near && (!below || gap < belowGap)) {
                below = box;
                belowGap = gap;
            }
        }
    }
    return beside ? beside : below;
}

// The window's labels that stand beside a box they do not name.
QStringList labelsWithoutTheirBox(const QWidget* window)
{
    QList<const QWidget*> boxes;
    QList<const QLabel*> labels;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->size().isEmpty())
            continue;
        if (isEditableBox(w))
            boxes.append(w);
        else if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty())
            labels.append(label);
    }
    QStringList found;
    for (const QLabel* label : labels) {
        const QWidget* box = boxBeside(window, label, boxes);
        if (box && label->buddy() != box)
            found.append(describe(window, label, label->text()) +
                         QStringLiteral(" stands beside %1 but names %2")
                             .arg(box->objectName(),
                                  label->buddy() ? label->buddy()->objectName() : QStringLiteral("none")));
    }
    return found;
}

// Buttons and boxes a grid puts in one cell with another widget, as a row
// counted twice does, shown or hidden: one a rule shows later would come up
// over the other. Labels and pictures may share a cell on purpose (a message
// shown in place of a picture).
QStringList overlappingControls(const QWidget* window)
{
    QStringList found;
    for (const QGridLayout* grid : window->findChildren<QGridLayout*>()) {
        QList<std::pair<const QWidget*, QRect>> cells;
        for (int i = 0; i < grid->count(); ++i) {
            const QWidget* w = grid->itemAt(i)->widget();
            if (!w)
                continue;
            int row = 0;
            int column = 0;
            int rows = 0;
            int columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            const QRect cell(column, row, columns, rows);
            for (const auto& [other, otherCell] : cells) {
                const auto isControl = [](const QWidget* c) {
                    return qobject_cast<const QAbstractButton*>(c) || isEditableBox(c);
                };
                if (cell.intersects(otherCell) && (isControl(w) || isControl(other)))
                    found.append(describe(window, w, QString()) +
                                 QStringLiteral(" shares its cell with %1").arg(other->objectName()));
            }
            cells.append({w, cell});
        }
    }
    return found;
}

// The access key of a caption: the letter after a single "&".
QChar mnemonic(const QString& caption)
{
    for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size();
         i = caption.indexOf(u'&', i + 2)) {
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toUpper();
    }
    return {};
}

// Menus where two entries share an access key (the key then only moves
// between them), and menu bar entries without one.
QStringList menuKeyClashes(const QWidget* window)
{
    QStringList found;
    QList<const QWidget*> menus;
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        if (bar->isVisibleTo(window))
            menus.append(bar);
    }
    for (const QMenu* menu : window->findChildren<QMenu*>())
        menus.append(menu);
    for (const QWidget* menu : menus) {
        QHash<QChar, QString> taken;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QChar key = mnemonic(action->text());
            if (key.isNull()) {
                if (qobject_cast<const QMenuBar*>(menu))
                    found.append(describe(window, menu, action->text()) + QStringLiteral(" has no access key"));
                continue;
            }
            if (taken.contains(key))
                found.append(describe(window, menu, action->text()) +
                             QStringLiteral(" shares %1 with \"%2\"").arg(key).arg(taken.value(key)));
            taken.insert(key, action->text());
        }
    }
    return found;
}

// Toolbar buttons a screen reader names by their key or by nothing.
QStringList unnamedForScreenReaders(const QWidget* window)
{
    QStringList found;
    for (const QToolBar* bar : window->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            QWidget* button = bar->widgetForAction(action);
            if (!button || !action->isVisible())
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
            const QString name = face ? face->text(QAccessible::Name) : QString();
            if (name.isEmpty() || name == action->objectName() || name != action->toolTip())
                found.append(describe(window, button, name) +
                             QStringLiteral(" is read for \"%1\"").arg(action->toolTip()));
        }
    }
    return found;
}

// The text of the label a screen reader reads a control by: over AT-SPI,
// the "labelled by" relation, which Qt gives a control named by a buddy label
// (and one that stands in a titled frame).
QString labelledBy(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    if (!face)
        return {};
    for (const auto& [label, relation] : face->relations(QAccessible::Label)) {
        if (label && qobject_cast<const QLabel*>(label->object()))
            return label->text(QAccessible::Name);
    }
    return {};
}

// Combo boxes with no caption beside them: the browsers' drive and pattern
// boxes, and the viewers' drive boxes, whose only caption is their frame's.
bool hasNoCaption(const QWidget* window, const QWidget* combo)
{
    static const QSet<QString> uncaptioned{
        QStringLiteral("MAIN_FORM/filedrive"),        QStringLiteral("MAIN_FORM/filefilter"),
        QStringLiteral("FORM_MULTI_DRIVE/filedrive"), QStringLiteral("FORM_MULTI_DRIVE/filefilter"),
        QStringLiteral("frm_quickview/filedrive"),    QStringLiteral("frm_quickview/filefilter"),
        QStringLiteral("frm_viewem/Drive1"),          QStringLiteral("frm_librarycatalog/Drive1")};
    return uncaptioned.contains(window->objectName() + u'/' + combo->objectName());
}

// Combo boxes and list boxes a screen reader names by their object name, their
// value or nothing. On Linux Qt reads a combo box's value for its name and its
// caption through the buddy label that names it; a list box is read by its
// accessible name.
QStringList unnamedBoxes(QWidget* window)
{
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || qobject_cast<const QComboBox*>(w->parentWidget()))
            continue;
        if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            if (hasNoCaption(window, w))
                continue;
            const QString caption = labelledBy(w);
            if (caption.isEmpty() || caption == combo->currentText())
                found.append(describe(window, w, caption) + QStringLiteral(" is labelled by no caption"));
            if (!w->accessibleName().isEmpty())
                found.append(describe(window, w, w->accessibleName()) +
                             QStringLiteral(" hides its value behind a name"));
            continue;
        }
        const auto* list = qobject_cast<const QAbstractItemView*>(w);
        if (!list || qobject_cast<const QComboBox*>(w->parentWidget()->parentWidget()))
            continue;
        const QString value = list->currentIndex().data().toString();
        const QString name = w->accessibleName();
        if (name.isEmpty() || name == w->objectName() || name == value)
            found.append(describe(window, w, name) + QStringLiteral(" is read by its name or value"));
    }
    return found;
}

// The real dialogs for the program's own windows; every other prompt is
// answered as its Cancel (or only) button would. Each window is looked at
// once it is up, then closed.
class WindowWalk final : public platform::Ui
{
public:
    int messageBox(const QString&, int style, const QString&) override
    {
        const int buttons = style & 7;
        return buttons == platform::MsgBox::OkOnly  ? platform::MsgBox::Ok
               : buttons == platform::MsgBox::YesNo ? platform::MsgBox::No
                                                    : platform::MsgBox::Cancel;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> fileDialog(const platform::FileDialogRequest&) override { return std::nullopt; }
    std::optional<QColor> colorDialog(const QColor&) override { return std::nullopt; }
    bool showModal(const QString& windowName, QObject* window) override
    {
        // A window that does not come up must not leave its look-at for the next one.
        QTimer lookAtOnceUp;
        lookAtOnceUp.setSingleShot(true);
        QObject::connect(&lookAtOnceUp, &QTimer::timeout, &lookAtOnceUp,
                         [this, windowName] { lookAtAndClose(windowName); });
        lookAtOnceUp.start(0);
        return m_real.showModal(windowName, window);
    }

    void lookAt(const QString& windowName, QWidget* window)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        shown.insert(windowName);
        clipped += clippedTexts(window);
        unnamed += labelsWithoutTheirBox(window);
        overlapping += overlappingControls(window);
        keyClashes += menuKeyClashes(window);
        noAccessibleName += unnamedForScreenReaders(window) + unnamedBoxes(window);
    }

    QSet<QString> shown;
    QStringList clipped;
    QStringList unnamed;
    QStringList overlapping;
    QStringList keyClashes;
    QStringList noAccessibleName;

private:
    void lookAtAndClose(const QString& windowName)
    {
        QWidget* window = QApplication::activeModalWidget();
        if (!window) {
            clipped.append(windowName + QStringLiteral(": never came up"));
            return;
        }
        lookAt(windowName, window);
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->done(QDialog::Rejected);
        else
            window->hide();
    }

    platform::WidgetUi m_real;
};

void writePicture(const QString& path, Qt::GlobalColor colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

} // namespace

class TestEveryWindow : public QObject
{
    Q_OBJECT

private slots:
    // Every window the program registers, and the main window, opened as the
    // user opens it at the default font: each comes up (a window left out of
    // the registration does not), each caption shows its whole text and each
    // label names the box it stands beside.
    void everyWindowShowsItsTextsAndNamesItsBoxes()
    {
        TestProgram tp;
        WindowWalk walk;
        platform::setUi(&walk);
        registerWindows();
        writePicture(tp.path(QStringLiteral("red.png")), Qt::red);
        writePicture(tp.path(QStringLiteral("blue.jpg")), Qt::blue);

        MainForm form;
        form.Form_Load();
        form.itemlist()->addItems({tp.path(QStringLiteral("red.png")), tp.path(QStringLiteral("blue.jpg"))});
        form.itemlist()->setCurrentRow(0);
        walk.lookAt(QStringLiteral("MAIN_FORM"), &form);
        // The image window comes up with its option on the Options menu.
        form.menuItem(menus::options, 5)->trigger();
        QVERIFY(frm_thumbnail.loaded());
        walk.lookAt(QStringLiteral("frm_thumbnail"), frm_thumbnail.loaded());
        form.menuItem(menus::options, 5)->trigger();

        const QHash<QString, std::function<void()>> openers{
            {QStringLiteral("ABOUT"), [&] { form.menuItem(menus::help, 14)->trigger(); }},
            {QStringLiteral("frm_apps"), [] { EditorSetting().show(); }},
            {QStringLiteral("frm_options"), [&] { form.menuItem(menus::options, 0)->trigger(); }},
            {QStringLiteral("frm_librarycatalog"), [&] { form.menuItem(menus::options, 4)->trigger(); }},
            {QStringLiteral("frm_soptions"), [&] { form.menuItem(menus::options, 6)->trigger(); }},
            {QStringLiteral("frm_viewem"), [&] { form.menuItem(menus::file, 50)->trigger(); }},
            {QStringLiteral("frm_simplev"), [&] { form.menuItem(menus::file, 47)->trigger(); }},
            {QStringLiteral("frm_quickview"), [&] { MainForm::commands().press(form, QStringLiteral("quickhtml")); }},
            {QStringLiteral("FORM_MULTI_DRIVE"), [&] { MainForm::commands().press(form, QStringLiteral("localfile")); }},
            {QStringLiteral("frm_assoctext2"),
             [&] { MainForm::commands().press(form, QStringLiteral("associate text")); }},
            {QStringLiteral("frm_color"), [] { ColorOptions::showModally(); }},
            {QStringLiteral("frm_fullimage"), [] { PlacementOptions::showModally(); }},
            {QStringLiteral("frm_thumb_dirs"), [] { ThumbnailDirectories::showModally(); }},
            {QStringLiteral("frm_html_heading_footing"), [] { HtmlHeadingFooting::edit(); }},
            {QStringLiteral("frm_txtconv"), [] { CaptionTexts().show(); }},
            {QStringLiteral("frm_tempdir"), [&] { TargetDirectory(tp.folder()).show(); }},
            {QStringLiteral("frm_htmltitle"), [] { PagePrompt().show(); }},
            {QStringLiteral("frm_htmledit"),
             [&] {
                 GeneratedFiles files;
                 files.o_flist.entries = {tp.path(QStringLiteral("mosaik.htm"))};
                 files.show();
             }},
        };
        const QStringList registered = platform::registeredWindows();
        for (const QString& name : registered)
            QVERIFY2(openers.contains(name), qPrintable(name + QStringLiteral(" is never opened here")));
        for (auto opener = openers.cbegin(); opener != openers.cend(); ++opener) {
            opener.value()();
            QVERIFY2(walk.shown.contains(opener.key()),
                     qPrintable(opener.key() + QStringLiteral(" did not come up")));
        }
        QCOMPARE(registered.size(), openers.size());

        // The page prompt's Options menu opens its windows by name.
        using Item = void (PagePrompt::*)();
        const QHash<QString, Item> promptOptions{
            {QStringLiteral("frm_color"), &PagePrompt::openColourOptions},
            {QStringLiteral("frm_fullimage"), &PagePrompt::openPlacementOptions},
            {QStringLiteral("frm_soptions"), &PagePrompt::openSlideShowOptions}};
        const QStringList openedByName = platform::windowOpeners();
        for (const QString& name : openedByName)
            QVERIFY2(promptOptions.contains(name),
                     qPrintable(name + QStringLiteral(" is not on the prompt's Options menu")));
        for (auto option = promptOptions.cbegin(); option != promptOptions.cend(); ++option) {
            walk.shown.clear();
            PagePrompt prompt;
            (prompt.*option.value())();
            QVERIFY2(walk.shown.contains(option.key()),
                     qPrintable(option.key() + QStringLiteral(" did not come up from the prompt")));
        }
        QCOMPARE(openedByName.size(), promptOptions.size());

        for (const QString& found : walk.clipped + walk.unnamed + walk.overlapping + walk.keyClashes + walk.noAccessibleName)
            qWarning().noquote() << found;
        QVERIFY2(walk.clipped.isEmpty(), "captions are cut off (see the warnings)");
        QVERIFY2(walk.unnamed.isEmpty(), "labels do not name their boxes (see the warnings)");
        QVERIFY2(walk.overlapping.isEmpty(), "controls lie over one another (see the warnings)");
        QVERIFY2(walk.keyClashes.isEmpty(), "menus share access keys (see the warnings)");
        QVERIFY2(walk.noAccessibleName.isEmpty(), "controls have no name to be read by (see the warnings)");
    }
};

QTEST_MAIN(TestEveryWindow)
#include "tst_everywindow.moc"

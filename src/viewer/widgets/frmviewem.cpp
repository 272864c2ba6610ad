#include "viewer/widgets/frmviewem.h"

#include "viewer/widgets/filelistbox.h"
#include "viewer/widgets/picturearea.h"
#include "viewer/widgets/targetdirectoryframe.h"

#include "platform/numbers.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/pathlabel.h"
#include "platform/widgets/registerdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace mosaicon::viewer {

using platform::MenuRow;
using platform::namedWidget;
using platform::plainLabel;
using platform::pixels;

namespace {

const QString menuOptions = QStringLiteral("menuOptionsItem");
const QString menuMouseItems = QStringLiteral("menuMouseItem");

using V = ViewImages;

const FrmViewem::Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 0, "Exit And Use Current File List"}, &V::exitWithCurrentList},
    {{"menuFileItem", 1, "Exit And Use New File List"}, &V::exitWithNewList},
    {{"menuFileItem", 2, "Cancel And &Exit"}, &V::cancelAndExit},
    {{"menuOptions", MenuRow::heading, "&Options"}},
    {{"menuOptionsItem", 0, "Set HTML &Background"}, &V::htmlbackground_DblClick},
    {{"menuOptionsItem", 1, "&Clear HTML Background"}, &V::clearHtmlBackground},
    {{"menuOptionsItem", 2, "-", true}},
    {{"menuOptionsItem", 3, "Move Selected Files To 'New File List'"}, &V::moveSelectedToNewList},
    {{"menuOptionsItem", 4, "Move Selected Files To 'Current File List'"},
     &V::moveSelectedToCurrentList},
    {{"menuOptionsItem", 5, "-", true}},
    {{"menuOptionsItem", 6, "Clear Current File List Selections"}, &V::clearCurrentListSelections},
    {{"menuOptionsItem", 7, "Clear New File List Selections"}, &V::clearNewListSelections},
    {{"menuOptionsItem", 8, "Clear All File List Selections"}, &V::clearAllSelections},
    {{"menuOptionsItem", 9, "-", true}},
    {{"menuOptionsItem", 10, "View Thumbnail"}, &V::toggleViewThumbnail},
    {{"menuOptionsItem", 11, "Associate Text"}, &V::associateText},
    {{"menuOptionsItem", 12, "&Add File"}, &V::addFile},
    {{"menuOptionsItem", 50, "Change Thumbnail Background Color"}, &V::changeThumbnailColor},
};

// Not on the bar: opened by a right button press over either list.
const FrmViewem::Row mouseRows[] = {
    {{"menuMouse", MenuRow::heading, "Right_mouse"}},
    {{"menuMouseItem", 0, "Move Selected Files To 'New List'"}, &V::moveSelectedToNewList},
    {{"menuMouseItem", 1, "Move Selected Files To 'Current List'"}, &V::moveSelectedToCurrentList},
    {{"menuMouseItem", 2, "-", true}},
    {{"menuMouseItem", 3, "Set HTML Background"}, &V::htmlbackground_DblClick},
    {{"menuMouseItem", 4, "Clear HTML Background"}, &V::clearHtmlBackground},
    {{"menuMouseItem", 5, "-", true}},
    {{"menuMouseItem", 6, "Clear Current File List Selections"},
     &V::clearCurrentListSelectionsOnly},
    {{"menuMouseItem", 7, "Clear New File List Selections"}, &V::clearNewListSelectionsOnly},
    {{"menuMouseItem", 8, "Clear All File List Selections"}, &V::clearAllSelectionsOnly},
    {{"menuMouseItem", 9, "-", true}},
    {{"menuMouseItem", 20, "Exit And Use Current File List"}, &V::handBackCurrentList},
    {{"menuMouseItem", 21, "Exit And Use New File List"}, &V::handBackNewList},
    {{"menuMouseItem", 22, "-", true}},
    {{"menuMouseItem", 23, "View Thumbnail"}, &V::toggleViewThumbnail},
    {{"menuMouseItem", 24, "Associate Text"}, &V::associateFromMenu},
    {{"menuMouseItem", 25, "Add File"}, &V::addFile},
    {{"menuMouseItem", 26, "-", true}},
    {{"menuMouseItem", 27, "Cancel And Exit"}, &V::exitWithoutList},
};

QLabel* bigLabel(const QString& name, const QString& text, QWidget* parent, bool bold)
{
    QLabel* label = plainLabel(name, text, parent);
    QFont font = label->font();
    font.setPointSize(24);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

FrmViewem::FrmViewem(ViewImages* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_viewem"));
    setMinimumSize(pixels(ViewImages::minimumWidth), pixels(ViewImages::minimumHeight));
    // Wider and higher than designed: this platform's fonts need the room.
    resize(pixels(11400), pixels(8400));
    auto* form = new QGridLayout(this);
    buildMenus();
    form->addWidget(buildLists(), 0, 0, 2, 1);
    form->addWidget(buildPictureArea(), 0, 1);
    form->addWidget(buildLowerRight(), 1, 1);
    form->setColumnStretch(1, 1);
    form->setRowStretch(0, 1);
    // The target path stands beside the list that chooses it and names it.
    findChild<QLabel*>(QStringLiteral("targetdir"))->setBuddy(m_dir);

    closeWhenHidden();
    setEscape([](ViewImages& v) { v.Form_QueryUnload(); });
    if (m_value) {
        connect(m_value, &ViewImages::changed, this, [this] {
            m_pushingChange = true;
            push();
            m_pushingChange = false;
        });
    }
    push();
}

QMenuBar* FrmViewem::menuBar() const
{
    return findChild<QMenuBar*>(QStringLiteral("menuBar"), Qt::FindDirectChildrenOnly);
}

void FrmViewem::buildMenus()
{
    const auto busy = [](ViewImages& v, Command command) { v.runMenuCommand(command); };
    addMenuBar(menuRows, busy);
    m_menus.item(menuOptions, 10)->setCheckable(true);
    m_menuMouse = addPopupMenu(mouseRows, busy);
    m_popupMenus.item(menuMouseItems, 23)->setCheckable(true);
}

QWidget* FrmViewem::buildLists()
{
    auto* column = new QWidget(this);
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    // Label2 lies along the left edge, where a click sets the HTML background.
    m_label2 = plainLabel(QStringLiteral("Label2"), QString(), column);
    m_label2->setFixedWidth(6);
    m_label2->installEventFilter(this);
    grid->addWidget(m_label2, 0, 0, 6, 1);
    grid->addWidget(buildListFrame(ViewImages::Current, "Frame1", "flelist"), 0, 1, 1, 2);
    grid->addWidget(buildListFrame(ViewImages::New, "Frame5", "newlist"), 1, 1, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);

    grid->addWidget(plainLabel(QStringLiteral("Label1"), QStringLiteral("HTML BG:"), column), 2, 1);
    m_htmlbackground =
        m_binder.bind(namedWidget<platform::PathLabel>(QStringLiteral("htmlbackground"), column),
                      &ViewImages::htmlbackground);
    m_htmlbackground->installEventFilter(this);
    grid->addWidget(m_htmlbackground, 2, 2);
    grid->addWidget(plainLabel(QStringLiteral("Label3"), QStringLiteral("Target Dir:"), column), 3,
                    1);
    grid->addWidget(m_binder.bind(namedWidget<platform::PathLabel>(QStringLiteral("targetdir"), column),
                                  &ViewImages::targetdir),
                    3, 2);
    auto* inSource = m_binder.bind(
        namedWidget<QCheckBox>(QStringLiteral("o_images_in_src_dir"),
                               QStringLiteral("Create Images(s) In Source Directory"), column),
        &ViewImages::o_images_in_src_dir);
    connect(inSource, &QCheckBox::clicked, this,
            [this] { run(&ViewImages::o_images_in_src_dir_Click); });
    m_batchControls << inSource << m_htmlbackground;
    grid->addWidget(inSource, 4, 1, 1, 2);
    grid->addWidget(buildButtons(), 5, 1, 1, 2);
    return column;
}

QGroupBox* FrmViewem::buildListFrame(ViewImages::ListId id, const char* frameName,
                                     const char* listName)
{
    auto* frame =
        m_binder.bind(namedWidget<QGroupBox>(QString::fromUtf8(frameName), this),
                      id == ViewImages::Current ? &ViewImages::Frame1 : &ViewImages::Frame5);
    auto* list = new FileListBox(QString::fromUtf8(listName), frame);
    list->setPopupMenu(m_menuMouse);
    (new QVBoxLayout(frame))->addWidget(list);
    m_lists[id] = list;
    m_batchControls << list;
    // The current row moves before or after the selection, depending on
    // mouse or keys: the click handling runs once both have.
    connect(list, &QListWidget::itemSelectionChanged, this, [this, id] { listChanged(id); });
    connect(list, &QListWidget::currentRowChanged, this, [this, id] { listChanged(id); });
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this, id] { run([id](ViewImages& v) { v.list_DblClick(id); }); });
    return frame;
}

void FrmViewem::listChanged(ViewImages::ListId id)
{
    if (m_pushing || m_clickPending[id])
        return;
    m_clickPending[id] = true;
    QTimer::singleShot(0, this, [this, id] {
        m_clickPending[id] = false;
        // A double click may have moved the entry away meanwhile: no entry, no click.
        if (m_lists[id]->currentRow() >= 0)
            run([id](ViewImages& v) { v.list_Click(id); });
    });
}

QWidget* FrmViewem::buildPictureArea()
{
    auto* area = new QWidget(this);
    auto* stack = new QGridLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);
    // Shows through while the picture frame is hidden.
    m_label4 = bigLabel(QStringLiteral("Label4"), QStringLiteral("Image Creation In Progress"),
                        area, true);
    stack->addWidget(m_label4, 0, 0);
    m_frame2 = new PictureArea(QString(), area);
    connect(m_frame2, &PictureArea::resizedTwips, this, &FrmViewem::frame2Resized);
    m_frame2->enlargeLabels();
    m_binder.bind(m_frame2->errorReading(), &ViewImages::error_reading_file);
    m_binder.bind(m_frame2->notAnImage(), &ViewImages::o_notanimage);
    // Placed by the frame at the size the value fits it to, not by the layout.
    m_frame2->addPictureLabel();
    auto* inside = new QGridLayout(m_frame2);
    for (QLabel* label : {m_frame2->errorReading(), m_frame2->notAnImage()}) {
        inside->addWidget(label, 0, 0);
        label->raise();
    }
    stack->addWidget(m_frame2, 0, 0);
    return area;
}

QWidget* FrmViewem::buildLowerRight()
{
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(buildTarget(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildFileOperation());
    right->addWidget(buildDimensions());
    row->addLayout(right);
    return area;
}

QGroupBox* FrmViewem::buildTarget()
{
    auto* frame = new TargetDirectoryFrame(TargetDirectoryFrame::Order::DirAbove, this);
    m_dir = frame->dir();
    m_drive = frame->drive();
    m_batchControls << m_dir << m_drive;
    connect(m_dir, &platform::DirListBox::pathChanged, this, [this](const QString& path) {
        if (!m_pushing)
            run([path](ViewImages& v) { v.Dir1_Change(path); });
    });
    // A drive that cannot be read leaves the directory where it was.
    connect(m_drive, &platform::DriveListBox::driveChanged, this, [this](const QString& root) {
        if (!m_pushing && !root.isEmpty())
            m_dir->setDrivePath(root);
    });
    return frame;
}

QGroupBox* FrmViewem::buildFileOperation()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame4"), QStringLiteral("File Operation"), this);
    auto* grid = new QGridLayout(frame);
    const char* const captions[] = {"Copy", "Move"};
    QButtonGroup* group = optionGroup("fileoption", captions, &ViewImages::fileoption, frame);
    for (int i = 0; i < 2; ++i)
        grid->addWidget(group->button(i), 0, i);
    addButton(grid, "Command7", &ViewImages::Command7, &ViewImages::deleteSelected, 1, 0);
    addButton(grid, "Command3", &ViewImages::Command3, &ViewImages::copyOrMoveSelected, 2, 0);
    addButton(grid, "Command4", &ViewImages::Command4, &ViewImages::viewCopyLog, 3, 0);
    return frame;
}

QGroupBox* FrmViewem::buildDimensions()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame6"), QStringLiteral("Image Dimensions"), this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(m_binder.bind(plainLabel(QStringLiteral("o_height"), QString(), frame),
                                  &ViewImages::o_height),
                    0, 0, 1, 2);
    grid->addWidget(m_binder.bind(plainLabel(QStringLiteral("o_width"), QString(), frame),
                                  &ViewImages::o_width),
                    1, 0, 1, 2);
    QLabel* sizeLabel = plainLabel(QStringLiteral("Label_tn"), QStringLiteral("Thumb Size"), frame);
    grid->addWidget(sizeLabel, 2, 0);
    auto* size = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_tn_size"), frame),
                               &ViewImages::o_tn_size);
    sizeLabel->setBuddy(size);
    size->setMaximumWidth(pixels(495) * 2);
    runOnChange(size, &ViewImages::o_tn_size, &ViewImages::o_tn_size_Change);
    grid->addWidget(size, 2, 1);
    return frame;
}

QWidget* FrmViewem::buildButtons()
{
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    addButton(grid, "Command1", &ViewImages::Command1, &ViewImages::createThumbnailFile, 0, 0);
    addButton(grid, "Command2", &ViewImages::Command2, &ViewImages::createJpegFile, 0, 1);
    addButton(grid, "Command6", &ViewImages::Command6, &ViewImages::convertListToThumbnails, 1, 0);
    addButton(grid, "Command5", &ViewImages::Command5, &ViewImages::convertListToJpegs, 1, 1);
    addButton(grid, "Command8", &ViewImages::Command8, &ViewImages::associateText, 2, 0);
    return area;
}

QPushButton* FrmViewem::addButton(QGridLayout* grid, const char* name,
                                  ViewImages::Button ViewImages::*state,
                                  void (ViewImages::*click)(), int row, int column)
{
    auto* button = namedWidget<QPushButton>(QString::fromUtf8(name), this);
    // No button is the window's default: Enter in a list or a box starts nothing.
    button->setAutoDefault(false);
    if (m_value)
        button->setText((m_value->*state).caption);
    connect(button, &QPushButton::clicked, this, [this, click] { run(click); });
    grid->addWidget(button, row, column);
    m_buttons.append({button, state});
    return button;
}

QPushButton* FrmViewem::button(const QString& objectName) const
{
    return findChild<QPushButton*>(objectName);
}

void FrmViewem::push()
{
    if (!m_value)
        return;
    m_pushing = true;
    const ViewImages& v = *m_value;
    setWindowTitle(v.caption);
    m_binder.push();
    pushList(ViewImages::Current);
    pushList(ViewImages::New);
    pushPicture();
    pushButtons();
    for (const QString& array : {QStringLiteral("menuFile"), QStringLiteral("menuOptions")}) {
        if (auto* menu = menuBar()->findChild<QMenu*>(array))
            menu->menuAction()->setEnabled(v.controlsEnabled);
    }
    for (QWidget* control : std::as_const(m_batchControls))
        control->setEnabled(v.controlsEnabled);
    m_menus.item(menuOptions, 10)->setChecked(v.viewThumbnail);
    m_popupMenus.item(menuMouseItems, 23)->setChecked(v.viewThumbnail);
    m_menus.item(menuOptions, 0)->setText(v.setBackgroundCaption);
    m_popupMenus.item(menuMouseItems, 3)->setText(v.setBackgroundCaption);
    if (m_dir->path() != v.Dir1 && m_dir->setPath(v.Dir1))
        m_drive->setDrive(v.Dir1);
    m_pushing = false;
}

void FrmViewem::pushList(ViewImages::ListId id)
{
    // The value changed on its own (a picture arrived) after the user changed
    // the list and before that click is handled: the box is ahead of the value.
    if (m_pushingChange && m_clickPending[id])
        return;
    const PathList& l = m_value->list(id);
    m_lists[id]->showEntries(l.entries, l.selected, l.current);
}

void FrmViewem::pushPicture()
{
    const platform::ImageControl& image = m_value->viewimage;
    // Not bound: the value's width and height are the room the frame has, told by the frame.
    m_frame2->setTitle(m_value->Frame2.caption);
    m_frame2->errorReading()->setToolTip(m_value->readError);
    m_frame2->setVisible(m_value->Frame2.visible);
    m_label4->setVisible(!m_value->Frame2.visible);
    const QImage picture = image.picture();
    const bool show = image.visible() && !picture.isNull();
    m_frame2->picture()->setVisible(show);
    m_frame2->setPicture(show ? picture : QImage(),
                         QSize(qMax(1, pixels(image.width())), qMax(1, pixels(image.height()))));
}

void FrmViewem::pushButtons()
{
    for (const auto& [button, state] : std::as_const(m_buttons)) {
        const ViewImages::Button& b = m_value->*state;
        button->setEnabled(b.enabled);
        button->setVisible(b.visible);
    }
}

void FrmViewem::pullLists()
{
    for (ViewImages::ListId id : {ViewImages::Current, ViewImages::New}) {
        const FileListBox* box = m_lists[id];
        PathList& l = m_value->list(id);
        if (box->count() != l.count())
            continue;
        l.selected = box->selectedFlags();
        l.current = box->currentRow();
    }
}

void FrmViewem::pull()
{
    m_binder.pull();
    pullLists();
}

bool FrmViewem::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_value)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress && watched == m_label2 &&
        m_value->controlsEnabled) {
        run(&ViewImages::Label2_Click);
        return true;
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == m_htmlbackground &&
               m_value->controlsEnabled) {
        run(&ViewImages::htmlbackground_DblClick);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmViewem::frame2Resized(int widthTwips, int heightTwips)
{
    if (!m_value)
        return;
    // The picture is fitted to the frame it now has; while the value is being
    // shown, the rest of that showing shows the new fit.
    if (m_pushing)
        m_value->Frame2_Resize(widthTwips, heightTwips);
    else
        run([widthTwips, heightTwips](ViewImages& v) { v.Frame2_Resize(widthTwips, heightTwips); });
}

void registerFrmViewem()
{
    platform::registerDialog<FrmViewem, ViewImages>(QStringLiteral("frm_viewem"));
}

} // namespace mosaicon::viewer

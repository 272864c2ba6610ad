#include "viewer/widgets/frmlibrarycatalog.h"

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
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon::viewer {

using platform::MenuRow;
using platform::namedWidget;
using platform::pixels;

namespace {

const QString menuMouseItems = QStringLiteral("menuMouseItem");

using C = LibraryCatalog;

const FrmLibraryCatalog::Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 0, "Exit And Use Current File List"}, &C::exitWithCurrentList},
    {{"menuFileItem", 1, "", true}},
    {{"menuFileItem", 2, "Cancel And &Exit"}, &C::cancelAndExit},
    {{"menuOptions", MenuRow::heading, "&Options"}},
    {{"menuOptionsItem", 10, "Prompt For Titles"}, &C::promptForTitles},
    {{"menuOptionsItem", 15, "Create Thumbnail File"}, &C::createThumbnailFile},
    {{"menuOptionsItem", 20, "Create JPG File"}, &C::createJpegFile},
    {{"menuOptionsItem", 25, "Convert List To JPGs"}, &C::convertListToJpegs},
    {{"menuOptionsItem", 30, "Convert List To Thumbnails"}, &C::convertListToThumbnails},
    {{"menuOptionsItem", 35, "Load Saved File"}, &C::loadSavedFile},
    {{"menuOptionsItem", 40, "Save Image Data To Output File"}, &C::b_save_data_Click},
};

// The pop-up menu of the list, on a bar of its own that is never shown.
const FrmLibraryCatalog::Row mouseRows[] = {
    {{"menuMouse", MenuRow::heading, "Right_mouse"}},
    {{"menuMouseItem", 3, "Set HTML Background"}, &C::setHtmlBackground},
};

const char* const filterCaptions[] = {
    "Save All Images",
    "Save ONLY Images With Titles",
    "Save ONLY Images With Thumbnails",
};

} // namespace

FrmLibraryCatalog::FrmLibraryCatalog(LibraryCatalog* value, QWidget* parent)
    : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_librarycatalog"));
    setMinimumSize(pixels(LibraryCatalog::minimumWidth), pixels(LibraryCatalog::minimumHeight));
    auto* form = new QHBoxLayout(this);
    buildMenus();
    form->addWidget(buildListAndFiles(), 2);
    form->addWidget(buildImageSide(), 3);
    closeWhenHidden();
    // Esc and the frame's close: Cancel And Exit, refused while a list is converted.
    setEscape([](LibraryCatalog& c) { c.Form_QueryUnload(); });
    if (m_value)
        connect(m_value, &LibraryCatalog::changed, this, &FrmLibraryCatalog::pushShown);
    push();
}

void FrmLibraryCatalog::buildMenus()
{
    addMenuBar(menuRows);
    m_menuMouse = addPopupMenu(mouseRows);
}

QLabel* FrmLibraryCatalog::viewimage() const
{
    return m_frame2->picture();
}

QLabel* FrmLibraryCatalog::label(const char* name, const char* caption, QWidget* parent)
{
    // Paths and titles may hold "<": no label reads its text as markup.
    auto* l = namedWidget<QLabel>(QString::fromUtf8(name), QString::fromUtf8(caption), parent);
    l->setTextFormat(Qt::PlainText);
    m_labels.insert(l->objectName(), l);
    return l;
}

QPushButton* FrmLibraryCatalog::button(const char* name, const char* caption,
                                       void (LibraryCatalog::*click)(), QWidget* parent)
{
    auto* b = namedWidget<QPushButton>(QString::fromUtf8(name), QString::fromUtf8(caption), parent);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, click] { run(click); });
    return b;
}

QWidget* FrmLibraryCatalog::buildListAndFiles()
{
    auto* side = new QWidget(this);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    // Label2 lies beneath the list's frame, which leaves its left edge
    // uncovered: a click there sets the pages' background.
    auto* listArea = new QGridLayout;
    m_label2 = label("Label2", "Not An Image", side);
    m_label2->setAlignment(Qt::AlignCenter);
    m_label2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_label2->installEventFilter(this);
    listArea->addWidget(m_label2, 0, 0);
    auto* framed = new QHBoxLayout;
    framed->setContentsMargins(6, 0, 0, 0);
    m_frame1 = namedWidget<QGroupBox>(QStringLiteral("Frame1"), QString(), side);
    m_flelist = new FileListBox(QStringLiteral("flelist"), m_frame1);
    m_flelist->setPopupMenu(m_menuMouse);
    (new QVBoxLayout(m_frame1))->addWidget(m_flelist);
    connect(m_flelist, &QListWidget::itemSelectionChanged, this, &FrmLibraryCatalog::listChanged);
    connect(m_flelist, &QListWidget::currentRowChanged, this, &FrmLibraryCatalog::listChanged);
    framed->addWidget(m_frame1);
    listArea->addLayout(framed, 0, 0);
    column->addLayout(listArea, 1);
    column->addWidget(buildOutputFile());
    column->addWidget(buildWebPages());
    column->addStretch(2);
    return side;
}

QGroupBox* FrmLibraryCatalog::buildOutputFile()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("f_output"), QStringLiteral("Output File"), this);
    auto* grid = new QGridLayout(frame);
    auto* file = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_output_file"), frame),
                               &LibraryCatalog::o_output_file);
    grid->addWidget(label("l_output_file", "File:", frame), 0, 0);
    m_labels.value(QStringLiteral("l_output_file"))->setBuddy(file);
    grid->addWidget(file, 0, 1);
    grid->addWidget(
        button("b_select_file", "Select File", &LibraryCatalog::b_select_file_Click, frame), 0, 2);
    grid->addWidget(label("l_output_format", "Format:", frame), 1, 0);
    auto* format = m_binder.bind(namedWidget<QComboBox>(QStringLiteral("o_output_format"), frame),
                                 &LibraryCatalog::o_output_format);
    m_labels.value(QStringLiteral("l_output_format"))->setBuddy(format);
    connect(format, &QComboBox::activated, this,
            [this] { run(&LibraryCatalog::o_output_format_Click); });
    grid->addWidget(format, 1, 1, 1, 2);
    m_filters = optionGroup("o_save_by_image_filter", filterCaptions,
                            &LibraryCatalog::o_save_by_image_filter, frame);
    for (int i = 0; i < 3; ++i)
        grid->addWidget(m_filters->button(i), 2 + i, 0, 1, 3);
    grid->addWidget(
        button("b_save_data", "Save Image Data", &LibraryCatalog::b_save_data_Click, frame), 5, 0,
        1, 3);
    grid->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* FrmLibraryCatalog::buildWebPages()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("f_web_pages"), QStringLiteral("Web Pages"), this);
    auto* grid = new QGridLayout(frame);
    const char* const kindCaptions[] = {"Use thumbnail images", "Use full size images"};
    QButtonGroup* kinds =
        optionGroup("o_use_thumbs", kindCaptions, &LibraryCatalog::o_use_thumbs, frame);
    for (int i = 0; i < 2; ++i)
        grid->addWidget(kinds->button(i), i, 0, 1, 2);
    auto* perRow = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_horizontal_images"), frame),
                                 &LibraryCatalog::o_horizontal_images);
    auto* perColumn = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_vertical_images"), frame),
                                    &LibraryCatalog::o_vertical_images);
    grid->addWidget(label("Label1", "Number of images per row", frame), 2, 0);
    m_labels.value(QStringLiteral("Label1"))->setBuddy(perRow);
    grid->addWidget(perRow, 2, 1);
    grid->addWidget(label("Label3", "Number of images per column", frame), 3, 0);
    m_labels.value(QStringLiteral("Label3"))->setBuddy(perColumn);
    grid->addWidget(perColumn, 3, 1);
    m_createCatalog = button("b_create_web_page_catalog", "Create Catalog",
                             &LibraryCatalog::b_create_web_page_catalog_Click, frame);
    grid->addWidget(m_createCatalog, 4, 0, 1, 2);
    return frame;
}

QWidget* FrmLibraryCatalog::buildImageSide()
{
    auto* side = new QWidget(this);
    auto* grid = new QGridLayout(side);
    grid->setContentsMargins(0, 0, 0, 0);
    // The frame covers the label; hiding the frame while a picture is made shows it.
    m_label4 = label("Label4", "Image Creation In Progress", side);
    m_label4->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_label4, 0, 0, 1, 4);
    m_frame2 = new PictureArea(QStringLiteral("Image"), side);
    connect(m_frame2, &PictureArea::resizedTwips, this, &FrmLibraryCatalog::frame2Resized);
    // The picture is placed in twips inside the frame, so the frame has no layout.
    m_frame2->addPictureLabel();
    for (QLabel* l : {m_frame2->errorReading(), m_frame2->notAnImage()}) {
        m_labels.insert(l->objectName(), l);
        l->raise();
        l->move(20, 30);
    }
    grid->addWidget(m_frame2, 0, 0, 1, 4);
    grid->setRowStretch(0, 1);
    grid->addWidget(label("o_width", "", side), 1, 0, 1, 2);
    grid->addWidget(label("o_height", "", side), 1, 2, 1, 2);
    grid->addWidget(label("l_image_title", "Title:", side), 2, 0);
    m_title = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_image_title"), side),
                            &LibraryCatalog::o_image_title);
    m_labels.value(QStringLiteral("l_image_title"))->setBuddy(m_title);
    m_title->installEventFilter(this);
    grid->addWidget(m_title, 2, 1, 1, 3);
    grid->addWidget(label("l_targetdir", "Target Dir:", side), 3, 0);
    auto* target = namedWidget<platform::PathLabel>(QStringLiteral("targetdir"), side);
    m_labels.insert(target->objectName(), target);
    grid->addWidget(target, 3, 1, 1, 3);

    auto* sizes =
        namedWidget<QGroupBox>(QStringLiteral("Frame6"), QStringLiteral("Image Dimensions"), side);
    auto* sizeColumn = new QVBoxLayout(sizes);
    sizeColumn->addWidget(label("Label_tn", "Thumb Size", sizes));
    auto* size = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_tn_size"), sizes),
                               &LibraryCatalog::o_tn_size);
    m_labels.value(QStringLiteral("Label_tn"))->setBuddy(size);
    runOnChange(size, &LibraryCatalog::o_tn_size, &LibraryCatalog::o_tn_size_Change);
    sizeColumn->addWidget(size);
    sizeColumn->addStretch();
    sizes->setMaximumWidth(sizes->sizeHint().width());
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildTargetDirectory(), 1);
    bottom->addWidget(sizes);
    grid->addLayout(bottom, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return side;
}

QGroupBox* FrmLibraryCatalog::buildTargetDirectory()
{
    auto* frame = new TargetDirectoryFrame(TargetDirectoryFrame::Order::DriveAbove, this);
    m_drive = frame->drive();
    m_dir = frame->dir();
    connect(m_drive, &platform::DriveListBox::driveChanged, this, &FrmLibraryCatalog::driveChanged);
    connect(m_dir, &platform::DirListBox::pathChanged, this, &FrmLibraryCatalog::dirChanged);
    return frame;
}

void FrmLibraryCatalog::push()
{
    if (!m_value)
        return;
    m_pushing = true;
    m_binder.push();
    m_pushing = false;
    pushShown();
}

void FrmLibraryCatalog::pushShown()
{
    if (!m_value)
        return;
    const LibraryCatalog& v = *m_value;
    m_pushing = true;
    setWindowTitle(v.caption);
    platform::pushControl(m_frame1, v.Frame1);
    m_frame2->setVisible(v.Frame2.visible);
    m_label4->setVisible(!v.Frame2.visible);
    using LabelField = std::pair<const char*, platform::Label LibraryCatalog::*>;
    for (const auto& [name, field] :
         {LabelField{"error_reading_file", &LibraryCatalog::error_reading_file},
          LabelField{"o_notanimage", &LibraryCatalog::o_notanimage},
          LabelField{"o_width", &LibraryCatalog::o_width},
          LabelField{"o_height", &LibraryCatalog::o_height},
          LabelField{"targetdir", &LibraryCatalog::targetdir}})
        platform::pushControl(m_labels.value(QString::fromUtf8(name)), v.*field);
    for (int i = 0; i < 3; ++i)
        m_filters->button(i)->setVisible(v.filterVisible[size_t(i)]);
    m_drive->setDrive(v.Drive1);
    m_dir->setPath(v.Dir1);
    const bool enabled = v.controlsEnabled();
    for (const char* menu : {"menuFile", "menuOptions"})
        findChild<QMenu*>(QString::fromUtf8(menu))->menuAction()->setEnabled(enabled);
    m_popupMenus.item(menuMouseItems, 3)->setText(v.setBackgroundCaption);
    // Create Catalog too: while pages are written or a list is converted it starts nothing.
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_drive, m_dir, m_flelist, m_createCatalog})
        control->setEnabled(enabled);
    pushList();
    pushPicture();
    m_pushing = false;
}

void FrmLibraryCatalog::pushList()
{
    m_flelist->showEntries(m_value->flelist(), m_value->selected, m_value->ListIndex);
}

void FrmLibraryCatalog::pushPicture()
{
    const platform::ImageControl& image = m_value->viewimage;
    m_frame2->picture()->setVisible(image.visible());
    m_frame2->setPicture(image.picture(), QSize(pixels(image.width()), pixels(image.height())));
}

void FrmLibraryCatalog::listChanged()
{
    if (m_pushing)
        return;
    const QList<bool> selected = m_flelist->selectedFlags();
    const int current = m_flelist->currentRow();
    run([selected, current](LibraryCatalog& c) {
        c.selected = selected;
        if (c.ListIndex == current)
            return;
        c.ListIndex = current;
        c.flelist_Click();
    });
}

void FrmLibraryCatalog::driveChanged(const QString& root)
{
    if (m_pushing || root.isEmpty())
        return;
    run([root](LibraryCatalog& c) {
        c.Drive1 = root;
        c.Drive1_Change();
    });
}

void FrmLibraryCatalog::dirChanged(const QString& path)
{
    if (m_pushing)
        return;
    run([path](LibraryCatalog& c) {
        c.Dir1 = path;
        c.Dir1_Change();
    });
}

bool FrmLibraryCatalog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_title && event->type() == QEvent::FocusOut) {
        run(&LibraryCatalog::o_image_title_LostFocus);
    } else if (watched == m_label2 && event->type() == QEvent::MouseButtonPress && m_value &&
               m_value->controlsEnabled()) {
        run(&LibraryCatalog::Label2_Click);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmLibraryCatalog::frame2Resized(int widthTwips, int heightTwips)
{
    if (!m_value)
        return;
    m_value->Frame2_Resize(widthTwips, heightTwips);
    pushPicture();
}

void registerFrmLibraryCatalog()
{
    platform::registerDialog<FrmLibraryCatalog, LibraryCatalog>(
        QStringLiteral("frm_librarycatalog"));
}

} // namespace mosaicon::viewer

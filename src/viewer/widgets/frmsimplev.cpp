#include "viewer/widgets/frmsimplev.h"

#include "viewer/widgets/picturearea.h"

#include "platform/numbers.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/imageview.h"
#include "platform/widgets/namedwidget.h"
#include "platform/windowregistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSignalBlocker>

namespace mosaicon::viewer {

platform::Form<FrmSimpleV> frm_simplev;

namespace {

using platform::MenuRow;
using platform::namedWidget;

using platform::pixels;

using Row = platform::CommandRow<FrmSimpleV>;

const Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 99, "&Exit"}, &FrmSimpleV::hide},
};

QRect pixelRect(const QRectF& twips)
{
    return {pixels(twips.left()), pixels(twips.top()), pixels(twips.width()),
            pixels(twips.height())};
}

} // namespace

FrmSimpleV::FrmSimpleV(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_simplev"));
    setWindowTitle(m_state.caption);
    buildControls();
    setMinimumSize(pixels(SimpleViewGeometry::minWidth), pixels(SimpleViewGeometry::minHeight));
    resize(pixels(SimpleViewGeometry::designedWidth),
           pixels(SimpleViewGeometry::designedInnerHeight) + menuBarHeight());

    // A click, a key or code making an entry current all show it.
    connect(m_list, &QListWidget::currentRowChanged, this, &FrmSimpleV::flelist_Click);
    // A picture read off the GUI thread shows when it arrives.
    m_state.changed = [this] { showState(); };
    m_menus.connectRows(std::span<const Row>(menuRows), this,
                        [this](auto command) { (this->*command)(); });
}

void FrmSimpleV::buildControls()
{
    m_bar = namedWidget<QMenuBar>(QStringLiteral("menuBar"), this);
    m_menus = platform::MenuTree(m_bar, std::span<const Row>(menuRows));
    m_client = namedWidget<QWidget>(QStringLiteral("client"), this);

    m_frame1 = namedWidget<QGroupBox>(QStringLiteral("Frame1"), m_state.frame1Caption, m_client);
    m_list = namedWidget<QListWidget>(QStringLiteral("flelist"), m_frame1);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);

    m_frame2 = new PictureArea(QStringLiteral("Image"), m_client);
    m_frame2->enlargeLabels();
    // "Not An Image" and "Error Reading File" stand in place of the picture.
    m_notAnImage = m_frame2->notAnImage();
    m_notAnImage->setGeometry(pixelRect({240, 480, 2295, 1215}));
    m_notAnImage->hide();
    m_errorReading = m_frame2->errorReading();
    m_errorReading->setGeometry(pixelRect({240, 480, 2295, 1815}));
    m_errorReading->hide();
    m_image = namedWidget<platform::ImageView>(QStringLiteral("viewimage"), m_frame2);
    m_image->control().setVisible(false);

    m_frame6 = namedWidget<QGroupBox>(QStringLiteral("Frame6"), QStringLiteral("File Properties"),
                                      m_client);
    m_fileName = namedWidget<QLineEdit>(QStringLiteral("o_file_name"), m_frame6);
    m_fileName->setReadOnly(true);
    m_fileWidth = namedWidget<QLabel>(QStringLiteral("o_file_width"), m_frame6);
    m_fileHeight = namedWidget<QLabel>(QStringLiteral("o_file_height"), m_frame6);
    auto* grid = new QGridLayout(m_frame6);
    auto* nameLabel =
        namedWidget<QLabel>(QStringLiteral("Label1"), QStringLiteral("File Name:"), m_frame6);
    nameLabel->setBuddy(m_fileName);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_fileName, 0, 1);
    grid->addWidget(
        namedWidget<QLabel>(QStringLiteral("o_width"), QStringLiteral("File Width:"), m_frame6), 1,
        0);
    grid->addWidget(m_fileWidth, 1, 1);
    grid->addWidget(
        namedWidget<QLabel>(QStringLiteral("o_height"), QStringLiteral("File Height:"), m_frame6),
        2, 0);
    grid->addWidget(m_fileHeight, 2, 1);
    grid->setColumnStretch(1, 1);
    // Three rows in the frame's designed height.
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(grid->contentsMargins().left(), 0, grid->contentsMargins().right(), 0);
}

QGroupBox* FrmSimpleV::Frame2() const
{
    return m_frame2;
}

int FrmSimpleV::menuBarHeight() const
{
    return m_bar->sizeHint().height();
}

QAction* FrmSimpleV::menuFileItem(int index) const
{
    return m_menus.item(QStringLiteral("menuFileItem"), index);
}

void FrmSimpleV::Form_Load(const QStringList& mainList)
{
    m_state.load(mainList, m_image->control());
    {
        // The state has shown entry 0 already.
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        m_list->addItems(m_state.flelist);
        if (m_state.current >= 0) {
            m_list->setCurrentRow(m_state.current);
            m_list->item(m_state.current)->setSelected(true);
        }
    }
    showState();
}

void FrmSimpleV::flelist_Click()
{
    m_state.click(m_list->currentRow(), m_image->control());
    showState();
}

void FrmSimpleV::showState()
{
    setWindowTitle(m_state.caption);
    m_frame1->setTitle(m_state.frame1Caption);
    m_fileName->setText(m_state.fileName);
    m_fileWidth->setText(m_state.fileWidth);
    m_fileHeight->setText(m_state.fileHeight);
    using Display = SimpleView::Display;
    m_image->control().setVisible(m_state.display == Display::Picture);
    m_notAnImage->setVisible(m_state.display == Display::NotAnImage);
    m_errorReading->setVisible(m_state.display == Display::ErrorReading);
    recalculate_image();
}

void FrmSimpleV::recalculate_image()
{
    platform::ImageControl& c = m_image->control();
    if (c.isNull() || m_state.display != SimpleView::Display::Picture)
        return;
    c.setFitMode(1);
    const QSize own = c.shownSize();
    const QSizeF fitted = fit_in_frame(
        own.width() * platform::twipsPerPixel, own.height() * platform::twipsPerPixel,
        m_frame2->width() * platform::twipsPerPixel, m_frame2->height() * platform::twipsPerPixel);
    c.setLeft(120);
    c.setTop(240);
    c.setWidth(fitted.width());
    c.setHeight(fitted.height());
    c.setFitMode(fitted == QSizeF(own) * platform::twipsPerPixel ? 1 : 2);
}

void FrmSimpleV::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    const int barHeight = menuBarHeight();
    m_bar->setGeometry(0, 0, width(), barHeight);
    m_client->setGeometry(0, barHeight, width(), height() - barHeight);
    const SimpleViewGeometry g = SimpleViewGeometry::forWindow(
        width() * platform::twipsPerPixel, m_client->height() * platform::twipsPerPixel);
    // The file properties get the height their rows need at the font in use;
    // the frames above give it up.
    QRect frame6 = pixelRect(g.frame6);
    const int lacking = qMax(0, m_frame6->minimumSizeHint().height() - frame6.height());
    frame6.setTop(frame6.top() - lacking);
    m_frame1->setGeometry(pixelRect(g.frame1).adjusted(0, 0, 0, -lacking));
    m_list->setGeometry(pixelRect(g.flelist).adjusted(0, 0, 0, -lacking));
    m_frame2->setGeometry(pixelRect(g.frame2).adjusted(0, 0, 0, -lacking));
    m_frame6->setGeometry(frame6);
    m_state.frame2Resized(QSizeF(m_frame2->width(), m_frame2->height()) * platform::twipsPerPixel,
                          m_image->control());
    recalculate_image();
}

void show_simple_view(const QStringList& mainList)
{
    FrmSimpleV* window = frm_simplev.load();
    window->Form_Load(mainList);
    platform::centerForm(window);
    frm_simplev.showModal();
    frm_simplev.unload();
}

void registerFrmSimpleV()
{
    platform::registerWindow(QStringLiteral("frm_simplev"), [](QObject* object) {
        if (auto* window = qobject_cast<FrmSimpleV*>(object))
            window->exec();
    });
}

} // namespace mosaicon::viewer

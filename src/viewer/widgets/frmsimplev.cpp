#include "viewer/widgets/frmsimplev.h"

#include "viewer/widgets/picturearea.h"

#include "platform/numbers.h"
#include "platform/widgets/imageview.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mosaicon::viewer {

namespace {

using platform::MenuRow;
using platform::namedWidget;

using platform::pixels;

const FrmSimpleV::Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 99, "&Exit"}, &SimpleView::hide},
};

QRect pixelRect(const QRectF& twips)
{
    return {pixels(twips.left()), pixels(twips.top()), pixels(twips.width()),
            pixels(twips.height())};
}

} // namespace

FrmSimpleV::FrmSimpleV(SimpleView* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_simplev"));
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    buildControls();
    form->addWidget(m_client);
    addMenuBar(menuRows);
    closeWhenHidden();
    setMinimumSize(pixels(SimpleViewGeometry::minWidth), pixels(SimpleViewGeometry::minHeight));
    resize(pixels(SimpleViewGeometry::designedWidth),
           pixels(SimpleViewGeometry::designedInnerHeight) +
               form->menuBar()->sizeHint().height());

    // A click, a key or code making an entry current all show it.
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { run([row](SimpleView& v) { v.click(row); }); });
    // A picture read off the GUI thread shows when it arrives.
    connect(value, &SimpleView::changed, this, [this] { push(); });
    m_client->installEventFilter(this);
    push();
}

void FrmSimpleV::buildControls()
{
    m_client = namedWidget<QWidget>(QStringLiteral("client"), this);

    m_frame1 = namedWidget<QGroupBox>(QStringLiteral("Frame1"), m_value->frame1Caption, m_client);
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
    m_image = new platform::ImageView(m_value->viewimage, m_frame2);
    m_image->setObjectName(QStringLiteral("viewimage"));
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

void FrmSimpleV::push()
{
    const SimpleView& v = *m_value;
    if (m_list->count() != v.flelist.size() || m_list->currentRow() != v.current) {
        // The list shows the value's entries; a row set here is no click.
        const QSignalBlocker quiet(m_list);
        if (m_list->count() != v.flelist.size()) {
            m_list->clear();
            m_list->addItems(v.flelist);
        }
        if (v.current >= 0) {
            m_list->setCurrentRow(v.current);
            m_list->item(v.current)->setSelected(true);
        }
    }
    setWindowTitle(v.caption);
    m_frame1->setTitle(v.frame1Caption);
    m_fileName->setText(v.fileName);
    m_fileWidth->setText(v.fileWidth);
    m_fileHeight->setText(v.fileHeight);
    using Display = SimpleView::Display;
    m_image->control().setVisible(v.display == Display::Picture);
    m_notAnImage->setVisible(v.display == Display::NotAnImage);
    m_errorReading->setVisible(v.display == Display::ErrorReading);
    m_errorReading->setToolTip(v.readError);
    recalculate_image();
}

void FrmSimpleV::recalculate_image()
{
    platform::ImageControl& c = m_image->control();
    if (c.isNull() || m_value->display != SimpleView::Display::Picture)
        return;
    c.setFitMode(platform::FitMode::OwnSize);
    const QSize own = c.shownSize();
    const QSizeF ownTwips(platform::pixelsToTwips(own.width()),
                          platform::pixelsToTwips(own.height()));
    const platform::PictureFit fitted = platform::fitPicture(
        ownTwips.width(), ownTwips.height(), platform::pixelsToTwips(m_frame2->width()),
        platform::pixelsToTwips(m_frame2->height()), SimpleViewGeometry::pictureMargins);
    c.setLeft(120);
    c.setTop(240);
    c.setWidth(fitted.width);
    c.setHeight(fitted.height);
    // A picture the fit left at its size (one just as wide as the room is
    // scaled by 1) is not stretched.
    c.setFitMode(QSizeF(fitted.width, fitted.height) == ownTwips
                     ? platform::FitMode::OwnSize
                     : platform::FitMode::FittedToWidth);
}

bool FrmSimpleV::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize && !isMinimized())
        placeFrames();
    return ValueDialog::eventFilter(watched, event);
}

void FrmSimpleV::placeFrames()
{
    const SimpleViewGeometry g = SimpleViewGeometry::forWindow(
        platform::pixelsToTwips(m_client->width()), platform::pixelsToTwips(m_client->height()));
    // The file properties get the height their rows need at the font in use;
    // the frames above give it up.
    QRect frame6 = pixelRect(g.frame6);
    const int lacking = qMax(0, m_frame6->minimumSizeHint().height() - frame6.height());
    frame6.setTop(frame6.top() - lacking);
    m_frame1->setGeometry(pixelRect(g.frame1).adjusted(0, 0, 0, -lacking));
    m_list->setGeometry(pixelRect(g.flelist).adjusted(0, 0, 0, -lacking));
    m_frame2->setGeometry(pixelRect(g.frame2).adjusted(0, 0, 0, -lacking));
    m_frame6->setGeometry(frame6);
    m_value->frame2Resized(QSizeF(platform::pixelsToTwips(m_frame2->width()),
                                  platform::pixelsToTwips(m_frame2->height())));
    recalculate_image();
}

void registerFrmSimpleV()
{
    platform::registerDialog<FrmSimpleV, SimpleView>(QStringLiteral("frm_simplev"));
}

} // namespace mosaicon::viewer

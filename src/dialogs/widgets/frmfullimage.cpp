#include "dialogs/widgets/frmfullimage.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"
#include "platform/wincolor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;
using platform::pixels;

namespace {

const char* const displayCaptions[] = {"Display The Image Only", "Display The Image With Options"};
const char* const locationCaptions[] = {"Left", "Center", "Right"};
const char* const textCaptions[] = {"Don't Use Text", "Use Associated Text (if any)"};
const char* const layoutTexts[] = {"TEXT", "TEXT", "TEXT TEXT TEXT", "TEXT TEXT TEXT"};

// A layout frame is as wide as a location picture can move in it.
constexpr int pictureTop = 300;
constexpr int pictureSize = 600;
constexpr int frameWidth = 1600;
constexpr int frameHeight = 1500;

QLabel* picture(const QString& name, QWidget* frame)
{
    auto* label = namedWidget<QLabel>(name, frame);
    label->setFrameShape(QFrame::Box);
    label->setGeometry(pixels(120), pixels(pictureTop), pixels(pictureSize), pixels(pictureSize));
    return label;
}

} // namespace

FrmFullImage::FrmFullImage(PlacementOptions* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_fullimage"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Cancels);

    auto* top = new QHBoxLayout;
    auto* display = new QVBoxLayout;
    for (QAbstractButton* b :
         options("o_full_img_options", this, displayCaptions, &PlacementOptions::o_full_img_options,
                 &PlacementOptions::o_full_img_options_Click)
             ->buttons())
        display->addWidget(b);
    display->addWidget(buildText());
    top->addLayout(display);
    top->addWidget(buildLocation());
    form->addLayout(top);
    form->addWidget(buildLayouts());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton("Command1"));
    buttons->addWidget(cancelButton("Command2"));
    form->addLayout(buttons);
    push();
}

QButtonGroup* FrmFullImage::options(const char* name, QWidget* frame,
                                    std::span<const char* const> captions,
                                    platform::OptionGroup PlacementOptions::*field,
                                    void (PlacementOptions::*click)())
{
    QButtonGroup* group = optionGroup(name, captions, field, frame);
    connect(group, &QButtonGroup::idClicked, this, [this, click] { run(click); });
    return group;
}

QGroupBox* FrmFullImage::buildLocation()
{
    m_f_location =
        namedWidget<QGroupBox>(QStringLiteral("f_location"), QStringLiteral("Location"), this);
    auto* column = new QVBoxLayout(m_f_location);
    auto* pictureFrame = namedWidget<QGroupBox>(QStringLiteral("Frame1"), QString(), m_f_location);
    pictureFrame->setFixedSize(pixels(frameWidth), pixels(frameHeight - 300));
    m_movedPictures[0] = picture(QStringLiteral("o_location_image"), pictureFrame);
    column->addWidget(pictureFrame);
    QButtonGroup* group = options("o_full_img_location", m_f_location, locationCaptions,
                                  &PlacementOptions::o_full_img_location,
                                  &PlacementOptions::o_full_img_location_Click);
    for (QAbstractButton* b : group->buttons())
        column->addWidget(b);
    return m_f_location;
}

QGroupBox* FrmFullImage::buildText()
{
    m_f_text =
        namedWidget<QGroupBox>(QStringLiteral("f_text"), QStringLiteral("Associated Text"), this);
    auto* column = new QVBoxLayout(m_f_text);
    QButtonGroup* group =
        options("o_full_img_text", m_f_text, textCaptions, &PlacementOptions::o_full_img_text,
                &PlacementOptions::o_full_img_text_Click);
    for (QAbstractButton* b : group->buttons())
        column->addWidget(b);
    m_o_preformatted =
        m_binder.bind(namedWidget<QCheckBox>(QStringLiteral("o_preformatted"),
                                             QStringLiteral("Use Pre-Formatted Text"), m_f_text),
                      &PlacementOptions::o_preformatted);
    column->addWidget(m_o_preformatted);
    return m_f_text;
}

QGroupBox* FrmFullImage::buildLayouts()
{
    m_f_layout = namedWidget<QGroupBox>(QStringLiteral("f_layout"),
                                        QStringLiteral("Image And Text Layout"), this);
    auto* row = new QHBoxLayout(m_f_layout);
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        // The pictures and labels are placed in twips, so the frames have no layout.
        auto* frame = namedWidget<QGroupBox>(QStringLiteral("f_layout_") + n,
                                             QStringLiteral("Format #") + n, m_f_layout);
        frame->setFixedSize(pixels(frameWidth), pixels(frameHeight));
        QLabel* image = picture(QStringLiteral("o_img_") + n, frame);
        auto* text = namedWidget<QLabel>(QStringLiteral("o_text_") + n,
                                         QString::fromUtf8(layoutTexts[i]), frame);
        text->setAutoFillBackground(true);
        // The frame is narrower than the longer sample's one line.
        text->setWordWrap(true);
        const int textWidth = pixels(frameWidth - 240);
        text->setGeometry(pixels(120), pixels(pictureTop + pictureSize + 60), textWidth,
                          qMax(pixels(400), text->heightForWidth(textWidth)));
        for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(image),
                           static_cast<QWidget*>(text)}) {
            w->installEventFilter(this);
            m_layoutOf.insert(w, i + 1);
        }
        if (i < 2)
            m_movedPictures[i + 1] = image;
        m_layoutFrames[i] = frame;
        m_layoutTexts[i] = text;
        row->addWidget(frame);
    }
    return m_f_layout;
}

void FrmFullImage::push()
{
    if (!m_value)
        return;
    setWindowTitle(m_value->caption);
    m_binder.push();
    m_f_location->setEnabled(m_value->o_full_img_location.enabled);
    m_f_text->setEnabled(m_value->o_full_img_text.enabled);
    m_f_layout->setEnabled(m_value->layoutEnabled);
    m_o_preformatted->setEnabled(m_value->preformattedEnabled);
    const QPalette face = palette();
    for (int i = 0; i < 4; ++i) {
        for (QWidget* w :
             {static_cast<QWidget*>(m_layoutFrames[i]), static_cast<QWidget*>(m_layoutTexts[i])}) {
            w->setAutoFillBackground(true);
            QPalette p = w->palette();
            p.setColor(QPalette::Window,
                       m_value->highlightedLayout == i + 1
                           ? platform::colorFromWin(PlacementOptions::highlightColour)
                           : face.color(QPalette::Button));
            w->setPalette(p);
        }
    }
    for (QLabel* picture : m_movedPictures)
        picture->move(pixels(m_value->pictureLeft), picture->y());
}

bool FrmFullImage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        m_layoutOf.contains(watched)) {
        const int layout = m_layoutOf.value(watched);
        run([layout](PlacementOptions& v) { v.format_full_img(u'#' + QString::number(layout)); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void registerFrmFullImage()
{
    platform::registerDialog<FrmFullImage, PlacementOptions>(QStringLiteral("frm_fullimage"));
}

} // namespace mosaicon

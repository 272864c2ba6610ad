#include "dialogs/widgets/frmcolor.h"

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
#include <QPixmap>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;
using platform::pixels;
using Target = ColorOptions::Target;

namespace {

const char* const selectionCaptions[ColorOptions::targetCount] = {
    "Visited Link Color", "New Link Color",     "Active Link Color",
    "Background Color",   "Image Border Color", "Normal Text Color",
};

// The text samples, each on the page background.
const std::pair<Target, const char*> textSamples[] = {
    {ColorOptions::NormalText, "This is the normal text color that will appear in the HTML file."},
    {ColorOptions::NewLink, "This is the color for New HTML Links."},
    {ColorOptions::VisitedLink, "This is the color for Visited HTML Links."},
    {ColorOptions::ActiveLink, "This is the color for Active HTML Links."},
};

const char* const sampleNames[ColorOptions::targetCount] = {
    "o_vlink_color", "o_link_color",       "o_alink_color",
    "o_bgcolor",     "o_img_border_color", "o_text_color",
};

// The colours a sample shows while its setting is not recognised.
const QColor designedText(Qt::black);
const QColor designedBack(Qt::white);

QString css(const char* property, std::optional<quint32> colour, const QColor& designed)
{
    const QColor c = colour ? platform::colorFromWin(*colour) : designed;
    return QStringLiteral("%1: %2;").arg(QLatin1String(property), c.name());
}

} // namespace

FrmColor::FrmColor(ColorOptions* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_color"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Cancels);
    form->addWidget(buildSelection());
    form->addWidget(buildBackground());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton("Command1"));
    buttons->addWidget(cancelButton("Command2"));
    form->addLayout(buttons);
    push();
}

QGroupBox* FrmColor::buildSelection()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame1"), QStringLiteral("Color Selection"), this);
    auto* grid = new QGridLayout(frame);
    QButtonGroup* group =
        optionGroup("o_selection", selectionCaptions, &ColorOptions::o_selection, frame);
    for (QAbstractButton* option : group->buttons())
        grid->addWidget(option, group->id(option), 0);
    connect(group, &QButtonGroup::idClicked, this, [this] { run([](ColorOptions&) {}); });
    grid->addWidget(buildSamples(), 0, 1, ColorOptions::targetCount, 1);

    auto* swatches = new QGridLayout;
    for (int i = 0; i < int(pageColours.size()); ++i) {
        auto* swatch = clickable(namedWidget<QLabel>(QStringLiteral("o_color"), frame),
                                 [i](ColorOptions& v) { v.o_color_Click(i); });
        swatch->setProperty("Index", i);
        swatch->setMinimumSize(24, 24);
        swatch->setFrameShape(QFrame::Box);
        swatch->setStyleSheet(QStringLiteral("background: %1;")
                                  .arg(platform::colorFromWin(pageColours[i].screen).name()));
        swatches->addWidget(swatch, i / 8, i % 8);
        m_swatches.append(swatch);
    }
    grid->addLayout(swatches, ColorOptions::targetCount, 0, 1, 2);
    return frame;
}

QWidget* FrmColor::buildSamples()
{
    auto* background = namedWidget<QLabel>(QStringLiteral("o_bgcolor"), this);
    background->setAutoFillBackground(true);
    m_samples[ColorOptions::Background] =
        clickable(background, [](ColorOptions& v) { v.sample_Click(ColorOptions::Background); });
    auto* column = new QVBoxLayout(background);
    for (const auto& [target, caption] : textSamples) {
        auto* label = namedWidget<QLabel>(QString::fromUtf8(sampleNames[target]),
                                          QString::fromUtf8(caption), background);
        label->setWordWrap(true);
        m_samples[target] = clickable(label, [t = target](ColorOptions& v) { v.sample_Click(t); });
        column->addWidget(label);
    }
    const auto selectBorder = [](ColorOptions& v) { v.sample_Click(ColorOptions::ImageBorder); };
    auto* border = namedWidget<QLabel>(QStringLiteral("o_img_border_color"), background);
    m_samples[ColorOptions::ImageBorder] = clickable(border, selectBorder);
    auto* caption = clickable(
        namedWidget<QLabel>(QStringLiteral("Label27"), QStringLiteral("IMAGE BORDER"), border),
        selectBorder);
    caption->setStyleSheet(QStringLiteral("background: transparent;"));
    auto* inside = new QVBoxLayout(border);
    inside->addWidget(caption, 0, Qt::AlignCenter);
    // Wide enough for its caption at the font in use.
    border->setMinimumSize(qMax(90, inside->minimumSize().width()), 40);
    column->addWidget(border, 0, Qt::AlignCenter);
    return background;
}

QGroupBox* FrmColor::buildBackground()
{
    auto* frame = namedWidget<QGroupBox>(QStringLiteral("Frame2"),
                                         QStringLiteral("HTML Background Image"), this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(
        m_binder.bind(
            namedWidget<QCheckBox>(
                QStringLiteral("o_use_bg_image"),
                QStringLiteral("Use background image instead of background color indicated above."),
                frame),
            &ColorOptions::o_use_bg_image),
        0, 0);
    grid->addWidget(
        actionButton("Command3", "Select Background Image", &ColorOptions::chooseBackgroundImage),
        1, 0);
    auto* path =
        m_binder.bind(namedWidget<QLabel>(QStringLiteral("Label1"), frame), &ColorOptions::Label1);
    path->setTextFormat(Qt::PlainText);
    path->setWordWrap(true);
    grid->addWidget(path, 2, 0);
    auto* preview = namedWidget<QGroupBox>(QStringLiteral("Frame3"), QString(), frame);
    if (m_value)
        preview->setFixedSize(pixels(m_value->Frame3.width), pixels(m_value->Frame3.height));
    m_o_image = namedWidget<QLabel>(QStringLiteral("o_image"), preview);
    grid->addWidget(preview, 0, 1, 3, 1);
    return frame;
}

QLabel* FrmColor::clickable(QLabel* label, std::function<void(ColorOptions&)> click)
{
    label->installEventFilter(this);
    m_clicks.insert(label, std::move(click));
    return label;
}

QLabel* FrmColor::swatch(int index) const
{
    return m_swatches.value(index);
}

QWidget* FrmColor::sample(ColorOptions::Target target) const
{
    return m_samples[target];
}

void FrmColor::push()
{
    if (!m_value)
        return;
    setWindowTitle(m_value->caption);
    m_binder.push();
    const auto& c = m_value->colour;
    const QString pageBack = css("background", c[ColorOptions::Background], designedBack);
    m_samples[ColorOptions::Background]->setStyleSheet(
        QStringLiteral("QLabel#o_bgcolor { %1 }").arg(pageBack));
    for (const auto& [target, caption] : textSamples)
        m_samples[target]->setStyleSheet(css("color", c[target], designedText) + pageBack);
    m_samples[ColorOptions::ImageBorder]->setStyleSheet(
        QStringLiteral("QLabel#o_img_border_color { %1 }")
            .arg(css("background", c[ColorOptions::ImageBorder], designedBack)));
    const platform::ImageControl& image = m_value->o_image;
    const QImage picture = image.picture();
    const QSize size(pixels(image.width()), pixels(image.height()));
    m_o_image->setGeometry(QRect(QPoint(pixels(140), pixels(200)), size));
    if (picture.isNull() || size.isEmpty())
        m_o_image->clear();
    else
        m_o_image->setPixmap(QPixmap::fromImage(
            picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

bool FrmColor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto click = m_clicks.constFind(watched);
        if (click != m_clicks.constEnd()) {
            run(*click);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void registerFrmColor()
{
    platform::registerDialog<FrmColor, ColorOptions>(QStringLiteral("frm_color"));
}

} // namespace mosaicon

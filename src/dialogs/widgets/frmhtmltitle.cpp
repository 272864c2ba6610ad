#include "dialogs/widgets/frmhtmltitle.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;
using platform::pixels;

namespace {

const FrmHtmlTitle::Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 99, "E&xit"}, &PagePrompt::b_cancel_exit_Click},
    {{"menuOptions", MenuRow::heading, "&Options"}},
    {{"menuOptionsItem", 5, "&Color Selection"}, &PagePrompt::openColourOptions},
    {{"menuOptionsItem", 7, "C&lear Banners"}, &PagePrompt::clearBanners},
    {{"menuOptionsItem", 10, "&Image And Text Placement"}, &PagePrompt::openPlacementOptions},
    {{"menuOptionsItem", 15, "&Slide Show"}, &PagePrompt::openSlideShowOptions},
};

// The boxes whose rule runs when the user leaves them.
const std::pair<const char*, void (PagePrompt::*)()> focusLossRules[] = {
    {"o_top_banner", &PagePrompt::o_top_banner_LostFocus},
    {"o_bottom_banner", &PagePrompt::o_bottom_banner_LostFocus},
    {"o_top_link", &PagePrompt::o_top_link_LostFocus},
    {"o_bottom_link", &PagePrompt::o_bottom_link_LostFocus},
};

} // namespace

// The focusable controls are made in the order the Tab key visits them.
FrmHtmlTitle::FrmHtmlTitle(PagePrompt* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_htmltitle"));
    auto* form = new QVBoxLayout(this);
    addMenuBar(menuRows);
    form->addLayout(buildTop());
    form->addWidget(frame("Frame4", "Title / Subject", textBox("o_title", &PagePrompt::o_title)));
    form->addWidget(frame("Frame1", "HTML <title>?</title> Information",
                          textBox("o_title_tag", &PagePrompt::o_title_tag)));
    form->addWidget(buildBanners());
    form->addWidget(buildChecksAndButtons());
    for (const auto& [name, rule] : focusLossRules)
        findChild<QLineEdit*>(QString::fromUtf8(name))->installEventFilter(this);

    if (m_value) {
        connect(m_value, &PagePrompt::hidden, this, &FrmHtmlTitle::valueHidden);
        // A reloaded prompt gets a new dialog; this one goes with its value.
        connect(m_value, &QObject::destroyed, this, &QObject::deleteLater);
    }
    // Esc and the window frame's close button both mean Exit: the run stops.
    setEscape(&PagePrompt::b_cancel_exit_Click);
    push();
}

QLineEdit* FrmHtmlTitle::textBox(const char* name, platform::TextBox PagePrompt::*field)
{
    return m_binder.bind(namedWidget<QLineEdit>(QString::fromUtf8(name), this), field);
}

QGroupBox* FrmHtmlTitle::frame(const char* name, const char* caption, QWidget* content)
{
    auto* frame = namedWidget<QGroupBox>(QString::fromUtf8(name), QString::fromUtf8(caption), this);
    if (content)
        (new QVBoxLayout(frame))->addWidget(content);
    return frame;
}

QLayout* FrmHtmlTitle::buildTop()
{
    auto* left = new QVBoxLayout;
    left->addWidget(
        m_binder.bind(frame("f_file_name", "", textBox("o_filename", &PagePrompt::o_filename)),
                      &PagePrompt::f_file_name));
    left->addWidget(frame("f_url_exit", "URL Or File Name For Exit Page",
                          textBox("o_url_exit", &PagePrompt::o_url_exit)));
    left->addStretch();
    // The writers place and size the preview in twips inside the frame's
    // contents, so the frame has no layout of its own.
    QGroupBox* imageFrame = m_binder.bind(frame("Frame3", ""), &PagePrompt::Frame3);
    m_o_image = namedWidget<QLabel>(QStringLiteral("o_image"), imageFrame);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(imageFrame, 0, Qt::AlignTop);
    return top;
}

QGroupBox* FrmHtmlTitle::buildBanners()
{
    const auto label = [this](const char* name, const char* caption, QWidget* buddy) {
        auto* label =
            namedWidget<QLabel>(QString::fromUtf8(name), QString::fromUtf8(caption), this);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(buddy);
        return label;
    };
    QLineEdit* topBanner = textBox("o_top_banner", &PagePrompt::o_top_banner);
    QLineEdit* topLink = textBox("o_top_link", &PagePrompt::o_top_link);
    QLineEdit* bottomBanner = textBox("o_bottom_banner", &PagePrompt::o_bottom_banner);
    QLineEdit* bottomLink = textBox("o_bottom_link", &PagePrompt::o_bottom_link);

    QGroupBox* banners = frame("Frame5", "Banners");
    auto* grid = new QGridLayout(banners);
    grid->addWidget(topBanner, 0, 0, 1, 2);
    grid->addWidget(actionButton("Command2", "Select Top", &PagePrompt::selectTopBanner), 0, 2);
    grid->addWidget(bottomBanner, 2, 0, 1, 2);
    grid->addWidget(actionButton("Command4", "Select Bottom", &PagePrompt::selectBottomBanner), 2,
                    2);
    grid->addWidget(label("Label2", "Top Hyperlink:", topLink), 1, 0);
    grid->addWidget(topLink, 1, 1, 1, 2);
    grid->addWidget(label("Label3", "Bottom Hyperlink:", bottomLink), 3, 0);
    grid->addWidget(bottomLink, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return banners;
}

QGroupBox* FrmHtmlTitle::buildChecksAndButtons()
{
    QGroupBox* checks = frame("Frame2", "");
    auto* column = new QVBoxLayout(checks);
    const auto checkBox = [&](const char* name, const char* caption,
                              platform::CheckBox PagePrompt::*field) {
        auto* box =
            namedWidget<QCheckBox>(QString::fromUtf8(name), QString::fromUtf8(caption), this);
        column->addWidget(m_binder.bind(box, field));
        return box;
    };
    QCheckBox* useForAll = checkBox(
        "o_default", "Use the current Title and <title> information for all remaining pages",
        &PagePrompt::o_default);
    connect(useForAll, &QCheckBox::clicked, this, [this] { run(&PagePrompt::o_default_Click); });
    checkBox("o_use_default_values", "Do not prompt for this information (use default values)",
             &PagePrompt::o_use_default_values);
    checkBox("o_use_hr", "Use horizontal rules '<hr>' between images", &PagePrompt::o_use_hr);

    auto* ok = namedWidget<QPushButton>(QStringLiteral("Command1"), QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrmHtmlTitle::okClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(actionButton("Command3", "Clear Text", &PagePrompt::clearText));
    buttons->addWidget(actionButton("b_cancel_exit", "Exit", &PagePrompt::b_cancel_exit_Click));
    column->addLayout(buttons);
    return checks;
}

void FrmHtmlTitle::push()
{
    if (!m_value)
        return;
    setWindowTitle(m_value->caption);
    m_binder.push();
    showImage(m_value->o_image);
}

// The writers size the preview to the frame less a margin for its border and
// caption, but the caption this style draws may take more: the preview is placed
// in the frame's contents and shrunk in proportion where it would not fit them.
QRect FrmHtmlTitle::previewPlace(const platform::ImageControl& image) const
{
    const QRect contents = m_o_image->parentWidget()->contentsRect();
    QRect place(contents.topLeft() + QPoint(pixels(image.left()), pixels(image.top())),
                QSize(pixels(image.width()), pixels(image.height())));
    const QSize room(qMax(0, contents.right() + 1 - place.left()),
                     qMax(0, contents.bottom() + 1 - place.top()));
    if (place.width() > room.width() || place.height() > room.height())
        place.setSize(place.size().scaled(room, Qt::KeepAspectRatio));
    return place;
}

void FrmHtmlTitle::showImage(const platform::ImageControl& image)
{
    const QRect place = previewPlace(image);
    m_o_image->setGeometry(place);
    m_o_image->setVisible(image.visible());
    const QImage picture = image.picture();
    if (picture.isNull() || place.isEmpty()) {
        m_o_image->clear();
        m_imageKey = 0;
    } else if (picture.cacheKey() != m_imageKey || place.size() != m_imageSize) {
        // Scaled once here, not on every repaint: a photo can be far larger than the box.
        m_o_image->setPixmap(QPixmap::fromImage(
            picture.size() == place.size()
                ? picture
                : picture.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        m_imageKey = picture.cacheKey();
        m_imageSize = place.size();
    }
}

void FrmHtmlTitle::runFocusLoss(QObject* box)
{
    for (const auto& [name, rule] : focusLossRules) {
        if (box && box->objectName() == QLatin1String(name))
            run(rule);
    }
}

void FrmHtmlTitle::okClicked()
{
    // Enter presses OK without moving the focus, so the box being typed in
    // would not be checked: run what its focus loss would have run.
    runFocusLoss(focusWidget());
    run(&PagePrompt::acceptAnswers);
}

void FrmHtmlTitle::valueHidden()
{
    push();
    QDialog::done(QDialog::Accepted);
}

bool FrmHtmlTitle::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && isVisible()) {
        // Another window or a menu taking the focus leaves the box as it is;
        // the user has not moved on from it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            runFocusLoss(watched);
    }
    return QDialog::eventFilter(watched, event);
}

void registerFrmHtmlTitle()
{
    // One dialog a loaded prompt, so its place on screen stays from page to page.
    platform::registerDialog<FrmHtmlTitle, PagePrompt>(QStringLiteral("frm_htmltitle"),
                                                       platform::DialogLife::KeptWithItsValue);
}

} // namespace mosaicon

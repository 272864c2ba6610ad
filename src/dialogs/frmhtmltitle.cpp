#include "dialogs/frmhtmltitle.h"

#include "pagekit/pageprompt.h"

#include "platform/widgets/centerform.h"
#include "platform/widgets/widgetui.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

namespace {

constexpr double twipsPerPixel = platform::ImageControl::TwipsPerPixel;

int pixels(double twips)
{
    return qRound(twips / twipsPerPixel);
}

const QString menuFile = QStringLiteral("menuFileItem");
const QString menuOptions = QStringLiteral("menuOptionsItem");

void setText(QLineEdit* box, const PagePrompt::TextBox& value)
{
    // Setting an unchanged text would move the cursor of the box being typed in.
    if (box->text() != value.text)
        box->setText(value.text);
    box->setEnabled(value.enabled);
}

void setFrame(QGroupBox* frame, const PagePrompt::Frame& value)
{
    frame->setTitle(value.caption);
    frame->setVisible(value.visible);
    if (value.width > 0 && value.height > 0)
        frame->setFixedSize(pixels(value.width), pixels(value.height));
}

void setCheck(QCheckBox* box, const PagePrompt::CheckBox& value)
{
    box->setChecked(value.value);
    box->setVisible(value.visible);
}

} // namespace

FrmHtmlTitle::FrmHtmlTitle(PagePrompt* value, QWidget* parent) : QDialog(parent), m_value(value)
{
    setObjectName(QStringLiteral("frm_htmltitle"));
    buildControls();
    if (m_value) {
        connect(m_value, &PagePrompt::hidden, this, &FrmHtmlTitle::valueHidden);
        // A reloaded prompt gets a new dialog; this one goes with its value.
        connect(m_value, &QObject::destroyed, this, &QObject::deleteLater);
    }
    push();
}

QLineEdit* FrmHtmlTitle::addTextBox(const QString& name)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    return box;
}

QGroupBox* FrmHtmlTitle::addFrame(const QString& name)
{
    auto* frame = new QGroupBox(this);
    frame->setObjectName(name);
    return frame;
}

QAction* FrmHtmlTitle::addMenuItem(QMenu* menu, const QString& menuName, int index,
                                   const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QStringLiteral("%1_%2").arg(menuName).arg(index));
    action->setProperty("Index", index);
    m_menuItems.insert(QStringLiteral("%1/%2").arg(menuName).arg(index), action);
    return action;
}

QAction* FrmHtmlTitle::menuItem(const QString& menu, int index) const
{
    return m_menuItems.value(QStringLiteral("%1/%2").arg(menu).arg(index));
}

void FrmHtmlTitle::buildControls()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    connect(addMenuItem(file, menuFile, 99, QStringLiteral("E&xit")), &QAction::triggered, this,
            [this] { run([](PagePrompt& p) { p.menuFileItem_Click(99); }); });
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("menuOptions"));
    const std::pair<int, const char*> optionItems[] = {
        {5, "&Color Selection"},
        {7, "C&lear Banners"},
        {10, "&Image And Text Placement"},
        {15, "&Slide Show"},
    };
    for (const auto& [index, caption] : optionItems) {
        const int i = index;
        connect(addMenuItem(options, menuOptions, i, QString::fromUtf8(caption)),
                &QAction::triggered, this,
                [this, i] { run([i](PagePrompt& p) { p.menuOptionsItem_Click(i); }); });
    }

    m_f_file_name = addFrame(QStringLiteral("f_file_name"));
    m_o_filename = addTextBox(QStringLiteral("o_filename"));
    (new QVBoxLayout(m_f_file_name))->addWidget(m_o_filename);

    m_f_url_exit = addFrame(QStringLiteral("f_url_exit"));
    m_f_url_exit->setTitle(QStringLiteral("URL Or File Name For Exit Page"));
    m_o_url_exit = addTextBox(QStringLiteral("o_url_exit"));
    (new QVBoxLayout(m_f_url_exit))->addWidget(m_o_url_exit);

    // The writers place and size the preview in twips inside the frame, so the
    // frame has no layout of its own.
    m_Frame3 = addFrame(QStringLiteral("Frame3"));
    m_o_image = new QLabel(m_Frame3);
    m_o_image->setObjectName(QStringLiteral("o_image"));

    m_Frame4 = addFrame(QStringLiteral("Frame4"));
    m_Frame4->setTitle(QStringLiteral("Title / Subject"));
    m_o_title = addTextBox(QStringLiteral("o_title"));
    (new QVBoxLayout(m_Frame4))->addWidget(m_o_title);

    m_Frame1 = addFrame(QStringLiteral("Frame1"));
    m_Frame1->setTitle(QStringLiteral("HTML <title>?</title> Information"));
    m_o_title_tag = addTextBox(QStringLiteral("o_title_tag"));
    (new QVBoxLayout(m_Frame1))->addWidget(m_o_title_tag);

    m_Frame5 = addFrame(QStringLiteral("Frame5"));
    m_Frame5->setTitle(QStringLiteral("Banners"));
    m_o_top_banner = addTextBox(QStringLiteral("o_top_banner"));
    m_o_top_link = addTextBox(QStringLiteral("o_top_link"));
    m_o_bottom_banner = addTextBox(QStringLiteral("o_bottom_banner"));
    m_o_bottom_link = addTextBox(QStringLiteral("o_bottom_link"));
    m_Command2 = new QPushButton(QStringLiteral("Select Top"), this);
    m_Command2->setObjectName(QStringLiteral("Command2"));
    m_Command4 = new QPushButton(QStringLiteral("Select Bottom"), this);
    m_Command4->setObjectName(QStringLiteral("Command4"));
    auto* label2 = new QLabel(QStringLiteral("Top Hyperlink:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setTextFormat(Qt::PlainText);
    label2->setBuddy(m_o_top_link);
    auto* label3 = new QLabel(QStringLiteral("Bottom Hyperlink:"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setTextFormat(Qt::PlainText);
    label3->setBuddy(m_o_bottom_link);
    auto* banners = new QGridLayout(m_Frame5);
    banners->addWidget(m_o_top_banner, 0, 0, 1, 2);
    banners->addWidget(m_Command2, 0, 2);
    banners->addWidget(label2, 1, 0);
    banners->addWidget(m_o_top_link, 1, 1, 1, 2);
    banners->addWidget(m_o_bottom_banner, 2, 0, 1, 2);
    banners->addWidget(m_Command4, 2, 2);
    banners->addWidget(label3, 3, 0);
    banners->addWidget(m_o_bottom_link, 3, 1, 1, 2);
    banners->setColumnStretch(1, 1);

    m_Frame2 = addFrame(QStringLiteral("Frame2"));
    m_o_default = new QCheckBox(
        QStringLiteral("Use the current Title and <title> information for all remaining pages"),
        this);
    m_o_default->setObjectName(QStringLiteral("o_default"));
    m_o_use_default_values = new QCheckBox(
        QStringLiteral("Do not prompt for this information (use default values)"), this);
    m_o_use_default_values->setObjectName(QStringLiteral("o_use_default_values"));
    m_o_use_hr = new QCheckBox(QStringLiteral("Use horizontal rules '<hr>' between images"), this);
    m_o_use_hr->setObjectName(QStringLiteral("o_use_hr"));
    m_Command1 = new QPushButton(QStringLiteral("OK"), this);
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Command1->setDefault(true);
    m_Command3 = new QPushButton(QStringLiteral("Clear Text"), this);
    m_Command3->setObjectName(QStringLiteral("Command3"));
    m_b_cancel_exit = new QPushButton(QStringLiteral("Exit"), this);
    m_b_cancel_exit->setObjectName(QStringLiteral("b_cancel_exit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_Command1);
    buttons->addWidget(m_Command3);
    buttons->addWidget(m_b_cancel_exit);
    auto* frame2 = new QVBoxLayout(m_Frame2);
    frame2->addWidget(m_o_default);
    frame2->addWidget(m_o_use_default_values);
    frame2->addWidget(m_o_use_hr);
    frame2->addLayout(buttons);

    auto* left = new QVBoxLayout;
    left->addWidget(m_f_file_name);
    left->addWidget(m_f_url_exit);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_Frame3, 0, Qt::AlignTop);
    auto* form = new QVBoxLayout(this);
    form->setMenuBar(bar);
    form->addLayout(top);
    form->addWidget(m_Frame4);
    form->addWidget(m_Frame1);
    form->addWidget(m_Frame5);
    form->addWidget(m_Frame2);

    connect(m_Command1, &QPushButton::clicked, this, &FrmHtmlTitle::okClicked);
    connect(m_Command2, &QPushButton::clicked, this,
            [this] { run([](PagePrompt& p) { p.Command2_Click(); }); });
    connect(m_Command3, &QPushButton::clicked, this,
            [this] { run([](PagePrompt& p) { p.Command3_Click(); }); });
    connect(m_Command4, &QPushButton::clicked, this,
            [this] { run([](PagePrompt& p) { p.Command4_Click(); }); });
    connect(m_b_cancel_exit, &QPushButton::clicked, this,
            [this] { run([](PagePrompt& p) { p.b_cancel_exit_Click(); }); });
    connect(m_o_default, &QCheckBox::clicked, this,
            [this] { run([](PagePrompt& p) { p.o_default_Click(); }); });

    for (QLineEdit* box : {m_o_top_banner, m_o_bottom_banner, m_o_top_link, m_o_bottom_link})
        box->installEventFilter(this);
}

void FrmHtmlTitle::push()
{
    if (!m_value)
        return;
    const PagePrompt& v = *m_value;
    setWindowTitle(v.caption);
    setFrame(m_f_file_name, v.f_file_name);
    setText(m_o_filename, v.o_filename);
    setText(m_o_url_exit, v.o_url_exit);
    setFrame(m_Frame3, v.Frame3);
    setText(m_o_title, v.o_title);
    setText(m_o_title_tag, v.o_title_tag);
    setText(m_o_top_banner, v.o_top_banner);
    setText(m_o_top_link, v.o_top_link);
    setText(m_o_bottom_banner, v.o_bottom_banner);
    setText(m_o_bottom_link, v.o_bottom_link);
    setCheck(m_o_default, v.o_default);
    setCheck(m_o_use_default_values, v.o_use_default_values);
    setCheck(m_o_use_hr, v.o_use_hr);

    const platform::ImageControl& image = v.o_image;
    const QRect place(pixels(image.left()), pixels(image.top()), pixels(image.width()),
                      pixels(image.height()));
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

void FrmHtmlTitle::pull()
{
    if (!m_value)
        return;
    PagePrompt& v = *m_value;
    v.o_filename.text = m_o_filename->text();
    v.o_url_exit.text = m_o_url_exit->text();
    v.o_title.text = m_o_title->text();
    v.o_title_tag.text = m_o_title_tag->text();
    v.o_top_banner.text = m_o_top_banner->text();
    v.o_top_link.text = m_o_top_link->text();
    v.o_bottom_banner.text = m_o_bottom_banner->text();
    v.o_bottom_link.text = m_o_bottom_link->text();
    v.o_default.value = m_o_default->isChecked();
    v.o_use_default_values.value = m_o_use_default_values->isChecked();
    v.o_use_hr.value = m_o_use_hr->isChecked();
}

void FrmHtmlTitle::run(const std::function<void(PagePrompt&)>& action)
{
    if (!m_value)
        return;
    pull();
    action(*m_value);
    push();
}

void FrmHtmlTitle::runFocusLoss(QObject* box)
{
    if (box == m_o_top_banner)
        run([](PagePrompt& p) { p.o_top_banner_LostFocus(); });
    else if (box == m_o_bottom_banner)
        run([](PagePrompt& p) { p.o_bottom_banner_LostFocus(); });
    else if (box == m_o_top_link)
        run([](PagePrompt& p) { p.o_top_link_LostFocus(); });
    else if (box == m_o_bottom_link)
        run([](PagePrompt& p) { p.o_bottom_link_LostFocus(); });
}

void FrmHtmlTitle::okClicked()
{
    // Enter presses OK without moving the focus, so the box being typed in
    // would not be checked: run what its focus loss would have run.
    runFocusLoss(focusWidget());
    run([](PagePrompt& p) { p.Command1_Click(); });
}

void FrmHtmlTitle::valueHidden()
{
    push();
    QDialog::done(QDialog::Accepted);
}

void FrmHtmlTitle::reject()
{
    if (!m_value) {
        QDialog::reject();
        return;
    }
    run([](PagePrompt& p) { p.b_cancel_exit_Click(); });
}

void FrmHtmlTitle::showEvent(QShowEvent* event)
{
    push();
    if (!m_shownOnce && m_value) {
        m_shownOnce = true;
        resize(width(), pixels(m_value->height));
        platform::centerForm(this);
    }
    QDialog::showEvent(event);
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
    platform::WidgetUi::registerWindow(QStringLiteral("frm_htmltitle"), [](QObject* object) {
        auto* value = qobject_cast<PagePrompt*>(object);
        if (!value)
            return;
        // One dialog a loaded prompt, so its place on screen stays from page to page.
        static QPointer<FrmHtmlTitle> dialog;
        if (!dialog || dialog->value() != value) {
            delete dialog.data();
            dialog = new FrmHtmlTitle(value, QApplication::activeWindow());
        }
        dialog->exec();
    });
}

} // namespace mosaicon

#include "mainwindow/imagewindow.h"

#include "mainwindow/commandtable.h"
#include "mainwindow/mainform.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "pagekit/thumbnails.h"

#include "platform/clipboard.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/ui.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/imageview.h"

#include <QAction>
#include <QBuffer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>

namespace mosaicon {

platform::Form<ImageWindow> frm_thumbnail;

namespace {

using platform::MenuRow;
using platform::pixels;
using platform::pixelsToTwips;

using Row = platform::CommandRow<ImageWindow>;

const Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 0, "Copy To Clipboard"}, &ImageWindow::copyToClipboard},
    {{"menuFileItem", 1, "Exit"}, &ImageWindow::exitWindow},
};

QString currentEntry(const QListWidget* list)
{
    const QListWidgetItem* item = list ? list->currentItem() : nullptr;
    return item ? item->text() : QString();
}

QAction* imageWindowOption(const MainForm& form)
{
    return form.menuItem(menus::options, 5);
}

// The window while the option is on, else nullptr.
ImageWindow* shownImageWindow(const MainForm& form)
{
    const QAction* option = imageWindowOption(form);
    return option && option->isChecked() ? frm_thumbnail.loaded() : nullptr;
}

// Shows an image entry's picture in the window; when it cannot be opened, the
// status line says so, the window's status bar empties and false is returned.
bool showImageEntry(ImageWindow& window, const QString& entry)
{
    const platform::BusyCursor busy;
    if (window.showFile(entry))
        return true;
    platform::show_status(QStringLiteral("Couldn't open ") + entry);
    window.setStatusText(QString());
    return false;
}

// A character typed in the file list (Enter included) shows the entry that is
// current when it arrives, before the list moves on.
class FileListKeys final : public QObject
{
public:
    explicit FileListKeys(MainForm& form) : QObject(form.itemlist()), m_form(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->text().isEmpty())
            itemlist_KeyPress(m_form);
        return QObject::eventFilter(watched, event);
    }

private:
    MainForm& m_form;
};

} // namespace

ImageWindow::ImageWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frm_thumbnail"));
    setWindowTitle(QStringLiteral("Thumbnail"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(pixels(6000), pixels(4800));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    m_image = new platform::ImageView(client);
    m_image->setObjectName(QStringLiteral("o_image"));
    m_image->control().setVisible(false);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_status = new QLabel(bar);
    m_status->setTextFormat(Qt::PlainText);
    bar->addWidget(m_status, 1);
    setStatusBar(bar);

    m_menus = platform::MenuTree(menuBar(), std::span<const Row>(menuRows));
    m_menus.connectRows(std::span<const Row>(menuRows), this,
                        [this](auto command) { (this->*command)(); });

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setSingleShot(true);
    connect(&m_timer1, &QTimer::timeout, this, &ImageWindow::Timer1_Timer);
}

ImageWindow::~ImageWindow()
{
    // However the window goes, the option must read "off".
    if (m_option)
        m_option->setChecked(false);
}

void ImageWindow::follow(QListWidget* list, QAction* option)
{
    m_list = list;
    m_option = option;
}

QString ImageWindow::statusText() const
{
    return m_status->text();
}

void ImageWindow::setStatusText(const QString& text)
{
    m_status->setText(text);
}

QAction* ImageWindow::menuFileItem(int index) const
{
    return m_menus.item(QStringLiteral("menuFileItem"), index);
}

bool ImageWindow::showFile(const QString& path)
{
    if (!m_image->control().setFileName(path)) {
        m_image->control().setVisible(false);
        return false;
    }
    fit_thumbnail_image();
    return true;
}

void ImageWindow::fit_thumbnail_image()
{
    if (isMinimized())
        return;
    platform::ImageControl& c = m_image->control();
    c.setVisible(false);
    c.setFitMode(platform::FitMode::OwnSize);
    const QImage own = c.picture();
    c.setWidth(pixelsToTwips(own.width()));
    c.setHeight(pixelsToTwips(own.height()));
    if (pixelsToTwips(height()) < minimumHeight)
        resize(width(), pixels(minimumHeight));

    const platform::PictureFit fit = platform::fitPicture(
        c.width(), c.height(), pixelsToTwips(width()), pixelsToTwips(height()), pictureMargins);
    c.setWidth(fit.width);
    c.setHeight(fit.height);
    c.setFitMode(fit.mode);
    // A picture left from an earlier entry stays hidden behind a non-image entry.
    c.setVisible(is_image_file(currentEntry(m_list)));
}

void ImageWindow::Form_Load()
{
    platform::centerForm(this);
}

void ImageWindow::Timer1_Timer()
{
    m_timer1.stop();
    fit_thumbnail_image();
}

void ImageWindow::copyToClipboard()
{
    const platform::ImageControl& c = m_image->control();
    if (!c.visible() || c.isNull())
        return;
    // The clipboard gets the picture as written to the scratch bitmap and
    // read back, so that what it holds is what the file holds.
    const QString scratch = platform::joinPath(program().program_folder, QStringLiteral("thumb.bmp"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString error;
    if (!buffer.open(QIODevice::WriteOnly) || !c.picture().save(&buffer, "BMP"))
        error = QStringLiteral("the picture cannot be made a bitmap");
    else
        platform::writeFileAtomically(scratch, bytes, &error);
    QImage copy;
    if (error.isEmpty() && !copy.load(scratch, "BMP"))
        error = QStringLiteral("it cannot be read back");
    if (!error.isEmpty()) {
        warn(QStringLiteral("The picture could not be copied through %1: %2").arg(scratch, error));
        return;
    }
    platform::setClipboardPicture(copy);
}

void ImageWindow::exitWindow()
{
    close();
}

void ImageWindow::resizeEvent(QResizeEvent* event)
{
    // A drag-resize refits once, after its last resize event.
    m_timer1.start(1);
    QMainWindow::resizeEvent(event);
}

void ImageWindow::closeEvent(QCloseEvent* event)
{
    if (m_option)
        m_option->setChecked(false);
    QMainWindow::closeEvent(event);
}

void followFileList(MainForm& form)
{
    QObject::connect(form.itemlist(), &QListWidget::itemDoubleClicked, form.itemlist(),
                     [&form] { itemlist_DblClick(form); });
    form.itemlist()->installEventFilter(new FileListKeys(form));
}

void itemlist_DblClick(MainForm& form)
{
    const QString entry = currentEntry(form.itemlist());
    platform::show_status(entry);
    if (ImageWindow* window = shownImageWindow(form)) {
        if (is_image_file(entry)) {
            if (!showImageEntry(*window, entry))
                return;
            window->setStatusText(entry);
        } else {
            window->o_image()->control().setVisible(false);
            platform::show_status(entry + QStringLiteral(" is not an image file."));
            window->setStatusText(QString());
        }
    }
    form.itemlist()->setFocus();
}

void itemlist_KeyPress(MainForm& form)
{
    const QString entry = currentEntry(form.itemlist());
    if (ImageWindow* window = shownImageWindow(form)) {
        // Only a double click names the entry in the window's status bar.
        if (is_image_file(entry)) {
            if (!showImageEntry(*window, entry))
                return;
        } else {
            window->o_image()->control().setVisible(false);
        }
    }
    platform::show_status(entry);
    form.itemlist()->setFocus();
    platform::doEvents();
}

void imageWindowOption_Click(MainForm& form)
{
    QAction* option = imageWindowOption(form);
    if (!option->isChecked()) {
        frm_thumbnail.unload();
        return;
    }
    ImageWindow* window = frm_thumbnail.load();
    // Owned by the main window, so that it goes when the program does.
    window->setParent(&form, Qt::Window);
    window->follow(form.itemlist(), option);
    window->Form_Load();
    window->show();
    const QString entry = currentEntry(form.itemlist());
    if (is_image_file(entry) && window->showFile(entry))
        window->setStatusText(entry);
}

} // namespace mosaicon

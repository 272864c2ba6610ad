#include "mainwindow/mainform.h"

#include "mainwindow/commandtable.h"
#include "mainwindow/helppage.h"

#include "pagekit/headfoot.h"
#include "pagekit/pagerun.h"

#include "settings/program.h"
#include "settings/startup.h"
#include "settings/switches.h"
#include "settings/warning.h"

#include "platform/clipboard.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picturetypes.h"
#include "platform/ui.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"
#include "platform/widgets/imageview.h"
#include "platform/widgets/pathlabel.h"
#include "platform/wincolor.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

namespace mosaicon {

using platform::pixelsAtLeast;
using platform::pixelsToTwips;
using platform::pixelsTruncated;

const QStringList& MainForm::patterns()
{
    static const QStringList list = [] {
        // Besides the pictures, the two web picture types together and the
        // media and text files a page may link to; all in alphabetical order.
        QStringList patterns{QStringLiteral("*.gif;*.jpg"), QStringLiteral("*.jpg;*.gif")};
        for (const char* other : {"avi", "htm", "mid", "mpg", "rmi", "txt", "wav"})
            patterns.append(QStringLiteral("*.") + QLatin1String(other));
        for (const QString& picture : platform::pictureExtensions())
            patterns.append(QStringLiteral("*.") + picture);
        patterns.sort();
        patterns.prepend(QStringLiteral("*.*"));
        return patterns;
    }();
    return list;
}

MainForm::MainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MAIN_FORM"));
    setGeometry(pixelsTruncated(designedLeft), pixelsTruncated(designedTop),
                pixelsTruncated(designedWidth), pixelsTruncated(designedHeight));
    buildControls();
    buildToolbar();
    buildMenus();

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setSingleShot(true);
    connect(&m_timer1, &QTimer::timeout, this, &MainForm::Timer1_Timer);
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer3.setObjectName(QStringLiteral("Timer3"));
    m_timer3.setInterval(1000);
    connect(&m_timer3, &QTimer::timeout, this, &MainForm::Timer3_Timer);

    connect(m_filedir, &platform::DirListBox::pathChanged, this, &MainForm::filedir_Change);
    connect(m_filedrive, &platform::DriveListBox::driveChanged, this, &MainForm::filedrive_Change);
    connect(m_filefilter, &QComboBox::editTextChanged, this, &MainForm::filefilter_Change);
    connect(m_logo, &platform::ImageView::mousePressed, this, &MainForm::leave_logo_view);
    connect(m_itemlist, &QListWidget::customContextMenuRequested, this, &MainForm::showItemListMenu);
    m_itemlist->installEventFilter(this);
    followFileList(*this);

    platform::setMainFormView(this);
}

MainForm::~MainForm()
{
    if (platform::mainFormView() == this)
        platform::setMainFormView(nullptr);
}

void MainForm::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    setCentralWidget(central);

    m_filedir = new platform::DirListBox(central);
    m_filedir->setObjectName(QStringLiteral("filedir"));
    m_filedrive = new platform::DriveListBox(central);
    m_filedrive->setObjectName(QStringLiteral("filedrive"));
    m_filefilter = new QComboBox(central);
    m_filefilter->setObjectName(QStringLiteral("filefilter"));
    m_filefilter->setEditable(true);
    m_itemlist = new QListWidget(central);
    m_itemlist->setObjectName(QStringLiteral("itemlist"));
    m_itemlist->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_itemlist->setContextMenuPolicy(Qt::CustomContextMenu);
    // No caption stands beside these boxes: a screen reader reads them by these names.
    m_filedir->setAccessibleName(QStringLiteral("Folders"));
    m_filedrive->setAccessibleName(QStringLiteral("Drive"));
    m_filefilter->setAccessibleName(QStringLiteral("File Pattern"));
    m_itemlist->setAccessibleName(QStringLiteral("File List"));
    m_logo = new platform::ImageView(central);
    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->control().setVisible(false);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    // A long status text gives way in the middle rather than widen the window.
    m_status = new platform::PathLabel(bar);
    m_status->setObjectName(QStringLiteral("StatusText"));
    bar->addWidget(m_status, 1);
    setStatusBar(bar);

    m_filedir->setGeometry(pixelsTruncated(120), pixelsTruncated(120), pixelsTruncated(2535),
                           pixelsTruncated(3000));
    // No lower than their text needs at the font in use.
    m_filedrive->setGeometry(pixelsTruncated(120), pixelsTruncated(3240), pixelsTruncated(2535),
                             qMax(pixelsTruncated(315), m_filedrive->sizeHint().height()));
    m_filefilter->setGeometry(pixelsTruncated(120), pixelsTruncated(3660), pixelsTruncated(2535),
                              qMax(pixelsTruncated(315), m_filefilter->sizeHint().height()));
    m_itemlist->setGeometry(pixelsTruncated(2760), pixelsTruncated(120), pixelsTruncated(5000),
                            pixelsTruncated(3800));
}

void MainForm::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    for (const Command& row : commands().rows()) {
        if (!row.isButton())
            continue;
        QAction* action = m_toolbar->addAction(style()->standardIcon(row.icon), row.key);
        action->setObjectName(row.key);
        action->setData(row.key);
        action->setToolTip(row.caption);
        // A screen reader reads the button by its tool tip, not by its key.
        QWidget* button = m_toolbar->widgetForAction(action);
        const auto nameButton = [button, action] { button->setAccessibleName(action->toolTip()); };
        nameButton();
        connect(action, &QAction::changed, button, nameButton);
        connect(action, &QAction::triggered, this,
                [this, action] { Toolbar1_ButtonClick(action); });
    }
    // The "localfile" button appears once start-up has prepared its window.
    toolbarButton(4)->setVisible(false);
}

void MainForm::addMenuItem(QAction* action, const Command& row, const QString& objectName)
{
    action->setObjectName(objectName);
    action->setProperty("Index", row.index);
    m_menuItems.insert(QStringLiteral("%1/%2").arg(row.menu).arg(row.index), action);
    const QString menu = row.menu;
    const int index = row.index;
    connect(action, &QAction::triggered, this, [this, menu, index] { runMenuItem(menu, index); });
}

void MainForm::buildMenus()
{
    using Kind = Command::Kind;
    QHash<QString, QMenu*> built;
    for (const Command& row : commands().rows()) {
        QMenu* menu = built.value(row.menu);
        const QString objectName = QStringLiteral("%1_%2").arg(row.menu).arg(row.index);
        switch (row.kind) {
        case Kind::Button:
            break;
        case Kind::Menu:
            built.insert(row.menu, menuBar()->addMenu(row.caption));
            break;
        case Kind::Popup:
            m_itemListMenu = new QMenu(row.caption, this);
            m_itemListMenu->setObjectName(row.menu);
            built.insert(row.menu, m_itemListMenu);
            break;
        case Kind::BarItem:
            addMenuItem(menuBar()->addAction(row.caption), row, row.menu);
            break;
        case Kind::Item:
            addMenuItem(menu->addAction(row.caption), row, objectName);
            break;
        case Kind::Checkable:
            addMenuItem(menu->addAction(row.caption), row, objectName);
            menuItem(row.menu, row.index)->setCheckable(true);
            break;
        case Kind::Submenu: {
            QMenu* submenu = menu->addMenu(row.caption);
            built.insert(row.opens, submenu);
            addMenuItem(submenu->menuAction(), row, objectName);
            break;
        }
        case Kind::Separator:
            if (row.index == Command::noIndex)
                menu->addSeparator();
            else
                addMenuItem(menu->addSeparator(), row, objectName);
            break;
        }
    }
    // "View Images" appears once start-up has prepared the window.
    menuItem(menus::file, 50)->setVisible(false);
}

void MainForm::showItemListMenu(const QPoint& position)
{
    // Some window systems follow the Menu key with a menu request of their own.
    if (m_itemListMenu->isVisible())
        return;
    m_itemListMenu->popup(m_itemlist->viewport()->mapToGlobal(position));
}

QAction* MainForm::menuItem(const QString& menu, int index) const
{
    return m_menuItems.value(QStringLiteral("%1/%2").arg(menu).arg(index));
}

QAction* MainForm::toolbarButton(int position) const
{
    const QList<QAction*> buttons = m_toolbar->actions();
    return position >= 1 && position <= buttons.size() ? buttons.at(position - 1) : nullptr;
}

QAction* MainForm::toolbarButton(const QString& key) const
{
    const QList<QAction*> buttons = m_toolbar->actions();
    for (QAction* b : buttons) {
        if (b->data().toString() == key)
            return b;
    }
    return nullptr;
}

QString MainForm::statusText() const
{
    return m_status->text();
}

void MainForm::Form_Load()
{
    Program& p = program();
    init_application();
    init_trace_switch();
    {
        platform::BusyCursor busy;
        platform::doEvents();
        startitoff(this);
        startup_housekeeping(this);
        make_thumbs_dir();
        check_head_foot_files();
        check_help_page();
    }
    platform::centerForm(this);
    setWindowTitle(p.product_title);
    setVisible(false);
    {
        platform::BusyCursor busy;
        platform::doEvents();
        refreshToolbar();
        platform::doEvents();
    }
    refreshToolbar();
    show_logo();

    {
        // Filling the list is no pattern choice of the user's.
        const QSignalBlocker quiet(m_filefilter);
        m_filefilter->clear();
        m_filefilter->addItems(patterns());
    }
    const qsizetype saved = patterns().indexOf(p.settings.last_image_type.text());
    const int patternIndex = saved < 0 ? 0 : int(saved);

    const QString listFile = check_switch(QStringLiteral("/f"));
    if (listFile.isEmpty())
        restoreBrowser(patternIndex);
    else
        load_file_list_switch();

    bool switchActed = false;
    const QString simple = check_switch(QStringLiteral("/s"));
    if (!simple.isEmpty()) {
        showSimpleView();
        switchActed = true;
    } else {
        const QString view = check_switch(QStringLiteral("/v"));
        if (!view.isEmpty()) {
            if (m_itemlist->count() == 0) {
                warn_and_show_status(QStringLiteral("No files are loaded to view."));
            } else {
                viewImages();
                switchActed = true;
            }
        }
    }

    if (m_itemlist->count() == 0)
        restoreBrowser(patternIndex);
    if (m_filedir->path().isEmpty())
        showStartDirectory();

    // A window switch with "/x" ends the program without ever showing the window.
    const QString end = check_switch(QStringLiteral("/x"));
    if (switchActed && !end.isEmpty()) {
        platform::endProgram();
        return;
    }
    setVisible(true);
}

void MainForm::restoreBrowser(int patternIndex)
{
    Settings& s = settings();
    m_filefilter->setCurrentIndex(patternIndex);
    m_filelist.setPattern(m_filefilter->currentText());
    if (!s.last_drive.isEmpty())
        m_filedrive->setDrive(s.last_drive);
    if (!s.last_directory.isEmpty())
        m_filedir->setPath(s.last_directory);
    s.last_drive = m_filedrive->drive();
    s.last_directory = m_filedir->path();
}

// A directory box no start-up step has set (a list given by "/f", a saved
// folder that is gone) shows the folder the program was started in, as a new
// one does; showing it changes neither the file list nor the saved place.
void MainForm::showStartDirectory()
{
    const QString dir = QDir::currentPath();
    const QSignalBlocker quietDir(m_filedir);
    const QSignalBlocker quietDrive(m_filedrive);
    if (!m_filedir->setPath(dir))
        return;
    m_filedrive->setDrive(dir);
    m_filelist.setPath(dir);
}

void MainForm::load_file_list_switch()
{
    platform::BusyCursor busy;
    const QString name = check_switch(QStringLiteral("/f"));
    if (name.isEmpty())
        return;
    qsizetype stoppedAt = 0;
    const QStringList entries = read_list_file(name, &stoppedAt);
    m_itemlist->addItems(entries);
    markVirtualList();
    // The list ends at a line that names no file; the user must not take
    // the shorter list for the whole one.
    if (stoppedAt > 0)
        platform::show_status(QStringLiteral("%1 %2 loaded from %3: line %4 names no file.")
                        .arg(entries.size())
                        .arg(entries.size() == 1 ? QStringLiteral("file") : QStringLiteral("files"),
                             name)
                        .arg(stoppedAt));
}

int MainForm::windowTwipsWidth() const
{
    return int(pixelsToTwips(frameGeometry().width()));
}

int MainForm::windowTwipsHeight() const
{
    return int(pixelsToTwips(frameGeometry().height()));
}

void MainForm::show_logo()
{
    platform::ImageControl& c = m_logo->control();
    if (!c.setFileName(settings().logo_file))
        return;
    const double h = c.height();
    const double w = c.width();
    const double room_w = windowTwipsWidth() - 150;
    const double room_h = windowTwipsHeight() - 1800;
    if (w >= room_w)
        c.setWidth(room_w);
    if (h >= room_h)
        c.setHeight(room_h);
    c.setTop(windowTwipsHeight() / 2.0 - 60 - c.height() / 2);
    c.setLeft(windowTwipsWidth() / 2.0 - 60 - c.width() / 2);
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_timer1.start(1);
}

void MainForm::Timer1_Timer()
{
    m_timer1.stop();
    if (isMinimized())
        return;
    if (windowTwipsHeight() < 4000)
        resize(width(), pixelsAtLeast(4000) - (frameGeometry().height() - height()));
    if (windowTwipsWidth() < 8260)
        resize(pixelsAtLeast(8260) - (frameGeometry().width() - width()), height());

    // The client area in twips, toolbar and status line included, as the
    // control offsets below count them.
    const double bottom = pixelsToTwips(height() - menuBar()->height());
    const double right = pixelsToTwips(width());
    const double shift = pixelsToTwips(m_toolbar->height());
    m_itemlist->setGeometry(pixelsTruncated(2760), pixelsTruncated(120),
                            pixelsTruncated(right - 2900), pixelsTruncated(bottom - 1050));
    m_filedir->setGeometry(pixelsTruncated(120), pixelsTruncated(120), pixelsTruncated(2535),
                           pixelsTruncated(bottom - 2000));
    m_filedrive->move(pixelsTruncated(120), pixelsTruncated(bottom - 1200 - shift));
    m_filefilter->move(pixelsTruncated(120), pixelsTruncated(bottom - 760 - shift));
    show_logo();
}

void MainForm::setClipboardConversion(bool on)
{
    if (on)
        m_timer3.start();
    else
        m_timer3.stop();
}

void MainForm::Timer3_Timer()
{
    // Timers keep running under a message box; without this the boxes would pile up.
    if (m_clipboardBoxOpen)
        return;
    const QString text = platform::clipboardText();
    const QString address = text.trimmed();
    // Only an address as a whole: a text that merely mentions one is the user's own.
    if (!address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return;
    // Browsers write blanks as "%20" and other letters in UTF-8.
    const QString path = QUrl(address).toLocalFile();
    if (path.isEmpty())
        return;
    // The path as tested is the path put: trimmed, it could name another file.
    if (platform::isReadableFile(path)) {
        platform::setClipboardText(path);
        platform::show_status(QStringLiteral("The file name '%1' was copied to the clipboard.").arg(path));
        return;
    }
    if (path == m_clip_last_address)
        return;
    m_clip_last_address = path;
    m_clipboardBoxOpen = true;
    warn(QStringLiteral("Browser Address Conversion:\n\nThe web address '%1' cannot be converted.  "
                        "The file '%2' does not exist.")
             .arg(text, path));
    m_clipboardBoxOpen = false;
}

void MainForm::appendFileEntries()
{
    const QString dir = m_filedir->path();
    const QStringList names = m_filelist.names();
    QStringList entries;
    entries.reserve(names.size());
    // No second "/" after the root.
    const QString prefix = dir.endsWith(u'/') ? dir : dir + u'/';
    for (const QString& name : names)
        entries.append(prefix + name);
    m_itemlist->addItems(entries);
}

void MainForm::filedir_Change()
{
    Settings& s = settings();
    m_itemlist->setStyleSheet(QString());
    const QString dir = m_filedir->path();
    m_filelist.setPath(dir);
    // A folder reached on another volume (a mount point below this one) makes
    // that volume the current drive, without leaving the folder.
    {
        const QSignalBlocker quiet(m_filedrive);
        m_filedrive->setDrive(dir);
    }
    s.last_directory = dir;
    s.last_drive = m_filedrive->drive();
    m_itemlist->clear();
    appendFileEntries();
}

void MainForm::filedrive_Change()
{
    const QString drive = m_filedrive->drive();
    // Setting the folder runs filedir_Change, which rebuilds the list; a
    // volume that cannot be read changes nothing but the drive shown.
    if (!m_filedir->setDrivePath(drive)) {
        warn(QStringLiteral("Cannot access the %1 drive.").arg(drive));
        return;
    }
    settings().last_drive = drive;
}

void MainForm::filefilter_Change()
{
    settings().last_image_type = m_filefilter->currentText();
    filefilter_Click();
}

void MainForm::filefilter_Click()
{
    m_itemlist->clear();
    m_filelist.setPattern(m_filefilter->currentText());
    settings().last_image_type = m_filefilter->currentText();
    appendFileEntries();
}

bool MainForm::inLogoView() const
{
    return !m_itemlist->isVisibleTo(this);
}

void MainForm::leave_logo_view()
{
    setListsVisible(true);
    m_logo->control().setVisible(false);
    logo_leave_logo_view();
}

void MainForm::logo_leave_logo_view()
{
    if (m_itemlist->count() == 0)
        appendFileEntries();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The Menu key and Shift+F10 open the file list's pop-up at its current entry.
    if (watched == m_itemlist && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            const QListWidgetItem* current = m_itemlist->currentItem();
            showItemListMenu(current ? m_itemlist->visualItemRect(current).center() : QPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::keyPressEvent(QKeyEvent* event)
{
    leave_logo_view();
    QMainWindow::keyPressEvent(event);
}

void MainForm::mousePressEvent(QMouseEvent* event)
{
    leave_logo_view();
    QMainWindow::mousePressEvent(event);
}

void MainForm::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void MainForm::setBackgroundColor(qint32 winColor)
{
    QPalette pal = centralWidget()->palette();
    pal.setColor(QPalette::Window, platform::colorFromWin(quint32(winColor)));
    centralWidget()->setPalette(pal);
    centralWidget()->setAutoFillBackground(true);
}

void MainForm::setListsVisible(bool visible)
{
    m_itemlist->setVisible(visible);
    m_filedir->setVisible(visible);
    m_filedrive->setVisible(visible);
    m_filefilter->setVisible(visible);
}

void MainForm::showLogoView(const QString& logoFile)
{
    platform::ImageControl& c = m_logo->control();
    if (!c.setFileName(logoFile)) {
        showListView();
        return;
    }
    c.setBackColor(platform::winFromColor(centralWidget()->palette().color(QPalette::Window)));
    show_logo();
    c.setVisible(true);
    setListsVisible(false);
}

void MainForm::showListView()
{
    m_logo->control().setVisible(false);
    setListsVisible(true);
}

void MainForm::refreshToolbar()
{
    const char* tips[] = {"Exit Program", "Load Local Files", "Create HTML File"};
    for (int i = 0; i < 3; ++i)
        toolbarButton(i + 1)->setToolTip(QString::fromUtf8(tips[i]));
    menuItem(menus::help, 9)->setVisible(false);
    toolbarButton(2)->setVisible(true);
    for (int i = 0; i < 3; ++i)
        toolbarButton(i + 1)->setToolTip(QString::fromUtf8(tips[i]));
    menuItem(menus::help, 8)->setVisible(true);
    menuItem(menus::help, 9)->setVisible(true);
    menuItem(menus::help, 4)->setEnabled(true);
    menuItem(menus::help, 9)->setEnabled(true);
}

std::optional<QRect> MainForm::normalGeometryTwips() const
{
    if (isMinimized() || isMaximized() || isFullScreen())
        return std::nullopt;
    const QRect f = frameGeometry();
    return QRect(int(pixelsToTwips(f.x())), int(pixelsToTwips(f.y())), int(pixelsToTwips(f.width())),
                 int(pixelsToTwips(f.height())));
}

void MainForm::showStatus(const QString& text)
{
    m_status->setText(text);
}

void MainForm::setDialogInitialDirectory(const QString& folder)
{
    m_dialogDirectory = folder;
    program().last_dialog_dir = folder;
}

void MainForm::showViewImagesMenuItem()
{
    menuItem(menus::file, 50)->setVisible(true);
}

void MainForm::showToolbarButton(int position)
{
    if (QAction* b = toolbarButton(position))
        b->setVisible(true);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // A run under way stops first: its workers finish the pictures in hand,
    // and the program ends when it returns.
    if (m_run) {
        m_run->leave();
        m_endAfterRun = true;
        event->ignore();
        return;
    }
    finishup(this);
    event->accept();
}

} // namespace mosaicon

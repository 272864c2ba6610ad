#include "mainwindow/browsepanel.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHelpEvent>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QToolTip>

namespace mosaicon {

BrowsePanel::BrowsePanel(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("source"));
    m_filedir = new platform::DirListBox(this);
    m_filedir->setObjectName(QStringLiteral("filedir"));
    m_filedrive = new platform::DriveListBox(this);
    m_filedrive->setObjectName(QStringLiteral("filedrive"));
    m_filefilter = new QComboBox(this);
    m_filefilter->setObjectName(QStringLiteral("filefilter"));
    m_filelist = new QListWidget(this);
    m_filelist->setObjectName(QStringLiteral("filelist"));
    m_filelist->setSelectionMode(QAbstractItemView::NoSelection);
    // The frame's caption counts the files and names all four boxes alike, so
    // a screen reader reads each by a name of its own.
    m_filedir->setAccessibleName(QStringLiteral("Folders"));
    m_filedrive->setAccessibleName(QStringLiteral("Drive"));
    m_filefilter->setAccessibleName(QStringLiteral("File Pattern"));
    m_filelist->setAccessibleName(QStringLiteral("Files"));
    // Room for a camera's picture names; a longer one scrolls, and its tool
    // tip shows it whole.
    m_filelist->setMinimumWidth(m_filelist->fontMetrics().horizontalAdvance(
                                    QStringLiteral("IMG_0000.jpeg")) +
                                m_filelist->verticalScrollBar()->sizeHint().width() +
                                2 * m_filelist->frameWidth() + 12);
    m_filelist->viewport()->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_filedir, 0, 0);
    grid->addWidget(m_filelist, 0, 1, 3, 1);
    grid->addWidget(m_filedrive, 1, 0);
    grid->addWidget(m_filefilter, 2, 0);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    connect(m_filedrive, &platform::DriveListBox::driveChanged, this, [this](const QString& root) {
        if (!m_driveQuiet)
            emit driveChosen(root);
    });
    connect(m_filedir, &platform::DirListBox::pathChanged, this, &BrowsePanel::onDirectory);
    // Only picking an entry applies a pattern.
    connect(m_filefilter, &QComboBox::activated, this, &BrowsePanel::onPattern);
}

bool BrowsePanel::setPatterns(const QStringList& patterns, const QString& current)
{
    m_filefilter->clear();
    m_filefilter->addItems(patterns);
    const int index = m_filefilter->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_filefilter->setCurrentIndex(index);
    if (index < 0)
        return false;
    onPattern();
    return true;
}

bool BrowsePanel::followDrive()
{
    const QString drive = m_filedrive->drive();
    if (drive.isEmpty() || !m_filedir->setDrivePath(drive))
        return false;
    // Unless the directory changed and its handler has listed it already.
    if (m_files.path() != m_filedir->path() && m_files.setPath(m_filedir->path()))
        showFiles();
    return true;
}

bool BrowsePanel::setDriveQuietly(const QString& path)
{
    const QScopedValueRollback quiet(m_driveQuiet, true);
    return m_filedrive->setDrive(path);
}

void BrowsePanel::onDirectory()
{
    const QString dir = m_filedir->path();
    // A directory on another volume (a mount point below this one) makes that
    // volume the current drive.
    setDriveQuietly(dir);
    m_files.setPath(dir);
    showFiles();
    updateCaption();
    emit directoryChanged(dir);
}

void BrowsePanel::onPattern()
{
    m_files.setPattern(m_filefilter->currentText());
    showFiles();
    updateCaption();
    emit patternChosen(m_filefilter->currentText());
}

void BrowsePanel::showFiles()
{
    m_filelist->clear();
    m_filelist->addItems(m_files.names());
}

bool BrowsePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_filelist->viewport() || event->type() != QEvent::ToolTip)
        return QGroupBox::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = m_filelist->indexAt(help->pos());
    const QString name = index.data().toString();
    const QRect rect = m_filelist->visualRect(index);
    const int needed = m_filelist->fontMetrics().horizontalAdvance(name) + 8;
    if (index.isValid() && (rect.left() < 0 || rect.left() + needed > m_filelist->viewport()->width()))
        QToolTip::showText(help->globalPos(), name, m_filelist->viewport(), rect);
    else
        QToolTip::hideText();
    return true;
}

void BrowsePanel::updateCaption()
{
    setTitle(QStringLiteral("Source (%1)").arg(m_filelist->count()));
}

} // namespace mosaicon

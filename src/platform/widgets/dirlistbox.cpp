#include "platform/widgets/dirlistbox.h"

#include "platform/filelist.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace mosaicon::platform {

namespace {

// Shifts each entry right by its depth; a list view has no indentation of its own.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(shifted.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        const QStyle* style = option.widget ? option.widget->style() : nullptr;
        const int step =
            style ? style->pixelMetric(QStyle::PM_TreeViewIndentation, &option, option.widget) : 20;
        return step * index.data(DirListBox::DepthRole).toInt();
    }
};

QString cleanAbsolute(const QString& dir)
{
    return dir.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
}

bool isUnder(const QString& path, const QString& dir)
{
    return dir == u"/" || path == dir || path.startsWith(dir + u'/');
}

// The root of the volume holding path, as a prefix of path: a path reached
// through a symlink onto another volume is shown from "/".
QString volumeRootOf(const QString& path)
{
    const QString root = QStorageInfo(path).rootPath();
    return !root.isEmpty() && isUnder(path, root) ? root : QStringLiteral("/");
}

QString childPath(const QString& dir, const QString& name)
{
    return dir == u"/" ? dir + name : dir + u'/' + name;
}

} // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &DirListBox::activate);
}

bool DirListBox::setPath(const QString& dir)
{
    const QString path = cleanAbsolute(dir);
    if (!FileList::isListableDirectory(path, &m_error))
        return false;
    m_error.clear();
    const bool changed = path != m_path;
    m_path = path;
    m_lastByVolume.insert(volumeRootOf(path), path);
    rebuild();
    if (changed)
        emit pathChanged(m_path);
    return true;
}

bool DirListBox::setDrivePath(const QString& volumeRoot)
{
    const QString root = cleanAbsolute(volumeRoot);
    const QString last = m_lastByVolume.value(root);
    if (!last.isEmpty() && FileList::isListableDirectory(last))
        return setPath(last);
    return setPath(root);
}

void DirListBox::refresh()
{
    if (!m_path.isEmpty())
        rebuild();
}

void DirListBox::rebuild()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon, nullptr, this);
    auto add = [this](const QIcon& icon, const QString& text, const QString& path, int depth) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(PathRole, path);
        item->setData(DepthRole, depth);
        item->setToolTip(path);
        return item;
    };

    const QString root = volumeRootOf(m_path);
    QListWidgetItem* current = add(openIcon, root, root, 0);
    int depth = 0;
    QString ancestor = root;
    const QString below = m_path.mid(root.size());
    for (const QString& name : below.split(u'/', Qt::SkipEmptyParts)) {
        ancestor = childPath(ancestor, name);
        current = add(openIcon, name, ancestor, ++depth);
    }

    // Without QDir::Hidden, directories whose names start with "." are left out.
    QStringList subdirs = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(subdirs.begin(), subdirs.end(), &FileList::nameLess);
    for (const QString& name : subdirs)
        add(closedIcon, name, childPath(m_path, name), depth + 1);

    setCurrentItem(current);
    scrollToItem(current);
}

void DirListBox::keyPressEvent(QKeyEvent* event)
{
    QListWidget::keyPressEvent(event);
    // The list view activates the entry and passes the key on to the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void DirListBox::activate(QListWidgetItem* item)
{
    // An entry whose directory has gone away since it was listed: show the
    // directory as it is now rather than a stale entry.
    if (item && !setPath(item->data(PathRole).toString()))
        refresh();
}

} // namespace mosaicon::platform

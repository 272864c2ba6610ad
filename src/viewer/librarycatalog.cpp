#include "viewer/librarycatalog.h"

#include "viewer/imagelists.h"

#include "dialogs/targetdirectory.h"
#include "pagekit/thumbnails.h"
#include "settings/pickers.h"

#include "platform/numbers.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>

namespace mosaicon::viewer {

namespace {

const QString formatEntries[] = {
    QStringLiteral("1.  image,title"),
    QStringLiteral("2.  image,thumbnail,title"),
};

const QString defaultThumbSize = QStringLiteral("100");

QList<CatalogRow>& rows()
{
    return program().catalog;
}

void warn(const QString& text)
{
    platform::msgbox(text, platform::MsgBox::Exclamation, program().product_title);
}

bool badThumbnailSize(const QString& size)
{
    return size.isEmpty() || size.startsWith(u'0');
}

} // namespace

LibraryCatalog::LibraryCatalog(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frm_librarycatalog"));
}

QStringList LibraryCatalog::flelist() const
{
    QStringList images;
    images.reserve(rows().size());
    for (const CatalogRow& row : rows())
        images.append(row.image);
    return images;
}

void LibraryCatalog::Form_Load(const QStringList& mainList)
{
    Program& p = program();
    p.keep_processing = false;
    viewimage.setBackColor(p.settings.thumb_bg_color.text().trimmed().toUInt());

    // The window's list is sorted; the catalog takes the same order, so that
    // entry i of both is one image.
    QStringList images = mainList;
    sort_image_paths(images);
    rows().clear();
    for (const QString& image : images)
        rows().append({image, QString(), QString()});
    selected = QList<bool>(images.size(), false);
    Frame1.caption = QStringLiteral("Current File List (%1)").arg(platform::strForm(images.size()));

    if (images.isEmpty()) {
        showReadError();
    } else {
        ListIndex = 0;
        selected[0] = true;
        flelist_Click();
    }

    QString target = p.settings.target_dir;
    if (target.isEmpty()) {
        target = p.program_folder;
    } else if (!QFileInfo(target).isDir()) {
        warn(QStringLiteral("The target directory has been changed to '%1' because the directory "
                            "'%2' does not exist.")
                 .arg(p.program_folder, target));
        target = p.program_folder;
        p.settings.target_dir = target;
    }
    useTargetDirectory(target);

    if (badThumbnailSize(p.settings.thumb_size))
        p.settings.thumb_size = defaultThumbSize;
    o_tn_size.text = p.settings.thumb_size;
    o_tn_size_Change();

    o_output_format.entries = {formatEntries[0], formatEntries[1]};
    o_output_format.index = 0;
    o_output_format.text = formatEntries[0];
    o_output_format_Click();
}

void LibraryCatalog::show()
{
    platform::ui().showModal(objectName(), this);
}

void LibraryCatalog::useTargetDirectory(const QString& dir)
{
    Dir1 = QDir::cleanPath(QDir(dir).absolutePath());
    Drive1 = TargetDirectory::volumeOf(Dir1);
    targetdir.caption = Dir1;
}

void LibraryCatalog::Frame2_Resize(int widthTwips, int heightTwips)
{
    Frame2.width = widthTwips;
    Frame2.height = heightTwips;
    if (viewimage.visible() && !viewimage.isNull())
        recalculate_image();
}

// The picture at its natural size, reduced in proportion where it would not
// fit the frame less its margin.
void LibraryCatalog::recalculate_image()
{
    constexpr double margin = 300;
    viewimage.setFitMode(1);
    double w = viewimage.imageWidth() * platform::ImageControl::TwipsPerPixel;
    double h = viewimage.imageHeight() * platform::ImageControl::TwipsPerPixel;
    int mode = 1;
    const double roomW = Frame2.width - margin;
    const double roomH = Frame2.height - margin;
    if (roomW > 0 && roomH > 0) {
        if (w >= roomW) {
            const double r = roomW / w;
            w = w * r - 10;
            h *= r;
            mode = 2;
        }
        if (h >= roomH) {
            const double r = roomH / h;
            w *= r;
            h = h * r - 10;
            mode = 3;
        }
    }
    viewimage.setWidth(w);
    viewimage.setHeight(h);
    viewimage.setFitMode(mode);
}

void LibraryCatalog::show_size_labels_catalog()
{
    o_width.caption = QStringLiteral("Width = ") + platform::strForm(viewimage.imageWidth());
    o_height.caption = QStringLiteral("Height = ") + platform::strForm(viewimage.imageHeight());
}

void LibraryCatalog::showReadError()
{
    viewimage.setVisible(false);
    o_notanimage.visible = false;
    error_reading_file.visible = true;
    o_width.caption = QStringLiteral("Width = 0");
    o_height.caption = QStringLiteral("Height = 0");
}

void LibraryCatalog::flelist_Click()
{
    if (ListIndex < 0 || ListIndex >= rows().size())
        return;
    const QString item = rows().at(ListIndex).image;
    // The title box always belongs to the current entry, also when its
    // picture cannot be shown: what is typed there goes to that entry.
    o_image_title.text = rows().at(ListIndex).title;
    caption = QStringLiteral("Image Catalog - ") + item;
    if (!is_image_file(item)) {
        viewimage.setVisible(false);
        o_notanimage.visible = true;
        error_reading_file.visible = false;
        o_width.caption = QStringLiteral("Width = 0");
        o_height.caption = QStringLiteral("Height = 0");
        return;
    }
    viewimage.setVisible(true);
    o_notanimage.visible = false;
    error_reading_file.visible = false;
    if (!program().keep_processing) {
        if (!viewimage.setFileName(item)) {
            showReadError();
            return;
        }
        recalculate_image();
    }
    show_size_labels_catalog();
}

void LibraryCatalog::o_image_title_LostFocus()
{
    if (ListIndex >= 0 && ListIndex < rows().size())
        rows()[ListIndex].title = o_image_title.text;
}

void LibraryCatalog::setThumbnailSize(const QString& text, const char* why)
{
    o_tn_size.text = text;
    warn(QString::fromUtf8(why) + QStringLiteral("  The default size of 100 will be used."));
}

void LibraryCatalog::o_tn_size_Change()
{
    if (o_tn_size.text.isEmpty()) {
        setThumbnailSize(defaultThumbSize, "The thumbnail size cannot be blank.");
    } else {
        if (o_tn_size.text == QLatin1String("0"))
            setThumbnailSize(defaultThumbSize, "Thumbnail size cannot be zero.");
        if (o_tn_size.text.startsWith(u'0'))
            setThumbnailSize(defaultThumbSize, "Thumbnail size cannot be prefixed with a zero.");
    }
    program().settings.thumb_size = o_tn_size.text;
}

void LibraryCatalog::o_output_format_Click()
{
    const bool titles = o_output_format.index == 0;
    filterVisible = {true, titles, !titles};
    o_save_by_image_filter.index = 0;
}

void LibraryCatalog::Drive1_Change()
{
    if (QFileInfo(Drive1).isDir() && QDir(Drive1).isReadable()) {
        Dir1 = Drive1;
        Dir1_Change();
    } else {
        Drive1 = TargetDirectory::volumeOf(Dir1);
    }
}

void LibraryCatalog::Dir1_Change()
{
    useTargetDirectory(Dir1);
}

void LibraryCatalog::b_select_file_Click()
{
    if (const std::optional<QString> chosen = select_catalog_output_file(true))
        o_output_file.text = *chosen;
}

void LibraryCatalog::promptForTitles()
{
    QList<CatalogRow>& catalog = rows();
    const qsizetype start = qMax<qsizetype>(0, selected.indexOf(true));
    for (qsizetype i = start; i < catalog.size(); ++i) {
        ListIndex = int(i);
        selected[i] = true;
        if (i > 0)
            selected[i - 1] = false;
        flelist_Click();
        emit changed();
        const std::optional<QString> answer =
            platform::ui().inputBox(QStringLiteral("Enter the title for this image."),
                                    catalog.at(i).image, catalog.at(i).title);
        if (!answer || answer->isEmpty())
            return;
        catalog[i].title = *answer;
        // The box shows the answer, so that leaving it keeps it.
        o_image_title.text = *answer;
    }
}

void LibraryCatalog::leave()
{
    program().settings.target_dir = Dir1;
    emit hidden();
}

void LibraryCatalog::menuFileItem_Click(int index)
{
    if (index == 0) {
        if (!rows().isEmpty())
            m_newMainList = flelist();
        leave();
    } else if (index == 2) {
        leave();
    }
}

void LibraryCatalog::menuOptionsItem_Click(int index)
{
    struct Command
    {
        int index;
        void (LibraryCatalog::*run)();
    };
    static const Command commands[] = {
        {10, &LibraryCatalog::promptForTitles},
    };
    for (const Command& command : commands) {
        if (command.index == index)
            (this->*command.run)();
    }
}

bool LibraryCatalog::Form_QueryUnload()
{
    if (m_batchRunning)
        return false;
    menuFileItem_Click(2);
    return true;
}

} // namespace mosaicon::viewer

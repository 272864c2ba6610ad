#include "pagekit/pageprompt.h"

#include "pagekit/thumbnails.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/ui.h"
#include "platform/windowregistry.h"

#include <QFileInfo>

#include <algorithm>

namespace mosaicon {

namespace {

// The banner box, its link box and the settings of one side.
struct BannerSide
{
    PagePrompt::TextBox& box;
    PagePrompt::TextBox& link;
    SettingText& banner;
    SettingText& bannerLink;
    QString& ref;
};

BannerSide sideOf(PagePrompt& prompt, PagePrompt::Side side)
{
    Settings& s = settings();
    if (side == PagePrompt::Side::Top)
        return {prompt.o_top_banner, prompt.o_top_link, s.top_banner, s.top_banner_link, prompt.top_banner_ref};
    return {prompt.o_bottom_banner, prompt.o_bottom_link, s.bottom_banner, s.bottom_banner_link,
            prompt.bottom_banner_ref};
}

int message(const QString& text, int style)
{
    return platform::msgbox(text, style, program().product_title);
}

} // namespace

PagePrompt::PagePrompt(QString folder, QObject* parent)
    : DialogValue(parent), m_folder(std::move(folder))
{
    setObjectName(QStringLiteral("frm_htmltitle"));
    loadBanner(Side::Top);
    loadBanner(Side::Bottom);
    height = loadedHeight;
}

// Puts a copy of the banner file into the output folder under its own name.
// A file of that name already there is the one used, never replaced; without
// an output folder nothing is copied, so no copy lands in the working folder.
void PagePrompt::copyBannerFile(const QString& path, const QString& fileName)
{
    if (m_folder.isEmpty())
        return;
    const QString target = platform::joinPath(m_folder, fileName);
    if (QFileInfo::exists(target))
        return;
    QString error;
    if (!platform::copyFile(path, target, &error))
        warn(QStringLiteral("The banner file %1 could not be copied into %2: %3")
                 .arg(path, m_folder, error));
}

void PagePrompt::loadBanner(Side side)
{
    BannerSide s = sideOf(*this, side);
    if (s.banner.isEmpty())
        return;
    s.box.text = s.banner;
    s.link.text = s.bannerLink;
    checkBanner(side);
}

void PagePrompt::checkBanner(Side side)
{
    BannerSide s = sideOf(*this, side);
    const QString text = s.box.text;
    if (text.trimmed().isEmpty()) {
        s.box.text.clear();
        return;
    }

    bool localFile = text.contains(QLatin1String(".gif"), Qt::CaseInsensitive) ||
                     text.contains(QLatin1String(".jpg"), Qt::CaseInsensitive);
    if (text.contains(QLatin1String("http://")) || text.contains(QLatin1String("ftp://")))
        localFile = false;

    if (localFile) {
        const QString path = text.trimmed();
        if (platform::file_exists(path)) {
            const QString fileName = platform::split_file_path(path).file_name;
            copyBannerFile(path, fileName);
            s.ref = fileName;
            s.banner = path;
        } else if (side == Side::Top) {
            const int answer =
                message(QStringLiteral(
                            "The file selected for the top banner does not exist.  If you "
                            "continue, the top banner will not be used.  Do you want to continue?"),
                        platform::MsgBox::YesNo + platform::MsgBox::Question);
            if (answer == platform::MsgBox::Yes) {
                s.box.text.clear();
                s.ref.clear();
            }
        } else {
            warn(QStringLiteral("The bottom banner file does not exist."));
        }
        return;
    }

    const QString lower = text.toLower();
    if (lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("ftp://"))) {
        s.ref = text;
        s.banner = text;
        return;
    }
    warn(QStringLiteral("You must select a file that is in GIF or JPG format."));
    s.box.text.clear();
    s.ref.clear();
    s.banner = QString();
}

void PagePrompt::clearBanner(Side side)
{
    BannerSide s = sideOf(*this, side);
    if (!s.box.text.trimmed().isEmpty())
        return;
    s.box.text.clear();
    s.link.text.clear();
    s.ref.clear();
    s.banner = QString();
}

void PagePrompt::acceptAnswers()
{
    clearBanner(Side::Top);
    clearBanner(Side::Bottom);
    emit hidden();
}

void PagePrompt::selectTopBanner()
{
    banner_side = QStringLiteral("top");
    select_banner();
}

void PagePrompt::selectBottomBanner()
{
    banner_side = QStringLiteral("bottom");
    select_banner();
}

void PagePrompt::clearText()
{
    o_title.text.clear();
    o_title_tag.text.clear();
}

void PagePrompt::b_cancel_exit_Click()
{
    page_prompt_cancel = true;
    emit hidden();
}

void PagePrompt::o_default_Click()
{
    use_title_for_all = o_default.value;
}

void PagePrompt::o_top_banner_LostFocus()
{
    checkBanner(Side::Top);
}

void PagePrompt::o_bottom_banner_LostFocus()
{
    checkBanner(Side::Bottom);
}

void PagePrompt::o_top_link_LostFocus()
{
    settings().top_banner_link = o_top_link.text;
}

void PagePrompt::o_bottom_link_LostFocus()
{
    settings().bottom_banner_link = o_bottom_link.text;
}

void PagePrompt::openColourOptions()
{
    openOptionWindow(QStringLiteral("frm_color"));
}

void PagePrompt::openPlacementOptions()
{
    openOptionWindow(QStringLiteral("frm_fullimage"));
}

void PagePrompt::openSlideShowOptions()
{
    openOptionWindow(QStringLiteral("frm_soptions"));
}

// The option windows live above this value; they are opened by name.
void PagePrompt::openOptionWindow(const QString& name)
{
    platform::openWindow(name);
}

void PagePrompt::clearBanners()
{
    o_top_banner.text.clear();
    o_top_link.text.clear();
    o_bottom_banner.text.clear();
    o_bottom_link.text.clear();
    Settings& s = settings();
    top_banner_ref.clear();
    s.top_banner = QString();
    bottom_banner_ref.clear();
    s.bottom_banner = QString();
}

void PagePrompt::show()
{
    platform::ui().showModal(objectName(), this);
}

void PagePrompt::showPreview(const QString& image_path)
{
    const double boxWidth = Frame3.width - 280;
    const double boxHeight = Frame3.height - 320;
    o_image.setFitMode(platform::FitMode::OwnSize);
    // Decoding a large photo at preview size is much faster than at full size.
    const int limit = platform::pixelsTruncated(std::max(boxWidth, boxHeight));
    o_image.setSizeLimit(limit);
    // Beside the window all the same: a 24-megapixel photo would hold it up.
    platform::LoadedPicture preview;
    platform::runAnswering([&preview, &image_path, limit] {
        preview = platform::ImageControl::loadForDisplay(
            image_path, [limit](QSize natural) { return platform::ImageControl::limitedSize(natural, limit); });
    });
    if (o_image.showLoaded(preview))
        fit_in_box(o_image, boxWidth, boxHeight);
}

void PagePrompt::select_banner()
{
    select_banner_file(*this);
}

} // namespace mosaicon

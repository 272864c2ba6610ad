#include "dialogs/captiontexts.h"

#include "settings/program.h"

#include "platform/profilefile.h"
#include "platform/ui.h"

namespace mosaicon {

namespace {

const QString section = QStringLiteral("Captions");

// A box, its key, the text that stands for an empty value (shown on loading,
// stored on saving), and what Reset puts in.
struct CaptionRow
{
    platform::TextBox CaptionTexts::*box;
    const char* key;
    const char* fallback;
    const char* reset;
};

// In the order the window loads and saves them.
const CaptionRow rows[] = {
    {&CaptionTexts::o_ss_view_slide, "View The Slide", "View The Slide", "View Slide"},
    {&CaptionTexts::o_ss_view_image, "View The Image", "View The Image", "View Image"},
    {&CaptionTexts::o_ss_click_here, "Click Here", "Click Here To Start", "Click Here To Start"},
    {&CaptionTexts::o_copyright, "Copyright", "", ""},
};

} // namespace

CaptionTexts::CaptionTexts(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_txtconv"));
    for (const CaptionRow& row : rows) {
        const QString value = settingsFile().get(section, QString::fromUtf8(row.key));
        (this->*row.box).text = value.isEmpty() ? QString::fromUtf8(row.fallback) : value;
    }
    height = loadedHeight;
}

void CaptionTexts::show()
{
    platform::ui().showModal(objectName(), this);
}

void CaptionTexts::saveAndClose()
{
    {
        platform::ProfileBatch batch;
        for (const CaptionRow& row : rows) {
            const QString& text = (this->*row.box).text;
            settingsFile().put(section, QString::fromUtf8(row.key),
                               text.isEmpty() ? QString::fromUtf8(row.fallback) : text);
        }
    }
    emit hidden();
}

void CaptionTexts::resetToOriginalValues()
{
    for (const CaptionRow& row : rows)
        (this->*row.box).text = QString::fromUtf8(row.reset);
}

} // namespace mosaicon

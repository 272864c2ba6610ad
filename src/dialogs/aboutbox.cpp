#include "dialogs/aboutbox.h"

#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

AboutBox::AboutBox(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("ABOUT"));
    Label8.caption = program().product_title;
    Label9.caption = QStringLiteral(
        "Mosaicon Pro allows the quick viewing of various types of graphic images.  Quickly "
        "create HTML files to index any file on your system.  Use Netscape or your favorite "
        "browser.  Many options allow you to vary the HTML output including relative addressing "
        "for image files.\n\n"
        "This version also allows you to create JPG images from any of the the supported file "
        "types.  The files can be small thumbnail or full size copies.");
}

void AboutBox::show()
{
    platform::ui().showModal(objectName(), this);
}

void AboutBox::close()
{
    emit hidden();
}

} // namespace mosaicon

#include "settings/warning.h"

#include "settings/program.h"

#include "platform/mainformview.h"
#include "platform/ui.h"

namespace mosaicon {

void warn(const QString& text)
{
    if (!text.isEmpty())
        platform::msgbox(text, platform::MsgBox::Exclamation, program().product_title);
}

void inform(const QString& text)
{
    platform::msgbox(text, platform::MsgBox::Information, program().product_title);
}

void warn_and_show_status(const QString& text, StatusLine when)
{
    if (when == StatusLine::BeforeBox)
        platform::show_status(text);
    warn(text);
    if (when == StatusLine::AfterBox)
        platform::show_status(text);
}

} // namespace mosaicon

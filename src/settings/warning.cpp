#include "settings/warning.h"

#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

void warn(const QString& text)
{
    if (!text.isEmpty())
        platform::msgbox(text, platform::MsgBox::OkOnly + platform::MsgBox::Exclamation,
                         program().product_title);
}

} // namespace mosaicon

#include "settings/mainformview.h"

#include "settings/program.h"

#include "platform/events.h"

namespace mosaicon {

void show_status(const QString& text)
{
    if (MainFormView* view = program().main_form)
        view->showStatus(text);
    platform::doEvents();
}

} // namespace mosaicon

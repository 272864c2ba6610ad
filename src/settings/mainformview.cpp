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

void show_status_now(const QString& text)
{
    if (MainFormView* view = program().main_form)
        view->showStatus(text);
}

void refresh_toolbar()
{
    if (MainFormView* view = program().main_form)
        view->refreshToolbar();
}

} // namespace mosaicon

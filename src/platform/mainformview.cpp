#include "platform/mainformview.h"

#include "platform/events.h"

namespace mosaicon::platform {

namespace {

MainFormView* current = nullptr;

} // namespace

void setMainFormView(MainFormView* view)
{
    current = view;
}

MainFormView* mainFormView()
{
    return current;
}

void show_status_now(const QString& text)
{
    if (MainFormView* view = current)
        view->showStatus(text);
}

void show_status(const QString& text)
{
    show_status_now(text);
    doEvents();
}

void refresh_toolbar()
{
    if (MainFormView* view = current)
        view->refreshToolbar();
}

} // namespace mosaicon::platform

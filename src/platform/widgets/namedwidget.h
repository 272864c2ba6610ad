#pragma once

#include <QString>

#include <utility>

namespace mosaicon::platform {

// A new control under the name the program's documents give it, so that tests
// and readers find it by that name.
template <class Widget, class... Args>
Widget* namedWidget(const QString& objectName, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(objectName);
    return widget;
}

} // namespace mosaicon::platform

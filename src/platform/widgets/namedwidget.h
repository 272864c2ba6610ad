#pragma once

#include <QLabel>
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

// A named label whose text is shown as it stands: a path or a title may hold
// "<", which must never be read as markup.
inline QLabel* plainLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = namedWidget<QLabel>(objectName, text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace mosaicon::platform

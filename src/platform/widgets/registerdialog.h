#pragma once

#include "platform/widgets/boxnames.h"
#include "platform/widgets/widgetui.h"
#include "platform/windowregistry.h"

#include <QApplication>
#include <QPointer>

namespace mosaicon::platform {

enum class DialogLife
{
    // A new dialog for every showing, gone when it closes.
    OneShowing,
    // One dialog for as long as its value lives, so that its place on screen
    // stays from showing to showing; a new value gets a new dialog.
    KeptWithItsValue,
};

// Makes the modal seam show a Value handed over under windowName in a Dialog,
// which is made from the value and a parent window and gives it back by value().
// A value of another class is told like a name nobody registered.
template <class Dialog, class Value>
void registerDialog(const QString& windowName, DialogLife life = DialogLife::OneShowing)
{
    registerWindow(windowName, [life](QObject* object) {
        auto* value = qobject_cast<Value*>(object);
        if (!value)
            return false;
        if (life == DialogLife::OneShowing) {
            Dialog dialog(value, WidgetUi::dialogParent());
            nameBoxesByTheirCaptions(&dialog);
            dialog.exec();
            return true;
        }
        static QPointer<Dialog> kept;
        if (!kept || kept->value() != value) {
            delete kept.data();
            kept = new Dialog(value, WidgetUi::dialogParent());
            nameBoxesByTheirCaptions(kept);
        }
        kept->exec();
        return true;
    });
}

// Makes the modal seam show a Window handed over under windowName: a window
// that keeps its state itself, with no value behind it.
template <class Window>
void registerSelfShownWindow(const QString& windowName)
{
    registerWindow(windowName, [](QObject* object) {
        auto* window = qobject_cast<Window*>(object);
        if (!window)
            return false;
        nameBoxesByTheirCaptions(window);
        window->exec();
        return true;
    });
}

} // namespace mosaicon::platform

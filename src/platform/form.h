#pragma once

#include "platform/ui.h"

#include <QObject>
#include <QPointer>

namespace mosaicon::platform {

// One window of the program (or the value a window edits): created (loaded) on
// first use, shown modally through the Ui seam, and unloaded by its callers.
// Asking whether it is loaded, or for it only if it is, never loads it.
template <class Window>
class Form
{
public:
    // Loads the window when it is not loaded yet.
    Window* load()
    {
        if (!m_window)
            m_window = new Window();
        return m_window;
    }
    Window* operator->() { return load(); }

    bool isLoaded() const { return !m_window.isNull(); }
    // The window if it is loaded, else nullptr.
    Window* loaded() const { return m_window.data(); }

    bool showModal()
    {
        Window* w = load();
        return ui().showModal(w->objectName(), w);
    }
    void unload()
    {
        delete m_window.data();
        m_window.clear();
    }

private:
    QPointer<Window> m_window;
};

} // namespace mosaicon::platform

#pragma once

#include <QRect>
#include <QString>

#include <optional>

namespace mosaicon::platform {

// What the settings and start-up services need of the main window. The window
// implements it; code without windows (and tests) runs without one.
class MainFormView
{
public:
    virtual ~MainFormView() = default;

    virtual void setCaption(const QString& caption) = 0;
    virtual void setBackgroundColor(qint32 winColor) = 0;
    // The logo rule: show the logo file (it exists) in place of the lists.
    virtual void showLogoView(const QString& logoFile) = 0;
    // The lists in place of the logo.
    virtual void showListView() = 0;
    virtual void refreshToolbar() = 0;
    // Left, top, width, height in twips while the window is in its normal
    // state; empty while it is minimised or maximised.
    virtual std::optional<QRect> normalGeometryTwips() const = 0;
    virtual void showStatus(const QString& text) = 0;
    // The start-up housekeeping's window steps.
    virtual void setDialogInitialDirectory(const QString& folder) = 0;
    virtual void showViewImagesMenuItem() = 0;
    virtual void showToolbarButton(int position) = 0;
};

// The main window registers itself for its lifetime, so that the status line
// and the toolbar hear from code that runs without knowing of windows; null
// without a main window.
void setMainFormView(MainFormView* view);
MainFormView* mainFormView();

// Shows the text on the main window's status line, when there is a main
// window, and lets events run once.
void show_status(const QString& text);
// The same without letting events run, for progress told from inside a step.
void show_status_now(const QString& text);
// The main window's toolbar shows the settings as they now are.
void refresh_toolbar();

} // namespace mosaicon::platform

#pragma once

#include "viewer/viewimages.h"

#include "platform/widgets/binder.h"
#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QAction;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

namespace mosaicon {

namespace platform {
class DirListBox;
class DriveListBox;
} // namespace platform

namespace viewer {

class PictureArea;

// Shows a ViewImages: hands the lists' clicks, the buttons and the menus to
// its rules and closes when the value is hidden. The close box is refused
// while a list is converted.
class FrmViewem final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmViewem(ViewImages* value, QWidget* parent = nullptr);

    ViewImages* value() const { return m_value; }
    QListWidget* listBox(ViewImages::ListId id) const { return m_lists[id]; }
    QPushButton* button(const QString& objectName) const;
    QAction* menuItem(const QString& array, int index) const;
    QMenu* menuMouse() const { return m_menuMouse; }
    QMenuBar* menuBar() const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildLists();
    QGroupBox* buildListFrame(ViewImages::ListId id, const char* frameName, const char* listName);
    QWidget* buildPictureArea();
    QWidget* buildLowerRight();
    QGroupBox* buildTarget();
    QGroupBox* buildFileOperation();
    QGroupBox* buildDimensions();
    QWidget* buildButtons();
    QPushButton* addButton(QGridLayout* grid, const char* name,
                           ViewImages::Button ViewImages::*state, void (ViewImages::*click)(),
                           int row, int column);
    void buildMenus();
    void push();
    void pushList(ViewImages::ListId id);
    void pushPicture();
    void pushButtons();
    void pullLists();
    void run(const std::function<void(ViewImages&)>& action);
    void listChanged(ViewImages::ListId id);
    void frame2Resized(int widthTwips, int heightTwips);

    QPointer<ViewImages> m_value;
    platform::Binder<ViewImages> m_binder;
    platform::MenuTree m_menus;
    platform::MenuTree m_mouseMenus;
    QMenu* m_menuMouse = nullptr;
    QListWidget* m_lists[2] = {};
    PictureArea* m_frame2 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_htmlbackground = nullptr;
    platform::DirListBox* m_dir = nullptr;
    platform::DriveListBox* m_drive = nullptr;
    QList<std::pair<QPushButton*, ViewImages::Button ViewImages::*>> m_buttons;
    QList<QWidget*> m_batchControls;
    bool m_pushing = false;
    bool m_clickPending[2] = {};
    bool m_shownOnce = false;
};

// Makes the program show this dialog wherever the viewer's value is shown modally.
void registerFrmViewem();

} // namespace viewer
} // namespace mosaicon

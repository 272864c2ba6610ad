#pragma once

#include "viewer/widgets/filelistbox.h"
#include "viewer/viewimages.h"

#include "platform/widgets/valuedialog.h"

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
class FrmViewem final : public platform::ValueDialog<ViewImages>
{
    Q_OBJECT

public:
    explicit FrmViewem(ViewImages* value, QWidget* parent = nullptr);

    QListWidget* listBox(ViewImages::ListId id) const { return m_lists[id]; }
    QPushButton* button(const QString& objectName) const;
    QMenu* menuMouse() const { return m_menuMouse; }
    QMenuBar* menuBar() const;

protected:
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
    void push() override;
    void pull() override;
    void pushList(ViewImages::ListId id);
    void pushPicture();
    void pushButtons();
    void pullLists();
    void listChanged(ViewImages::ListId id);
    void frame2Resized(int widthTwips, int heightTwips);

    QMenu* m_menuMouse = nullptr;
    FileListBox* m_lists[2] = {};
    PictureArea* m_frame2 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_htmlbackground = nullptr;
    platform::DirListBox* m_dir = nullptr;
    platform::DriveListBox* m_drive = nullptr;
    QList<std::pair<QPushButton*, ViewImages::Button ViewImages::*>> m_buttons;
    QList<QWidget*> m_batchControls;
    bool m_pushing = false;
    // Showing a change the value made on its own, not the end of a user's action.
    bool m_pushingChange = false;
    bool m_clickPending[2] = {};
};

// Makes the program show this dialog wherever the viewer's value is shown modally.
void registerFrmViewem();

} // namespace viewer
} // namespace mosaicon

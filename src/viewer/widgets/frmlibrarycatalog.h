#pragma once

#include "viewer/widgets/filelistbox.h"
#include "viewer/librarycatalog.h"

#include "platform/widgets/valuedialog.h"

#include <QHash>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace mosaicon {

namespace platform {
class DirListBox;
class DriveListBox;
} // namespace platform

namespace viewer {

class PictureArea;

// The Image Catalog window: shows a LibraryCatalog and hands the user's
// actions to its rules. Each action first takes the controls into the value
// and afterwards shows the value again; while a command runs, the value's
// changed() shows the picture, the list and the enabled controls.
class FrmLibraryCatalog final : public platform::ValueDialog<LibraryCatalog>
{
    Q_OBJECT

public:
    explicit FrmLibraryCatalog(LibraryCatalog* value, QWidget* parent = nullptr);

    QListWidget* flelist() const { return m_flelist; }
    // The list's pop-up menu, opened by the right button.
    QMenu* menuMouse() const { return m_menuMouse; }
    // The picture as shown.
    QLabel* viewimage() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildListAndFiles();
    QGroupBox* buildOutputFile();
    QGroupBox* buildWebPages();
    QWidget* buildImageSide();
    QGroupBox* buildTargetDirectory();
    QPushButton* button(const char* name, const char* caption, void (LibraryCatalog::*click)(),
                        QWidget* parent);
    QLabel* label(const char* name, const char* caption, QWidget* parent);

    void push() override;
    // Everything but what the user types: the list, the picture, the labels,
    // the frames and which controls are enabled.
    void pushShown();
    void pushList();
    void pushPicture();
    void listChanged();
    void driveChanged(const QString& root);
    void dirChanged(const QString& path);
    void frame2Resized(int widthTwips, int heightTwips);

    QMenu* m_menuMouse = nullptr;
    FileListBox* m_flelist = nullptr;
    QGroupBox* m_frame1 = nullptr;
    PictureArea* m_frame2 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label4 = nullptr;
    QButtonGroup* m_filters = nullptr;
    QLineEdit* m_title = nullptr;
    platform::DriveListBox* m_drive = nullptr;
    platform::DirListBox* m_dir = nullptr;
    QPushButton* m_createCatalog = nullptr;
    QHash<QString, QLabel*> m_labels;
    bool m_pushing = false;
};

// Makes the program show this window wherever the catalog value is shown modally.
void registerFrmLibraryCatalog();

} // namespace viewer
} // namespace mosaicon

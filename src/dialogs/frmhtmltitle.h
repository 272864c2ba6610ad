#pragma once

#include "pagekit/pageprompt.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QSize>

#include <functional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace mosaicon {

// The dialog of the per-page prompt: shows a PagePrompt, hands the user's
// actions to its rules and closes when the value is hidden. Each action first
// takes the controls into the value and afterwards shows the value again, so
// the value is always what the user sees.
class FrmHtmlTitle final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmHtmlTitle(PagePrompt* value, QWidget* parent = nullptr);

    PagePrompt* value() const { return m_value; }
    QAction* menuItem(const QString& menu, int index) const;

    // Esc and the window frame's close button both mean Exit: the run stops.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addMenuItem(QMenu* menu, const QString& menuName, int index, const QString& caption);
    QLineEdit* addTextBox(const QString& name);
    QGroupBox* addFrame(const QString& name);
    void buildControls();

    // Value to controls, and the controls the user edits back into the value.
    void push();
    void pull();
    void run(const std::function<void(PagePrompt&)>& action);
    void runFocusLoss(QObject* box);
    void valueHidden();
    void okClicked();

    QPointer<PagePrompt> m_value;
    bool m_shownOnce = false;
    qint64 m_imageKey = 0;
    QSize m_imageSize;

    QGroupBox* m_f_file_name = nullptr;
    QGroupBox* m_f_url_exit = nullptr;
    QGroupBox* m_Frame3 = nullptr;
    QGroupBox* m_Frame4 = nullptr;
    QGroupBox* m_Frame1 = nullptr;
    QGroupBox* m_Frame5 = nullptr;
    QGroupBox* m_Frame2 = nullptr;
    QLabel* m_o_image = nullptr;
    QLineEdit* m_o_filename = nullptr;
    QLineEdit* m_o_url_exit = nullptr;
    QLineEdit* m_o_title = nullptr;
    QLineEdit* m_o_title_tag = nullptr;
    QLineEdit* m_o_top_banner = nullptr;
    QLineEdit* m_o_top_link = nullptr;
    QLineEdit* m_o_bottom_banner = nullptr;
    QLineEdit* m_o_bottom_link = nullptr;
    QPushButton* m_Command2 = nullptr;
    QPushButton* m_Command4 = nullptr;
    QCheckBox* m_o_default = nullptr;
    QCheckBox* m_o_use_default_values = nullptr;
    QCheckBox* m_o_use_hr = nullptr;
    QPushButton* m_Command1 = nullptr;
    QPushButton* m_Command3 = nullptr;
    QPushButton* m_b_cancel_exit = nullptr;
    QHash<QString, QAction*> m_menuItems;
};

// Makes the program show this dialog wherever the prompt value is shown modally.
void registerFrmHtmlTitle();

} // namespace mosaicon

#pragma once

#include "pagekit/pageprompt.h"

#include "platform/widgets/binder.h"
#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
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
    void buildMenus();
    QLineEdit* textBox(const char* name, platform::TextBox PagePrompt::*field);
    // A frame, around the one control it holds if it is given.
    QGroupBox* frame(const char* name, const char* caption, QWidget* content = nullptr);
    QLayout* buildTop();
    QGroupBox* buildBanners();
    QGroupBox* buildChecksAndButtons();
    QPushButton* addButton(const char* name, const char* caption, void (PagePrompt::*click)());

    void push();
    QRect previewPlace(const platform::ImageControl& image) const;
    void showImage(const platform::ImageControl& image);
    void run(const std::function<void(PagePrompt&)>& action);
    void runFocusLoss(QObject* box);
    void valueHidden();
    void okClicked();

    QPointer<PagePrompt> m_value;
    platform::Binder<PagePrompt> m_binder;
    platform::MenuTree m_menus;
    bool m_shownOnce = false;
    QLabel* m_o_image = nullptr;
    qint64 m_imageKey = 0;
    QSize m_imageSize;
};

// Makes the program show this dialog wherever the prompt value is shown modally.
void registerFrmHtmlTitle();

} // namespace mosaicon

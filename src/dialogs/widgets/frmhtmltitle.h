#pragma once

#include "pagekit/pageprompt.h"

#include "platform/widgets/valuedialog.h"

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
class FrmHtmlTitle final : public platform::ValueDialog<PagePrompt>
{
    Q_OBJECT

public:
    explicit FrmHtmlTitle(PagePrompt* value, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* textBox(const char* name, platform::TextBox PagePrompt::*field);
    // A frame, around the one control it holds if it is given.
    QGroupBox* frame(const char* name, const char* caption, QWidget* content = nullptr);
    QLayout* buildTop();
    QGroupBox* buildBanners();
    QGroupBox* buildChecksAndButtons();

    void push() override;
    QRect previewPlace(const platform::ImageControl& image) const;
    void showImage(const platform::ImageControl& image);
    void runFocusLoss(QObject* box);
    void valueHidden();
    void okClicked();

    QLabel* m_o_image = nullptr;
    qint64 m_imageKey = 0;
    QSize m_imageSize;
};

// Makes the program show this dialog wherever the prompt value is shown modally.
void registerFrmHtmlTitle();

} // namespace mosaicon

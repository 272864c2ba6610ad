#pragma once

#include "dialogs/captiontexts.h"

#include "platform/widgets/binder.h"
#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QPointer>

class QAction;
class QGroupBox;
class QPushButton;

namespace mosaicon {

// Shows CaptionTexts; each action takes the boxes into the value, runs its
// rule and shows the value again. The frame's close and Escape run File > Cancel.
class FrmTxtConv final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmTxtConv(CaptionTexts* value, QWidget* parent = nullptr);

    CaptionTexts* value() const { return m_value; }
    QAction* menuFileItem(int index) const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* buildSlideShowFrame();
    QPushButton* addButton(const char* name, const char* caption, void (CaptionTexts::*click)());
    void run(const std::function<void(CaptionTexts&)>& action);

    QPointer<CaptionTexts> m_value;
    platform::Binder<CaptionTexts> m_binder;
    platform::MenuTree m_menus;
    bool m_shownOnce = false;
};

// Lets the caption texts be shown by their dialog.
void registerFrmTxtConv();

} // namespace mosaicon

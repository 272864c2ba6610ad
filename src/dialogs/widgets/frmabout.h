#pragma once

#include "dialogs/aboutbox.h"

#include "platform/widgets/binder.h"

#include <QDialog>
#include <QPointer>

namespace mosaicon {

// Shows an AboutBox; OK, Escape and the frame's close all end the display.
class FrmAbout final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmAbout(AboutBox* value, QWidget* parent = nullptr);

    AboutBox* value() const { return m_value; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<AboutBox> m_value;
    platform::Binder<AboutBox> m_binder;
};

// Lets the about box be shown by its dialog.
void registerFrmAbout();

} // namespace mosaicon

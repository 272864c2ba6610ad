#include "dialogs/widgets/frmsoptions.h"

#include "platform/widgets/registerdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;

namespace {

const FrmSOptions::CheckRow boxRows[] = {
    {"o_auto_advance", "Automatic Advance", &SlideOptions::o_auto_advance},
    {"o_slide_loop", "Continuous Loop", &SlideOptions::o_slide_loop},
    {"o_use_associated_text", "Use Associated Text (if any)", &SlideOptions::o_use_associated_text},
    {"o_preformatted", "Use Pre-Formatted Text", &SlideOptions::o_preformatted},
    {"o_display_title", "Display Title", &SlideOptions::o_display_title},
    {"o_use_frames", "Create Slide Show using Frames", &SlideOptions::o_use_frames},
    {"o_create_index", "Create Index Page (non frames only)", &SlideOptions::o_create_index},
    {"o_rename_slide", "Rename HTML File", &SlideOptions::o_rename_slide},
    {"o_use_image_directory", "Use Image Directory For Slide Show",
     &SlideOptions::o_use_image_directory},
};

} // namespace

FrmSOptions::FrmSOptions(SlideOptions* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_soptions"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Saves, {}, "&Save/Exit");

    auto* frame = namedWidget<QGroupBox>(QStringLiteral("Frame2"), this);
    auto* grid = new QGridLayout(frame);
    int row = 0;
    for (const auto& [label, box, labelField, boxField] :
         {std::tuple{"Label2", "o_simage_height", &SlideOptions::Label2,
                     &SlideOptions::o_simage_height},
          std::tuple{"Label1", "o_slide_delay", &SlideOptions::Label1,
                     &SlideOptions::o_slide_delay}}) {
        auto* caption =
            m_binder.bind(namedWidget<QLabel>(QString::fromUtf8(label), frame), labelField);
        auto* edit = m_binder.bind(namedWidget<QLineEdit>(QString::fromUtf8(box), frame), boxField);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    for (const CheckRow& r : boxRows)
        grid->addWidget(ruledCheckBox(r.name, r.caption, r.box, frame), row++, 0, 1, 2);
    form->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton("Command1"));
    buttons->addWidget(cancelButton("Command2"));
    form->addLayout(buttons);

    if (m_value)
        setWindowTitle(m_value->caption);
    push();
}

void registerFrmSOptions()
{
    platform::registerDialog<FrmSOptions, SlideOptions>(QStringLiteral("frm_soptions"));
}

} // namespace mosaicon

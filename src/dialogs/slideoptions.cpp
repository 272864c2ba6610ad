#include "dialogs/slideoptions.h"

#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

namespace {

using Box = SlideOptions::Box;

// In the order the load step sets them: a box's rule may change the next one.
const std::pair<Box, bool Settings::*> settingBoxes[] = {
    {&SlideOptions::o_use_frames, &Settings::use_frames},
    {&SlideOptions::o_display_title, &Settings::display_title},
    {&SlideOptions::o_use_associated_text, &Settings::use_associated_text},
    {&SlideOptions::o_preformatted, &Settings::preformatted_text},
    {&SlideOptions::o_auto_advance, &Settings::auto_advance},
    {&SlideOptions::o_slide_loop, &Settings::slide_loop},
    {&SlideOptions::o_rename_slide, &Settings::rename_slide},
};

const QString defaultHeight = QStringLiteral("200");
const QString defaultDelay = QStringLiteral("30");

bool isUnset(const QString& text)
{
    return text.isEmpty() || text == QLatin1String("0");
}

} // namespace

SlideOptions::SlideOptions()
{
    setObjectName(QStringLiteral("frm_soptions"));
}

void SlideOptions::Form_Load()
{
    const Settings& s = settings();
    o_simage_height.text = s.slide_image_height;
    o_slide_delay.text = isUnset(s.slide_delay) ? defaultDelay : s.slide_delay.text();
    for (const auto& [box, setting] : settingBoxes)
        setCheck(box, s.*setting);
    setCheck(&SlideOptions::o_create_index, program().create_index);
}

void SlideOptions::setCheck(Box box, bool on)
{
    if ((this->*box).value == on)
        return;
    (this->*box).value = on;
    changed(box);
}

void SlideOptions::changed(Box box)
{
    const bool on = (this->*box).value;
    if (box == &SlideOptions::o_auto_advance) {
        o_slide_loop.enabled = on;
        o_slide_delay.enabled = on;
        Label1.enabled = on;
        if (!on)
            o_slide_loop.value = false;
    } else if (box == &SlideOptions::o_use_associated_text) {
        o_preformatted.enabled = on;
        o_preformatted.value = on;
    }
}

void SlideOptions::saveAndClose()
{
    Settings& s = settings();
    s.slide_image_height = isUnset(o_simage_height.text) ? defaultHeight : o_simage_height.text;
    s.slide_delay = isUnset(o_slide_delay.text) ? defaultDelay : o_slide_delay.text;
    for (const auto& [box, setting] : settingBoxes)
        s.*setting = (this->*box).value;
    program().create_index = o_create_index.value;
    emit hidden();
}

void SlideOptions::Form_Unload()
{
    saveAndClose();
}

void SlideOptions::showModally()
{
    SlideOptions window;
    window.Form_Load();
    platform::ui().showModal(window.objectName(), &window);
    window.Form_Unload();
}

} // namespace mosaicon

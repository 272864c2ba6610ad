#include "dialogs/optionwindows.h"

#include "dialogs/coloroptions.h"
#include "dialogs/placementoptions.h"
#include "dialogs/slideoptions.h"

#include "pagekit/pageprompt.h"

namespace mosaicon {

void installOptionWindows()
{
    PagePrompt::setOptionWindowOpener([](const QString& window) {
        if (window == QLatin1String("frm_color"))
            ColorOptions::showModally();
        else if (window == QLatin1String("frm_fullimage"))
            PlacementOptions::showModally();
        else if (window == QLatin1String("frm_soptions"))
            SlideOptions::showModally();
    });
}

} // namespace mosaicon

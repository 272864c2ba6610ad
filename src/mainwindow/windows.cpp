#include "mainwindow/windows.h"

#include "mainwindow/multidrive.h"
#include "mainwindow/quickview.h"

#include "dialogs/coloroptions.h"
#include "dialogs/placementoptions.h"
#include "dialogs/slideoptions.h"
#include "dialogs/widgets/frmabout.h"
#include "dialogs/widgets/frmapps.h"
#include "dialogs/widgets/frmassoctext2.h"
#include "dialogs/widgets/frmcolor.h"
#include "dialogs/widgets/frmfullimage.h"
#include "dialogs/widgets/frmhtmledit.h"
#include "dialogs/widgets/frmhtmlheadingfooting.h"
#include "dialogs/widgets/frmhtmltitle.h"
#include "dialogs/widgets/frmoptions.h"
#include "dialogs/widgets/frmsoptions.h"
#include "dialogs/widgets/frmtempdir.h"
#include "dialogs/widgets/frmthumbdirs.h"
#include "dialogs/widgets/frmtxtconv.h"

#include "viewer/widgets/frmlibrarycatalog.h"
#include "viewer/widgets/frmsimplev.h"
#include "viewer/widgets/frmviewem.h"

#include "platform/windowregistry.h"

namespace mosaicon {

void registerWindows()
{
    registerFrmHtmlTitle();
    registerFrmHtmlEdit();
    registerFrmAssocText2();
    registerFrmHtmlHeadingFooting();
    registerFrmColor();
    registerFrmFullImage();
    registerFrmAbout();
    registerFrmTxtConv();
    registerFrmTempDir();
    registerFrmApps();
    registerFrmSOptions();
    registerFrmOptions();
    registerFrmThumbDirs();
    registerQuickView();
    registerMultiDrive();
    viewer::registerFrmViewem();
    viewer::registerFrmSimpleV();
    viewer::registerFrmLibraryCatalog();

    // The page prompt's Options menu opens these by name, each on a value of its own.
    platform::registerWindowOpener(QStringLiteral("frm_color"), &ColorOptions::showModally);
    platform::registerWindowOpener(QStringLiteral("frm_fullimage"), &PlacementOptions::showModally);
    platform::registerWindowOpener(QStringLiteral("frm_soptions"), &SlideOptions::showModally);
}

} // namespace mosaicon

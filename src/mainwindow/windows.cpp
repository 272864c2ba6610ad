#include "mainwindow/windows.h"

#include "mainwindow/multidrive.h"
#include "mainwindow/quickview.h"

#include "dialogs/coloroptions.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmapps.h"
#include "dialogs/frmassoctext2.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmfullimage.h"
#include "dialogs/frmhtmledit.h"
#include "dialogs/frmhtmlheadingfooting.h"
#include "dialogs/frmhtmltitle.h"
#include "dialogs/frmoptions.h"
#include "dialogs/frmsoptions.h"
#include "dialogs/frmtempdir.h"
#include "dialogs/frmthumbdirs.h"
#include "dialogs/frmtxtconv.h"
#include "dialogs/placementoptions.h"
#include "dialogs/slideoptions.h"

#include "viewer/frmlibrarycatalog.h"
#include "viewer/frmsimplev.h"
#include "viewer/frmviewem.h"

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

#include "mainwindow/windows.h"

#include "mainwindow/multidrive.h"
#include "mainwindow/quickview.h"

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
#include "dialogs/optionwindows.h"

#include "viewer/frmlibrarycatalog.h"
#include "viewer/frmsimplev.h"
#include "viewer/frmviewem.h"

namespace mosaicon {

void registerWindows()
{
    registerFrmHtmlTitle();
    registerFrmHtmlEdit();
    registerFrmAssocText2();
    registerFrmHtmlHeadingFooting();
    registerFrmColor();
    registerFrmFullImage();
    installOptionWindows();
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
}

} // namespace mosaicon

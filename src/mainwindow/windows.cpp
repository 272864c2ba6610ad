#include "mainwindow/windows.h"

#include "mainwindow/multidrive.h"
#include "mainwindow/quickview.h"

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
#include "dialogs/optionwindows.h"

#include "viewer/widgets/frmlibrarycatalog.h"
#include "viewer/widgets/frmsimplev.h"
#include "viewer/widgets/frmviewem.h"

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

#include "mainwindow/mainform.h"
#include "mainwindow/multidrive.h"
#include "mainwindow/quickview.h"

#include "dialogs/frmassoctext2.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmfullimage.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmapps.h"
#include "dialogs/frmhtmledit.h"
#include "dialogs/frmhtmlheadingfooting.h"
#include "dialogs/frmhtmltitle.h"
#include "dialogs/frmoptions.h"
#include "dialogs/frmsoptions.h"
#include "dialogs/frmtempdir.h"
#include "dialogs/frmthumbdirs.h"
#include "dialogs/frmtxtconv.h"
#include "dialogs/optionwindows.h"

#include "settings/program.h"
#include "viewer/frmlibrarycatalog.h"

#include "viewer/frmsimplev.h"
#include "viewer/frmviewem.h"

#include "platform/events.h"
#include "platform/ui.h"
#include "platform/widgets/widgetui.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mosaicon"));
    QApplication::setQuitOnLastWindowClosed(false);

    mosaicon::platform::WidgetUi ui;
    mosaicon::platform::setUi(&ui);
    mosaicon::registerFrmHtmlTitle();
    mosaicon::registerFrmHtmlEdit();
    mosaicon::registerFrmAssocText2();
    mosaicon::registerFrmHtmlHeadingFooting();
    mosaicon::registerFrmColor();
    mosaicon::registerFrmFullImage();
    mosaicon::installOptionWindows();
    mosaicon::registerFrmAbout();
    mosaicon::registerFrmTxtConv();
    mosaicon::registerFrmTempDir();
    mosaicon::registerFrmApps();
    mosaicon::registerFrmSOptions();
    mosaicon::registerFrmOptions();
    mosaicon::registerFrmThumbDirs();
    mosaicon::registerQuickView();
    mosaicon::registerMultiDrive();
    mosaicon::viewer::registerFrmViewem();
    mosaicon::viewer::registerFrmSimpleV();
    mosaicon::viewer::registerFrmLibraryCatalog();
    mosaicon::program().arguments = QApplication::arguments().mid(1);

    mosaicon::MainForm form;
    form.Form_Load();
    if (mosaicon::platform::programEnded())
        return 0;
    return QApplication::exec();
}

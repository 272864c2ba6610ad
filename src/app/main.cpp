#include "mainwindow/mainform.h"
#include "mainwindow/windows.h"

#include "settings/program.h"

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
    mosaicon::registerWindows();
    mosaicon::program().arguments = QApplication::arguments().mid(1);

    mosaicon::MainForm form;
    form.Form_Load();
    if (mosaicon::platform::programEnded())
        return 0;
    return QApplication::exec();
}

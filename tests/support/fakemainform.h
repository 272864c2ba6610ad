#pragma once

#include "platform/mainformview.h"

#include <QStringList>

// A main window that records, in order, what the settings and start-up
// services ask of it.
class FakeMainForm final : public mosaicon::platform::MainFormView
{
public:
    QStringList calls;
    std::optional<QRect> geometry;

    void setCaption(const QString& caption) override { calls << QStringLiteral("caption ") + caption; }
    void setBackgroundColor(qint32 color) override { calls << QStringLiteral("background ") + QString::number(color); }
    void showLogoView(const QString& logoFile) override { calls << QStringLiteral("logo ") + logoFile; }
    void showListView() override { calls << QStringLiteral("lists"); }
    void refreshToolbar() override { calls << QStringLiteral("refreshToolbar"); }
    std::optional<QRect> normalGeometryTwips() const override { return geometry; }
    void showStatus(const QString& text) override { calls << QStringLiteral("status ") + text; }
    void setDialogInitialDirectory(const QString& folder) override
    {
        calls << QStringLiteral("dialog folder ") + folder;
    }
    void showViewImagesMenuItem() override { calls << QStringLiteral("View Images"); }
    void showToolbarButton(int position) override { calls << QStringLiteral("button ") + QString::number(position); }
};

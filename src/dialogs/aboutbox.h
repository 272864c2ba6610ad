#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The about box as a value: its texts and its one rule (OK hides it), so the
// Help command and its tests need no widgets.
class AboutBox : public platform::DialogValue
{
    Q_OBJECT

public:
    // The load step: fills the title and the description.
    explicit AboutBox(QObject* parent = nullptr);

    QString caption = QStringLiteral("About Mosaicon");
    platform::Label Label8;
    platform::Label Label9;

    // Shows the box modally; returns when it has been hidden.
    void show();
    // OK.
    void close();
};

} // namespace mosaicon

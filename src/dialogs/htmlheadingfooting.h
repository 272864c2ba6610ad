#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace mosaicon {

// "HTML Heading  And Footing": the texts of "htmlhead.htm" and
// "htmlfoot.htm" in the program folder, the two files being the store.
// Leaving the window in any way saves both files, Cancel included.
class HtmlHeadingFooting : public platform::DialogValue
{
    Q_OBJECT

public:
    static constexpr int loadedHeight = 6435; // twips
    static constexpr int smallestSide = 5000; // twips

    explicit HtmlHeadingFooting(QObject* parent = nullptr);

    // Fills the boxes from the files (a missing file gets its default lines
    // first), shows the window modally and saves as the window goes.
    static void edit();
    // The same, for a file that is missing, with its lines given here; no
    // file is created before the window saves.
    static void edit(const QStringList& headingLines, const QStringList& footingLines);

    QString caption = QStringLiteral("HTML Heading  And Footing");
    int height = loadedHeight; // twips
    // Every line followed by CR LF, as the files hold them.
    platform::TextBox html_header;
    platform::TextBox html_footer;

    // Save / Exit: writes both files, then hides the window; a file that
    // cannot be written is reported and the window stays.
    void saveAndClose();
    // The window goes: saves, unless Save / Exit has.
    void Form_Unload();

    // Writes both files; false once a failure has been reported.
    bool save();

private:
    static void edit(const QString& heading, const QString& footing);

    bool m_saved = false;
};

} // namespace mosaicon

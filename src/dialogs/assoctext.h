#pragma once

#include "platform/dialogvalue.h"
#include "platform/imagecontrol.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// "Associate Text With Image": the title and text of one image, kept as the
// image's associated-text records. The value holds the controls' state and
// the window's rules; the dialog only shows it.
class AssocText : public platform::DialogValue
{
    Q_OBJECT

public:
    // The preview box, in twips.
    static constexpr int previewWidth = 3015;
    static constexpr int previewHeight = 1755;

    explicit AssocText(QObject* parent = nullptr);

    // Opens the editor modally for one image; the caller word says which
    // window asked ("main" or "viewem").
    static void edit(const QString& caller, const QString& image_path);

    QString caption = QStringLiteral("Associate Text With Image");
    Frame Frame2{QStringLiteral("File Name")};
    Label o_filename;
    Frame Frame3{QStringLiteral("Image"), false};
    platform::ImageControl o_image;
    Frame Frame4{QStringLiteral("Title / Subject")};
    TextBox o_title;
    Frame Frame1{QStringLiteral("Associated Text Content")};
    // Every line followed by CR LF, as the text file holds it.
    TextBox o_text;
    Label Label1{QStringLiteral("Enter the desired text you want to associate with this image.  "
                                "This text can be placed on the HTML slide presentation.")};

    // Shows the image's preview, text and title.
    void setFilename(const QString& path);

    // OK: hidden, then the text and the title are stored.
    void saveAndClose();
    // Clear Text: empties text and title; nothing is stored until OK.
    void clearText();

private:
    void showPreview(const QString& path);
    void store();
};

} // namespace mosaicon

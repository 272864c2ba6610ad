#include "dialogs/assoctext.h"

#include "pagekit/thumbnails.h"
#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

namespace {

const QString lineEnd = QStringLiteral("\r\n");

} // namespace

AssocText::AssocText(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_assoctext2"));
}

void AssocText::edit(const QString& caller, const QString& image_path)
{
    program().assoc_text_caller = caller;
    AssocText editor;
    editor.setFilename(image_path);
    platform::ui().showModal(editor.objectName(), &editor);
}

void AssocText::setFilename(const QString& path)
{
    o_filename.caption = path;
    showPreview(path);
    o_text.text.clear();
    for (const QString& line : associated_text_lines(path))
        o_text.text += line + lineEnd;
    o_title.text = associated_title(path);
}

// A picture larger than the box is reduced, its proportions kept, until it
// fits both ways; a smaller one keeps its natural size.
void AssocText::showPreview(const QString& path)
{
    Frame3.visible = is_image_file(path);
    if (!Frame3.visible) {
        o_image.setFileName(QString());
        return;
    }
    o_image.setFitMode(platform::FitMode::OwnSize);
    if (o_image.setFileName(path))
        fit_in_box(o_image, previewWidth, previewHeight);
}

void AssocText::saveAndClose()
{
    emit hidden();
    store();
}

void AssocText::clearText()
{
    o_text.text.clear();
    o_title.text.clear();
}

// The text file is written before its record, and the title only after it:
// a text that could not be written leaves both records as they were.
void AssocText::store()
{
    const QString& path = o_filename.caption;
    // The file gets a line end after the text only when the text lacks one,
    // so an untouched text never grows an empty line at every OK.
    QString text = o_text.text;
    if (text.endsWith(lineEnd))
        text.chop(lineEnd.size());
    QString error;
    if (!store_associated_text(path, text, &error)) {
        platform::msgbox(QStringLiteral("The text could not be saved.\n%1").arg(error),
                         platform::MsgBox::Exclamation, caption);
        return;
    }
    store_associated_title(path, o_title.text);
}

} // namespace mosaicon

#pragma once

#include <QString>

namespace mosaicon {

// What a writer proposes before one page.
struct PageProposal
{
    QString frameCaption = QStringLiteral("HTML File Name");
    QString title;    // the default for both title boxes
    QString fileName; // the proposed page name
    bool hasImage = false;
};

// The prompt exchange before one page: fills the prompt window, shows it
// unless the user chose to use the defaults (or header and footer files are
// on), and reads it back. False when the user stopped the run there.
bool prompt_for_page(const PageProposal& proposal);

class TextFile;

// The page's path: the file name the prompt holds, in the internet directory
// whatever folder was typed. False, after saying so, when there is no name.
bool page_path_from_prompt(QString& page_path);

// Saves a finished page; when it cannot be written, says so once (with the
// reason) and gives false, so the run stops there.
bool save_page(const TextFile& page, const QString& page_path);

// Lists a file the run has just opened for output.
void list_generated_file(const QString& path);

// Who opens the page in the editor at the end of a run.
enum class EditorStart
{
    FromList,       // the generated-file list is offered
    DirectWhenAlone // the editor opens the page itself when it is the only file listed
};

// The end of a run: reports the page and opens it in the browser or the
// editor; a run that produced nothing removes its page.
void end_page_run(const QString& page_path, bool produced, EditorStart editor = EditorStart::FromList);

} // namespace mosaicon

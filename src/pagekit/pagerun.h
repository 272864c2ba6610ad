#pragma once

#include "pagekit/batchfiles.h"
#include "pagekit/generatedfiles.h"
#include "pagekit/pagelists.h"
#include "pagekit/pageprompt.h"

#include "platform/imagecontrol.h"

#include <QString>

#include <memory>

namespace mosaicon {

class TextFile;

// What a writer proposes before one page.
struct PageProposal
{
    QString frameCaption = QStringLiteral("HTML File Name");
    QString title;    // the default for both title boxes
    QString fileName; // the proposed page name
    bool hasImage = false;
};

// Who opens the page in the editor at the end of a run.
enum class EditorStart
{
    FromList,       // the generated-file list is offered
    DirectWhenAlone // the editor opens the page itself when it is the only file listed
};

// One page run (a page, a slide show or a catalog): what it works on, the
// questions it asks, the files it writes and its flags. Nothing of a run is
// global: a writer gets everything it needs from the run it is given, and
// options it overrides for itself are fields here, never settings changed
// and put back.
class PageRun
{
public:
    explicit PageRun(PageLists lists);
    ~PageRun();
    PageRun(const PageRun&) = delete;
    PageRun& operator=(const PageRun&) = delete;

    // The file list and the working lists the run fills.
    PageLists lists;
    // The toolbar key that started the run; the create-HTML driver writes the
    // advanced page after "advhtml" and the vertically aligned one otherwise.
    QString toolbarKey;
    // Taken from the settings when the run starts.
    bool internetReady = false;
    bool relativeAddress = false;

    // The per-page prompt, shown before each page, and the files the run wrote.
    PagePrompt& prompt() { return *m_prompt; }
    GeneratedFiles& generated() { return *m_generated; }
    BatchScripts& scripts() { return m_scripts; }
    // The engine that makes the run's thumbnails one at a time.
    platform::ImageControl& thumbnailEngine() { return m_engine; }

    // The prompt exchange before one page: fills the prompt, shows it unless
    // the user chose to use the defaults (or header and footer files are on),
    // and reads it back. False when the user stopped the run there.
    bool askForPage(const PageProposal& proposal);
    // The user left the prompt by its exit button: the run stops.
    bool stopped() const { return m_prompt->page_prompt_cancel; }

    // The page's path: the file name the prompt holds, in the internet
    // directory whatever folder was typed. False, after saying so, when there
    // is no name.
    bool pagePathFromPrompt(QString& page_path) const;

    // Lists a file the run has just opened for output.
    void listFile(const QString& path);

    // Opens the page the prompt names: its path, listed, with the batch
    // scripts begun beside it. False, after saying so, when there is no name.
    bool openPage(QString& page_path);

    // With nothing in the working list, says so and saves the page as it
    // stands; true when it did.
    bool savedBlank(const TextFile& page, const QString& page_path) const;

    // Saves a finished page; when it cannot be written, says so once (with
    // the reason) and gives false, so the run stops there.
    bool savePage(const TextFile& page, const QString& page_path) const;

    // The end of the run: reports the page and opens it in the browser or the
    // editor; a run that produced nothing removes its page.
    void finish(const QString& page_path, bool produced, EditorStart editor = EditorStart::FromList);

private:
    std::unique_ptr<PagePrompt> m_prompt;
    std::unique_ptr<GeneratedFiles> m_generated;
    BatchScripts m_scripts;
    platform::ImageControl m_engine;
};

// Every run starts here, whether the toolbar, a test or a benchmark starts it.
std::unique_ptr<PageRun> start_page_run(PageLists lists, const QString& toolbar_key);

} // namespace mosaicon

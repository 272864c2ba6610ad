#pragma once

#include "pagekit/batchfiles.h"
#include "pagekit/besidewindow.h"
#include "pagekit/generatedfiles.h"
#include "pagekit/pagelists.h"
#include "pagekit/pageprompt.h"

#include "platform/imagecontrol.h"

#include <QHash>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace mosaicon {

class TextFile;

// Where the two title boxes' default comes from.
enum class TitleFrom
{
    // The proposal's own title.
    Proposal,
    // The picture's stored title, or its file name when it has none.
    PictureRecord
};

// Whether the user may change the proposed name.
enum class NameBox
{
    Editable,
    // The writer fixes the name (slides, the index of a frameless show).
    Locked,
    // The full-size page's rule: when the prompt is shown for a GIF or JPEG
    // picture, the box is captioned "Image File Name" and locked; otherwise
    // it is editable.
    LockedForPicture
};

// When the prompt is left unshown and the boxes' values are used as they stand.
enum class Unasked
{
    // The slide shows: only when the user ticked "use default values".
    WhenDefaultsChosen,
    // The page writers: also while header and footer files are on.
    WhenDefaultsChosenOrHeadAndFoot
};

// What a writer proposes before one page: every way one writer's prompt
// differs from another's is a field here, so each difference is stated.
struct PageProposal
{
    // The frame caption over the name box; none keeps the previous page's caption.
    std::optional<QString> frameCaption = QStringLiteral("HTML File Name");
    TitleFrom titleFrom = TitleFrom::Proposal;
    QString title;    // the default for both title boxes, with TitleFrom::Proposal
    QString fileName; // the proposed page name (or path) as the name box shows it
    // The picture previewed in the image frame, and whose stored title is
    // proposed; "" hides the frame.
    QString picture;
    NameBox nameBox = NameBox::Editable;
    // The exit address cannot be changed while the prompt shows (the framed slide show).
    bool exitAddressLocked = false;
    Unasked unasked = Unasked::WhenDefaultsChosenOrHeadAndFoot;
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

    // The folder the run writes its pages to: the internet directory of the
    // settings when the run starts, or the catalog's target folder.
    const QString& folder() const { return m_folder; }

    // The per-page prompt, shown before each page, and the files the run wrote.
    PagePrompt& prompt();
    GeneratedFiles& generated() { return *m_generated; }
    BatchScripts& scripts() { return m_scripts; }
    // The engine that makes the run's thumbnails one at a time.
    platform::ImageControl& thumbnailEngine() { return m_engine; }

    // The prompt exchange before one page: fills the prompt as the proposal
    // says, shows it unless the proposal's rule leaves it unasked, and reads
    // it back. False when the user stopped the run there.
    bool askForPage(const PageProposal& proposal);
    // Whether a prompt under this rule would be shown.
    bool asks(Unasked rule);
    // The user left the prompt by its exit button, or left the window: the run stops.
    bool stopped() const { return m_left || (m_prompt && m_prompt->page_prompt_cancel); }

    // The stop of the run's work beside the window: set by a failure and
    // when the user leaves.
    RunStop& workStop() { return m_workStop; }
    // The user closed the window the run belongs to: the work in hand
    // finishes, and nothing more is asked, told, written or opened; what
    // the run recorded is saved by whoever ends the program.
    void leave();
    bool left() const { return m_left; }

    // The page's path: the file name the prompt holds, in the run's folder
    // whatever folder was typed. None, after saying so, when there is no
    // name.
    std::optional<QString> pagePathFromPrompt();

    // Lists a file the run has just opened for output.
    void listFile(const QString& path);

    // Opens the page the prompt names: its path, listed, with the batch
    // scripts begun beside it. None, after saying so, when there is no name
    // or the run has failed.
    std::optional<QString> openPage();

    // With nothing in the working list, says so and saves the page as it
    // stands; true when it did.
    bool savedBlank(const TextFile& page, const QString& page_path);

    // Saves a finished page; when it cannot be written, says so once (with
    // the reason) and gives false, so the run stops there.
    bool savePage(const TextFile& page, const QString& page_path);

    // The end of the run: writes the settings file, reports the page and
    // opens it in the browser or the editor; a run that produced nothing
    // removes its page. A failed run reports nothing.
    void finish(const QString& page_path, bool produced, EditorStart editor = EditorStart::FromList);
    // The steps of finish() for a run that reports in words of its own:
    // writes the settings file (false, after saying so, when it cannot or the
    // run failed), and opens the page in the browser and the editor as the
    // settings ask.
    bool saveRecords();
    void startViewers(const QString& page_path, EditorStart editor = EditorStart::FromList);
    // The end of a catalog run: its home page opened with the system's
    // handler, whatever the browser settings say; a failed run opens nothing.
    void openCatalog(const QString& home_path);

    // The run cannot go on (as a rule a file it had to write could not be
    // written): the user is told once (message box, and status line for a
    // page run) and the run stops; nothing after it reports success. Later
    // failures of the same run are not told again.
    void fail(const QString& message);
    bool failed() const { return m_failed; }

    // A batch script could not be written; "" is no failure.
    void failScript(bool ok, const QString& error);

    // Lists a file the page links to in the copy script when the run placed
    // it in its folder.
    void publish(const QString& path);

    // Copies the user's background picture into the folder and gives the
    // body tag that shows it from there; a failed copy fails the run.
    QString backgroundBody(const QString& folder);

    // A picture of the list that could not be read: named on the status line
    // now and listed with its reason by reportUnreadable() at the end.
    void unreadable(const QString& path, const QString& reason);
    // A file of the user's that the run left where it would have written
    // (a thumbnail edited since it was made): told on the status line now and
    // by reportUnreadable() at the end.
    void keptUsersFile(const QString& message);
    // Lists them, and the files kept, in one box at the end of a run that
    // neither failed nor was stopped.
    void reportUnreadable() const;

    // The pixel size of a picture the run has decoded already.
    QHash<QString, QSize> pixelSizes;
    // The pictures the run tried to decode and could not.
    QSet<QString> undecodable;

private:
    struct CatalogTag
    {
    };
    PageRun(CatalogTag, const QString& folder);
    friend std::unique_ptr<PageRun> start_catalog_run(const QString& folder);

    void fillPrompt(const PageProposal& proposal, bool shown);

    QString m_folder;
    // The catalog run's words and ways: its pages are "catalog pages", a
    // failure is told in a message box alone (the catalog has its own
    // window), and it has no prompt.
    bool m_catalog = false;
    bool m_failed = false;
    bool m_left = false;
    RunStop m_workStop;
    QStringList m_unreadable;
    QStringList m_kept;
    std::unique_ptr<PagePrompt> m_prompt;
    std::unique_ptr<GeneratedFiles> m_generated;
    BatchScripts m_scripts;
    platform::ImageControl m_engine;
};


// Every run starts here, whether the toolbar, a test or a benchmark starts it.
std::unique_ptr<PageRun> start_page_run(PageLists lists, const QString& toolbar_key);

// The catalog's run: it writes into the folder given, asks nothing per page,
// and ends by openCatalog().
std::unique_ptr<PageRun> start_catalog_run(const QString& folder);

} // namespace mosaicon

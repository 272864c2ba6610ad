#include "settings/helppage.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/ui.h"

#include <QFileInfo>

namespace mosaicon {

namespace {

// The page as the program ships it; its lines are written with CR LF ends.
const char helpPage[] = R"html(<html>
<head>
<meta charset="utf-8">
<title>Mosaicon Help</title>
</head>
<body>
<h1>Mosaicon Help</h1>
<p>Mosaicon turns collections of image files into web pages. You gather images into
the file list of the main window, then write quick, simple, advanced or vertically
aligned pages, slide shows or paged catalogs from it. It also views images and makes
JPEG copies and thumbnails of them.</p>
<ul>
<li><a href="#main">The main window</a></li>
<li><a href="#toolbar">The toolbar</a></li>
<li><a href="#menus">The menus</a></li>
<li><a href="#windows">The other windows</a></li>
<li><a href="#folder">The program folder</a></li>
<li><a href="#switches">The command line</a></li>
</ul>

<h2><a name="main">The main window</a></h2>
<p>Choose a drive in the drive box, a folder in the directory list and a file pattern
(for example <b>*.jpg</b>) in the pattern box: the <b>file list</b> beside them then holds
every file of that folder that matches the pattern, each with its full path. The
multi-drive search, a saved file profile, a list file named on the command line and
<b>Use Virtual Directory</b> fill the file list too. Every page, slide show and catalog
is made from the file list; where only some entries are to be used, select them first.</p>
<p>With the right mouse button on the file list you get the <b>Item List Menu</b>:
<b>Associate Text</b> opens the associated text editor for the current entry, and
<b>Open using associated application</b> opens the entry with the desktop's program
for files of its kind.</p>
<p><b>Clear File List</b> empties the list and, when you have chosen a logo, shows it in
place of the lists; a click or a key press on the window brings the lists back.</p>

<h2><a name="toolbar">The toolbar</a></h2>
<table border="1" cellpadding="4">
<tr><th>Button</th><th>What it does</th></tr>
<tr><td>Exit The Application</td><td>Saves every setting and ends the program.</td></tr>
<tr><td>Save The File List To A Text File</td><td>Writes the file list to a file profile (a name ending in .fpr), one path a line.</td></tr>
<tr><td>Load A List Of File Names From A Text File</td><td>Fills the file list from a file profile; files that no longer exist are left out, and you are told so.</td></tr>
<tr><td>Locate And Load Files Names</td><td>Opens the <b>multi-drive search</b>, which gathers files from several folders and drives, with their sub-folders if you like.</td></tr>
<tr><td>View The Images In The File List</td><td>Opens <b>View Images</b> on the file list.</td></tr>
<tr><td>Create A Quick HTML File With Images</td><td>Opens the <b>quick HTML</b> window: pick a folder and the program writes a page of links to its GIF and JPEG pictures.</td></tr>
<tr><td>Create A Simple HTML File With Images</td><td>Writes a simple page of links to the GIF and JPEG pictures of the file list.</td></tr>
<tr><td>Create An Advanced HTML File From File List</td><td>Makes a thumbnail of each picture and writes a page with a table of thumbnails and captions, plus one full-size page for each picture.</td></tr>
<tr><td>Create Vertically Aligned Image HTML</td><td>Writes a page with the pictures one below the other, each with its associated text.</td></tr>
<tr><td>Create A HTML Slide Show From File List</td><td>Writes a slide show, with frames or without, as the slide-show options say.</td></tr>
<tr><td>Delete The Selected File(s) From Disk</td><td>After asking, deletes the selected files from the disk and removes them from the list.</td></tr>
<tr><td>Remove The Selected File(s) From The List.</td><td>After asking, removes the selected entries from the list; the files stay on the disk.</td></tr>
<tr><td>Associate Text With Image</td><td>Opens the associated text editor for each selected entry in turn.</td></tr>
</table>
<p>Before a page is written you are asked for its file name, then the <b>page prompt</b>
asks for the page's title, its &lt;title&gt; tag and its banners. When the page is
done, the pages written are listed so you can open them in your HTML editor, and the
page is opened in the browser when <b>Auto Start Browser</b> is on.</p>
<p>Pages open in the desktop's default browser, the one your desktop opens web pages
with; if none is set up, you are told why the page could not be opened. The program
needs no browser setting of its own.</p>

<h2><a name="menus">The menus</a></h2>
<h3>File</h3>
<ul>
<li><b>Auto Select</b>, <b>Select Browser...</b> and <b>Clear Browser</b> do nothing:
pages open in the desktop's default browser, so there is no browser to choose.</li>
<li><b>Select Editor</b> chooses the HTML editor program; <b>Clear Editor</b> forgets it;
<b>Editor's Command Line Parameters</b> sets the whole command that starts it.</li>
<li><b>Locate Local Files</b> opens the multi-drive search.</li>
<li><b>Create HTML File</b> writes the advanced page from the file list.</li>
<li><b>Simple Images</b> opens <b>Simple View</b>; <b>View Images</b> opens View Images.</li>
<li><b>Logo</b> chooses the picture shown while the list is empty; <b>Clear Logo</b> removes it;
<b>Background Color</b> sets the window's colour behind it.</li>
<li><b>Clear File List</b> empties the file list.</li>
<li><b>Exit</b> saves every setting and ends the program.</li>
</ul>
<h3>Applications</h3>
<p>Shows and sets the command that starts your HTML editor.</p>
<h3>Options</h3>
<ul>
<li><b>HTML</b> opens the HTML options: thumbnails, sizes, captions, colours, the
target folder, the heading and footer, and what happens after a page is written.</li>
<li><b>Locate Local Files</b> opens the multi-drive search.</li>
<li><b>Clipboard Conversion</b>: while checked, a browser's "file:///" address copied
to the clipboard is replaced by the file's own path.</li>
<li><b>Image Catalog</b> opens the Image Catalog window.</li>
<li><b>Image Window</b>: while checked, a separate window shows the picture of the file
list entry you double click.</li>
<li><b>Slides</b> opens the slide-show options.</li>
<li><b>Thumbnails &gt; Background Color</b> sets the colour behind pictures that do not
fill their thumbnail.</li>
<li><b>Use Virtual Directory</b> fills the file list from a list file you choose.</li>
</ul>
<h3>Output</h3>
<p><b>Advanced HTML</b>, <b>Quick HTML</b>, <b>Simple HTML</b>, <b>Slide Show</b> and
<b>Vertically Aligned HTML</b> write the same pages as the toolbar buttons. Advanced HTML
and Vertically Aligned HTML write the kind of page that the last toolbar button
chose: the advanced page after the advanced page button, else the vertically aligned one.</p>
<h3>Help</h3>
<p><b>Contents</b>, <b>Search For Help On</b> and <b>Help File (HTML format)</b> open this
page in the desktop's default browser. <b>About</b> shows the program's version.</p>

<h2><a name="windows">The other windows</a></h2>
<dl>
<dt><b>Multi-drive search</b> (Locate Local Files)</dt>
<dd>Add folders to the directory list, choose a pattern and whether to look in
sub-folders, then add the files found to the window's file list. <b>OK</b> puts them in
the main window's file list. The directory list and the file list can be saved as
profiles and loaded again.</dd>
<dt><b>Quick HTML</b></dt>
<dd>Browse to a folder; its GIF and JPEG pictures are listed. <b>Create HTML</b> writes a
page of links to them; the main window's file list is not changed.</dd>
<dt><b>HTML Title And &lt;title&gt; Tag</b> (the page prompt)</dt>
<dd>Shown before each page: the heading of the page, its &lt;title&gt; tag, and the top
and bottom banners with their links. <b>Use the current Title and &lt;title&gt;
information for all remaining pages</b> keeps the answers for the rest of the run. Its Options menu opens the colours, the image and text
placement and the slide-show options.</dd>
<dt><b>HTML Options</b></dt>
<dd>Thumbnail size and quality, prefix or postfix of thumbnail names, borders, items
across the page, cell padding, the file details shown under each file, relative
addresses, the copy and delete scripts, and the buttons that open the colours, the caption texts, the heading and
footer, the target folder and the slide-show options.</dd>
<dt><b>Slide Show Options</b></dt>
<dd>Frames or no frames, an index page, automatic advance with its delay in seconds,
continuous loop, the largest thumbnail height, titles and associated text.</dd>
<dt><b>Color Selection</b></dt>
<dd>Click a sample (text, links, background, image border), then a colour. A background
picture can be used instead of the background colour.</dd>
<dt><b>Image And Text Placement</b></dt>
<dd>Whether full-size pages show the picture only or with text, where the text stands,
and whether associated or pre-formatted text is used.</dd>
<dt><b>HTML Text Conversion</b></dt>
<dd>The texts the pages use for their links ("View Slide", "Click Here" and the others)
and the copyright line. <b>Reset To Original Values</b> brings back the shipped texts.</dd>
<dt><b>HTML Heading And Footing</b></dt>
<dd>Edits the heading and footer that pages start and end with (the files htmlhead.htm
and htmlfoot.htm).</dd>
<dt><b>Target Directory</b></dt>
<dd>Chooses the folder pages and their files are written to.</dd>
<dt><b>Associated Text</b></dt>
<dd>A title and a text kept for one picture; the vertically aligned page, the slide
shows and the full-size pages show them.</dd>
<dt><b>Edit HTML Files</b></dt>
<dd>Lists the pages a run wrote; double click one to open it in your HTML editor.</dd>
<dt><b>View Images</b></dt>
<dd>Two lists, the current and a new file list, beside the picture of the chosen entry
with its size. Double click an entry to move it to the other list. The buttons make a
JPEG copy or a thumbnail of the shown picture or of a whole list, in the target folder
or, with <b>Create Images(s) In Source Directory</b>, beside the pictures; <b>Thumb
Size</b> is the thumbnail size in pixels. <b>Copy</b> or <b>Move</b> and the file
buttons copy, move and delete the selected files (<b>View File Copy Log</b> shows what
was done this run).
<ul>
<li><b>File &gt; Exit And Use Current File List</b> and <b>Exit And Use New File List</b>
put that list in the main window's file list, when it has entries, and close the
window; <b>Cancel And Exit</b> closes it and leaves the main list as it was.</li>
<li><b>Options &gt; Set HTML Background</b> makes the selected picture (or one you choose)
the background picture of your pages; <b>Clear HTML Background</b> removes it.</li>
<li><b>Move Selected Files To 'New File List'</b> and <b>To 'Current File List'</b> move
the selected entries between the lists.</li>
<li><b>Clear Current File List Selections</b>, <b>Clear New File List Selections</b> and
<b>Clear All File List Selections</b> unselect the entries.</li>
<li><b>View Thumbnail</b>: while checked, the picture is shown at the thumbnail size.</li>
<li><b>Associate Text</b> opens the associated text editor for the chosen entry.</li>
<li><b>Add File</b> adds a file you choose to each list whose current entry is selected.</li>
<li><b>Change Thumbnail Background Color</b> sets the colour behind pictures that do not
fill their thumbnail.</li>
<li>The right mouse button on either list opens a menu with the same commands; there
<b>Exit And Use Current File List</b> and <b>Exit And Use New File List</b> replace the
main list even with an empty list.</li>
</ul></dd>
<dt><b>Image Catalog</b></dt>
<dd>Writes a catalog of pages, a chosen number of pictures each, with the titles you
give the pictures; its data file of pictures, thumbnails and titles can be saved and
loaded again. Choose the <b>Target Directory</b> first: thumbnails and pages are
written there.
<p>The catalog shows the thumbnails it has made for its pictures. <b>Create Catalog</b>
makes none itself, so make them first: <b>Options &gt; Convert List To Thumbnails</b>
(or <b>Create Thumbnail File</b> for the shown picture), then <b>Create Catalog</b> with
<b>Use thumbnail images</b>. A picture without a thumbnail shows "thumbnail not
available" in its place.</p>
<ul>
<li><b>File &gt; Exit And Use Current File List</b> puts the catalog's list in the main
window's file list and closes the window; <b>Cancel And Exit</b> closes it and leaves
the main list as it was.</li>
<li><b>Options &gt; Prompt For Titles</b> asks a title for each picture from the first
selected one on; an empty answer stops. A title can also be typed in the <b>Title</b>
box.</li>
<li><b>Create Thumbnail File</b> and <b>Create JPG File</b> make a thumbnail or a JPEG
copy of the shown picture; a picture smaller than the thumbnail size gets no
thumbnail.</li>
<li><b>Convert List To JPGs</b> and <b>Convert List To Thumbnails</b> do the same for
every picture of the list.</li>
<li><b>Load Saved File</b> reads a catalog data file;
<b>Save Image Data To Output File</b> writes one, as <b>Save Image Data</b> does.</li>
</ul></dd>
<dt><b>Simple View</b></dt>
<dd>Shows one picture of the file list at a time, with its name and pixel size.</dd>
</dl>

<h2><a name="folder">The program folder</a></h2>
<p>The program folder is the folder of the program when that can be written to, else
a folder of your own (~/.local/share/mosaicon); the environment variable MOSAICON_HOME
names another. It holds:</p>
<ul>
<li><b>mosaik.ini</b>: every setting, read at start and written when the program ends.</li>
<li><b>uninstall.ini</b>: the version and the program folder.</li>
<li><b>thumbs</b>: the program's own thumbnails.</li>
<li><b>assoctxt</b>: the texts you associate with pictures, one file a picture.</li>
<li><b>html</b>: the folder the directory list starts in the first time.</li>
<li><b>htmlhead.htm</b> and <b>htmlfoot.htm</b>: the heading and footer of your pages,
made when missing.</li>
<li><b>mknhelp.htm</b>: this page, made when missing.</li>
<li><b>filecopy.log</b>: what View Images copied, moved and deleted since the program
started.</li>
<li><b>msglog.txt</b>: the trace of start-up and shut-down, when asked for.</li>
</ul>

<h2><a name="switches">The command line</a></h2>
<pre>mosaicon [log_messages] [/f LISTFILE] [/s] [/v] [/x]</pre>
<ul>
<li><b>log_messages</b>, as the only argument, writes a trace of start-up and shut-down
to msglog.txt in the program folder.</li>
<li><b>/f LISTFILE</b> loads the file list from a text file of full paths, one a line,
up to the first line that names no existing file.</li>
<li><b>/s</b> opens Simple View and <b>/v</b> opens View Images at start;
<b>/x</b> with one of them ends the program when that window closes.</li>
</ul>
</body>
</html>
)html";

} // namespace

QString help_page_path()
{
    return platform::joinPath(program().program_folder, QStringLiteral("mknhelp.htm"));
}

QByteArray help_page_text()
{
    QByteArray text(helpPage);
    text.replace("\n", "\r\n");
    return text;
}

bool check_help_page()
{
    const QString path = help_page_path();
    // Whatever stands under that name (the user's own page, a folder) is left alone.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return true;
    QString error;
    if (platform::writeFileAtomically(path, help_page_text(), &error))
        return true;
    warn(QStringLiteral("The help page %1 could not be created: %2").arg(path, error));
    return false;
}

} // namespace mosaicon

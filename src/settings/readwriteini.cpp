#include "settings/readwriteini.h"

#include "settings/program.h"

#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/tracelog.h"

#include <algorithm>
#include <limits>

namespace mosaicon {

namespace {

using platform::joinPath;

enum class Rule {
    Removed,             // read and ignored, always removed
    Text,                // the value as read
    DefaultIfEmpty,      // the value, or the default when empty
    ExistingFile,        // the value, then "" when no such file exists
    HelpFile,
    Logo,
    Icon,                // value or default, then "" when no such file exists
    HtmlIcon,            // read only
    AssocTextDir,        // read from [Current], then [Slides]; written to [Slides]
    Exact,               // True only for exactly "Yes"
    Contains,            // True when the value holds "yes" in any case
    ContainsTrueIfEmpty, // as Contains, True when empty
    ForcedTrue,          // not read; READ sets True; always written "Yes"
    ForcedFalse,         // not read; READ sets False; always written "No"
    NotStored,           // READ sets True; never written
    LoadDelay,
    ThumbStyle,
    LogoBackground,
    FormTop,
    FormLeft,
    FormHeight,
    FormWidth,
};

// Where a default that lies in the program folder comes from.
enum class Default { Literal, InProgramFolder, FolderInProgramFolder, SameAsLastDirectory };

struct Entry
{
    const char* section;
    const char* key;
    Rule rule;
    SettingText Settings::*text = nullptr;
    bool Settings::*flag = nullptr;
    const char* defaultValue = "";
    Default defaultKind = Default::Literal;
    const char* readKey = nullptr; // where the reading spelling differs
};

constexpr const char* Current = "Current";
constexpr const char* Color = "Color";
constexpr const char* FullSize = "Full Size Image";
constexpr const char* Slides = "Slides";
constexpr const char* HtmlIcons = "HTML Icons";
constexpr qint32 defaultLogoBackground = 0xC0C0C0;

// A text read as it stands; its default is for the users of an empty value.
Entry text(const char* section, const char* key, SettingText Settings::*member, const char* value = "")
{
    return {section, key, Rule::Text, member, nullptr, value};
}

Entry orDefault(const char* section, const char* key, SettingText Settings::*member, const char* value,
                Default kind = Default::Literal)
{
    return {section, key, Rule::DefaultIfEmpty, member, nullptr, value, kind};
}

Entry flag(const char* section, const char* key, Rule rule, bool Settings::*member)
{
    return {section, key, rule, nullptr, member};
}

Entry special(const char* section, const char* key, Rule rule)
{
    return {section, key, rule};
}

// The settings file's keys in the order WRITE puts them, which is also the
// order of the keys in a file that WRITE creates.
const std::vector<Entry>& table()
{
    static const std::vector<Entry> entries = [] {
        using S = Settings;
        std::vector<Entry> t{
            special(Current, "Directory", Rule::Removed),
            text(Current, "Editor", &S::editor_command),
            text(Current, "Last HTML Directory", &S::last_html_directory),
            text(Current, "Last Target Directory", &S::target_dir),
            orDefault(Current, "Last Directory", &S::last_directory, "html", Default::FolderInProgramFolder),
            text(Current, "Last Drive", &S::last_drive),
            text(Current, "Last Image Type", &S::last_image_type),
            orDefault(Current, "Pixel Height", &S::pixel_height, "25"),
            orDefault(Current, "Pixel Width", &S::pixel_width, "25"),
            orDefault(Current, "Table Cell Padding", &S::table_cell_padding, "10"),
            special(Current, "Load Delay", Rule::LoadDelay),
            {Current, "Logo", Rule::Logo, &S::logo_file},
            {Current, "HTML Background", Rule::ExistingFile, &S::html_background},
            orDefault(Current, "Internet Directory", &S::internet_dir, "", Default::SameAsLastDirectory),
            {Current, "Help File", Rule::HelpFile, &S::html_help_file, nullptr, "mknhelp.htm",
             Default::InProgramFolder},
            text(Current, "Top Banner", &S::top_banner),
            text(Current, "Top Banner Link", &S::top_banner_link),
            text(Current, "Bottom Banner", &S::bottom_banner),
            text(Current, "Bottom Banner Link", &S::bottom_banner_link),
            orDefault(Current, "Thumbnail Background Color", &S::thumb_bg_color, "16777215"),
            orDefault(Current, "Thumbnail Dither", &S::thumb_dither, "1"),
            orDefault(Current, "Thumbnail Quality", &S::thumb_quality, "75"),
            {Current, "Thumbnail Smoothing", Rule::DefaultIfEmpty, &S::thumb_smoothing, nullptr, "0",
             Default::Literal, "Thumbnail smoothing"},
            flag(Current, "Thumbnail Optimize", Rule::Contains, &S::thumb_optimize),

            orDefault(Color, "Text", &S::text_color, "#000000"),
            orDefault(Color, "VLink", &S::vlink_color, "#FF0000"),
            orDefault(Color, "Link", &S::link_color, "#0000FF"),
            {Color, "Alink", Rule::DefaultIfEmpty, &S::alink_color, nullptr, "#000000", Default::Literal,
             "ALink"},
            orDefault(Color, "Image Border", &S::image_border_color, "#0000FF"),
            orDefault(Color, "BackGround", &S::background_color, "#FFFFFF"),

            orDefault(FullSize, "Location", &S::full_img_location, "left"),
            orDefault(FullSize, "Layout", &S::full_img_layout, "#1"),

            flag(Current, "Prefix Thumbnail File", Rule::Contains, &S::prefix_thumbnail_file),
            flag(Current, "File Title", Rule::Contains, &S::file_title),
            special(Current, "Thumbnail Style", Rule::ThumbStyle),

            flag(FullSize, "Use Text", Rule::Contains, &S::full_img_use_text),
            flag(FullSize, "Use Options", Rule::Contains, &S::full_img_with_options),

            flag(Current, "Source Directory For Images", Rule::Contains, &S::images_in_source_dir),
            flag(Current, "Use Background Image", Rule::Contains, &S::use_background_image),
            flag(Current, "Internet Ready", Rule::ForcedTrue, &S::internet_ready),
            flag(Current, "Purge Internet Directory", Rule::Contains, &S::purge_internet_dir),
            text(Current, "Image Count", &S::image_count),
            text(Current, "Thumbnail Size", &S::thumb_size, "100"),
            special(Current, "Form Top", Rule::FormTop),
            special(Current, "Form Left", Rule::FormLeft),
            special(Current, "Form Height", Rule::FormHeight),
            special(Current, "Form Width", Rule::FormWidth),
            flag(Current, "Rename HTML", Rule::Exact, &S::rename_html),
            flag(Current, "Use Thumbnail", Rule::Exact, &S::use_thumbnail),
            flag(Current, "Header And Footer", Rule::Exact, &S::header_and_footer),
            flag(Current, "GIF & JPEG Only", Rule::Exact, &S::gif_jpeg_only),
            flag(Current, "Create Batch Files", Rule::Contains, &S::create_batch_files),
            flag(Current, "Relative Address", Rule::ForcedFalse, &S::relative_address),
            flag(Current, "Print KB Size", Rule::Exact, &S::print_kb_size),
            flag(Current, "Print Pixel Size", Rule::Exact, &S::print_pixel_size),
            flag(Current, "File Name Only", Rule::Exact, &S::file_name_only),
            flag(Current, "File Name & Path", Rule::Exact, &S::file_name_and_path),
            flag(Current, "Auto Start Browser", Rule::Exact, &S::auto_start_browser),
            flag(Current, "Auto Start Editor", Rule::Exact, &S::auto_start_editor),
            flag(Current, "Create Thumbnail", Rule::Exact, &S::create_thumbnail_flag),
            flag(Current, "3D Thumbnail", Rule::Exact, &S::thumb_3d),
            flag(Current, "File Names", Rule::Exact, &S::file_names),
            flag(Current, "Image Borders", Rule::Exact, &S::image_borders),
            flag(Current, "Individual Selections", Rule::Exact, &S::individual_selections),
            special(Current, "Logo Background", Rule::LogoBackground),

            {Slides, "First Image", Rule::Icon, &S::first_icon, nullptr, "first.gif", Default::InProgramFolder},
            {Slides, "Last Image", Rule::Icon, &S::last_icon, nullptr, "last.gif", Default::InProgramFolder},
            {Slides, "Next Image", Rule::Icon, &S::next_icon, nullptr, "next.gif", Default::InProgramFolder},
            {Slides, "Previous Image", Rule::Icon, &S::previous_icon, nullptr, "previous.gif",
             Default::InProgramFolder},
            {Slides, "Index Image", Rule::Icon, &S::index_icon, nullptr, "index.gif", Default::InProgramFolder},
            {Slides, "Exit Image", Rule::Icon, &S::exit_icon, nullptr, "exit.gif", Default::InProgramFolder},
            {Slides, "Associated Text Directory", Rule::AssocTextDir, &S::assoc_text_dir, nullptr, "assoctxt",
             Default::FolderInProgramFolder},
            text(Slides, "Slide Image Height", &S::slide_image_height),
            text(Slides, "Slide Delay", &S::slide_delay),
            flag(Slides, "Use Image Directory", Rule::ContainsTrueIfEmpty, &S::use_image_directory),
            flag(Slides, "Navigation Icons", Rule::ContainsTrueIfEmpty, &S::use_frames),
            flag(Slides, "Auto Advance", Rule::Exact, &S::auto_advance),
            flag(Slides, "Display Title", Rule::Exact, &S::display_title),
            flag(Slides, "Preformatted Text", Rule::Exact, &S::preformatted_text),
            flag(Slides, "Use Associated Text", Rule::Contains, &S::use_associated_text),
            flag(Slides, "Slide Loop", Rule::Contains, &S::slide_loop),
            flag(Slides, "Rename Slide", Rule::Contains, &S::rename_slide),

            {HtmlIcons, "Number_1", Rule::HtmlIcon, &S::html_icon_1, nullptr, "quick"},
            {HtmlIcons, "Number_2", Rule::HtmlIcon, &S::html_icon_2, nullptr, "simple"},
            {HtmlIcons, "Number_3", Rule::HtmlIcon, &S::html_icon_3, nullptr, "advanced"},
            {HtmlIcons, "Number_4", Rule::HtmlIcon, &S::html_icon_4, nullptr, "vertical"},
            flag(Current, "(maintain ratio)", Rule::NotStored, &S::maintain_ratio),
        };
        return t;
    }();
    return entries;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

bool containsYes(const QString& value)
{
    return value.toLower().contains(QLatin1String("yes"));
}

QString folderFile(const char* name)
{
    return joinPath(program().program_folder, QString::fromUtf8(name));
}

// CLng(): a number (decimal, or &H/&O) rounded into 32 bits; empty on any
// text that is not a number or does not fit.
std::optional<qint32> toLong(const QString& text)
{
    const QString t = text.trimmed();
    double value = 0;
    if (t.startsWith(u'&')) {
        value = platform::val(t);
    } else {
        bool ok = false;
        value = t.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    const std::optional<qint64> r = platform::roundHalfEven(value);
    if (!r || *r < std::numeric_limits<qint32>::min() || *r > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*r);
}

// What READ leaves for the main window once every value is in.
struct WindowEffects
{
    bool background = false;
    enum class Logo { None, Lists, Show } logo = Logo::None;
};

QString defaultFor(const Entry& e, Settings& s)
{
    switch (e.defaultKind) {
    case Default::Literal:
        return QString::fromUtf8(e.defaultValue);
    case Default::InProgramFolder:
        return folderFile(e.defaultValue);
    case Default::FolderInProgramFolder: {
        const QString folder = folderFile(e.defaultValue);
        QString path = folder;
        platform::makeDir(path);
        return folder;
    }
    case Default::SameAsLastDirectory:
        return s.last_directory;
    }
    return {};
}

void readEntry(const Entry& e, platform::ProfileFile& ini, Settings& s, WindowEffects& effects)
{
    const QString section = QString::fromUtf8(e.section);
    const QString key = QString::fromUtf8(e.readKey ? e.readKey : e.key);
    const auto value = [&] { return ini.get(section, key); };

    switch (e.rule) {
    case Rule::Removed:
        value();
        break;
    case Rule::Text:
        s.*e.text = value();
        break;
    case Rule::DefaultIfEmpty: {
        const QString v = value();
        s.*e.text = v.isEmpty() ? defaultFor(e, s) : v;
        break;
    }
    case Rule::ExistingFile: {
        const QString v = value().trimmed();
        s.*e.text = platform::file_exists(v) ? v : QString();
        break;
    }
    case Rule::HelpFile: {
        QString v = value();
        if (v.isEmpty()) {
            s.*e.text = defaultFor(e, s);
            break;
        }
        const qsizetype at = v.indexOf(QLatin1String("mkxxhelp"));
        if (at >= 0)
            v.replace(at + 2, 2, QStringLiteral("32"));
        v = v.trimmed();
        s.*e.text = platform::file_exists(v) ? v : defaultFor(e, s);
        break;
    }
    case Rule::Logo: {
        const QString v = value();
        if (v.isEmpty()) {
            effects.logo = WindowEffects::Logo::Lists;
            break;
        }
        s.*e.text = v;
        effects.logo = platform::file_exists(v) ? WindowEffects::Logo::Show : WindowEffects::Logo::Lists;
        break;
    }
    case Rule::Icon: {
        QString v = value();
        if (v.isEmpty())
            v = defaultFor(e, s);
        v = v.trimmed();
        s.*e.text = platform::file_exists(v) ? v : QString();
        break;
    }
    case Rule::HtmlIcon: {
        const QString v = value();
        s.*e.text = !v.isEmpty() && is_html_style(v) ? v : QString::fromUtf8(e.defaultValue);
        break;
    }
    case Rule::AssocTextDir: {
        // The value is saved under [Slides]; reading [Current] alone would lose
        // the user's choice at every restart.
        QString v = ini.get(QString::fromUtf8(Current), key);
        if (v.isEmpty())
            v = ini.get(section, key);
        s.*e.text = v.isEmpty() ? defaultFor(e, s) : v;
        break;
    }
    case Rule::Exact:
        s.*e.flag = value() == QLatin1String("Yes");
        break;
    case Rule::Contains:
        s.*e.flag = containsYes(value());
        break;
    case Rule::ContainsTrueIfEmpty: {
        const QString v = value();
        s.*e.flag = v.isEmpty() || containsYes(v);
        break;
    }
    case Rule::ForcedTrue:
    case Rule::NotStored:
        s.*e.flag = true;
        break;
    case Rule::ForcedFalse:
        s.*e.flag = false;
        break;
    case Rule::LoadDelay:
        // A number that does not fit 16 bits leaves the setting as it was.
        if (const auto n = platform::valToInt16(value()))
            s.load_delay = *n;
        break;
    case Rule::ThumbStyle:
        s.thumb_style = value().toLower().contains(QLatin1String("with borders"))
                            ? ThumbStyle::WithBorders
                            : ThumbStyle::WithoutBorders;
        break;
    case Rule::LogoBackground: {
        // Light grey when nothing is stored; a value that is no number keeps
        // the colour as it was. Either way the window shows the setting.
        const QString v = value().trimmed();
        if (v.isEmpty())
            s.logo_background = defaultLogoBackground;
        else if (const auto n = toLong(v))
            s.logo_background = *n;
        effects.background = true;
        break;
    }
    case Rule::FormTop:
    case Rule::FormLeft:
    case Rule::FormHeight:
    case Rule::FormWidth:
        break; // written for the record only; nothing reads them
    }
}

// geometry is null while the window is not in its normal state.
void writeEntry(const Entry& e, platform::ProfileFile& ini, const Settings& s, const QRect* geometry)
{
    const QString section = QString::fromUtf8(e.section);
    const QString key = QString::fromUtf8(e.key);
    const auto put = [&](const QString& v) { ini.put(section, key, v); };

    switch (e.rule) {
    case Rule::Removed:
        ini.remove(section, key);
        break;
    case Rule::Text:
    case Rule::DefaultIfEmpty:
    case Rule::ExistingFile:
    case Rule::HelpFile:
    case Rule::Logo:
    case Rule::Icon:
    case Rule::AssocTextDir: {
        const SettingText& v = s.*e.text;
        ini.write(section, key, v.isSet() ? std::optional<QString>(v.text()) : std::nullopt);
        break;
    }
    case Rule::HtmlIcon:
    case Rule::NotStored:
        break;
    case Rule::Exact:
    case Rule::Contains:
    case Rule::ContainsTrueIfEmpty:
        put(yesNo(s.*e.flag));
        break;
    case Rule::ForcedTrue:
        put(QStringLiteral("Yes"));
        break;
    case Rule::ForcedFalse:
        put(QStringLiteral("No"));
        break;
    case Rule::LoadDelay:
        put(platform::strForm(s.load_delay));
        break;
    case Rule::ThumbStyle:
        put(is_styled(s.thumb_style) ? QStringLiteral("Without Borders")
                                     : QStringLiteral("With Borders"));
        break;
    case Rule::LogoBackground:
        put(platform::strForm(s.logo_background));
        break;
    case Rule::FormTop:
        if (geometry)
            put(platform::strForm(geometry->top()));
        break;
    case Rule::FormLeft:
        if (geometry)
            put(platform::strForm(geometry->left()));
        break;
    case Rule::FormHeight:
        if (geometry)
            put(platform::strForm(geometry->height()));
        break;
    case Rule::FormWidth:
        if (geometry)
            put(platform::strForm(geometry->width()));
        break;
    }
}

// Points each non-image kind of list entry at its standard icon when its
// recorded icon is missing.
void repairThumbnailIcons(platform::ProfileFile& ini)
{
    static const std::pair<const char*, const char*> icons[] = {
        {"avi", "avi.gif"}, {"htm", "htm.gif"}, {"html", "htm.gif"}, {"wav", "wav.gif"},
        {"mid", "mid.gif"}, {"mpg", "mpg.gif"}, {"rmi", "rmi.gif"},  {"other", "qmark.gif"},
    };
    const QString section = QStringLiteral("Thumbnail Icons");
    for (const auto& [key, file] : icons) {
        const QString value = ini.get(section, QString::fromUtf8(key));
        const QString standard = folderFile(file).trimmed();
        if ((value.isEmpty() || !platform::file_exists(value)) && platform::file_exists(standard))
            ini.put(section, QString::fromUtf8(key), standard);
    }
}

void read(platform::MainFormView* view)
{
    platform::trace(QStringLiteral("readwriteini"), QStringLiteral("read"));
    Program& p = program();
    platform::ProfileFile& ini = settingsFile();
    platform::ProfileBatch batch;
    WindowEffects effects;
    for (const Entry& e : table())
        readEntry(e, ini, p.settings, effects);
    repairThumbnailIcons(ini);

    if (view) {
        if (effects.background)
            view->setBackgroundColor(p.settings.logo_background);
        if (effects.logo == WindowEffects::Logo::Show)
            view->showLogoView(p.settings.logo_file);
        else if (effects.logo == WindowEffects::Logo::Lists)
            view->showListView();
        view->setCaption(p.product_title);
        view->refreshToolbar();
    }
}

void write(platform::MainFormView* view)
{
    platform::trace(QStringLiteral("readwriteini"), QStringLiteral("write"));
    Program& p = program();
    platform::ProfileFile& ini = settingsFile();
    const std::optional<QRect> geometry =
        view ? view->normalGeometryTwips() : std::optional<QRect>();
    {
        platform::ProfileBatch batch;
        for (const Entry& e : table())
            writeEntry(e, ini, p.settings, geometry ? &*geometry : nullptr);
    }
}

const Entry* entryOf(SettingText Settings::*member)
{
    const auto& entries = table();
    const auto e = std::find_if(entries.begin(), entries.end(),
                                [&](const Entry& entry) { return entry.text == member; });
    return e == entries.end() ? nullptr : &*e;
}

} // namespace

QString setting_default(SettingText Settings::*member)
{
    const Entry* e = entryOf(member);
    const bool literal = e && e->defaultKind == Default::Literal;
    return QString::fromUtf8(literal ? e->defaultValue : "");
}

void reread_setting(Settings& s, SettingText Settings::*member)
{
    const Entry* e = entryOf(member);
    if (!e)
        return;
    const QString stored = settingsFile().get(QString::fromUtf8(e->section),
                                              QString::fromUtf8(e->readKey ? e->readKey : e->key));
    s.*member = stored.isEmpty() ? setting_default(member) : stored;
}

qint64 setting_number(const Settings& s, SettingText Settings::*member, qint64 min, qint64 max)
{
    if (const auto n = platform::valToInteger(s.*member, min, max))
        return *n;
    return platform::valToInteger(setting_default(member), min, max).value_or(0);
}

void readwriteini(IniMode mode, platform::MainFormView* view)
{
    switch (mode) {
    case IniMode::Read:
        read(view);
        break;
    case IniMode::Write:
        write(view);
        break;
    }
}

bool is_html_style(const QString& text)
{
    return text == QLatin1String("quick") || text == QLatin1String("simple") ||
           text == QLatin1String("advanced") || text == QLatin1String("vertical");
}

} // namespace mosaicon

#include "dialogs/widgets/frmoptions.h"

#include "platform/widgets/registerdialog.h"
#include "platform/wincolor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <string_view>

namespace mosaicon {

using platform::namedWidget;

namespace {

constexpr FrmOptions::CheckRow boxRows[] = {
    {"o_use_thumbnail", "Use Thumbnail If Available", &HtmlOptions::o_use_thumbnail},
    {"o_maintain_ratio", "Maintain Size Ratio", &HtmlOptions::o_maintain_ratio},
    {"o_thumbnail_prefix", "Prefix Thumbnail File", &HtmlOptions::o_thumbnail_prefix},
    {"o_thumbnail_postfix", "Postfix Thumbnail File", &HtmlOptions::o_thumbnail_postfix},
    {"o_3d_thumbnail", "3D Image", &HtmlOptions::o_3d_thumbnail},
    {"o_header_footer", "Use HTML Header/Footer File", &HtmlOptions::o_header_footer},
    {"o_html_images_only", "GIF And JPEG Only", &HtmlOptions::o_html_images_only},
    {"o_start_editor", "Auto Start HTML Editor", &HtmlOptions::o_start_editor},
    {"o_start_browser", "Auto Start Browser", &HtmlOptions::o_start_browser},
    {"o_individual_selections", "Allow Individual File Selections",
     &HtmlOptions::o_individual_selections},
    {"o_image_borders", "Borders Around Files", &HtmlOptions::o_image_borders},
    {"o_file_names", "File Info Under Files", &HtmlOptions::o_file_names},
    {"o_file_name_only", "File Names Only", &HtmlOptions::o_file_name_only},
    {"o_file_name_full", "File Names And Path", &HtmlOptions::o_file_name_full},
    {"o_file_title", "File Title (if available)", &HtmlOptions::o_file_title},
    {"o_print_tn_kb_size", "Display File Size (bytes)", &HtmlOptions::o_print_tn_kb_size},
    {"o_print_tn_pixel_size", "Display File Size (pixels)", &HtmlOptions::o_print_tn_pixel_size},
    {"o_create_batch_files", "Create Copy/Delete Batch Files", &HtmlOptions::o_create_batch_files},
    {"o_rename_html", "Rename HTML File", &HtmlOptions::o_rename_html},
    {"o_internet_ready", "Internet Ready", &HtmlOptions::o_internet_ready},
    {"o_relative_address", "Use Relative HTML Address", &HtmlOptions::o_relative_address},
};

// A check box's row of the table by its name; a name the table lacks stops
// the build.
consteval const FrmOptions::CheckRow* box(std::string_view name)
{
    for (const FrmOptions::CheckRow& row : boxRows) {
        if (name == row.name)
            return &row;
    }
    throw "no check box of that name";
}

const char* const styleCaptions[] = {"Thumbnails w/Borders", "Thumbnails w/o Borders"};

// A label and the control it names, on one row of a grid.
template <class Control>
Control* labelled(QGridLayout* grid, int row, const char* label, const char* caption,
                  const char* name, QWidget* frame)
{
    auto* control = namedWidget<Control>(QString::fromUtf8(name), frame);
    auto* l = namedWidget<QLabel>(QString::fromUtf8(label), QString::fromUtf8(caption), frame);
    l->setBuddy(control);
    grid->addWidget(l, row, 0);
    grid->addWidget(control, row, 1);
    return control;
}

} // namespace

FrmOptions::FrmOptions(HtmlOptions* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_options"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Saves);

    auto* frames = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildThumbnails());
    left->addWidget(buildOther());
    frames->addLayout(left);
    frames->addWidget(buildImagesAndFiles());
    form->addLayout(frames);

    auto* buttons = new QGridLayout;
    QPushButton* const row[] = {
        saveButton("Command1"),
        cancelButton("Command9"),
        actionButton("b_color", "Color Selection", &HtmlOptions::openColourOptions),
        actionButton("Command2", "HTML Slide Show Options", &HtmlOptions::openSlideShowOptions),
        actionButton("Command7", "Image And Text Placement", &HtmlOptions::openPlacementOptions),
        actionButton("Command8", "HTML Text Conversion", &HtmlOptions::openCaptionTexts),
        actionButton("Command6", "Edit HTML Heading And Footer",
                     &HtmlOptions::editHeadingAndFooting),
    };
    for (int column = 0; column < int(std::size(row)); ++column)
        buttons->addWidget(row[column], column / 4, column % 4);
    form->addLayout(buttons);

    if (m_value)
        setWindowTitle(m_value->caption);
    push();
}

QGroupBox* FrmOptions::buildThumbnails()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame1"), QStringLiteral("Thumbnails"), this);
    auto* grid = new QGridLayout(frame);
    m_binder.bind(
        labelled<QLineEdit>(grid, 0, "Label_tn", "Thumbnail Size", "o_thumbnail_size", frame),
        &HtmlOptions::o_thumbnail_size);
    int row = addBoxes(grid, 1,
                       {box("o_use_thumbnail"), box("o_maintain_ratio"), box("o_thumbnail_prefix"),
                        box("o_thumbnail_postfix"), box("o_3d_thumbnail")});
    for (QAbstractButton* option :
         optionGroup("o_thumbnail_style", styleCaptions, &HtmlOptions::o_thumbnail_style, frame)
             ->buttons())
        grid->addWidget(option, row++, 0, 1, 2);
    m_b_thumb_bcolor = actionButton("b_thumb_bcolor", "Select Background Color",
                                    &HtmlOptions::b_thumb_bcolor_Click);
    grid->addWidget(m_b_thumb_bcolor, row++, 0, 1, 2);
    for (const auto& [label, caption, name, field, editable] :
         {std::tuple{"l_dither", "Dither", "o_dither", &HtmlOptions::o_dither, false},
          std::tuple{"l_optimize", "Optimize", "o_optimize", &HtmlOptions::o_optimize, false},
          std::tuple{"l_quality", "Quality", "o_quality", &HtmlOptions::o_quality, true},
          std::tuple{"l_smoothing", "Smoothing", "o_smoothing", &HtmlOptions::o_smoothing, true}}) {
        auto* combo = labelled<QComboBox>(grid, row++, label, caption, name, frame);
        // A number box shows a stored value that is not in its list as stored.
        combo->setEditable(editable);
        combo->setInsertPolicy(QComboBox::NoInsert);
        m_binder.bind(combo, field);
    }
    return frame;
}

QGroupBox* FrmOptions::buildOther()
{
    auto* frame = namedWidget<QGroupBox>(QStringLiteral("Frame3"), QStringLiteral("Other"), this);
    addBoxes(new QGridLayout(frame), 0,
             {box("o_header_footer"), box("o_html_images_only"), box("o_start_editor"),
              box("o_start_browser"), box("o_individual_selections")});
    return frame;
}

QGroupBox* FrmOptions::buildImagesAndFiles()
{
    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame2"), QStringLiteral("Images And Files"), this);
    auto* grid = new QGridLayout(frame);
    int row = 0;
    for (const auto& [label, caption, name, field] :
         {std::tuple{"Label2", "Maximum Image Height (pixels or %)", "o_image_height",
                     &HtmlOptions::o_image_height},
          std::tuple{"Label3", "Maximum Image Width (pixels or %)", "o_image_width",
                     &HtmlOptions::o_image_width},
          std::tuple{"Label1", "Items Across Page", "o_image_count", &HtmlOptions::o_image_count},
          std::tuple{"l_table_cell_padding", "Table Cell Padding", "o_table_cell_padding",
                     &HtmlOptions::o_table_cell_padding}}) {
        m_binder.bind(labelled<QLineEdit>(grid, row++, label, caption, name, frame), field);
    }
    m_binder.bind(frame->findChild<QLabel*>(QStringLiteral("Label1")), &HtmlOptions::Label1);
    row = addBoxes(grid, row,
                   {box("o_image_borders"), box("o_file_names"), box("o_file_name_only"),
                    box("o_file_name_full"), box("o_file_title"), box("o_print_tn_kb_size"),
                    box("o_print_tn_pixel_size"), box("o_create_batch_files"), box("o_rename_html"),
                    box("o_internet_ready"), box("o_relative_address")});
    grid->addWidget(actionButton("Command5", "Select Target Directory For Files",
                                 &HtmlOptions::chooseTargetDirectory),
                    row++, 0, 1, 2);
    auto* directory = namedWidget<QLabel>(QStringLiteral("o_internet_directory"), frame);
    directory->setTextFormat(Qt::PlainText);
    directory->setWordWrap(true);
    grid->addWidget(m_binder.bind(directory, &HtmlOptions::o_internet_directory), row, 0, 1, 2);
    return frame;
}

int FrmOptions::addBoxes(QGridLayout* grid, int row, std::initializer_list<const CheckRow*> boxes)
{
    for (const CheckRow* r : boxes)
        grid->addWidget(ruledCheckBox(r->name, r->caption, r->box, grid->parentWidget()), row++, 0,
                        1, 2);
    return row;
}

void FrmOptions::push()
{
    ValueDialog::push();
    if (m_value)
        m_b_thumb_bcolor->setStyleSheet(
            QStringLiteral("background: %1;")
                .arg(platform::colorFromWin(m_value->thumbnailBackColour).name()));
}

void registerFrmOptions()
{
    platform::registerDialog<FrmOptions, HtmlOptions>(QStringLiteral("frm_options"));
}

} // namespace mosaicon

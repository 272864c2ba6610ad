#pragma once

#include <QString>

namespace mosaicon {

class PageRun;

// Writes one page that shows one image at full size, with its title, its
// associated text and the banners, beside the image in the image's folder.
// page_ref comes back as the page's file name, or image_ref when no page is
// made (full-size pages off, or not a GIF or JPEG); it stays unchanged when
// the user stops the run at the prompt. False when the page could not be
// written.
bool create_full_img_page(PageRun& run, QString& page_ref, const QString& image_ref, const QString& image_path);

} // namespace mosaicon

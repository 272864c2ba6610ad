#pragma once

namespace mosaicon {

class PageRun;

// The quick page: one line for every listed image that exists, each showing
// the image file itself by its "file:" address, between a head and a foot.
// The images come from the run's working list, which the caller fills; the
// page goes into the internet directory.
void create_quick_html(PageRun& run);

// The simple page: the quick page of the file list's GIF and JPEG files.
void go_create_simple_html(PageRun& run);

} // namespace mosaicon

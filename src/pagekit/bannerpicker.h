#pragma once

namespace mosaicon {

class PagePrompt;

// The page prompt's banner picker: asks for a GIF or JPEG picture for the side
// the prompt names and puts it into the prompt and the banner settings. The
// picture is copied beside the page (into the run's folder when the page names no
// folder) unless a file of its name is there already.
void select_banner_file(PagePrompt& prompt);

} // namespace mosaicon

#pragma once
// Rotating and cropping the page under review. Both give the page new pixel
// and image buffers (never changing the old ones in place), mark its text as
// needing an update, and report a failure as a notice.

#include "app/state.hpp"

namespace scan {

// RotatePage: a quarter turn clockwise.
void rotate_page(app::State& state);

// ApplyCrop: cuts the page to the crop editor's selection; the whole-page
// selection is ignored without a rebuild.
void apply_crop(app::State& state);

}  // namespace scan

#pragma once
// The scanned document in the state: the page under review, its view copy,
// the crop selection, and moving between and reordering pages.

#include "app/state.hpp"

namespace scan {

// The page of `scanned_pages` at `current_page_index`, or null.
app::ScannedPage* current_page(app::State& state);

// current_page_view = a copy of the current page, or absent without one.
void refresh_view_copy(app::State& state);

// The crop editor's selection back to the whole page.
void reset_selection(app::State& state);

// PreviousPage, NextPage, MovePageEarlier, MovePageLater and DeletePage:
// change the index or the order, then refresh the view copy, reset the
// selection and rebuild (the settings face once no page is left).
void previous_page(app::State& state);
void next_page(app::State& state);
void move_page_earlier(app::State& state);
void move_page_later(app::State& state);
void delete_page(app::State& state);

}  // namespace scan

#pragma once
// The keys that make the first selection in a list that has none.

class QKeyEvent;

namespace ui {

// The row that `event` selects in a list of `count` entries without a selection: Home and
// Down the first, End and Up the last; -1 for any other key or an empty list. Qt's views
// would only move the focus frame from where it stands, so Home (or Down on the first
// entry) would select nothing.
int FirstSelectionRow(const QKeyEvent *event, int count);

} // namespace ui

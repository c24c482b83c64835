#pragma once

namespace rt {

// Makes every top-level window of ours that is a plain widget underneath (the print
// preview, say) a window to assistive technology, named by its caption: left alone,
// Qt offers such a widget as an unnamed pane, and a screen reader cannot tell the
// person which window they are in. Call once at start-up; calling again does nothing.
void installAccessibleWindows();

}  // namespace rt

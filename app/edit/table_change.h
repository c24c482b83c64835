#pragma once

namespace app {

// Every command that changed the table ends here: the document is marked modified
// and the table as it is now becomes the newest undo state, so nothing a person did
// is closed away without a question or lost to Undo.
void recordTableChange();

}  // namespace app

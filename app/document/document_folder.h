#pragma once

namespace app {

// Makes every file dialog open in the folder of the table being edited, when it came
// from a file.
void openFileDialogsInDocumentFolder();

}  // namespace app

#pragma once

namespace app {

// The caption: the application title, "——", then the document name.
void composeTitle();
// Start-up only: four spaces and the start-up text after the composed caption.
void appendStartUpCaptionText();

}  // namespace app

#pragma once

namespace rt {

// Shows runtime errors in a message box captioned "错误" with the error icon and one
// OK button, without an owner window, and also writes them to standard error in
// UTF-8 so that logs keep them. Without an application object only the latter.
void installMessageBoxErrorPresenter();

}  // namespace rt

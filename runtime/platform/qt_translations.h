#pragma once

namespace rt {

// The whole interface is Chinese, so the dialogs Qt draws itself (files, colours,
// fonts, the buttons of boxes) speak Chinese too, whatever the process locale is.
// Loads Qt's own Chinese translations into the application; false when they are not
// installed, and Qt's texts then stay English.
bool installChineseQtTranslations();

}  // namespace rt

#pragma once

#include <cstdint>

namespace rt {

// The properties every unit has, by index; menu items have their own four.
namespace common_property {
inline constexpr int32_t Left = 0;
inline constexpr int32_t Top = 1;
inline constexpr int32_t Width = 2;
inline constexpr int32_t Height = 3;
inline constexpr int32_t Tag = 4;
inline constexpr int32_t Visible = 5;
inline constexpr int32_t Disabled = 6;
inline constexpr int32_t MousePointer = 7;
}  // namespace common_property

namespace menu_property {
inline constexpr int32_t Caption = 0;
inline constexpr int32_t Checked = 1;
inline constexpr int32_t Disabled = 2;
inline constexpr int32_t Visible = 3;
}  // namespace menu_property

// The own properties of each unit kind, counted from 0 (the common properties take
// indexes 0-7, so own property n is read and written at index 8 + n).
inline constexpr int32_t kFirstOwnProperty = 8;

namespace window_property {
inline constexpr int32_t Caption = 0;
inline constexpr int32_t FrameStyle = 1;
inline constexpr int32_t ClientWidth = 2;   // read only: the area below the menu
inline constexpr int32_t ClientHeight = 3;  // read only
}  // namespace window_property

// Label, Button, GroupBox, HyperLinker: 0 is the text.
namespace text_property {
inline constexpr int32_t Text = 0;
}

namespace check_property {  // CheckBox and RadioBox
inline constexpr int32_t Text = 0;
inline constexpr int32_t Checked = 1;
}  // namespace check_property

namespace edit_property {
inline constexpr int32_t Text = 0;
}

namespace hyperlink_property {
inline constexpr int32_t Text = 0;
inline constexpr int32_t Target = 1;
}  // namespace hyperlink_property

namespace combo_property {
inline constexpr int32_t Text = 0;
inline constexpr int32_t CurrentIndex = 1;  // -1 none
inline constexpr int32_t Items = 2;         // a text array; an element index names one item
inline constexpr int32_t ItemCount = 3;     // read only
}  // namespace combo_property

namespace status_bar_property {
inline constexpr int32_t PaneText = 0;  // element index = pane, from 0
}

namespace common_dialog_property {
inline constexpr int32_t Type = 0;  // 0 open, 1 save
inline constexpr int32_t Title = 1;
inline constexpr int32_t FileName = 2;
inline constexpr int32_t Filter = 3;  // "desc|pattern|desc|pattern"
inline constexpr int32_t DefaultExtension = 4;
}  // namespace common_dialog_property

}  // namespace rt

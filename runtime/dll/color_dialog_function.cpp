#include <QColorDialog>
#include <cstring>

#include "runtime/dll/builtin_functions.h"
#include "runtime/dll/window_handles.h"

namespace rt::builtin {
namespace {

// The colour-choice record: nine 32-bit words, 36 bytes. Window handles are the
// program's own; the custom-colour words are not used (the dialog keeps its own).
struct ColorChoiceRecord {
    uint32_t structSize;
    uint32_t owner;
    uint32_t instance;
    uint32_t rgbResult;
    uint32_t customColors;
    uint32_t flags;
    uint32_t customData;
    uint32_t hook;
    uint32_t templateName;
};
static_assert(sizeof(ColorChoiceRecord) == 36);

constexpr uint32_t kStartWithResult = 0x1;

QColor colorOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

uint32_t bgrOf(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
           static_cast<uint32_t>(color.blue()) << 16;
}

}  // namespace

// Shows the colour dialog, titled "颜色" so that the application can find and place
// it. True with the chosen colour in the record, false when cancelled.
Value chooseColor(const Value* arguments) {
    void* address = arguments[0].pointer();
    return onInterfaceThread([address] {
        ColorChoiceRecord record;
        if (!address) return Value::logical(false);
        std::memcpy(&record, address, sizeof record);
        if (record.structSize != sizeof record) return Value::logical(false);
        QColorDialog dialog(windowOfHandle(record.owner));
        dialog.setProperty("windowClass", QStringLiteral("#32770"));
        dialog.setWindowTitle(QStringLiteral("颜色"));
        dialog.setCurrentColor((record.flags & kStartWithResult) ? colorOf(record.rgbResult) : QColor(Qt::black));
        if (dialog.exec() != QDialog::Accepted) return Value::logical(false);
        record.rgbResult = bgrOf(dialog.selectedColor());
        std::memcpy(address, &record, sizeof record);
        return Value::logical(true);
    });
}

}  // namespace rt::builtin

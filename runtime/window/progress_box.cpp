#include "runtime/window/progress_box.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <algorithm>

#include "runtime/platform/gbk_codec.h"
#include "runtime/window/box_owner.h"

namespace rt {
namespace {

constexpr int kShowAfterMilliseconds = 500;
constexpr int kSteps = 1000;

}  // namespace

struct ProgressBox::Dialog {
    QProgressDialog box;
    QElapsedTimer clock;

    Dialog(const QString& label, const QString& cancelText) : box(label, cancelText, 0, kSteps, boxOwner()) {}
};

ProgressBox::ProgressBox(std::string_view caption, std::string_view label, std::string_view cancelText)
    : dialog_(std::make_unique<Dialog>(fromGbk(label), fromGbk(cancelText))) {
    QProgressDialog& box = dialog_->box;
    box.setWindowTitle(fromGbk(caption));
    box.setWindowModality(Qt::WindowModal);
    box.setMinimumDuration(kShowAfterMilliseconds);
    box.setAutoReset(false);
    box.setAutoClose(false);
    box.setValue(0);
    dialog_->clock.start();
}

ProgressBox::~ProgressBox() = default;

bool ProgressBox::update(int64_t done, int64_t total) {
    QProgressDialog& box = dialog_->box;
    int step = total > 0 ? static_cast<int>(std::clamp<int64_t>(done * kSteps / total, 0, kSteps)) : 0;
    // A shown modal box runs the events whenever its value changes: that is how a
    // press of its cancel button comes through while the work goes on.
    if (step != box.value()) box.setValue(step);
    if (dialog_->clock.elapsed() >= kShowAfterMilliseconds && !box.isVisible()) box.show();
    return !box.wasCanceled();
}

}  // namespace rt

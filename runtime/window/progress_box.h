#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace rt {

// A modal progress box for work that may take a while: it comes up over the active
// window only when the work runs longer than half a second, with a bar and a cancel
// button. Texts are GBK.
class ProgressBox {
public:
    ProgressBox(std::string_view caption, std::string_view label, std::string_view cancelText);
    ~ProgressBox();
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    // Moves the bar and lets the box answer the person; false once they cancelled.
    bool update(int64_t done, int64_t total);

private:
    struct Dialog;
    std::unique_ptr<Dialog> dialog_;
};

}  // namespace rt

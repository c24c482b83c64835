#include "runtime/window/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "runtime/platform/gbk_codec.h"

namespace rt {
namespace {

struct ButtonSpec {
    MessageBoxAnswer answer;
    const char16_t* caption;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> buttonsFor(uint32_t set) {
    const ButtonSpec ok{MessageBoxAnswer::Ok, u"确定", QMessageBox::AcceptRole};
    const ButtonSpec cancel{MessageBoxAnswer::Cancel, u"取消", QMessageBox::RejectRole};
    const ButtonSpec abort{MessageBoxAnswer::Abort, u"中止(&A)", QMessageBox::DestructiveRole};
    const ButtonSpec retry{MessageBoxAnswer::Retry, u"重试(&R)", QMessageBox::AcceptRole};
    const ButtonSpec ignore{MessageBoxAnswer::Ignore, u"忽略(&I)", QMessageBox::RejectRole};
    const ButtonSpec yes{MessageBoxAnswer::Yes, u"是(&Y)", QMessageBox::YesRole};
    const ButtonSpec no{MessageBoxAnswer::No, u"否(&N)", QMessageBox::NoRole};
    switch (set) {
        case message_box::OkCancel: return {ok, cancel};
        case message_box::AbortRetryIgnore: return {abort, retry, ignore};
        case message_box::YesNoCancel: return {yes, no, cancel};
        case message_box::YesNo: return {yes, no};
        case message_box::RetryCancel: return {retry, cancel};
        default: return {ok};
    }
}

QMessageBox::Icon iconFor(uint32_t icon) {
    switch (icon) {
        case message_box::ErrorIcon: return QMessageBox::Critical;
        case message_box::QuestionIcon: return QMessageBox::Question;
        case message_box::ExclamationIcon: return QMessageBox::Warning;
        case message_box::InformationIcon: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

}  // namespace

MessageBoxAnswer showMessageBox(std::string_view text, uint32_t flags, std::string_view caption) {
    QMessageBox box(iconFor(flags & 0xF0), fromGbk(caption), fromGbk(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<ButtonSpec> specs = buttonsFor(flags & 0xF);
    std::vector<QPushButton*> buttons;
    for (const ButtonSpec& spec : specs) buttons.push_back(box.addButton(QString::fromUtf16(spec.caption), spec.role));
    size_t preferred = (flags & message_box::ThirdButtonDefault) ? 2 : (flags & message_box::SecondButtonDefault) ? 1 : 0;
    box.setDefaultButton(buttons[std::min(preferred, buttons.size() - 1)]);
    // Escape and the close button mean Cancel when there is one, else the last button.
    size_t escape = buttons.size() - 1;
    for (size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].answer == MessageBoxAnswer::Cancel) escape = i;
    }
    box.setEscapeButton(buttons[escape]);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) return specs[i].answer;
    }
    return specs[escape].answer;
}

}  // namespace rt

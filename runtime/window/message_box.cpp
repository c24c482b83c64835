#include "runtime/window/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "runtime/platform/gbk_codec.h"
#include "runtime/window/box_owner.h"
#include "runtime/window/focus_return.h"

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

// Qt lets Escape press "No" on a Yes/No box, which would let a stray key throw work
// away. A box of several buttons without Cancel closes on Escape or its close button
// with no button pressed instead.
class AnswerBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!escapeButton() && event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // QMessageBox refuses to close without an escape button; QDialog closes as rejected.
    void closeEvent(QCloseEvent* event) override {
        if (escapeButton()) {
            QMessageBox::closeEvent(event);
        } else {
            QDialog::closeEvent(event);
        }
    }
};

}  // namespace

MessageBoxAnswer showMessageBox(std::string_view text, uint32_t flags, std::string_view caption) {
    FocusReturn focusReturn;
    AnswerBox box(iconFor(flags & 0xF0), fromGbk(caption), fromGbk(text), QMessageBox::NoButton,
                  boxOwner());
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<ButtonSpec> specs = buttonsFor(flags & 0xF);
    std::vector<QPushButton*> buttons;
    for (const ButtonSpec& spec : specs) buttons.push_back(box.addButton(QString::fromUtf16(spec.caption), spec.role));
    size_t preferred = (flags & message_box::ThirdButtonDefault) ? 2 : (flags & message_box::SecondButtonDefault) ? 1 : 0;
    box.setDefaultButton(buttons[std::min(preferred, buttons.size() - 1)]);
    // Escape and the close button press Cancel when there is one, and the button of
    // a one-button box; otherwise they press nothing and the answer is Cancel.
    for (size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].answer == MessageBoxAnswer::Cancel || specs.size() == 1) box.setEscapeButton(buttons[i]);
    }
    box.exec();
    focusReturn.restore();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) return specs[i].answer;
    }
    return MessageBoxAnswer::Cancel;
}

}  // namespace rt

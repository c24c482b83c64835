#include "runtime/window/input_box.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "runtime/platform/gbk_codec.h"
#include "runtime/window/box_owner.h"
#include "runtime/window/focus_return.h"

namespace rt {
namespace {

class TypedCharacterFilter : public QObject {
public:
    TypedCharacterFilter(InputMode mode, QObject* parent) : QObject(parent), mode_(mode) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.isEmpty() || !text[0].isPrint()) return false;
        return !inputModeAccepts(mode_, text[0].unicode());
    }

private:
    InputMode mode_;
};

}  // namespace

bool inputModeAccepts(InputMode mode, char16_t character) {
    bool digit = character >= u'0' && character <= u'9';
    switch (mode) {
        case InputMode::Integer: return digit || character == u'-';
        case InputMode::Decimal: return digit || character == u'-' || character == u'.';
        default: return true;
    }
}

std::optional<std::string> showInputBox(std::string_view prompt, std::string_view caption,
                                        std::string_view initialText, InputMode mode) {
    FocusReturn focusReturn;
    QDialog dialog(boxOwner());
    dialog.setWindowTitle(caption.empty() ? QStringLiteral("请输入：") : fromGbk(caption));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(fromGbk(prompt), &dialog));
    auto* edit = new QLineEdit(fromGbk(initialText), &dialog);
    if (mode == InputMode::Password) edit->setEchoMode(QLineEdit::Password);
    edit->installEventFilter(new TypedCharacterFilter(mode, edit));
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* confirm = buttons->addButton(QStringLiteral("确认输入(&O)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    confirm->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    edit->selectAll();
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    focusReturn.restore();
    if (!confirmed) return std::nullopt;
    return toGbk(edit->text());
}

}  // namespace rt

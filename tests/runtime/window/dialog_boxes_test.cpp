// The message box answers with the codes the application compares, and the input
// box lets through only what its mode allows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "runtime/window/input_box.h"
#include "runtime/window/message_box.h"

namespace {

using rt::MessageBoxAnswer;
namespace box = rt::message_box;

// Once the modal box is up, looks at it and answers it.
void whenModal(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        action(modal);
    });
    poll->start(1);
}

QPushButton* buttonCaptioned(QWidget* dialog, const QString& caption) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == caption) return button;
    }
    return nullptr;
}

TEST(MessageBox, AnswersWithTheCodeOfTheButton) {
    struct Case {
        uint32_t flags;
        const char16_t* press;
        MessageBoxAnswer answer;
    };
    const Case cases[] = {
        {box::Ok, u"确定", MessageBoxAnswer::Ok},
        {box::OkCancel, u"取消", MessageBoxAnswer::Cancel},
        {box::AbortRetryIgnore, u"中止(&A)", MessageBoxAnswer::Abort},
        {box::AbortRetryIgnore, u"重试(&R)", MessageBoxAnswer::Retry},
        {box::AbortRetryIgnore, u"忽略(&I)", MessageBoxAnswer::Ignore},
        {box::YesNoCancel, u"是(&Y)", MessageBoxAnswer::Yes},
        {box::YesNo | box::QuestionIcon, u"否(&N)", MessageBoxAnswer::No},
        {box::RetryCancel, u"重试(&R)", MessageBoxAnswer::Retry},
    };
    for (const Case& c : cases) {
        whenModal([&](QWidget* dialog) {
            QPushButton* button = buttonCaptioned(dialog, QString::fromUtf16(c.press));
            ASSERT_NE(button, nullptr);
            button->click();
        });
        EXPECT_EQ(rt::showMessageBox("当前表格已被改过，是否保存？", c.flags, "询问："), c.answer);
    }
}

TEST(MessageBox, ShowsCaptionTextIconAndDefaultButton) {
    whenModal([](QWidget* dialog) {
        auto* messageBox = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(messageBox, nullptr);
        EXPECT_EQ(messageBox->windowTitle(), QStringLiteral("提示："));
        EXPECT_EQ(messageBox->text(), QStringLiteral("必须先打开原文件才能还原对应备份文件！"));
        EXPECT_EQ(messageBox->icon(), QMessageBox::Warning);
        EXPECT_EQ(messageBox->defaultButton()->text(), QStringLiteral("否(&N)"));
        messageBox->defaultButton()->click();
    });
    EXPECT_EQ(rt::showMessageBox("必须先打开原文件才能还原对应备份文件！",
                                 box::YesNo | box::ExclamationIcon | box::SecondButtonDefault, "提示："),
              MessageBoxAnswer::No);
}

// Leaving a box without a button must never read as a Yes or a No: the questions
// that guard work take either one as leave to go on.
TEST(MessageBox, EscapeAndTheCloseButtonAnswerCancelUnlessTheBoxHasOneButton) {
    struct Case {
        uint32_t flags;
        MessageBoxAnswer answer;
    };
    const Case cases[] = {
        {box::YesNo | box::QuestionIcon, MessageBoxAnswer::Cancel},
        {box::YesNo | box::SecondButtonDefault, MessageBoxAnswer::Cancel},
        {box::YesNoCancel, MessageBoxAnswer::Cancel},
        {box::OkCancel, MessageBoxAnswer::Cancel},
        {box::RetryCancel, MessageBoxAnswer::Cancel},
        {box::AbortRetryIgnore, MessageBoxAnswer::Cancel},
        {box::Ok | box::ErrorIcon, MessageBoxAnswer::Ok},
    };
    const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {
        {"Escape", [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
        {"close button", [](QWidget* dialog) { dialog->close(); }},
    };
    for (const auto& [way, leave] : ways) {
        for (const Case& c : cases) {
            bool closed = false;
            whenModal([&, leave = leave](QWidget* dialog) {
                leave(dialog);
                closed = !dialog->isVisible();
                // A box that stayed open must not hang the test.
                if (!closed) qobject_cast<QMessageBox*>(dialog)->buttons().constLast()->click();
            });
            EXPECT_EQ(rt::showMessageBox("当前表格已被改过，是否保存？", c.flags, "询问："), c.answer)
                << way << " on flags " << c.flags;
            EXPECT_TRUE(closed) << way << " on flags " << c.flags;
        }
    }
}

TEST(InputBox, ModesFilterTypedCharacters) {
    EXPECT_TRUE(rt::inputModeAccepts(rt::InputMode::Integer, u'-'));
    EXPECT_TRUE(rt::inputModeAccepts(rt::InputMode::Integer, u'7'));
    EXPECT_FALSE(rt::inputModeAccepts(rt::InputMode::Integer, u'.'));
    EXPECT_TRUE(rt::inputModeAccepts(rt::InputMode::Decimal, u'.'));
    EXPECT_FALSE(rt::inputModeAccepts(rt::InputMode::Decimal, u'e'));
    EXPECT_TRUE(rt::inputModeAccepts(rt::InputMode::AnyText, u'年'));

    whenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("请输入："));
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("-1a2.5x"));
        QTest::keyClick(edit, Qt::Key_Backspace);  // control keys always pass
        buttonCaptioned(dialog, QStringLiteral("确认输入(&O)"))->click();
    });
    EXPECT_EQ(rt::showInputBox("请输入要加上的数值：", "", "", rt::InputMode::Decimal), "-12.");
}

TEST(InputBox, CancelGivesNothingAndPasswordsAreHidden) {
    whenModal([](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->text(), QStringLiteral("初始"));
        buttonCaptioned(dialog, QStringLiteral("取消(&C)"))->click();
    });
    EXPECT_EQ(rt::showInputBox("密码：", "登录", "初始", rt::InputMode::Password), std::nullopt);
}

// A window that was hidden on its way out and is deleted while a box waits for its
// answer must not take the box with it.
TEST(MessageBox, AWindowDeletedWhileTheBoxWaitsLeavesTheBoxAlone) {
    auto* leaving = new QWidget;
    leaving->show();
    QApplication::setActiveWindow(leaving);
    leaving->hide();
    whenModal([leaving](QWidget* dialog) {
        EXPECT_NE(dialog->parentWidget(), leaving);
        delete leaving;
        buttonCaptioned(dialog, QStringLiteral("确定"))->click();
    });
    EXPECT_EQ(rt::showMessageBox("提示", rt::message_box::Ok, "提示："), rt::MessageBoxAnswer::Ok);
}

}  // namespace

#pragma once

// Answers the dialogs and boxes of the database commands as a person would, for the
// stories that run those commands in the editor's main window.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

#include "app/window_ids.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/dialog_driver.h"

// Answers what the commands open, one step at a time: a step looks at the open modal
// widget and returns true once it has answered it. A box no step answers within ten
// seconds is closed and described, with the step that was waiting, so a test that did
// not expect it fails instead of hanging and says what it saw.
class Script {
public:
    using Step = std::function<bool(QWidget* modal)>;

    Script() {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(10);
        waiting_.start();
    }
    void then(QString what, Step step) { steps_.push_back({std::move(what), std::move(step)}); }
    bool finished() const { return steps_.empty(); }
    // Empty when every box was answered; otherwise one line per box that was not.
    QString unanswered() const { return unanswered_; }
    const std::vector<QString>& boxTexts() const { return boxTexts_; }

private:
    struct Named {
        QString what;
        Step step;
    };

    // The open modal widget: Qt's, or else the runtime's own modal window, which runs a
    // loop of its own rather than Qt's modality.
    static QWidget* openModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) return modal;
        modal = rt::WindowRuntime::instance().loadedWindow(app::window_id::SqlQueryDialog);
        return modal && modal->isVisible() ? modal : nullptr;
    }

    void answer() {
        QWidget* modal = openModal();
        if (!modal) {
            waiting_.restart();
            return;
        }
        if (!steps_.empty() && steps_.front().step(modal)) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) boxTexts_.push_back(box->text());
            steps_.pop_front();
            waiting_.restart();
        } else if (waiting_.elapsed() > 10000) {
            unanswered_ += QStringLiteral("%1 \"%2\" (%3) while waiting for: %4\n")
                               .arg(QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(),
                                    qobject_cast<QMessageBox*>(modal) ? qobject_cast<QMessageBox*>(modal)->text()
                                                                      : QString(),
                                    steps_.empty() ? QStringLiteral("nothing") : steps_.front().what);
            QMetaObject::invokeMethod(modal, "close", Qt::QueuedConnection);
            waiting_.restart();
        }
    }

    QTimer poll_;
    QElapsedTimer waiting_;
    std::deque<Named> steps_;
    std::vector<QString> boxTexts_;
    QString unanswered_;
};

inline void click(QWidget* dialog, const QString& caption) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == caption && button->isEnabled()) {
            QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
            return;
        }
    }
}

inline bool titled(QWidget* modal, const char16_t* title) { return modal->windowTitle() == QString::fromUtf16(title); }

// The query dialog: the text typed into its combo box (nothing keeps what it shows),
// then 确定.
inline void enterQuery(Script& script, const char16_t* query, QStringList* listed = nullptr) {
    script.then(QStringLiteral("SqlQueryDialog: the query"), [query, listed](QWidget*) {
        if (!dialog_driver::isOpen(app::window_id::SqlQueryDialog)) return false;
        auto* box = dialog_driver::unitWidget<QComboBox>(app::window_id::SqlQueryDialog, "组合框1");
        if (listed) {
            for (int i = 0; i < box->count(); ++i) listed->push_back(box->itemText(i));
        }
        if (query) box->setEditText(QString::fromUtf16(query));
        QMetaObject::invokeMethod(dialog_driver::unitWidget<QPushButton>(app::window_id::SqlQueryDialog, "按钮2"), "click",
                                  Qt::QueuedConnection);
        return true;
    });
}

inline void pressOkOnBox(Script& script, const char16_t* title) {
    script.then(QStringLiteral("a message box"), [title](QWidget* modal) {
        if (!qobject_cast<QMessageBox*>(modal) || !titled(modal, title)) return false;
        click(modal, QStringLiteral("确定"));
        return true;
    });
}

// The box that asks for a database password: the password, then 确认输入.
inline void typePassword(Script& script, const char16_t* typed) {
    script.then(QStringLiteral("the password box"), [typed](QWidget* modal) {
        auto* password = modal->findChild<QLineEdit*>();
        if (!password || password->echoMode() != QLineEdit::Password) return false;
        password->setText(QString::fromUtf16(typed));
        click(modal, QStringLiteral("确认输入(&O)"));
        return true;
    });
}

// Lets the boxes a command left for later show and be answered.
inline void settle(Script& script) {
    QElapsedTimer waited;
    waited.start();
    while (!script.finished() && waited.elapsed() < 15000) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

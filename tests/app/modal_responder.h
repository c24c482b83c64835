#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

// Answers the modal boxes and file dialogs that a handler opens, in order, and notes
// what each one showed. A box that nobody scripted is cancelled and noted, so a
// test that did not expect it fails instead of hanging.
class ModalResponder {
public:
    struct Seen {
        QString caption;
        QString text;      // a message box's text
        QString fileName;  // the name a file dialog offered
        QString folder;    // the folder a file dialog opened in
    };

    ModalResponder() {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answerVisibleModal(); });
        poll_.start(5);
    }

    void pressButton(const char16_t* caption) { actions_.push_back({Action::Press, QString::fromUtf16(caption)}); }
    void chooseFile(const std::filesystem::path& path) {
        actions_.push_back({Action::Choose, QString::fromStdString(path.string())});
    }
    void cancelDialog() { actions_.push_back({Action::Cancel, {}}); }
    // Types into an input box and confirms it.
    void enterText(const QString& text) { actions_.push_back({Action::Enter, text}); }

    const std::vector<Seen>& seen() const { return seen_; }
    bool allAnswered() const { return actions_.empty(); }
    int unscripted() const { return unscripted_; }

private:
    struct Action {
        enum Kind { Press, Choose, Cancel, Enter } kind;
        QString argument;
    };

    void answerVisibleModal() {
        QWidget* modal = QApplication::activeModalWidget();
        // A property rather than the address: the next box may be built where the
        // last one was.
        if (!modal || !modal->isVisible() || modal->property("answered").toBool()) return;
        modal->setProperty("answered", true);
        Seen seen{modal->windowTitle(), {}, {}, {}};
        auto* box = qobject_cast<QMessageBox*>(modal);
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (box) seen.text = box->text();
        if (dialog && !dialog->selectedFiles().isEmpty()) {
            seen.fileName = QFileInfo(dialog->selectedFiles().front()).fileName();
        }
        if (dialog) seen.folder = dialog->directory().absolutePath();
        seen_.push_back(seen);
        if (actions_.empty()) {
            ++unscripted_;
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        Action action = actions_.front();
        actions_.pop_front();
        if (action.kind == Action::Press && box) {
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == action.argument) QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
            }
        } else if (action.kind == Action::Choose && dialog) {
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(action.argument);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (action.kind == Action::Enter && modal->findChild<QLineEdit*>()) {
            modal->findChild<QLineEdit*>()->setText(action.argument);
            for (QPushButton* button : modal->findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("确认输入(&O)")) {
                    QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
                }
            }
        } else {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
        }
    }

    QTimer poll_;
    std::deque<Action> actions_;
    std::vector<Seen> seen_;
    int unscripted_ = 0;
};

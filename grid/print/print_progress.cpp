#include "grid/print/print_progress.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace grid {
namespace {

class ProgressDialog : public QDialog, public PrintProgress {
public:
    explicit ProgressDialog(QWidget* parent) : QDialog(parent) {
        setWindowTitle(QStringLiteral(u"正在打印，请稍候..."));
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        status_ = new QLabel(this);
        status_->setMinimumWidth(360);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 100);
        auto* cancel = new QPushButton(QStringLiteral(u"中止打印(&C)"), this);
        layout->addWidget(status_);
        layout->addWidget(bar_);
        layout->addWidget(cancel, 0, Qt::AlignHCenter);
        connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    }

    void report(const QString& status, int percent) override {
        status_->setText(status);
        bar_->setValue(percent);
    }

    // Everything waiting is handled between pages, so the window stays alive and the
    // cancel button is heard.
    bool cancelled() override {
        QCoreApplication::processEvents();
        return cancelled_;
    }

    // Closing the window stops the job as the button does.
    void reject() override { cancelled_ = true; }

private:
    QLabel* status_ = nullptr;
    QProgressBar* bar_ = nullptr;
    bool cancelled_ = false;
};

}  // namespace

QString printWithProgress(const DataSrc& source, const PrintRequest& request, bool showProgress, QWidget* parent) {
    // The job holds the dialog for its whole run, so no window may own it and delete it
    // under the job when that window is closed meanwhile: it stays a window of its own,
    // placed over the parent.
    ProgressDialog dialog(nullptr);
    if (parent) dialog.move(parent->window()->geometry().center() - dialog.rect().center());
    if (showProgress) dialog.show();
    return printTable(source, request, &dialog);
}

}  // namespace grid

#include "grid/print/print_preview.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "grid/print/print_commands.h"
#include "grid/print/print_progress.h"
#include "grid/print/printer_choice.h"
#include "grid/view/grid_widget.h"

namespace grid {
namespace {

constexpr int32_t kZoomStep = 200;
constexpr int32_t kMinimumZoom = 200;
constexpr int32_t kMaximumZoom = 3000;
constexpr int32_t kPageGap = 50;     // 5 mm of ground above and left of the page
constexpr int32_t kShadowWidth = 30;  // 3 mm
const QColor kLightGrey(0xC0, 0xC0, 0xC0);
const QColor kDarkGrey(0x40, 0x40, 0x40);

int zoomed(int64_t units, int32_t zoom) { return static_cast<int>(units * zoom / 1000); }

// Scroll steps that bring a length into a view: none when it fits.
int scrollSteps(int length, int view) {
    const int overflow = length - view;
    return overflow <= 0 ? 0 : overflow / PreviewPageView::kStepPixels + 1;
}

}  // namespace

PreviewPageView::PreviewPageView(QWidget* parent) : QAbstractScrollArea(parent) { setFocusPolicy(Qt::NoFocus); }

void PreviewPageView::showPage(const PrintPlan* plan, PageRenderer* renderer, size_t page, int32_t zoom) {
    plan_ = plan;
    renderer_ = renderer;
    page_ = page;
    zoom_ = zoom;
    updateScrollRanges();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PreviewPageView::updateScrollRanges() {
    if (!plan_) return;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, scrollSteps(zoomed(plan_->paper.paperWidth + 100, zoom_), view.width()));
    verticalScrollBar()->setRange(0, scrollSteps(zoomed(plan_->paper.paperHeight + 100, zoom_), view.height()));
    horizontalScrollBar()->setPageStep(std::max(1, view.width() / kStepPixels));
    verticalScrollBar()->setPageStep(std::max(1, view.height() / kStepPixels));
}

void PreviewPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void PreviewPageView::scrollContentsBy(int, int) { viewport()->update(); }

void PreviewPageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kDarkGrey);
    if (!plan_) return;
    const int width = zoomed(plan_->paper.paperWidth, zoom_);
    const int height = zoomed(plan_->paper.paperHeight, zoom_);
    const int gap = zoomed(kPageGap, zoom_);
    const int left = std::max(gap, (viewport()->width() - width) / 2) - horizontalScrollBar()->value() * kStepPixels;
    const int top = gap - verticalScrollBar()->value() * kStepPixels;
    const int shadow = zoomed(kShadowWidth, zoom_);
    painter.fillRect(QRect(left + shadow, top + shadow, width, height), Qt::black);
    painter.fillRect(QRect(left, top, width, height), Qt::white);
    if (!renderer_ || page_ >= plan_->pages.size()) return;
    const double pixelsPerUnit = zoom_ / 1000.0;
    const PageDevice device{pixelsPerUnit, pixelsPerUnit,
                            QPointF(left + plan_->paper.offsetLeft * pixelsPerUnit,
                                    top + plan_->paper.offsetTop * pixelsPerUnit)};
    renderer_->drawPage(painter, page_, device);
}

PrintPreviewWindow::PrintPreviewWindow(GridWidget& grid) : QWidget(&grid, Qt::Window), grid_(grid) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(u"打印预览"));
    // The table must not change under the pages shown, so the rest of the program
    // waits while the preview is open.
    setWindowModality(Qt::ApplicationModal);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, kLightGrey);
    setPalette(ground);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->setSpacing(5);
    auto addButton = [&](const QString& caption, auto action) {
        auto* button = new QPushButton(caption, this);
        button->setFocusPolicy(Qt::NoFocus);
        const QFontMetrics metrics(button->font());
        button->setFixedWidth(metrics.horizontalAdvance(caption) + 2 * metrics.horizontalAdvance(QLatin1Char('W')));
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    };
    addButton(QStringLiteral(u"打印"), [this] { runPageSetup(true); });
    addButton(QStringLiteral(u"打印设置"), [this] { runPageSetup(false); });
    addButton(QStringLiteral(u"上页"), [this] { goToPage(page_ == 0 ? 0 : page_ - 1); });
    addButton(QStringLiteral(u"下页"), [this] { goToPage(page_ + 1); });
    addButton(QStringLiteral(u"到指定页"), [this] { askForPage(); });
    addButton(QStringLiteral(u"放大"), [this] { setZoom(zoom_ + kZoomStep, true); });
    addButton(QStringLiteral(u"缩小"), [this] { setZoom(zoom_ - kZoomStep, true); });
    addButton(QStringLiteral(u"等宽"), [this] { fitWidth(true); });
    addButton(QStringLiteral(u"等高"), [this] { fitHeight(true); });
    addButton(QStringLiteral(u"退出"), [this] { close(); });
    counter_ = new QLabel(this);
    counter_->setFixedWidth(80);
    counter_->setAlignment(Qt::AlignCenter);
    buttons->addWidget(counter_);
    buttons->addStretch();
    layout->addLayout(buttons);
    view_ = new PreviewPageView(this);
    layout->addWidget(view_, 1);

    rebuild();
    setGeometry(50, 50, 380, 380);
}

PrintPreviewWindow* PrintPreviewWindow::open(GridWidget& grid) {
    auto* window = grid.findChild<PrintPreviewWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new PrintPreviewWindow(grid);
        window->showMaximized();
        window->fitHeight(false);
    }
    window->raise();
    window->activateWindow();
    return window;
}

void PrintPreviewWindow::rebuild() {
    DataSrc* source = grid_.dataSource();
    renderer_.reset();
    plan_ = PrintPlan{};
    if (source && source->provider()) {
        const PageSettings& settings = source->provider()->pageSettings();
        plan_ = planPrint(*source->provider(), settings, paperMetricsFor(settings));
        renderer_ = std::make_unique<PageRenderer>(*source, plan_, grid_.lineColor());
    }
    page_ = std::min(page_, plan_.pages.empty() ? 0 : plan_.pages.size() - 1);
    refreshView();
}

void PrintPreviewWindow::refreshView() {
    const size_t count = plan_.pages.size();
    counter_->setText(QStringLiteral("%1 / %2").arg(count == 0 ? 0 : page_ + 1).arg(count));
    view_->showPage(&plan_, renderer_.get(), page_, zoom_);
}

void PrintPreviewWindow::goToPage(size_t page) {
    if (plan_.pages.empty()) return;
    page = std::min(page, plan_.pages.size() - 1);
    if (page == page_) return;
    page_ = page;
    refreshView();
}

void PrintPreviewWindow::setZoom(int32_t zoom, bool chosen) {
    zoomChosen_ = zoomChosen_ || chosen;
    zoom_ = std::clamp(zoom, kMinimumZoom, kMaximumZoom);
    refreshView();
}

void PrintPreviewWindow::fitWidth(bool chosen) {
    zoomChosen_ = zoomChosen_ || chosen;
    zoom_ = std::max(kMinimumZoom, static_cast<int32_t>(int64_t{view_->viewport()->width()} * 1000 /
                                                        (plan_.paper.paperWidth + 100)));
    refreshView();
}

void PrintPreviewWindow::fitHeight(bool chosen) {
    zoomChosen_ = zoomChosen_ || chosen;
    zoom_ = std::max(kMinimumZoom, static_cast<int32_t>(int64_t{view_->viewport()->height()} * 1000 /
                                                        (plan_.paper.paperHeight + 150)));
    refreshView();
}

void PrintPreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!zoomChosen_) fitHeight(false);
}

void PrintPreviewWindow::askForPage() {
    if (plan_.pages.empty()) return;
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral(u"页面跳转:"));
    dialog.setLabelText(QStringLiteral(u"请输入欲跳转到页号(%1-%2):").arg(1).arg(plan_.pages.size()));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, static_cast<int>(plan_.pages.size()));
    dialog.setIntValue(static_cast<int>(page_) + 1);
    if (dialog.exec() == QDialog::Accepted) goToPage(static_cast<size_t>(dialog.intValue() - 1));
}

void PrintPreviewWindow::runPageSetup(bool thenPrint) {
    DataSrc* source = grid_.dataSource();
    if (!source || !editPageSettings(*source, this)) return;
    rebuild();
    if (!thenPrint) return;
    const QString failure = printWithProgress(*source, PrintRequest{.lineColor = grid_.lineColor()}, true, this);
    if (!failure.isEmpty()) QMessageBox::warning(this, QStringLiteral(u"打印"), failure);
}

void PrintPreviewWindow::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const size_t last = plan_.pages.empty() ? 0 : plan_.pages.size() - 1;
    QScrollBar* vertical = view_->verticalScrollBar();
    QScrollBar* horizontal = view_->horizontalScrollBar();
    auto scroll = [control](QScrollBar* bar, int direction) {
        bar->setValue(bar->value() + direction * (control ? bar->pageStep() : 1));
    };
    switch (event->key()) {
        case Qt::Key_PageUp: goToPage(control ? 0 : (page_ == 0 ? 0 : page_ - 1)); break;
        case Qt::Key_PageDown: goToPage(control ? last : page_ + 1); break;
        case Qt::Key_Home:
            if (control) goToPage(0);
            else vertical->setValue(0);
            break;
        case Qt::Key_End:
            if (control) goToPage(last);
            else vertical->setValue(vertical->maximum());
            break;
        case Qt::Key_Up: scroll(vertical, -1); break;
        case Qt::Key_Down: scroll(vertical, 1); break;
        case Qt::Key_Left: scroll(horizontal, -1); break;
        case Qt::Key_Right: scroll(horizontal, 1); break;
        // Without a mouse, the way out that 退出 offers.
        case Qt::Key_Escape: close(); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace grid

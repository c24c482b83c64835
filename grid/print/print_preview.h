#pragma once

#include <QAbstractScrollArea>
#include <QWidget>
#include <memory>

#include "grid/print/page_renderer.h"
#include "grid/print/print_plan.h"

class QLabel;

namespace grid {

class GridWidget;

// The page view of the preview: the current page as a white sheet with a shadow on
// a dark-grey ground, at the preview's zoom (per mille: at 1000 one pixel shows
// 0.1 mm), scrolled in steps of 30 pixels.
class PreviewPageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit PreviewPageView(QWidget* parent);

    void showPage(const PrintPlan* plan, PageRenderer* renderer, size_t page, int32_t zoom);
    void updateScrollRanges();

    static constexpr int kStepPixels = 30;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    const PrintPlan* plan_ = nullptr;
    PageRenderer* renderer_ = nullptr;
    size_t page_ = 0;
    int32_t zoom_ = 1000;
};

// The preview window "打印预览" of one grid: its own copy of the settings and the page
// list, the buttons along the top, and the page view. It is a window of its own
// owned by the grid, so a second preview of the same grid finds and raises it.
class PrintPreviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit PrintPreviewWindow(GridWidget& grid);

    // Opens the preview of the grid, or raises the one already open.
    static PrintPreviewWindow* open(GridWidget& grid);

    size_t currentPage() const { return page_; }
    size_t pageCount() const { return plan_.pages.size(); }
    int32_t zoom() const { return zoom_; }
    const PrintPlan& plan() const { return plan_; }

    void goToPage(size_t page);
    void setZoom(int32_t zoom, bool chosen);
    void fitWidth(bool chosen);
    void fitHeight(bool chosen);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();
    void refreshView();
    void askForPage();
    void runPageSetup(bool thenPrint);

    GridWidget& grid_;
    PrintPlan plan_;
    std::unique_ptr<PageRenderer> renderer_;
    size_t page_ = 0;
    int32_t zoom_ = 1000;
    // Until a zoom button is pressed, every resize fits the page's height again.
    bool zoomChosen_ = false;
    PreviewPageView* view_ = nullptr;
    QLabel* counter_ = nullptr;
};

}  // namespace grid

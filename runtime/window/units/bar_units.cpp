// The status bar, which keeps itself along the bottom of the window, and the
// toolbars with their buttons and drop-down arrows.
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <functional>

#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/standard_units.h"
#include "runtime/window/units/toolbar_images.h"

namespace rt {
namespace {

// A toolbar button; a drop-down entry draws an arrow part, and a click on the arrow
// does not press the button: it asks the application for a menu.
class EntryButton : public QToolButton {
public:
    using QToolButton::QToolButton;

    void setArrowClicked(std::function<void()> arrowClicked) {
        arrowClicked_ = std::move(arrowClicked);
        setPopupMode(QToolButton::MenuButtonPopup);
        // A menu that stays empty makes the style draw the arrow part. Assistive
        // technology opens it through the button's ShowMenu action: then it closes
        // at once and the application is asked for its menu, as by the arrow.
        auto* placeholder = new QMenu(this);
        QObject::connect(placeholder, &QMenu::aboutToShow, this, [this, placeholder] {
            QMetaObject::invokeMethod(this, [this, placeholder] {
                placeholder->close();
                arrowClicked_();
            }, Qt::QueuedConnection);
        });
        setMenu(placeholder);
    }
    bool isOnArrow(QPoint position) const {
        QStyleOptionToolButton option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, this).contains(position);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (arrowClicked_ && event->button() == Qt::LeftButton && isOnArrow(event->position().toPoint())) {
            arrowClicked_();
            return;
        }
        QToolButton::mousePressEvent(event);
    }

private:
    std::function<void()> arrowClicked_;
};

class StatusBarUnit : public Unit, public QObject {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        bar_ = new QStatusBar(parent);
        bar_->setSizeGripEnabled(false);
        for (const std::string& width : storedProperties().lines("pane")) {
            auto* pane = new QLabel(bar_);
            pane->setFixedWidth(std::stoi(width));
            pane->setFrameShape(QFrame::Panel);
            pane->setFrameShadow(QFrame::Sunken);
            bar_->addWidget(pane);
            panes_.push_back(pane);
        }
        parent->installEventFilter(this);
        return bar_;
    }
    Value readOwnProperty(int32_t index, int32_t element) override {
        if (index != status_bar_property::PaneText || element < 0 || element >= int32_t(panes_.size())) return {};
        return textValue(panes_[static_cast<size_t>(element)]->text());
    }
    void writeOwnProperty(int32_t index, int32_t element, const Value& value) override {
        if (index != status_bar_property::PaneText || element < 0 || element >= int32_t(panes_.size())) return;
        panes_[static_cast<size_t>(element)]->setText(qtTextOfValue(value));
    }

protected:
    // Like the platform's status bar, it follows the bottom edge of its window.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == bar_->parentWidget()) {
            QWidget* area = bar_->parentWidget();
            int height = std::max(bar_->height(), 20);
            bar_->setGeometry(0, area->height() - height, area->width(), height);
        }
        return false;
    }

private:
    QStatusBar* bar_ = nullptr;
    std::vector<QLabel*> panes_;
};

// Event 0 with the entry index (separators counted) when a button is clicked;
// event 1 with the index and the screen point below the arrow when a drop-down
// arrow is clicked.
class ToolBarUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        auto* bar = new QToolBar(parent);
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        int32_t index = 0;
        for (const std::string& line : storedProperties().lines("entry")) {
            addEntry(*bar, index++, line);
        }
        return bar;
    }

private:
    void addEntry(QToolBar& bar, int32_t index, const std::string& line) {
        // "caption \t image \t style"
        size_t first = line.find('\t');
        size_t second = line.find('\t', first + 1);
        QString caption = fromGbk(line.substr(0, first));
        int image = std::stoi(line.substr(first + 1, second - first - 1));
        std::string style = line.substr(second + 1);
        if (style == "separator") {
            bar.addSeparator();
            return;
        }
        auto* button = new EntryButton(&bar);
        button->setIcon(toolbarImage(image));
        button->setToolTip(caption);
        button->setAccessibleName(caption);
        button->setAutoRaise(true);
        QObject::connect(button, &QToolButton::clicked, button, [this, index] { raise(0, {index}); });
        if (style == "dropdown") {
            button->setArrowClicked([this, button, index] {
                QPoint below = button->mapToGlobal(QPoint(0, button->height()));
                raise(1, {index, below.x(), below.y()});
            });
        }
        bar.addWidget(button);
    }
};

}  // namespace

void registerBarUnitKinds() {
    registerUnitKind(unit_kind::StatusBar, constructUnit<StatusBarUnit>);
    registerUnitKind(unit_kind::ToolBar, constructUnit<ToolBarUnit>);
}

}  // namespace rt

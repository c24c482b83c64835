// The units that show a text: labels, buttons, check boxes, radio buttons, group
// boxes and hyperlink labels.
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QScopedValueRollback>

#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/standard_units.h"

namespace rt {
namespace {

class LabelUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        label_ = new QLabel(fromGbk(storedProperties().text("text")), parent);
        return label_;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        return index == text_property::Text ? textValue(label_->text()) : Value{};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == text_property::Text) label_->setText(qtTextOfValue(value));
    }

private:
    QLabel* label_ = nullptr;
};

// A push button; event 0 when it is clicked. The template may mark it "default"
// (Enter presses it) or "cancel" (Escape presses it); the window looks for the marks.
class ButtonUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        const PropertyBlock stored = storedProperties();
        button_ = new QPushButton(fromGbk(stored.text("text")), parent);
        // Drawn as the default, and said to be so to assistive technology.
        button_->setDefault(stored.integer("default") != 0);
        QObject::connect(button_, &QPushButton::clicked, button_, [this] { raise(0); });
        return button_;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        return index == text_property::Text ? textValue(button_->text()) : Value{};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == text_property::Text) button_->setText(qtTextOfValue(value));
    }

private:
    QPushButton* button_ = nullptr;
};

// Check boxes and radio buttons: event 0 once for every change the person makes, by
// mouse, key or an accessibility action. Such an action toggles the box without
// clicking it, so the event follows the change of state; a click that changes
// nothing (on the chosen radio button) still raises it, as it always did. A radio
// button raises it only when it becomes the chosen one, not when it gives way; a
// change the program makes raises nothing.
template <typename Box>
class CheckUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        box_ = new Box(fromGbk(storedProperties().text("text")), parent);
        // Every click, whether by mouse, key or the accessible press, begins with pressed.
        QObject::connect(box_, &Box::pressed, box_, [this] { toggledSincePress_ = false; });
        QObject::connect(box_, &Box::toggled, box_, [this](bool checked) {
            if (settingByProgram_) return;
            toggledSincePress_ = true;
            if (checked || !box_->autoExclusive()) raise(0);
        });
        QObject::connect(box_, &Box::clicked, box_, [this] {
            if (!toggledSincePress_) raise(0);
        });
        return box_;
    }
    // Checked only once every unit sits in its group box: a radio button checked while
    // the buttons of several groups still share the window would clear the others.
    void unitsCreated() override { setCheckedByProgram(storedProperties().integer("checked") != 0); }
    Value readOwnProperty(int32_t index, int32_t) override {
        if (index == check_property::Text) return textValue(box_->text());
        if (index == check_property::Checked) return Value::logical(box_->isChecked());
        return {};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == check_property::Text) box_->setText(qtTextOfValue(value));
        if (index == check_property::Checked) setCheckedByProgram(logicalOfValue(value));
    }

private:
    void setCheckedByProgram(bool checked) {
        QScopedValueRollback guard(settingByProgram_, true);
        box_->setChecked(checked);
    }

    Box* box_ = nullptr;
    bool settingByProgram_ = false;
    bool toggledSincePress_ = false;
};

class GroupBoxUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        box_ = new QGroupBox(fromGbk(storedProperties().text("text")), parent);
        return box_;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        return index == text_property::Text ? textValue(box_->title()) : Value{};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == text_property::Text) box_->setTitle(qtTextOfValue(value));
    }

private:
    QGroupBox* box_ = nullptr;
};

// The label of a link. The application binds its left-button event, so the keyboard
// (Tab to it, then Enter or Space) and assistive technology (its Press action) click
// it: the same event reaches the same handler.
class LinkLabel : public QLabel {
public:
    using QLabel::QLabel;

    void click() {
        const QPoint centre = rect().center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, centre, mapToGlobal(centre), Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(this, &event);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            click();
            return;
        }
        QLabel::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus()) return;
        QStylePainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
};

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            static_cast<LinkLabel*>(widget())->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* linkInterfaceFactory(const QString&, QObject* object) {
    auto* label = dynamic_cast<LinkLabel*>(object);
    return label ? new LinkAccessible(label) : nullptr;
}

// A label drawn as a link. What a click does is the application's: it binds the
// left-button event and reads the target.
class HyperLinkerUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        PropertyBlock stored = storedProperties();
        target_ = stored.text("target");
        label_ = new LinkLabel(parent);
        label_->setCursor(Qt::PointingHandCursor);
        setText(fromGbk(stored.text("text")));
        return label_;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        if (index == hyperlink_property::Text) return textValue(text_);
        if (index == hyperlink_property::Target) return textValue(target_);
        return {};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == hyperlink_property::Text) setText(qtTextOfValue(value));
        if (index == hyperlink_property::Target) target_ = textArgumentOf(value);
    }

private:
    void setText(const QString& text) {
        text_ = text;
        label_->setText(QStringLiteral("<a href=\"#\" style=\"color:#0000ff\">%1</a>").arg(text.toHtmlEscaped()));
        label_->setAccessibleName(text);
        label_->setTextInteractionFlags(Qt::NoTextInteraction);
        // After the flags, which take a label without keyboard interaction out of the
        // Tab order.
        label_->setFocusPolicy(Qt::StrongFocus);
    }

    LinkLabel* label_ = nullptr;
    QString text_;
    std::string target_;
};

}  // namespace

void registerTextUnitKinds() {
    QAccessible::installFactory(linkInterfaceFactory);
    registerUnitKind(unit_kind::Label, constructUnit<LabelUnit>);
    registerUnitKind(unit_kind::Button, constructUnit<ButtonUnit>);
    registerUnitKind(unit_kind::CheckBox, constructUnit<CheckUnit<QCheckBox>>);
    registerUnitKind(unit_kind::RadioBox, constructUnit<CheckUnit<QRadioButton>>);
    registerUnitKind(unit_kind::GroupBox, constructUnit<GroupBoxUnit>);
    registerUnitKind(unit_kind::HyperLinker, constructUnit<HyperLinkerUnit>);
}

}  // namespace rt

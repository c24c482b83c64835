// The units that show a text: labels, buttons, check boxes, radio buttons, group
// boxes and hyperlink labels.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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

// A label drawn as a link. What a click does is the application's: it binds the
// left-button event and reads the target.
class HyperLinkerUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        PropertyBlock stored = storedProperties();
        target_ = stored.text("target");
        label_ = new QLabel(parent);
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
        label_->setTextInteractionFlags(Qt::NoTextInteraction);
    }

    QLabel* label_ = nullptr;
    QString text_;
    std::string target_;
};

}  // namespace

void registerTextUnitKinds() {
    registerUnitKind(unit_kind::Label, constructUnit<LabelUnit>);
    registerUnitKind(unit_kind::Button, constructUnit<ButtonUnit>);
    registerUnitKind(unit_kind::CheckBox, constructUnit<CheckUnit<QCheckBox>>);
    registerUnitKind(unit_kind::RadioBox, constructUnit<CheckUnit<QRadioButton>>);
    registerUnitKind(unit_kind::GroupBox, constructUnit<GroupBoxUnit>);
    registerUnitKind(unit_kind::HyperLinker, constructUnit<HyperLinkerUnit>);
}

}  // namespace rt

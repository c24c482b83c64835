// Edit boxes (optionally with spin buttons) and combo boxes.
#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/standard_units.h"

namespace rt {
namespace {

// Event 0 whenever the text changes (also when a handler sets it); with spin
// buttons, event 1 with +1 or -1 when one is pressed.
class EditBoxUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        PropertyBlock stored = storedProperties();
        edit_ = new QLineEdit(fromGbk(stored.text("text")));
        QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] { raise(0); });
        if (stored.integer("spin") == 0) {
            edit_->setParent(parent);
            return edit_;
        }
        auto* box = new QWidget(parent);
        // Tab stops at the edit field alone, as at a box without arrows; the arrows stay
        // within reach of the mouse and of their accessible press.
        box->setFocusProxy(edit_);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        row->addWidget(edit_);
        auto* buttons = new QVBoxLayout;
        buttons->setSpacing(0);
        for (auto [arrow, step] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
            auto* button = new QToolButton(box);
            button->setArrowType(arrow);
            button->setFixedWidth(14);
            button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
            button->setFocusPolicy(Qt::NoFocus);
            QObject::connect(button, &QToolButton::clicked, button, [this, step] { raise(1, {step}); });
            buttons->addWidget(button);
        }
        row->addLayout(buttons);
        return box;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        return index == edit_property::Text ? textValue(edit_->text()) : Value{};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == edit_property::Text) edit_->setText(qtTextOfValue(value));
    }
    QLineEdit* lineEdit() const { return edit_; }

private:
    QLineEdit* edit_ = nullptr;
};

// An editable combo box; event 0 when the user picks an item from the list, with the
// mouse, the keys or an accessibility tool.
class ComboBoxUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        PropertyBlock stored = storedProperties();
        combo_ = new QComboBox(parent);
        combo_->setEditable(true);
        combo_->setInsertPolicy(QComboBox::NoInsert);
        for (const std::string& item : stored.lines("item")) combo_->addItem(fromGbk(item));
        combo_->setCurrentIndex(-1);
        combo_->setEditText(fromGbk(stored.text("text")));
        QObject::connect(combo_, &QComboBox::activated, combo_, [this] { raise(0); });
        QAbstractItemView* list = combo_->view();
        QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, combo_,
                         [this, list] { takeSelectionApartFromCursor(*list); });
        return combo_;
    }
    Value readOwnProperty(int32_t index, int32_t element) override {
        switch (index) {
            case combo_property::Text: return textValue(combo_->currentText());
            case combo_property::CurrentIndex: return Value::integer(combo_->currentIndex());
            case combo_property::ItemCount: return Value::integer(combo_->count());
            case combo_property::Items: return element >= 0 ? textValue(combo_->itemText(element)) : itemArray();
            default: return {};
        }
    }
    void writeOwnProperty(int32_t index, int32_t element, const Value& value) override {
        QScopedValueRollback guard(settingByProgram_, true);
        switch (index) {
            case combo_property::Text: combo_->setEditText(qtTextOfValue(value)); break;
            case combo_property::CurrentIndex: combo_->setCurrentIndex(integerOfValue(value)); break;
            case combo_property::Items:
                if (element >= 0 && element < combo_->count()) {
                    combo_->setItemText(element, qtTextOfValue(value));
                } else if (element < 0) {
                    setItems(value);
                }
                break;
            default: break;
        }
    }

private:
    // The list's cursor moves with the mouse and the keys and selects the item it
    // reaches; an accessibility tool selects an item without moving the cursor, and the
    // box takes no notice of that by itself. Such a selection is the person's pick,
    // made as a click on the item would make it.
    void takeSelectionApartFromCursor(QAbstractItemView& list) {
        if (settingByProgram_) return;
        const QModelIndexList selected = list.selectionModel()->selectedIndexes();
        if (selected.size() != 1 || selected.front() == list.currentIndex()) return;
        const int row = selected.front().row();
        list.setCurrentIndex(selected.front());
        combo_->hidePopup();
        combo_->setCurrentIndex(row);
        combo_->setEditText(combo_->itemText(row));
        raise(0);
    }

    Value itemArray() const {
        const uint32_t count = static_cast<uint32_t>(combo_->count());
        void* array = makeArray(sizeof(char*), {&count, 1});
        auto** elements = reinterpret_cast<char**>(arrayElements(array));
        for (uint32_t i = 0; i < count; ++i) elements[i] = makeText(toGbk(combo_->itemText(static_cast<int>(i))));
        return Value::array(array, ValueType::Text);
    }

    // Replaces the list with a text array (or one text with an item per line).
    void setItems(const Value& value) {
        QString text = combo_->currentText();
        combo_->clear();
        if (value.type == arrayTagOf(ValueType::Text) && value.pointer()) {
            auto** elements = reinterpret_cast<char**>(arrayElements(value.pointer()));
            for (size_t i = 0; i < arrayElementCount(value.pointer()); ++i) combo_->addItem(fromGbk(textOf(elements[i])));
        } else if (!textArgumentOf(value).empty()) {
            combo_->addItems(qtTextOfValue(value).split(QLatin1Char('\n')));
        }
        combo_->setCurrentIndex(-1);
        combo_->setEditText(text);
    }

    QComboBox* combo_ = nullptr;
    bool settingByProgram_ = false;
};

}  // namespace

void registerInputUnitKinds() {
    registerUnitKind(unit_kind::EditBox, constructUnit<EditBoxUnit>);
    registerUnitKind(unit_kind::ComboBox, constructUnit<ComboBoxUnit>);
}

}  // namespace rt

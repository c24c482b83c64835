#include "runtime/window/units/palette_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "runtime/platform/gbk_codec.h"
#include "runtime/window/units/color_palette.h"
#include "runtime/window/units/palette_entries.h"

namespace rt {
namespace {

// The entries in the order they are shown: the transparent one on top when offered,
// the swatches row by row, the custom one at the bottom.
std::vector<int32_t> entriesOf(const ColorPalette& palette) {
    std::vector<int32_t> entries;
    if (!palette.layout().transparentRect().isEmpty()) entries.push_back(kTransparentEntry);
    for (int32_t swatch = 0; swatch < kSwatchCount; ++swatch) entries.push_back(swatch);
    entries.push_back(kCustomEntry);
    return entries;
}

class PaletteEntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PaletteEntryAccessible(ColorPalette* palette, int32_t entry) : palette_(palette), entry_(entry) {}

    bool isValid() const override { return !palette_.isNull(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(palette_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return {};
        if (entry_ == kTransparentEntry) return transparentEntryText();
        if (entry_ == kCustomEntry) return customEntryText();
        return fromGbk(paletteColors()[entry_].name);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!palette_) return {};
        const QRect inPalette = palette_->layout().entryRect(entry_);
        return QRect(palette_->mapToGlobal(inPalette.topLeft()), inPalette.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.focused = palette_ && palette_->highlightedEntry() == entry_;
        state.selected = palette_ && palette_->markedEntry() == entry_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && palette_) palette_->chooseEntry(entry_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<ColorPalette> palette_;
    int32_t entry_;
};

// The entries' objects are made with the palette's and live as long as it does.
class PaletteAccessible : public QAccessibleWidget {
public:
    explicit PaletteAccessible(ColorPalette* palette) : QAccessibleWidget(palette, QAccessible::List) {
        for (int32_t entry : entriesOf(*palette)) {
            ids_.push_back(QAccessible::registerAccessibleInterface(new PaletteEntryAccessible(palette, entry)));
            entries_.push_back(entry);
        }
    }
    ~PaletteAccessible() override {
        for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(ids_.size()); }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount() ? QAccessible::accessibleInterface(ids_[static_cast<size_t>(index)])
                                                  : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (size_t i = 0; i < ids_.size(); ++i) {
            if (QAccessible::accessibleInterface(ids_[i]) == child) return static_cast<int>(i);
        }
        return -1;
    }
    QAccessibleInterface* childOfEntry(int32_t entry) const {
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i] == entry) return child(static_cast<int>(i));
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return childOfEntry(static_cast<ColorPalette*>(widget())->highlightedEntry());
    }

private:
    std::vector<QAccessible::Id> ids_;
    std::vector<int32_t> entries_;
};

QAccessibleInterface* paletteInterfaceFactory(const QString&, QObject* object) {
    auto* palette = qobject_cast<ColorPalette*>(object);
    return palette ? new PaletteAccessible(palette) : nullptr;
}

}  // namespace

void installPaletteAccessibility() { QAccessible::installFactory(paletteInterfaceFactory); }

void announceHighlightedEntry(ColorPalette& palette) {
    if (!QAccessible::isActive()) return;
    auto* list = dynamic_cast<PaletteAccessible*>(QAccessible::queryAccessibleInterface(&palette));
    QAccessibleInterface* entry = list ? list->childOfEntry(palette.highlightedEntry()) : nullptr;
    if (!entry) return;
    QAccessibleEvent focus(entry, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

}  // namespace rt

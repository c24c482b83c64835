#include "tools/template_compiler/interface_file_parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "runtime/platform/gbk_codec.h"
#include "runtime/template/kind_properties.h"
#include "runtime/template/shortcut_names.h"
#include "runtime/value/value.h"

namespace uic {
namespace {

struct NamedNumber {
    std::string_view name;
    int64_t number;
};

constexpr NamedNumber kKinds[] = {
    {"Window", rt::unit_kind::Window},         {"EditBox", rt::unit_kind::EditBox},
    {"GroupBox", rt::unit_kind::GroupBox},     {"Label", rt::unit_kind::Label},
    {"Button", rt::unit_kind::Button},         {"CheckBox", rt::unit_kind::CheckBox},
    {"RadioBox", rt::unit_kind::RadioBox},     {"ComboBox", rt::unit_kind::ComboBox},
    {"ColorPicker", rt::unit_kind::ColorPicker}, {"HyperLinker", rt::unit_kind::HyperLinker},
    {"CommonDlg", rt::unit_kind::CommonDlg},   {"Grid", rt::unit_kind::Grid},
    {"DataSrc", rt::unit_kind::DataSrc},       {"NProvider", rt::unit_kind::NProvider},
    {"ODBCDB", rt::unit_kind::OdbcDb},         {"ODBCProvider", rt::unit_kind::OdbcProvider},
    {"StatusBar", rt::unit_kind::StatusBar},   {"ToolBar", rt::unit_kind::ToolBar},
    {"SupperMenu", rt::unit_kind::SupperMenu},
};

// Event names of the interface files; the numbers are those stored in the bindings.
constexpr NamedNumber kEvents[] = {
    {"leftDown", -1},     {"leftUp", -2},       {"doubleClick", -3},     {"rightDown", -4},
    {"rightUp", -5},      {"mouseMove", -6},    {"focusIn", -7},         {"focusOut", -8},
    {"keyDown", -9},      {"keyUp", -10},       {"character", -11},      {"wheel", -12},
    {"created", 0},       {"mayClose", 1},      {"willBeDestroyed", 2},  {"moved", 3},
    {"sizeChanged", 4},   {"activated", 5},     {"deactivated", 6},      {"idle", 7},
    {"firstActivation", 8}, {"tray", 9},        {"chosen", 0},           {"clicked", 0},
    {"changed", 0},       {"spin", 1},          {"selected", 0},         {"colorChosen", 0},
    {"dropDown", 1},      {"currentCellChanged", 0}, {"selectionEndChanged", 1},
    {"cellsChanged", 2},  {"rowHeightDragged", 3}, {"columnWidthDragged", 4}, {"pasteResized", 5},
    {"rowMoved", 0},      {"rowAdded", 1},      {"rowDeleted", 2},
};

// The kinds whose blocks have a fixed layout take only these properties.
const std::vector<std::string_view>* fixedProperties(uint32_t kind) {
    static const std::vector<std::string_view> dataSource{"readOnly", "allowAdd", "allowDelete", "provider"};
    static const std::vector<std::string_view> provider{"rows", "columns"};
    static const std::vector<std::string_view> colorPicker{"color", "transparent"};
    if (kind == rt::unit_kind::DataSrc) return &dataSource;
    if (kind == rt::unit_kind::NProvider) return &provider;
    if (kind == rt::unit_kind::ColorPicker) return &colorPicker;
    return nullptr;
}

template <size_t N>
bool lookUp(const NamedNumber (&table)[N], std::string_view name, int64_t& number) {
    for (const NamedNumber& entry : table) {
        if (entry.name == name) {
            number = entry.number;
            return true;
        }
    }
    return false;
}

// Splits a line into words; a quoted word may hold blanks and the escapes \" \\ \n \t.
// Quoted words are converted to GBK. False for an unterminated quote.
bool splitWords(std::string_view line, std::vector<std::string>& words) {
    size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size() || line[i] == '#') return true;
        std::string word;
        if (line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) return false;
                if (line[i] == '"') break;
                if (line[i] == '\\' && i + 1 < line.size()) {
                    char escaped = line[++i];
                    word += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                } else {
                    word += line[i];
                }
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(rt::utf8ToGbk(word));
    }
}

bool isIdentifier(std::string_view name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

}  // namespace

bool parseNumber(std::string_view word, int64_t& value) {
    bool negative = word.starts_with('-');
    if (negative) word.remove_prefix(1);
    int base = 10;
    if (word.starts_with("0x") || word.starts_with("0X")) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty()) return false;
    auto result = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return false;
    if (negative) value = -value;
    return true;
}

bool InterfaceFileParser::fail(const std::string& message) {
    error_ = fileName_ + ":" + std::to_string(lineNumber_) + ": " + message;
    return false;
}

bool InterfaceFileParser::parse(std::string_view fileName, std::string_view utf8Text) {
    fileName_ = std::string(fileName);
    lineNumber_ = 0;
    size_t start = 0;
    while (start <= utf8Text.size()) {
        size_t end = utf8Text.find('\n', start);
        if (end == std::string_view::npos) end = utf8Text.size();
        ++lineNumber_;
        std::vector<std::string> words;
        if (!splitWords(utf8Text.substr(start, end - start), words)) return fail("a quoted text is not closed");
        if (!words.empty() && !parseLine(words)) return false;
        start = end + 1;
    }
    return finishWindow();
}

bool InterfaceFileParser::parseLine(const std::vector<std::string>& words) {
    if (words[0] == "window") return finishWindow() && startWindow(words);
    if (windows_.empty() || properties_.empty()) return fail("the file must start with a window line");
    if (words[0] == "unit") return startUnit(words);
    if (words[0] == "menu") return addMenuItem(words);
    return addAttribute(words);
}

bool InterfaceFileParser::startWindow(const std::vector<std::string>& words) {
    int64_t windowId;
    int64_t ownId;
    if (words.size() != 4 || !parseNumber(words[2], windowId) || !parseNumber(words[3], ownId)) {
        return fail("expected: window Name windowId ownUnitId");
    }
    if (!rt::isWindowId(static_cast<uint32_t>(windowId)) || !rt::isWindowOwnUnitId(static_cast<uint32_t>(ownId))) {
        return fail("window ids start with 0x52, own unit ids with 0x06");
    }
    for (const rt::WindowTemplate& existing : windows_) {
        if (existing.id == windowId) return fail("window id used twice");
    }
    rt::WindowTemplate window;
    window.id = static_cast<uint32_t>(windowId);
    rt::UnitTemplate own;
    own.id = static_cast<uint32_t>(ownId);
    own.kind = rt::unit_kind::Window;
    own.name = words[1];
    window.units.push_back(own);
    windows_.push_back(std::move(window));
    properties_.assign(1, {});
    containers_.assign(1, {});
    shares_.assign(1, {});
    uint32_t low = static_cast<uint32_t>(windowId) & 0x00FF0000;
    nextUnitId_ = 0x16000001 | low;
    nextMenuId_ = 0x26000001 | low;
    return true;
}

bool InterfaceFileParser::startUnit(const std::vector<std::string>& words) {
    int64_t kind;
    if (words.size() < 3 || words.size() > 4) return fail("expected: unit Kind \"name\" [id]");
    if (!lookUp(kKinds, words[1], kind) || kind == rt::unit_kind::Window) return fail("unknown unit kind " + words[1]);
    rt::WindowTemplate& window = windows_.back();
    if (window.findUnitByName(words[2])) return fail("unit name used twice in this window");
    rt::UnitTemplate unit;
    unit.kind = static_cast<uint32_t>(kind);
    unit.name = words[2];
    if (words.size() == 4) {
        int64_t id;
        if (!parseNumber(words[3], id) || !rt::isUnitId(static_cast<uint32_t>(id))) {
            return fail("unit ids start with 0x16");
        }
        unit.id = static_cast<uint32_t>(id);
    } else {
        while (window.findUnit(nextUnitId_)) ++nextUnitId_;
        unit.id = nextUnitId_++;
    }
    if (window.findUnit(unit.id)) return fail("unit id used twice in this window");
    unit.tabPosition = static_cast<uint32_t>(window.units.size());
    window.units.push_back(std::move(unit));
    properties_.emplace_back();
    containers_.emplace_back();
    shares_.emplace_back();
    return true;
}

bool InterfaceFileParser::addMenuItem(const std::vector<std::string>& words) {
    int64_t level;
    if (words.size() < 3 || !parseNumber(words[1], level) || level < 0 || level > 2) {
        return fail("expected: menu level \"caption\" [key K] [disabled] [hidden] [checked] [on routine]");
    }
    rt::UnitTemplate item;
    item.id = nextMenuId_++;
    item.kind = rt::unit_kind::MenuItem;
    item.menu.level = static_cast<uint32_t>(level);
    item.menu.caption = words[2];
    for (size_t i = 3; i < words.size(); ++i) {
        if (words[i] == "key" && i + 1 < words.size()) {
            item.menu.shortcut = rt::shortcutNumber(words[++i]);
            if (item.menu.shortcut == rt::kNoShortcut) return fail("unknown key name " + words[i]);
        } else if (words[i] == "on" && i + 1 < words.size()) {
            bool ok;
            item.menu.handler = routineIndex(words[++i], ok);
            if (!ok) return false;
        } else if (words[i] == "disabled") {
            item.menu.stateFlags |= rt::menu_state::Disabled;
        } else if (words[i] == "hidden") {
            item.menu.stateFlags |= rt::menu_state::Hidden;
        } else if (words[i] == "checked") {
            item.menu.stateFlags |= rt::menu_state::Checked;
        } else {
            return fail("unexpected word " + words[i] + " in a menu line");
        }
    }
    windows_.back().units.push_back(std::move(item));
    properties_.emplace_back();
    containers_.emplace_back();
    shares_.emplace_back();
    return true;
}

bool InterfaceFileParser::addAttribute(const std::vector<std::string>& words) {
    rt::UnitTemplate& unit = windows_.back().units.back();
    if (unit.isMenuItem()) return fail("menu lines take no further lines");
    const std::string& name = words[0];
    auto needs = [&](size_t count) { return words.size() == count + 1 || fail(name + " takes " + std::to_string(count) + " value(s)"); };
    if (name == "rect") {
        if (!needs(4)) return false;
        int64_t values[4];
        for (int i = 0; i < 4; ++i) {
            if (!parseNumber(words[i + 1], values[i])) return fail("rect takes four numbers");
        }
        unit.left = static_cast<int32_t>(values[0]);
        unit.top = static_cast<int32_t>(values[1]);
        unit.width = static_cast<int32_t>(values[2]);
        unit.height = static_cast<int32_t>(values[3]);
    } else if (name == "hidden" || name == "disabled") {
        if (!needs(0)) return false;
        if (name == "hidden") unit.stateFlags &= ~rt::unit_state::Visible;
        if (name == "disabled") unit.stateFlags |= rt::unit_state::Disabled;
    } else if (name == "tag") {
        if (!needs(1)) return false;
        unit.tag = words[1];
    } else if (name == "tab") {
        int64_t position;
        if (!needs(1) || !parseNumber(words[1], position)) return fail("tab takes a number");
        unit.tabPosition = static_cast<uint32_t>(position);
    } else if (name == "inside") {
        if (!needs(1)) return false;
        containers_.back() = {words[1], lineNumber_};
    } else if (name == "share") {
        if (!needs(1)) return false;
        shares_.back() = {words[1], lineNumber_};
    } else if (name == "on") {
        int64_t event;
        if (!needs(2)) return false;
        if (!lookUp(kEvents, words[1], event) && !parseNumber(words[1], event)) return fail("unknown event " + words[1]);
        bool ok;
        int32_t handler = routineIndex(words[2], ok);
        if (!ok) return false;
        unit.events.push_back({static_cast<int32_t>(event), handler});
    } else {
        if (const auto* allowed = fixedProperties(unit.kind)) {
            int64_t number;
            if (std::find(allowed->begin(), allowed->end(), name) == allowed->end()) {
                return fail("unit " + unit.name + " has no property " + name);
            }
            if (name != "provider" && (!needs(1) || !parseNumber(words[1], number))) {
                return fail(name + " takes a number");
            }
        }
        std::string value;
        for (size_t i = 1; i < words.size(); ++i) value += (i > 1 ? "\t" : "") + words[i];
        auto& unitProperties = properties_.back();
        auto existing = std::find_if(unitProperties.begin(), unitProperties.end(),
                                     [&](const auto& entry) { return entry.first == name; });
        if (existing == unitProperties.end()) {
            unitProperties.emplace_back(name, value);
        } else {
            existing->second += "\n" + value;
        }
    }
    return true;
}

int32_t InterfaceFileParser::routineIndex(const std::string& name, bool& ok) {
    ok = isIdentifier(name);
    if (!ok) {
        fail("routine names are identifiers: " + name);
        return -1;
    }
    auto found = std::find(routineNames_.begin(), routineNames_.end(), name);
    if (found != routineNames_.end()) return static_cast<int32_t>(found - routineNames_.begin());
    routineNames_.push_back(name);
    return static_cast<int32_t>(routineNames_.size() - 1);
}

bool InterfaceFileParser::finishWindow() {
    if (windows_.empty() || properties_.empty()) return true;
    rt::WindowTemplate& window = windows_.back();
    for (size_t i = 0; i < window.units.size(); ++i) {
        rt::UnitTemplate& unit = window.units[i];
        if (!containers_[i].first.empty()) {
            lineNumber_ = containers_[i].second;
            const rt::UnitTemplate* container = window.findUnitByName(containers_[i].first);
            if (!container || container->kind != rt::unit_kind::GroupBox) {
                return fail("no group box named " + containers_[i].first);
            }
            unit.parent = container->id;
        }
        if (!shares_[i].first.empty()) {
            lineNumber_ = shares_[i].second;
            const rt::UnitTemplate* shared = window.findUnitByName(shares_[i].first);
            if (!shared) return fail("no unit named " + shares_[i].first);
            unit.eventShareLink = shared->id;
        }
    }
    for (rt::UnitTemplate& container : window.units) {
        for (const rt::UnitTemplate& unit : window.units) {
            if (unit.parent == container.id && !unit.isMenuItem()) container.children.push_back(unit.id);
        }
    }
    for (size_t i = 0; i < window.units.size(); ++i) {
        rt::UnitTemplate& unit = window.units[i];
        if (unit.isMenuItem()) continue;
        std::map<std::string, std::string> named(properties_[i].begin(), properties_[i].end());
        auto integer = [&](const char* name, int32_t fallback) {
            int64_t value = fallback;
            if (named.count(name)) parseNumber(named[name], value);
            return static_cast<int32_t>(value);
        };
        if (unit.kind == rt::unit_kind::DataSrc) {
            rt::DataSrcBlock block;
            block.readOnly = integer("readOnly", 0);
            block.allowAdd = integer("allowAdd", 1);
            block.allowDelete = integer("allowDelete", 1);
            block.providerName = named["provider"];
            unit.kindProperties = block.encode();
        } else if (unit.kind == rt::unit_kind::NProvider) {
            unit.kindProperties = rt::NProviderBlock{integer("rows", 0), integer("columns", 0)}.encode();
        } else if (unit.kind == rt::unit_kind::ColorPicker) {
            rt::ColorPickerBlock block;
            block.color = static_cast<uint32_t>(integer("color", 0));
            block.transparentAllowed = integer("transparent", 0);
            unit.kindProperties = block.encode();
        } else {
            rt::PropertyBlock block;
            for (auto& [name, value] : properties_[i]) block.set(name, value);
            unit.kindProperties = block.encode();
        }
    }
    properties_.clear();
    return true;
}

}  // namespace uic

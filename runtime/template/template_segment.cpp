#include "runtime/template/template_segment.h"

#include <algorithm>

#include "runtime/value/byte_reader.h"
#include "runtime/value/value.h"

namespace rt {
namespace {

constexpr size_t kReservedAfterLink = 16;
constexpr size_t kReservedAfterEvents = 20;
constexpr size_t kMenuRuntimeSlots = 16;

uint32_t idClass(uint32_t id) { return id >> 24; }

// ---- writing ---------------------------------------------------------------

void writeMenuItemRecord(ByteWriter& out, const UnitTemplate& unit) {
    out.write(unit.kind);
    out.write(unit.eventShareLink);
    out.writeZeros(kReservedAfterLink);
    out.writeNulTerminated(unit.name);
    out.writeNulTerminated(unit.remark);
    out.write(unit.menu.shortcut);
    out.write(unit.menu.level);
    out.write(unit.menu.stateFlags);
    out.writeNulTerminated(unit.menu.caption);
    out.write(unit.menu.handler);
    out.writeZeros(kMenuRuntimeSlots);
}

void writeUnitRecord(ByteWriter& out, const UnitTemplate& unit) {
    out.write(unit.kind);
    out.write(unit.eventShareLink);
    out.writeZeros(kReservedAfterLink);
    out.writeNulTerminated(unit.name);
    out.writeNulTerminated(unit.remark);
    out.write(uint32_t{0});  // object slot
    out.write(unit.left);
    out.write(unit.top);
    out.write(unit.width);
    out.write(unit.height);
    out.write(uint32_t{0});  // cursor slot
    out.write(unit.parent);
    out.write(static_cast<uint32_t>(unit.children.size()));
    for (uint32_t child : unit.children) out.write(child);
    out.writeByteString(unit.mousePointer);
    out.writeNulTerminated(unit.tag);
    out.write(uint32_t{0});
    out.write(unit.stateFlags);
    out.write(unit.tabPosition);
    out.write(static_cast<uint32_t>(unit.events.size()));
    for (const EventBinding& binding : unit.events) {
        out.write(binding.event);
        out.write(binding.handler);
    }
    out.writeZeros(kReservedAfterEvents);
    out.writeBytes(unit.kindProperties);
}

std::string unitTable(const WindowTemplate& window) {
    std::vector<std::string> records;
    for (const UnitTemplate& unit : window.units) {
        ByteWriter record;
        // The reader takes a record for a menu item's only when the id says so too; a
        // menu item under another id is written as the plain unit it is read as.
        if (unit.isMenuItem() && isMenuItemId(unit.id)) {
            writeMenuItemRecord(record, unit);
        } else {
            writeUnitRecord(record, unit);
        }
        records.emplace_back(record.bytes().begin(), record.bytes().end());
    }
    ByteWriter table;
    for (const UnitTemplate& unit : window.units) table.write(unit.id);
    uint32_t offset = 0;
    for (const std::string& record : records) {
        table.write(offset);
        offset += static_cast<uint32_t>(sizeof(uint32_t) + record.size());
    }
    for (const std::string& record : records) table.writeByteString(record);
    return std::string(table.bytes().begin(), table.bytes().end());
}

// ---- reading ---------------------------------------------------------------

bool readMenuItemRecord(ByteReader& in, UnitTemplate& unit) {
    return in.read(unit.kind) && in.read(unit.eventShareLink) && in.skip(kReservedAfterLink) &&
           in.readNulTerminated(unit.name) && in.readNulTerminated(unit.remark) && in.read(unit.menu.shortcut) &&
           in.read(unit.menu.level) && in.read(unit.menu.stateFlags) && in.readNulTerminated(unit.menu.caption) &&
           in.read(unit.menu.handler) && in.skip(kMenuRuntimeSlots) && in.atEnd();
}

bool readUnitRecord(ByteReader& in, UnitTemplate& unit) {
    uint32_t slot;
    uint32_t childCount;
    if (!(in.read(unit.kind) && in.read(unit.eventShareLink) && in.skip(kReservedAfterLink) &&
          in.readNulTerminated(unit.name) && in.readNulTerminated(unit.remark) && in.read(slot) &&
          in.read(unit.left) && in.read(unit.top) && in.read(unit.width) && in.read(unit.height) && in.read(slot) &&
          in.read(unit.parent) && in.read(childCount))) {
        return false;
    }
    if (childCount > in.remaining() / sizeof(uint32_t)) return false;
    unit.children.resize(childCount);
    for (uint32_t& child : unit.children) in.read(child);
    uint32_t eventCount;
    if (!(in.readByteString(unit.mousePointer) && in.readNulTerminated(unit.tag) && in.read(slot) &&
          in.read(unit.stateFlags) && in.read(unit.tabPosition) && in.read(eventCount))) {
        return false;
    }
    if (eventCount > in.remaining() / (2 * sizeof(int32_t))) return false;
    unit.events.resize(eventCount);
    for (EventBinding& binding : unit.events) {
        in.read(binding.event);
        in.read(binding.handler);
    }
    std::span<const uint8_t> rest;
    if (!in.skip(kReservedAfterEvents) || !in.take(in.remaining(), rest)) return false;
    unit.kindProperties.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
    return true;
}

TemplateReadError readUnitTable(const std::string& table, uint32_t unitCount, WindowTemplate& window) {
    auto bytes = std::span(reinterpret_cast<const uint8_t*>(table.data()), table.size());
    if (unitCount > bytes.size() / 8) return TemplateReadError::BadUnitTable;
    ByteReader header(bytes);
    std::vector<uint32_t> ids(unitCount);
    std::vector<uint32_t> offsets(unitCount);
    for (uint32_t& id : ids) header.read(id);
    for (uint32_t& offset : offsets) header.read(offset);
    auto records = bytes.subspan(size_t{unitCount} * 8);
    window.units.resize(unitCount);
    for (uint32_t i = 0; i < unitCount; ++i) {
        if (offsets[i] > records.size()) return TemplateReadError::BadUnitTable;
        ByteReader recordReader(records.subspan(offsets[i]));
        std::span<const uint8_t> record;
        uint32_t length;
        if (!recordReader.read(length) || !recordReader.take(length, record)) return TemplateReadError::BadUnitTable;
        UnitTemplate& unit = window.units[i];
        unit.id = ids[i];
        ByteReader fields(record);
        bool isMenuItem = record.size() >= 4 && record[0] == 0x03 && record[1] == 0 && record[2] == 0x01 &&
                          record[3] == 0 && isMenuItemId(unit.id);
        if (!(isMenuItem ? readMenuItemRecord(fields, unit) : readUnitRecord(fields, unit))) {
            return TemplateReadError::BadRecord;
        }
    }
    return TemplateReadError::None;
}

std::optional<TemplateSegment> fail(TemplateReadError reason, TemplateReadError* error) {
    if (error) *error = reason;
    return std::nullopt;
}

}  // namespace

bool isWindowId(uint32_t id) { return idClass(id) == 0x52 && (id & 0xFFFFFF) != 0; }
bool isWindowOwnUnitId(uint32_t id) { return idClass(id) == 0x06; }
bool isUnitId(uint32_t id) { return idClass(id) == 0x16; }
bool isMenuItemId(uint32_t id) { return idClass(id) == 0x26; }

bool UnitTemplate::isMenuItem() const { return kind == unit_kind::MenuItem; }

int32_t UnitTemplate::handlerFor(int32_t event) const {
    for (const EventBinding& binding : events) {
        if (binding.event == event) return binding.handler;
    }
    return -1;
}

const UnitTemplate* WindowTemplate::findUnit(uint32_t unitId) const {
    auto found = std::find_if(units.begin(), units.end(), [&](const UnitTemplate& u) { return u.id == unitId; });
    return found == units.end() ? nullptr : &*found;
}

const UnitTemplate* WindowTemplate::findUnitByName(std::string_view unitName) const {
    auto found = std::find_if(units.begin(), units.end(), [&](const UnitTemplate& u) { return u.name == unitName; });
    return found == units.end() ? nullptr : &*found;
}

const WindowTemplate* TemplateSegment::findWindow(uint32_t windowId) const {
    auto found = std::find_if(windows.begin(), windows.end(), [&](const WindowTemplate& w) { return w.id == windowId; });
    return found == windows.end() ? nullptr : &*found;
}

std::vector<uint8_t> writeTemplateSegment(const TemplateSegment& segment) {
    ByteWriter out;
    ByteWriter list;
    for (const WindowTemplate& window : segment.windows) list.write(window.id);
    for (size_t i = 0; i < segment.windows.size(); ++i) list.write(uint32_t{0});
    out.writeByteString(std::string(list.bytes().begin(), list.bytes().end()));
    for (const WindowTemplate& window : segment.windows) {
        out.write(window.keptWords[0]);
        out.write(window.keptWords[1]);
        out.writeByteString(window.name);
        out.writeByteString(window.remark);
        out.write(static_cast<uint32_t>(window.units.size()));
        out.writeByteString(unitTable(window));
    }
    return std::move(out.bytes());
}

std::optional<TemplateSegment> readTemplateSegment(std::span<const uint8_t> bytes, TemplateReadError* error) {
    ByteReader in(bytes);
    std::string list;
    if (!in.readByteString(list)) return fail(TemplateReadError::Truncated, error);
    if (list.size() % 8 != 0) return fail(TemplateReadError::BadWindowList, error);
    TemplateSegment segment;
    segment.windows.resize(list.size() / 8);
    ByteReader ids(std::span(reinterpret_cast<const uint8_t*>(list.data()), list.size()));
    for (WindowTemplate& window : segment.windows) ids.read(window.id);
    for (WindowTemplate& window : segment.windows) {
        uint32_t unitCount;
        std::string table;
        if (!(in.read(window.keptWords[0]) && in.read(window.keptWords[1]) && in.readByteString(window.name) &&
              in.readByteString(window.remark) && in.read(unitCount) && in.readByteString(table))) {
            return fail(TemplateReadError::Truncated, error);
        }
        if (TemplateReadError tableError = readUnitTable(table, unitCount, window); tableError != TemplateReadError::None) {
            return fail(tableError, error);
        }
    }
    if (!in.atEnd()) return fail(TemplateReadError::TrailingBytes, error);
    if (error) *error = TemplateReadError::None;
    return segment;
}

}  // namespace rt

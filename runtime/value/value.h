#pragma once

#include <cstdint>
#include <cstring>

namespace rt {

// The type tag of a Value. Basic kinds live in 0x80000000..0xBFFFFFFF; unit kinds
// are (library number << 16) + type number and stay below 0x40000000.
enum class ValueType : uint32_t {
    Omitted = 0x00000000,
    Byte = 0x80000101,
    Short = 0x80000201,
    Integer = 0x80000301,
    Long = 0x80000401,
    Float = 0x80000501,
    Double = 0x80000601,
    Logical = 0x80000002,
    DateTime = 0x80000003,
    Text = 0x80000004,
    ByteSet = 0x80000005,
    SubProgram = 0x80000006,
    Opaque8 = 0x80000008,
};

// Set on a basic tag, marks an array of that kind.
inline constexpr uint32_t kArrayFlag = 0x20000000;

constexpr uint32_t tagOf(ValueType type) { return static_cast<uint32_t>(type); }
constexpr uint32_t arrayTagOf(ValueType element) { return tagOf(element) | kArrayFlag; }

constexpr bool isNothing(uint32_t tag) { return tag == 0; }
constexpr bool isBasic(uint32_t tag) { return tag >= 0x80000000u && tag <= 0xBFFFFFFFu; }
constexpr bool isLibraryKind(uint32_t tag) { return tag != 0 && tag < 0x40000000u; }
constexpr bool isArray(uint32_t tag) { return isBasic(tag) && (tag & kArrayFlag) != 0; }
constexpr bool isNumeric(uint32_t tag) { return isBasic(tag) && !isArray(tag) && (tag & 0xFF) == 1; }
constexpr uint32_t elementTagOf(uint32_t arrayTag) { return arrayTag & ~kArrayFlag; }

// Size in bytes of one element of a basic kind (pointer kinds store one pointer).
constexpr uint32_t elementSizeOf(uint32_t tag) {
    switch (static_cast<ValueType>(tag)) {
        case ValueType::Byte: return 1;
        case ValueType::Short: return 2;
        case ValueType::Integer:
        case ValueType::Float:
        case ValueType::Logical: return 4;
        case ValueType::Long:
        case ValueType::Double:
        case ValueType::DateTime:
        case ValueType::Opaque8: return 8;
        default: return sizeof(void*);
    }
}

// Three 32-bit words. On a 64-bit machine a pointer payload fills low and high.
struct Value {
    uint32_t low = 0;
    uint32_t high = 0;
    uint32_t type = 0;

    bool isOmitted() const { return type == 0; }

    static Value omitted() { return {}; }
    static Value byte(uint8_t v) { return {v, 0, tagOf(ValueType::Byte)}; }
    static Value shortInteger(int16_t v) {
        return {static_cast<uint16_t>(v), 0, tagOf(ValueType::Short)};
    }
    static Value integer(int32_t v) { return {static_cast<uint32_t>(v), 0, tagOf(ValueType::Integer)}; }
    static Value longInteger(int64_t v) { return fromBits(static_cast<uint64_t>(v), ValueType::Long); }
    static Value floatingSingle(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return {bits, 0, tagOf(ValueType::Float)};
    }
    static Value floating(double v) { return fromDouble(v, ValueType::Double); }
    static Value dateTime(double oleDate) { return fromDouble(oleDate, ValueType::DateTime); }
    static Value logical(bool v) { return {v ? 1u : 0u, 0, tagOf(ValueType::Logical)}; }
    // Borrowed pointers: the callee copies what it keeps.
    static Value text(const char* gbk) { return fromPointer(gbk, tagOf(ValueType::Text)); }
    static Value byteSet(const void* block) { return fromPointer(block, tagOf(ValueType::ByteSet)); }
    static Value array(const void* block, ValueType element) {
        return fromPointer(block, arrayTagOf(element));
    }

    static Value fromPointer(const void* p, uint32_t tag) {
        auto bits = reinterpret_cast<uintptr_t>(p);
        return {static_cast<uint32_t>(bits), static_cast<uint32_t>(uint64_t{bits} >> 32), tag};
    }
    static Value fromBits(uint64_t bits, ValueType type) {
        return {static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), tagOf(type)};
    }
    static Value fromDouble(double v, ValueType type) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return fromBits(bits, type);
    }

    uint64_t bits64() const { return (uint64_t{high} << 32) | low; }
    void* pointer() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(bits64())); }
    double asDoubleBits() const {
        uint64_t bits = bits64();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    float asFloatBits() const {
        float v;
        std::memcpy(&v, &low, sizeof v);
        return v;
    }
};

static_assert(sizeof(Value) == 12, "a Value is three 32-bit words");

// A unit argument: window id in payload low, unit id in payload high, the unit's kind as tag.
struct UnitRef {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    uint32_t kind = 0;

    Value toValue() const { return {windowId, unitId, kind}; }
    static UnitRef fromValue(const Value& v) { return {v.low, v.high, v.type}; }
    friend bool operator==(const UnitRef&, const UnitRef&) = default;
};

// Unit kinds the application uses (library number << 16 + type number).
namespace unit_kind {
inline constexpr uint32_t Window = 0x00010001;
inline constexpr uint32_t MenuItem = 0x00010003;
inline constexpr uint32_t EditBox = 0x00010005;
inline constexpr uint32_t GroupBox = 0x00010009;
inline constexpr uint32_t Label = 0x0001000A;
inline constexpr uint32_t Button = 0x0001000B;
inline constexpr uint32_t CheckBox = 0x0001000C;
inline constexpr uint32_t RadioBox = 0x0001000D;
inline constexpr uint32_t ComboBox = 0x0001000E;
inline constexpr uint32_t ColorPicker = 0x0001001C;
inline constexpr uint32_t HyperLinker = 0x0001001D;
inline constexpr uint32_t CommonDlg = 0x0001001F;
inline constexpr uint32_t Grid = 0x00010029;
inline constexpr uint32_t DataSrc = 0x0001002A;
inline constexpr uint32_t NProvider = 0x0001002B;
inline constexpr uint32_t OdbcDb = 0x0001002E;
inline constexpr uint32_t OdbcProvider = 0x0001002F;
inline constexpr uint32_t StatusBar = 0x00020002;
inline constexpr uint32_t ToolBar = 0x00020003;
inline constexpr uint32_t SupperMenu = 0x00040001;
}  // namespace unit_kind

}  // namespace rt

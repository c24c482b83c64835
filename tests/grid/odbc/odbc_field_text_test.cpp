// Field texts to cell texts and back, by SQL type, without a database.
#include <gtest/gtest.h>

#include "grid/provider/odbc_field_text.h"

using grid::InputType;

namespace {

TEST(OdbcFieldTextTest, SqlTypesChooseTheCellInputType) {
    const std::pair<int16_t, InputType> cases[] = {
        {4, InputType::Integer},   {5, InputType::Short},     {6, InputType::Double},   {8, InputType::Double},
        {7, InputType::Float},     {9, InputType::DateTime},  {11, InputType::DateTime}, {91, InputType::DateTime},
        {93, InputType::DateTime}, {-7, InputType::Logical},  {-6, InputType::Byte},     {-5, InputType::Long},
        {12, InputType::Normal},   {-9, InputType::Normal},   {2, InputType::Normal},    {90, InputType::Normal},
        {94, InputType::Normal},   {12, InputType::Normal},
    };
    for (auto [sqlType, expected] : cases) EXPECT_EQ(grid::inputTypeOfSqlType(sqlType), expected) << sqlType;
}

TEST(OdbcFieldTextTest, FieldsReadAsTheCellShowsThem) {
    struct Case {
        const char* field;
        int16_t sqlType;
        const char* shown;
    };
    const Case cases[] = {
        {"1", -7, "真"},
        {"t", -7, "真"},
        {"0", -7, "假"},
        {"", -7, "假"},
        {"2024-03-05", 91, "2024年3月5日"},
        {"2024-03-05 13:14:15", 93, "2024年3月5日13时14分15秒"},
        {"2024-03-05 13:14:15.250", 93, "2024年3月5日13时14分15秒"},
        {"2024-03-05 13:00:00", 11, "2024年3月5日13时"},
        {"13:14:15", 92, "1899年12月30日13时14分15秒"},
        {"not a date", 93, ""},
        {"2024-02-30", 91, ""},
        {"", 91, ""},
        {"第1.5行", 12, "第1.5行"},
        {"12.50", 8, "12.50"},
    };
    for (const Case& c : cases) EXPECT_EQ(grid::cellTextOfField(c.field, c.sqlType), c.shown) << c.field;
}

TEST(OdbcFieldTextTest, TypedTextsAreWrittenInTheFieldsForm) {
    struct Case {
        const char* typed;
        int16_t sqlType;
        const char* written;
    };
    const Case cases[] = {
        {"42abc", 4, "42"},
        {"４２", 4, "42"},
        {"x", 4, "0"},
        {"99999", 5, "32767"},
        {"-99999", 5, "-32768"},
        {"300", -6, "255"},
        {"-3", -6, "0"},
        {"真", -7, "1"},
        {"TRUE", -7, "1"},
        {"假", -7, "0"},
        {"yes", -7, "0"},
        {"2024-3-5", 91, "2024-03-05 00:00:00"},
        {"2024年3月5日13时14分15秒", 93, "2024-03-05 13:14:15"},
        {"", 93, ""},
        {"9000000000", -5, "9000000000"},
        {"1.5e3", 8, "1.5e3"},
        {"a;b'c", 12, "a;b'c"},
    };
    for (const Case& c : cases) EXPECT_EQ(grid::fieldTextOfCell(c.typed, c.sqlType), c.written) << c.typed;
}

TEST(OdbcFieldTextTest, ADateColumnRefusesWhatIsNoDate) {
    for (const char* typed : {"2024-02-30", "tomorrow", "2024-13-01", "99-1-1"}) {
        for (int16_t sqlType : {9, 11, 91, 93}) EXPECT_FALSE(grid::fieldTextOfCell(typed, sqlType)) << typed;
    }
}

}  // namespace

#include "tests/grid/odbc/typed_columns.h"

namespace {

// SQLite has no REAL of its own (it reads as DOUBLE) and keeps a written text as it is,
// so a date column holds the time of day it was given. PostgreSQL has no TINYINT;
// psqlODBC reports double precision as FLOAT and varchar as the wide WVARCHAR.
const std::vector<TypedColumn> sqliteColumns = {
    {u"编号", u"integer primary key", u"1", 4, 10, "1", nullptr, nullptr},
    {u"整数", u"integer", u"123", 4, 10, "123", "456", "456"},
    {u"短整数", u"smallint", u"-7", 5, 6, "-7", "-32768", "-32768"},
    {u"双精度", u"double", u"1.5", 8, 54, "1.5", "2.5", "2.5"},
    {u"浮点", u"float", u"2.25", 8, 54, "2.25", "0.125", "0.125"},
    {u"日期", u"date", u"'2024-03-05'", 91, 10, "2024-03-05", "2025-12-31 00:00:00", "2025-12-31 00:00:00"},
    {u"时间", u"time", u"'13:14:15'", 92, 8, "13:14:15", "1899-12-30 08:09:10", "1899-12-30 08:09:10"},
    {u"时间戳", u"timestamp", u"'2024-03-05 13:14:15'", 93, 32, "2024-03-05 13:14:15", "2025-12-31 23:59:58",
     "2025-12-31 23:59:58"},
    {u"逻辑", u"bit", u"1", -7, 1, "1", "0", "0"},
    {u"字节", u"tinyint", u"200", -6, 4, "200", "255", "255"},
    {u"长整数", u"bigint", u"9000000000", -5, 20, "9000000000", "-9000000000", "-9000000000"},
    {u"文字", u"varchar(20)", u"'汉字'", 12, 20, "汉字", "新的汉字", "新的汉字"},
};

const std::vector<TypedColumn> postgresColumns = {
    {u"编号", u"integer primary key", u"1", 4, 11, "1", nullptr, nullptr},
    {u"整数", u"integer", u"123", 4, 11, "123", "456", "456"},
    {u"短整数", u"smallint", u"-7", 5, 6, "-7", "-32768", "-32768"},
    {u"双精度", u"double precision", u"1.5", 6, 24, "1.5", "2.5", "2.5"},
    {u"单精度", u"real", u"2.25", 7, 15, "2.25", "0.125", "0.125"},
    {u"日期", u"date", u"'2024-03-05'", 91, 10, "2024-03-05", "2025-12-31 00:00:00", "2025-12-31"},
    {u"时间", u"time", u"'13:14:15'", 92, 8, "13:14:15", "1899-12-30 08:09:10", "08:09:10"},
    {u"时间戳", u"timestamp", u"'2024-03-05 13:14:15'", 93, 26, "2024-03-05 13:14:15", "2025-12-31 23:59:58",
     "2025-12-31 23:59:58"},
    {u"逻辑", u"boolean", u"true", -7, 1, "1", "0", "0"},
    {u"长整数", u"bigint", u"9000000000", -5, 20, "9000000000", "-9000000000", "-9000000000"},
    {u"文字", u"varchar(20)", u"'汉字'", -9, 20, "汉字", "新的汉字", "新的汉字"},
};

}  // namespace

const std::vector<TypedColumn>& typedColumns(const TestDatabase& database) {
    return database.isSqlite() ? sqliteColumns : postgresColumns;
}

void createTypes(TestDatabase& database) {
    std::u16string create = u"create table 类型表 (";
    std::u16string values = u"insert into 类型表 values (";
    for (const TypedColumn& column : typedColumns(database)) {
        bool first = &column == &typedColumns(database).front();
        create += (first ? u"" : u", ") + std::u16string(column.name) + u" " + std::u16string(column.declaration);
        values += (first ? u"" : u", ") + std::u16string(column.literal);
    }
    database.run(u"drop table if exists 类型表");
    database.run(create + u")");
    database.run(values + u")");
    database.run(u"insert into 类型表 (编号) values (2)");
}

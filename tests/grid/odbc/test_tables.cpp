#include "tests/grid/odbc/test_tables.h"

std::u16string decimal(long long value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

void createPeople(TestDatabase& database) {
    database.run(u"drop table if exists 职工");
    database.run(std::u16string(u"create table 职工 (编号 ") +
                 (database.isSqlite() ? u"integer primary key" : u"serial primary key") +
                 u", 姓名 varchar(20) not null, 部门 varchar(20), 年龄 integer not null default 20 check (年龄 > 0))");
    database.run(u"insert into 职工 (姓名, 部门, 年龄) values ('张三', '销售', 30)");
    database.run(u"insert into 职工 (姓名, 部门, 年龄) values ('李四', '财务', 40)");
    database.run(u"insert into 职工 (姓名, 部门, 年龄) values ('王五', '销售', 25)");
}

void createNumbers(TestDatabase& database, const std::u16string& table, int rows, bool withKey) {
    database.run(u"drop table if exists " + table);
    database.run(u"create table " + table + u" (编号 integer" + (withKey ? u" primary key" : u"") +
                 u", 值 integer, 名称 varchar(20))");
    std::u16string values = u" select x, x * 3, '第' || x || '行' from ";
    if (database.isSqlite()) {
        database.run(u"with recursive s(x) as (select 1 union all select x + 1 from s where x < " + decimal(rows) +
                     u") insert into " + table + values + u"s");
    } else {
        database.run(u"insert into " + table + values + u"generate_series(1, " + decimal(rows) + u") x");
    }
}

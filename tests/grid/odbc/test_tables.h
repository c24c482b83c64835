#pragma once

#include <string>

#include "tests/grid/odbc/test_database.h"

// Tables the tests share, made through the separate connection in each backend's SQL.

// 职工: 编号 (primary key, numbered by the database), 姓名 varchar(20) not null,
// 部门 varchar(20), 年龄 integer not null check (年龄 > 0) default 20, with the rows
// 1 张三 销售 30, 2 李四 财务 40, 3 王五 销售 25.
void createPeople(TestDatabase& database);

// A table of `rows` rows 编号 = x, 值 = 3x, 名称 = '第x行' for x = 1 .. rows; with
// 编号 as primary key or without any key.
void createNumbers(TestDatabase& database, const std::u16string& table, int rows, bool withKey);

std::u16string decimal(long long value);

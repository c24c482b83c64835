#include "grid/provider/odbc/single_table_query.h"

#include <gtest/gtest.h>

using namespace grid::odbc;

TEST(SingleTableQuery, WritableShapesAreTakenApart) {
    struct Case {
        std::u16string_view sql;
        std::u16string_view selectList;
        std::u16string_view table;
        std::u16string_view condition;
        std::u16string_view ordering;
    };
    const Case cases[] = {
        {u"select * from 职工", u"*", u"职工", u"", u""},
        {u"SELECT 姓名, \"部 门\" FROM public.\"职工\"", u"姓名, \"部 门\"", u"public.\"职工\"", u"", u""},
        {u"Select * From t Where a = 'x''s ORDER BY y' and b in (select c from d group by c) Order By a desc, b",
         u"*", u"t", u"a = 'x''s ORDER BY y' and b in (select c from d group by c)", u"a desc, b"},
        {u"select * from cat.sch.t where x > 5", u"*", u"cat.sch.t", u"x > 5", u""},
        {u"select a from [my table] order by lower(a) nulls last", u"a", u"[my table]", u"", u"lower(a) nulls last"},
    };
    for (const Case& c : cases) {
        std::optional<SingleTableQuery> query = parseSingleTableQuery(c.sql);
        ASSERT_TRUE(query.has_value()) << std::string(c.sql.begin(), c.sql.end());
        EXPECT_EQ(query->selectList, c.selectList);
        EXPECT_EQ(query->table, c.table);
        EXPECT_EQ(query->condition, c.condition);
        EXPECT_EQ(query->ordering, c.ordering);
    }
}

TEST(SingleTableQuery, TableNamePartsLoseTheirQuotes) {
    std::optional<SingleTableQuery> query = parseSingleTableQuery(u"select * from 模式.\"表\"\"一\"");
    ASSERT_TRUE(query.has_value());
    ASSERT_EQ(query->tableName.size(), 2u);
    EXPECT_EQ(query->tableName[0].name, u"模式");
    EXPECT_FALSE(query->tableName[0].quoted);
    EXPECT_EQ(query->tableName[1].name, u"表\"一");
    EXPECT_TRUE(query->tableName[1].quoted);
}

TEST(SingleTableQuery, EveryOtherShapeIsOnlyRead) {
    const std::u16string_view queries[] = {
        u"select a, count(*) from t group by a",
        u"select * from t, u",
        u"select * from t join u on t.a = u.a",
        u"select * from t x",
        u"select * from t as x",
        u"select distinct a from t",
        u"select a + 1 from t",
        u"select t.a from t",
        u"select a b from t",
        u"select *, a from t",
        u"select * from t limit 5",
        u"select * from t where a = 1 union select * from u",
        u"select * from t order by 1",
        u"select * from t where",
        u"select * from t -- the rest",
        u"select * from t /* comment */",
        u"select * from t where a = 'open",
        u"select * from t where (a = 1",
        u"select * from t where a = 1)",
        u"select * from t; delete from t",
        u"select * from (select * from t) q",
        u"with q as (select * from t) select * from q",
        u"update t set a = 1",
        u"select * from t for update",
        u"",
    };
    for (std::u16string_view sql : queries) {
        EXPECT_FALSE(parseSingleTableQuery(sql).has_value()) << std::string(sql.begin(), sql.end());
    }
}

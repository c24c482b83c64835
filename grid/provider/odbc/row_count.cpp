#include "grid/provider/odbc/row_count.h"

#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

namespace {

std::optional<int64_t> digitsAt(std::u16string_view text, size_t at) {
    int64_t value = 0;
    size_t end = at;
    for (; end < text.size() && text[end] >= u'0' && text[end] <= u'9' && end - at < 18; ++end) {
        value = value * 10 + (text[end] - u'0');
    }
    return end > at ? std::optional<int64_t>(value) : std::nullopt;
}

}  // namespace

std::optional<int64_t> countRows(Database& database, std::u16string_view countQuery) {
    Statement counter(database);
    return countRows(counter, countQuery);
}

std::optional<int64_t> countRows(Statement& counter, std::u16string_view countQuery) {
    Field counted;
    if (!counter.execute(countQuery) || counter.fetch() != Statement::Fetched::row || !counter.readField(1, counted)) {
        return std::nullopt;
    }
    return digitsAt(counted.text, 0);
}

std::optional<int64_t> estimatedRows(Database& database, std::u16string_view query) {
    if (!database.isPostgres()) {
        return std::nullopt;
    }
    // The first line is the plan's top node: "Seq Scan on t  (cost=0.00..1.00 rows=N width=4)".
    Statement explain(database);
    Field line;
    if (!explain.execute(u"EXPLAIN " + std::u16string(query)) || explain.fetch() != Statement::Fetched::row ||
        !explain.readField(1, line)) {
        database.clearError();
        return std::nullopt;
    }
    size_t at = line.text.find(u" rows=");
    return at == std::u16string::npos ? std::nullopt : digitsAt(line.text, at + 6);
}

}  // namespace grid::odbc

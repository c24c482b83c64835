#include "bench/postgres_table.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/statement.h"
#include "tests/grid/odbc/postgres_state.h"
#include "tests/grid/odbc/qt_text_codec.h"

namespace bench {

using grid::odbc::Database;
using grid::odbc::Field;
using grid::odbc::Statement;

namespace {

// The statements are written in GBK, as the program's own texts are.
bool run(Statement& statement, const std::string& sql) {
    return statement.execute(statement.database().codec().toUtf16(sql));
}

bool run(Database& database, const std::string& sql) {
    Statement statement(database);
    return run(statement, sql);
}

// The first field of the one row a query gives, or nothing when it fails.
std::optional<std::u16string> firstField(Database& database, const std::string& sql) {
    Statement statement(database);
    Field field;
    if (!run(statement, sql) || statement.fetch() != Statement::Fetched::row || !statement.readField(1, field)) {
        return std::nullopt;
    }
    return field.text;
}

// A table appears under its own name only once it is complete: it is made under
// another name and renamed last. So it is enough that it is there and that its largest
// key is its row count, which the catalog and the primary key answer without reading
// the rows (counting 10,000,000 rows takes seconds).
bool isComplete(Database& database, const BenchmarkTable& table) {
    const std::string name = table.name;
    std::optional<std::u16string> found =
        firstField(database, "select count(*) from pg_class where oid = to_regclass('" + name + "')");
    if (found != u"1") return false;
    std::optional<std::u16string> largest = firstField(database, "select max(编号) from " + name);
    return largest && database.codec().toGbk(*largest) == std::to_string(table.rows);
}

// One generate_series statement makes the rows, then the primary key is built over
// them all at once (with the memory to sort 10,000,000 keys without temporary files),
// and vacuum sets the visibility map, without which PostgreSQL reads the rows of the
// table for every index-only scan of its keys.
bool make(Database& database, const BenchmarkTable& table) {
    const std::string name = table.name;
    const std::string making = name + "_生成中";
    return run(database, "drop table if exists " + name) && run(database, "drop table if exists " + making) &&
           run(database, "set maintenance_work_mem = '1GB'") &&
           run(database,
               "create table " + making +
                   " as select g as 编号, g * 7 as 整数, '第' || g || '行' as 名称, g * 0.25 as 小数, "
                   "timestamp '2024-01-01' + g * interval '1 minute' as 时间, (g % 30000)::smallint as 短整数, "
                   "md5(g::text) as 摘要, g % 2 = 0 as 逻辑, g::bigint * 1000 as 长整数, repeat('字', g % 10) as 备注 "
                   "from generate_series(1, " +
                   std::to_string(table.rows) + ") g") &&
           run(database, "alter table " + making + " add constraint " + name + "_pkey primary key (编号)") &&
           run(database, "vacuum analyze " + making) && run(database, "alter table " + making + " rename to " + name);
}

}  // namespace

PostgresServer::PostgresServer() {
    if (const char* state = std::getenv("BIAOGE_TEST_POSTGRES"); state && *state) {
        stateFile_ = state;
        return;
    }
    char name[] = "/tmp/biaoge-bench-postgres-XXXXXX";
    int file = mkstemp(name);
    if (file >= 0) {
        close(file);
        stateFile_ = name;
        ownServer_ = std::system(command("start").c_str()) == 0;
    }
}

PostgresServer::~PostgresServer() {
    if (ownServer_ && std::system(command("stop").c_str()) != 0) {
        std::fprintf(stderr, "the private server did not stop cleanly\n");
    }
}

std::optional<std::string> PostgresServer::connection(std::string& whyNot) const {
    if (stateFile_.empty()) {
        whyNot = "no state file for a server";
        return std::nullopt;
    }
    return postgresConnection(stateFile_, whyNot);
}

std::string PostgresServer::command(const char* action) const {
    return std::string(BIAOGE_TEST_DATABASE_SCRIPT) + " " + action + " '" + stateFile_ + "'";
}

std::optional<std::string> preparedTables(const PostgresServer& server, const char* program) {
    std::string whyNot;
    std::optional<std::string> connection = server.connection(whyNot);
    if (!connection) {
        std::printf("%s: %s; nothing measured\n", program, whyNot.c_str());
        return std::nullopt;
    }
    QtTextCodec codec;
    Database database(codec);
    if (!database.open(*connection)) {
        std::printf("%s: cannot connect: %s; nothing measured\n", program, database.lastError().c_str());
        return std::nullopt;
    }
    for (const BenchmarkTable& table : kTables) {
        if (isComplete(database, table)) continue;
        std::printf("%s: making the table of %s rows, once for this server\n", program, table.label);
        std::fflush(stdout);
        if (!make(database, table)) {
            std::printf("%s: the table of %s rows could not be made (%s); nothing measured\n", program, table.label,
                        database.lastError().c_str());
            return std::nullopt;
        }
    }
    return connection;
}

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
        }
    }
    return 0;
}

}  // namespace bench

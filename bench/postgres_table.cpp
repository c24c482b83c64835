#include "bench/postgres_table.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "grid/provider/odbc/statement.h"
#include "tests/grid/odbc/postgres_state.h"
#include "tests/grid/odbc/qt_text_codec.h"

namespace bench {

using grid::odbc::Database;
using grid::odbc::RecordSet;
using grid::odbc::Statement;

namespace {

bool run(Database& database, const std::u16string& sql) {
    Statement statement(database);
    return statement.execute(sql);
}

// One generate_series statement makes the rows; the primary key comes after it.
bool prepareMillionRows(const std::string& connection) {
    QtTextCodec codec;
    Database database(codec);
    if (!database.open(connection)) {
        std::fprintf(stderr, "cannot connect: %s\n", database.lastError().c_str());
        return false;
    }
    RecordSet existing(database);
    if (existing.open("select count(*) from 百万行") && existing.fieldText(0, 0) == std::to_string(kTableRows)) {
        return true;
    }
    return run(database, u"drop table if exists 百万行") &&
           run(database,
               u"create table 百万行 as select g as 编号, g * 7 as 整数, '第' || g || '行' as 名称, g * 0.25 as 小数, "
               u"timestamp '2024-01-01' + g * interval '1 minute' as 时间, (g % 30000)::smallint as 短整数, "
               u"md5(g::text) as 摘要, g % 2 = 0 as 逻辑, g::bigint * 1000 as 长整数, repeat('字', g % 10) as 备注 "
               u"from generate_series(1, 1000000) g") &&
           run(database, u"alter table 百万行 add primary key (编号)") && run(database, u"vacuum analyze 百万行");
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

std::optional<std::string> millionRows(const PostgresServer& server, const char* program) {
    std::string whyNot;
    std::optional<std::string> connection = server.connection(whyNot);
    if (!connection) {
        std::printf("%s: %s; nothing measured\n", program, whyNot.c_str());
        return std::nullopt;
    }
    if (!prepareMillionRows(*connection)) {
        std::printf("%s: the table of %d rows could not be made; nothing measured\n", program, kTableRows);
        return std::nullopt;
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

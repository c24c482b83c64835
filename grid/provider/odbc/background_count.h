#pragma once

#include <sql.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "grid/provider/odbc/database.h"

namespace grid::odbc {

// Counts the rows of a query on a connection of its own, in a thread of its own, so
// that a person works with the first rows of a huge table while the database is still
// counting them (ten million rows take seconds).
class BackgroundCount {
public:
    // `done` is called from the counting thread once the count is over, whether it
    // worked or not; result() then tells.
    BackgroundCount(const TextCodec& codec, std::string connection, std::u16string countQuery, std::function<void()> done);
    // Cancels a count still running and waits for its thread.
    ~BackgroundCount();
    BackgroundCount(const BackgroundCount&) = delete;
    BackgroundCount& operator=(const BackgroundCount&) = delete;

    std::optional<int64_t> result() const;

private:
    void run(std::string connection);

    Database database_;
    std::u16string query_;
    std::function<void()> done_;
    mutable std::mutex mutex_;
    std::optional<int64_t> result_;
    SQLHSTMT running_ = SQL_NULL_HSTMT;
    bool cancelled_ = false;
    std::thread thread_;
};

}  // namespace grid::odbc

#include "grid/provider/odbc/background_count.h"

#include "grid/provider/odbc/row_count.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

BackgroundCount::BackgroundCount(const TextCodec& codec, std::string connection, std::u16string countQuery,
                                 std::function<void()> done)
    : database_(codec), query_(std::move(countQuery)), done_(std::move(done)) {
    thread_ = std::thread([this, connection = std::move(connection)] { run(connection); });
}

BackgroundCount::~BackgroundCount() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        // The one call the interface allows on a statement another thread runs.
        if (running_ != SQL_NULL_HSTMT) {
            SQLCancel(running_);
        }
    }
    thread_.join();
}

std::optional<int64_t> BackgroundCount::result() const {
    std::lock_guard lock(mutex_);
    return result_;
}

void BackgroundCount::run(std::string connection) {
    std::optional<int64_t> counted;
    if (database_.open(connection)) {
        Statement counter(database_);
        {
            std::lock_guard lock(mutex_);
            running_ = cancelled_ ? SQL_NULL_HSTMT : counter.handle();
        }
        if (running_ != SQL_NULL_HSTMT) {
            counted = countRows(counter, query_);
        }
        std::lock_guard lock(mutex_);
        running_ = SQL_NULL_HSTMT;
    }
    {
        std::lock_guard lock(mutex_);
        result_ = counted;
        if (cancelled_) {
            return;
        }
    }
    done_();
}

}  // namespace grid::odbc

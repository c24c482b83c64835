#pragma once

#include <sql.h>

#include <string>
#include <string_view>

#include "grid/provider/odbc/odbc_handle.h"
#include "grid/provider/odbc/text_codec.h"

namespace grid::odbc {

// One connection through the driver manager, opened from a connection text and never
// prompting. Every failure leaves the driver's own message (GBK) in lastError(), for
// the caller to show. When the driver reports that the connection itself failed, the
// database counts as lost until reconnect() opens it again.
class Database {
public:
    explicit Database(const TextCodec& codec);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // On success the connection held before (if any) is closed and the new one kept;
    // on failure the old one stays as it was. (Neither driver honours the read-only
    // access mode of the interface; a read-only connection is the connection text's
    // business, e.g. psqlODBC's ReadOnly=1.)
    bool open(std::string_view connection);
    void close();
    bool isOpen() const { return static_cast<bool>(connection_); }
    bool isLost() const { return lost_; }
    bool alive() const { return isOpen() && !lost_; }
    // Opens again with the completed connection text of the last open.
    bool reconnect();

    // The complete connection string the driver reported, which opens the same data
    // again without asking anything; empty when nothing is open.
    const std::string& connectString() const { return connectString_; }
    const std::string& lastError() const { return lastError_; }
    const TextCodec& codec() const { return codec_; }

    // For the statements of this component.
    SQLHDBC handle() const { return connection_.get(); }
    void noteFailure(SQLSMALLINT handleType, SQLHANDLE handle);
    void noteFailure(std::string message) { lastError_ = std::move(message); }
    void clearError() { lastError_.clear(); }
    // The identifier in the data source's quotes, inner quotes doubled.
    std::u16string quoted(std::u16string_view identifier) const;
    // SQLite has no way to return the row an INSERT made other than its rowid.
    bool isSqlite() const { return sqlite_; }
    bool isPostgres() const { return postgres_; }
    // Whether the database reads "LIMIT n OFFSET m" after ORDER BY (PostgreSQL, SQLite,
    // MySQL), which reading a table by ranges of its key needs.
    bool hasLimitClause() const { return limitClause_; }

private:
    bool openText(const std::u16string& connection);
    std::u16string information(SQLUSMALLINT type) const;

    const TextCodec& codec_;
    OdbcHandle environment_;
    OdbcHandle connection_;
    std::u16string completedText_;
    std::string connectString_;
    std::string lastError_;
    std::u16string identifierQuote_;
    bool lost_ = false;
    bool sqlite_ = false;
    bool postgres_ = false;
    bool limitClause_ = false;
};

}  // namespace grid::odbc

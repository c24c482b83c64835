#include "grid/provider/odbc/record_set.h"

#include "grid/provider/odbc/sql_types.h"
#include "grid/provider/odbc/transaction.h"
#include "grid/provider/odbc/value_match.h"

// The writes of a record set: a changed field, a new row, removed rows, all rows
// removed. The rows in the record set change only after the database accepted.

namespace grid::odbc {

namespace {

const char* const rowNotFound = "数据库里没有找到这一行：它可能已被别人删除或修改。";
const char* const changedByOthers = "这条记录已被其他用户修改，已显示数据库中的新值。";

}  // namespace

bool RecordSet::checkWritable() {
    shownAgain_ = ShownAgain::nothing;
    reconnected_ = false;
    if (!rows_) {
        database_.noteFailure(std::string("没有打开记录集。"));
        return false;
    }
    if (!table_) {
        database_.noteFailure(
            std::string("这个查询的结果不能写回数据库：只有单个表的查询（SELECT * 或列名 FROM 表名，可带 WHERE 和 ORDER BY）可以修改。"));
        return false;
    }
    return true;
}

std::vector<Parameter> RecordSet::keyParameters(const Row& row) const {
    std::vector<Parameter> parameters;
    for (size_t k = 0; k < keyColumns_.size(); ++k) {
        parameters.push_back(Parameter::of(row[columns_.size() + k], keyColumns_[k]));
    }
    return parameters;
}

std::vector<Parameter> RecordSet::valueParameters(const Row& original) const {
    std::vector<Parameter> parameters;
    for (size_t i = 0; i < columns_.size(); ++i) {
        ValueMatch::appendParameters(parameters, original[i], columns_[i]);
    }
    return parameters;
}

// Copies of the rows as they were read, fetched now if need be: what the writes find
// their records by, whatever happens to the positions afterwards. A row that cannot be
// read on a lost connection was never shown, so nothing tells which record it is: the
// write is refused, and the rows are read again on a new connection for the next try.
std::optional<std::vector<Row>> RecordSet::rowsAsRead(int32_t first, int32_t count) {
    std::vector<Row> rows;
    for (int32_t row = first; row < first + count; ++row) {
        const Row* fields = rows_->row(row);
        if (!fields) {
            if (database_.isLost() && database_.reconnect()) {
                reconnected_ = true;
                database_.noteFailure(std::string("与数据库的连接断开过，已重新读取记录，请再改一次。"));
                finishWrite(false);
            }
            return std::nullopt;
        }
        rows.push_back(*fields);
    }
    return rows;
}

// Runs one try at a write on a live connection: a connection known to be lost is
// opened again first, and one found lost by the try itself is opened again for one
// more try. Any reopening is remembered, as the rows must then be read again.
template <typename Attempt>
RecordSet::Outcome RecordSet::tryOnLiveConnection(Attempt attempt) {
    if (database_.isLost()) {
        if (!database_.reconnect()) {
            return Outcome::failed;
        }
        reconnected_ = true;
    }
    Outcome outcome = attempt();
    if (outcome == Outcome::failed && database_.isLost() && !reconnected_ && database_.reconnect()) {
        reconnected_ = true;
        outcome = attempt();
    }
    return outcome;
}

// After a reconnect the positions of the rows read before may hold other records (rows
// added or removed by others, another physical order), and after a record was not
// found they hold one that is gone: the rows are read again, keeping the write's
// message.
void RecordSet::finishWrite(bool readAgain) {
    if (!reconnected_ && !readAgain) {
        return;
    }
    std::string message = database_.lastError();
    reopen();
    shownAgain_ = ShownAgain::allRows;
    if (!message.empty()) {
        database_.noteFailure(std::move(message));
    }
}

RecordSet::Found RecordSet::readByKey(const Row& keyRow, Row& row) {
    Statement read(database_);
    if (!read.execute(table_->rowsByKeys(1), keyParameters(keyRow))) {
        return Found::failed;
    }
    Statement::Fetched fetched = read.fetch();
    if (fetched == Statement::Fetched::end) {
        return Found::none;
    }
    return fetched == Statement::Fetched::row && read.readRow(row, columns_.size() + keyColumns_.size()) ? Found::row
                                                                                                         : Found::failed;
}

// A statement that changed no row met a record that is gone or that someone else
// changed since it was read; with a key, the latter is found and shown as the database
// has it now. One that changed several rows was rolled back: without a key, rows alike
// in every value cannot be told apart.
RecordSet::Outcome RecordSet::notOneRow(std::optional<int64_t> changed, const Row& original, Row& shown,
                                        const char* identicalRows) {
    if (!changed) {
        return Outcome::failed;
    }
    if (*changed > 1) {
        database_.noteFailure(std::string(table_->isKeyed() ? "主键相同的行不止一行，没有修改。" : identicalRows));
        return Outcome::failed;
    }
    if (!table_->isKeyed()) {
        database_.noteFailure(std::string(rowNotFound));
        return Outcome::notFound;
    }
    switch (readByKey(original, shown)) {
        case Found::row: database_.noteFailure(std::string(changedByOthers)); return Outcome::changedByOthers;
        case Found::none: database_.noteFailure(std::string(rowNotFound)); return Outcome::notFound;
        case Found::failed: break;
    }
    return Outcome::failed;
}

bool RecordSet::setFieldText(int32_t row, int32_t column, std::string_view text) {
    if (!checkWritable() || !checkRow(row)) {
        return false;
    }
    if (column < 0 || column >= columnCount()) {
        database_.noteFailure(std::string("列号超出了范围。"));
        return false;
    }
    std::optional<std::vector<Row>> original = rowsAsRead(row, 1);
    if (!original) {
        return false;
    }
    Field value{database_.codec().toUtf16(text), false};
    value.isNull = value.text.empty() && !isCharacterType(columns_[size_t(column)].sqlType);
    Row shown;
    Outcome outcome = tryOnLiveConnection([&] { return changeField(original->front(), column, value, shown); });
    if (!reconnected_ && (outcome == Outcome::written || outcome == Outcome::changedByOthers)) {
        rows_->replace(row, std::move(shown));
    }
    if (outcome == Outcome::changedByOthers && !reconnected_) {
        shownAgain_ = ShownAgain::row;
        shownAgainRow_ = row;
    }
    finishWrite(outcome == Outcome::notFound);
    return outcome == Outcome::written;
}

RecordSet::Outcome RecordSet::changeField(const Row& original, int32_t column, const Field& value, Row& shown) {
    const Column& target = columns_[size_t(column)];
    const Field& before = original[size_t(column)];
    std::vector<Parameter> parameters{Parameter::of(value, target)};
    std::vector<Parameter> match = table_->isKeyed() ? keyParameters(original) : valueParameters(original);
    parameters.insert(parameters.end(), match.begin(), match.end());
    if (table_->isKeyed()) {
        ValueMatch::appendParameters(parameters, before, target);
    }
    Transaction transaction(database_);
    if (!transaction.started()) {
        return Outcome::failed;
    }
    Statement update(database_);
    if (!update.execute(table_->isKeyed() ? table_->updateByKey(target, before)
                                          : table_->updateByValues(target.name, columns_, original),
                        parameters)) {
        return Outcome::failed;
    }
    std::optional<int64_t> changed = update.changedRows();
    if (changed != 1) {
        return notOneRow(changed, original, shown, "表里有几行与这一行完全相同，无法只修改其中的一行。");
    }
    if (!transaction.commit()) {
        return Outcome::failed;
    }
    // The row as written, with its key changed too when the key was the column written.
    shown = original;
    shown[size_t(column)] = value;
    for (size_t k = 0; k < keyColumns_.size(); ++k) {
        if (table_->keyNames()[k] == target.name) {
            shown[columns_.size() + k] = value;
        }
    }
    // Read the row back so that it shows what the database stored ("007" in an integer
    // column is 7); should that fail, the written text is the best guess.
    Row stored;
    if (table_->isKeyed() && readByKey(shown, stored) == Found::row) {
        shown = std::move(stored);
    }
    database_.clearError();
    return Outcome::written;
}

bool RecordSet::fetchNewRow(Statement& statement, Row& row) {
    Statement::Fetched fetched = statement.fetch();
    if (fetched == Statement::Fetched::failed) {
        return false;
    }
    if (fetched == Statement::Fetched::end) {
        database_.noteFailure(std::string("新记录已经插入，但数据库没有交回这一行；请重新打开查询。"));
        return false;
    }
    return statement.readRow(row, columns_.size() + keyColumns_.size());
}

bool RecordSet::appendBlank() {
    if (!checkWritable()) {
        return false;
    }
    Row row;
    Outcome outcome = tryOnLiveConnection([&] {
        Statement insert(database_);
        if (database_.isSqlite()) {
            // The SQLite driver runs INSERT ... RETURNING but hands back no result.
            Statement read(database_);
            if (!insert.execute(table_->insertDefaults(false)) || !read.execute(table_->lastInsertedRow()) ||
                !fetchNewRow(read, row)) {
                return Outcome::failed;
            }
        } else if (!insert.execute(table_->insertDefaults(true)) || !fetchNewRow(insert, row)) {
            return Outcome::failed;
        }
        return Outcome::written;
    });
    if (outcome == Outcome::written && !reconnected_ && !rows_->append(std::move(row))) {
        database_.noteFailure(std::string("表的行太多，无法全部显示。"));
        outcome = Outcome::failed;
    }
    finishWrite(false);
    return outcome == Outcome::written;
}

bool RecordSet::removeRows(int32_t first, int32_t count) {
    if (!checkWritable() || !checkRow(first) || count < 1 || count > rows_->count() - first) {
        return false;
    }
    std::optional<std::vector<Row>> originals = rowsAsRead(first, count);
    if (!originals) {
        return false;
    }
    Outcome outcome = Outcome::written;
    for (const Row& original : *originals) {
        Row shown;
        outcome = tryOnLiveConnection([&] { return removeRecord(original, shown); });
        if (reconnected_) {
            continue;
        }
        // The rows before this one are gone, so it is the row at `first` now.
        if (outcome == Outcome::written) {
            rows_->remove(first);
        } else if (outcome == Outcome::changedByOthers) {
            rows_->replace(first, std::move(shown));
            shownAgain_ = ShownAgain::row;
            shownAgainRow_ = first;
        }
        if (outcome != Outcome::written) {
            break;
        }
    }
    finishWrite(outcome == Outcome::notFound);
    return outcome == Outcome::written;
}

RecordSet::Outcome RecordSet::removeRecord(const Row& original, Row& shown) {
    std::vector<Parameter> parameters = table_->isKeyed() ? keyParameters(original) : std::vector<Parameter>{};
    std::vector<Parameter> values = valueParameters(original);
    parameters.insert(parameters.end(), values.begin(), values.end());
    Transaction transaction(database_);
    if (!transaction.started()) {
        return Outcome::failed;
    }
    Statement erase(database_);
    if (!erase.execute(table_->isKeyed() ? table_->deleteByKey(columns_, original) : table_->deleteByValues(columns_, original),
                       parameters)) {
        return Outcome::failed;
    }
    std::optional<int64_t> changed = erase.changedRows();
    if (changed != 1) {
        return notOneRow(changed, original, shown, "表里有几行与这一行完全相同，无法只删除其中的一行。");
    }
    return transaction.commit() ? Outcome::written : Outcome::failed;
}

bool RecordSet::zap() {
    if (!checkWritable()) {
        return false;
    }
    Outcome outcome = tryOnLiveConnection([&] {
        Statement erase(database_);
        return erase.execute(table_->deleteAll()) ? Outcome::written : Outcome::failed;
    });
    if (outcome == Outcome::written) {
        reconnected_ = false;
        return reopen();
    }
    finishWrite(false);
    return false;
}

}  // namespace grid::odbc

#include "grid/provider/odbc/record_set.h"

#include "grid/provider/odbc/sql_types.h"
#include "grid/provider/odbc/transaction.h"

// The writes of a record set: a changed field, a new row, a removed row, all rows
// removed. The row in the record set changes only after the database accepted.

namespace grid::odbc {

namespace {

const char* const rowNotFound = "数据库里没有找到这一行：它可能已被别人删除或修改。";

}  // namespace

bool RecordSet::checkWritable() const {
    if (!rows_) {
        database_.noteFailure(std::string("没有打开记录集。"));
        return false;
    }
    if (!table_) {
        database_.noteFailure(
            std::string("这个查询的结果不能写回数据库：只有单个表的查询（SELECT * 或列名 FROM 表名，可带 WHERE 和 ORDER BY）可以修改。"));
        return false;
    }
    if (!database_.alive()) {
        database_.noteFailure(std::string("与数据库的连接已断开。"));
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
        if (!original[i].isNull) {
            parameters.push_back(Parameter::of(original[i], columns_[i]));
        }
    }
    return parameters;
}

bool RecordSet::setFieldText(int32_t row, int32_t column, std::string_view text) {
    if (!checkWritable() || !checkRow(row)) {
        return false;
    }
    if (column < 0 || column >= columnCount()) {
        database_.noteFailure(std::string("列号超出了范围。"));
        return false;
    }
    const Row* current = rows_->row(row);
    if (!current) {
        return false;
    }
    Row original = *current;
    Field value{database_.codec().toUtf16(text), false};
    value.isNull = value.text.empty() && !isCharacterType(columns_[size_t(column)].sqlType);
    return table_->isKeyed() ? changeKeyedRow(row, column, value, original)
                             : changeRowByValues(row, column, value, original);
}

bool RecordSet::changeKeyedRow(int32_t row, int32_t column, const Field& value, const Row& original) {
    const Column& target = columns_[size_t(column)];
    std::vector<Parameter> parameters{Parameter::of(value, target)};
    std::vector<Parameter> keys = keyParameters(original);
    parameters.insert(parameters.end(), keys.begin(), keys.end());
    Statement update(database_);
    if (!update.execute(table_->updateByKey(target.name), parameters)) {
        return false;
    }
    std::optional<int64_t> changed = update.changedRows();
    if (!changed) {
        return false;
    }
    if (*changed != 1) {
        database_.noteFailure(std::string(rowNotFound));
        return false;
    }
    // The row as written, with its key changed too when the key was the column written.
    Row written = original;
    written[size_t(column)] = value;
    for (size_t k = 0; k < keyColumns_.size(); ++k) {
        if (table_->keyNames()[k] == target.name) {
            written[columns_.size() + k] = value;
        }
    }
    // Read the row back so that it shows what the database stored ("007" in an integer
    // column is 7); should that fail, the written text is the best guess.
    std::optional<Row> stored = readBackByKey(written);
    rows_->replace(row, stored ? std::move(*stored) : std::move(written));
    database_.clearError();
    return true;
}

std::optional<Row> RecordSet::readBackByKey(const Row& keyRow) {
    Statement read(database_);
    Row row;
    if (!read.execute(table_->rowsByKeys(1), keyParameters(keyRow)) || read.fetch() != Statement::Fetched::row ||
        !read.readRow(row, columns_.size() + keyColumns_.size())) {
        return std::nullopt;
    }
    return row;
}

bool RecordSet::changeRowByValues(int32_t row, int32_t column, const Field& value, const Row& original) {
    const Column& target = columns_[size_t(column)];
    Transaction transaction(database_);
    if (!transaction.started()) {
        return false;
    }
    std::vector<Parameter> parameters{Parameter::of(value, target)};
    std::vector<Parameter> values = valueParameters(original);
    parameters.insert(parameters.end(), values.begin(), values.end());
    {
        Statement update(database_);
        if (!update.execute(table_->updateByValues(target.name, columns_, original), parameters)) {
            return false;
        }
        std::optional<int64_t> changed = update.changedRows();
        if (!changed) {
            return false;
        }
        if (*changed != 1) {
            database_.noteFailure(*changed == 0 ? std::string(rowNotFound)
                                                : std::string("表里有几行与这一行完全相同，无法只修改其中的一行。"));
            return false;
        }
    }
    if (!transaction.commit()) {
        return false;
    }
    Row written = original;
    written[size_t(column)] = value;
    rows_->replace(row, std::move(written));
    return true;
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
    Statement insert(database_);
    if (database_.isSqlite()) {
        // The SQLite driver runs INSERT ... RETURNING but hands back no result.
        Statement read(database_);
        if (!insert.execute(table_->insertDefaults(false)) || !read.execute(table_->lastInsertedRow()) ||
            !fetchNewRow(read, row)) {
            return false;
        }
    } else if (!insert.execute(table_->insertDefaults(true)) || !fetchNewRow(insert, row)) {
        return false;
    }
    if (!rows_->append(std::move(row))) {
        database_.noteFailure(std::string("表的行太多，无法全部显示。"));
        return false;
    }
    return true;
}

bool RecordSet::remove(int32_t row) {
    if (!checkWritable() || !checkRow(row)) {
        return false;
    }
    const Row* current = rows_->row(row);
    if (!current) {
        return false;
    }
    Row original = *current;
    if (!table_->isKeyed()) {
        return removeRowByValues(row, original);
    }
    Statement erase(database_);
    if (!erase.execute(table_->deleteByKey(), keyParameters(original))) {
        return false;
    }
    std::optional<int64_t> changed = erase.changedRows();
    if (!changed) {
        return false;
    }
    if (*changed != 1) {
        database_.noteFailure(std::string(rowNotFound));
        return false;
    }
    rows_->remove(row);
    return true;
}

bool RecordSet::removeRowByValues(int32_t row, const Row& original) {
    Transaction transaction(database_);
    if (!transaction.started()) {
        return false;
    }
    {
        Statement erase(database_);
        if (!erase.execute(table_->deleteByValues(columns_, original), valueParameters(original))) {
            return false;
        }
        std::optional<int64_t> changed = erase.changedRows();
        if (!changed) {
            return false;
        }
        if (*changed != 1) {
            database_.noteFailure(*changed == 0 ? std::string(rowNotFound)
                                                : std::string("表里有几行与这一行完全相同，无法只删除其中的一行。"));
            return false;
        }
    }
    if (!transaction.commit()) {
        return false;
    }
    rows_->remove(row);
    return true;
}

bool RecordSet::zap() {
    if (!checkWritable()) {
        return false;
    }
    Statement erase(database_);
    return erase.execute(table_->deleteAll()) && reopen();
}

}  // namespace grid::odbc

#include "grid/format/table_summary.h"

#include "grid/format/table_file.h"

namespace grid {

ReadError readTableSummary(const ByteSource& source, uint64_t size, TableSummary& summary) {
    StreamReader reader(source, size);
    return readTableSummary(reader, summary);
}

ReadError readTableSummary(const std::string& path, TableSummary& summary) {
    return withRegularFile(path, [&summary](const ByteSource& source, uint64_t size) {
        return readTableSummary(source, size, summary);
    });
}

}  // namespace grid

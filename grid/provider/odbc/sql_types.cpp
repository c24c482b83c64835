#include "grid/provider/odbc/sql_types.h"

#include <sql.h>
#include <sqlucode.h>

namespace grid::odbc {

bool isCharacterType(int16_t sqlType) {
    switch (sqlType) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
        return true;
    default:
        return false;
    }
}

}  // namespace grid::odbc

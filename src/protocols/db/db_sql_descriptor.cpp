#include "protocols/db/db_sql_descriptor.h"

namespace trev {

void SqlDescriptor::resize(int count) {
    if (count < 1) count = 1;
    const size_t bytes = XSQLDA_LENGTH(count);
    area_ = std::make_unique<int64_t[]>((bytes + sizeof(int64_t) - 1) / sizeof(int64_t));
    XSQLDA* sqlda = get();
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = static_cast<ISC_SHORT>(count);
    values_.clear();
    indicators_.clear();
}

void SqlDescriptor::allocateValues(bool allNull) {
    XSQLDA* sqlda = get();
    values_.assign(sqlda->sqld, {});
    indicators_.assign(sqlda->sqld, allNull ? -1 : 0);
    for (int i = 0; i < sqlda->sqld; ++i) {
        XSQLVAR& column = sqlda->sqlvar[i];
        // A varying text carries its two-byte length in front.
        const size_t bytes = static_cast<size_t>(column.sqllen) + sizeof(ISC_SHORT);
        values_[i].assign((bytes + sizeof(int64_t) - 1) / sizeof(int64_t), 0);
        column.sqldata = reinterpret_cast<ISC_SCHAR*>(values_[i].data());
        column.sqlind = &indicators_[i];
        if (allNull) column.sqltype |= 1;  // the nullable flag, so NULL may be sent
    }
}

}  // namespace trev

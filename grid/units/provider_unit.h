#pragma once

#include "grid/model/data_provider.h"
#include "runtime/window/unit.h"

namespace grid {

// A unit that holds a table for a data source to bind by the unit's name.
class ProviderUnit : public rt::Unit {
public:
    using rt::Unit::Unit;
    virtual DataProvider& provider() = 0;
};

}  // namespace grid

#pragma once

#include "calllog/listed_names.h"
#include "metering/currency.h"
#include "store/registry/hive_database.h"

#include <cstdint>

namespace dvx {

// What the session list shows of the session log store, kept while the list shows the store
// as it is: the state of the store it was read from, the list's generation then, the records'
// names in list order and the sums of their seconds and charges.
struct ListedStore {
    HiveStamp stamp;
    std::uint64_t listGeneration = 0;
    ListedNames names;
    std::int32_t seconds = 0;
    Currency charges;
};

} // namespace dvx

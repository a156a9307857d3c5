#include "store/settings/first_run.h"

#include "store/registry/regutils.h"
#include "store/settings/store_keys.h"

namespace dvx {

void ReadFirstRunFlag(std::int32_t& flag) {
    const QString name = QStringLiteral("FirstRun");
    ReadRegInteger(kProductKey, name, flag, true);
    if (flag == 0)
        WriteRegInteger(kProductKey, name, 1);
}

} // namespace dvx

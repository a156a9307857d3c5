#include "store/settings/program_settings.h"
#include "store/settings/store_keys.h"

namespace dvx {

void ProgramSettings::ReadFirstRunFlag(std::int32_t& flag) const {
    const QString name = QStringLiteral("FirstRun");
    registry_.ReadRegInteger(kProductKey, name, flag, true);
    if (flag == 0)
        registry_.WriteRegInteger(kProductKey, name, 1);
}

} // namespace dvx

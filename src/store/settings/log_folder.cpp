#include "store/settings/program_settings.h"
#include "store/settings/store_keys.h"

namespace dvx {

namespace {

const QString kLogFolder = QStringLiteral("LogFolder");

} // namespace

QString ProgramSettings::ReadLogFolder() const {
    QString folder;
    registry_.ReadRegString(kProductKey, kLogFolder, folder, false);
    return folder;
}

void ProgramSettings::WriteLogFolder(const QString& folder) const {
    registry_.WriteRegString(kProductKey, kLogFolder, folder);
}

} // namespace dvx

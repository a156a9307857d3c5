#include "platform/sound/sound_server_identity.h"

#include <QtGlobal>

namespace dvx {

namespace {

void setUnlessSet(const char* variable, const QString& value) {
    if (!qEnvironmentVariableIsSet(variable))
        qputenv(variable, value.toUtf8());
}

} // namespace

void AnnounceToSoundServer(const QString& applicationName, const QString& iconName) {
    setUnlessSet("PULSE_PROP_application.name", applicationName);
    setUnlessSet("PULSE_PROP_application.icon_name", iconName);
}

} // namespace dvx

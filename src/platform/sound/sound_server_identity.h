#pragma once

#include <QString>

namespace dvx {

// Tells the sound server whose sounds these are: the application name and icon that a volume
// mixer shows beside the program's streams. It goes through the PulseAudio client's own
// variables (PULSE_PROP_application.name, PULSE_PROP_application.icon_name), which PipeWire's
// pulse server reads too; a value the user set already is kept. Call it before any thread
// starts, as it changes the environment.
void AnnounceToSoundServer(const QString& applicationName, const QString& iconName);

} // namespace dvx

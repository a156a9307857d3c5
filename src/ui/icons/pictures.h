#pragma once

#include <QIcon>
#include <QPixmap>

namespace dvx {

// The program's icon: a clock face over a coin, at the sizes a desktop asks for.
QIcon ProgramIcon();

// The 32 x 32 pictures of the buttons.
QPixmap ResetPicture();       // green recycling arrows around a globe
QPixmap SetChangesPicture();  // a push button under a sign reading PUSH
QPixmap MonitorPicture();     // two computers joined by a lightning bolt
QPixmap ManualStartPicture(); // a finger pressing a green play triangle
QPixmap ManualStopPicture();  // a finger pressing a red stop square
QPixmap SaveLogPicture();     // a floppy disk
QPixmap LoadLogPicture();     // an open folder
QPixmap PrintLogPicture();    // a printer

} // namespace dvx

#pragma once

namespace ostrel {

// The program's diagnostic log: printf-style, written only while the logger switch is on.
// The arguments are not formatted into text while it is off.
void zr_log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The switch that DebugManager keeps in step with the "loggerIsOn" setting; off at start.
bool zr_logIsOn();
void setZrLogOn(bool on);

}

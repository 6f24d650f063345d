#pragma once

namespace base {

// Ends the process once its work is saved, without the static destructors: threads still at
// work (reading a year of logs) would otherwise use what they tear down. Standard streams
// are flushed first, and a build with the leak checker still checks.
[[noreturn]] void endProcess(int code);

}

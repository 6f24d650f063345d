#pragma once

namespace media {

// Keeps every shared library loaded now in memory until the program ends, whoever closes
// it later. A sound system unloaded when its driver stops leaves each thread's slot for the
// library's thread-local data pointing at freed memory, which the leak checker, and any
// code walking the threads' storage, then reads.
void keepLoadedLibrariesForGood();

}

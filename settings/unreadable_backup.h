// A settings file that could not be loaded is kept beside itself before
// anything is written to it again, so that nothing its user wrote is lost.
#pragma once

#include <string>

namespace quorn {

// Copies the file at `path` to "<path>.bak". An existing backup is never
// overwritten: one with the same content already keeps it; otherwise the
// next free name of "<path>.bak2" to "<path>.bak99" is taken. Returns the
// backup's path, or the empty text when there is no file to keep. Throws
// TextError "<path> に書き込めません" when no copy can be made: the file must
// then not be written.
std::string KeepBackupCopy(const std::string& path);

}  // namespace quorn

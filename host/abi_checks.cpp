// The host's interface as this build lays it out, checked by the compiler
// of each build (the 32-bit product included, whose code cannot run here):
// the information record's fields lie where the host reads them, and the
// command handlers have the type the host calls them through (stdcall, two
// arguments). The callbacks' stack cleaning is checked on the linked DLL
// (tests/tools/check_stdcall.sh).
#include <cstddef>
#include <type_traits>

#include "commands/commands.h"
#include "host/plugin_api.h"
#include "hostapi/velmo_api.h"

namespace quorn {

static_assert(offsetof(VMPlugInInfo, Name) == 0, "Name at offset 0");
static_assert(offsetof(VMPlugInInfo, Vendor) == 80, "Vendor at offset 80");
static_assert(offsetof(VMPlugInInfo, Version) == 160, "Version at offset 160");
static_assert(offsetof(VMPlugInInfo, Description) == 240, "Description at offset 240");
static_assert(sizeof(VMPlugInInfo) == 496, "the record is 496 bytes, without padding");
static_assert(alignof(VMPlugInInfo) == 1, "the record holds bytes only");

static_assert(std::is_same_v<decltype(&SortSpamCommand), VelmoCommandHandler>);
static_assert(std::is_same_v<decltype(&CheckSpamCommand), VelmoCommandHandler>);
static_assert(std::is_same_v<decltype(&InspectReceivedCommand), VelmoCommandHandler>);
static_assert(std::is_same_v<VelmoCommandHandler, void(__stdcall*)(HWND, LPARAM)>);

}  // namespace quorn

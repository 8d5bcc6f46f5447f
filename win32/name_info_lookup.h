// The reverse lookup of an IPv6 address: Windows Sockets 1.1 has no
// asynchronous form for it, so the system's name-information function
// (GetNameInfoW, bound at run time) runs in a worker thread of its own.
//
// The worker holds a reference to this module from before it starts until
// it ends with FreeLibraryAndExitThread, so the host can unload the plug-in
// at any time without the worker running code that is gone. What the worker
// writes lives in a job that it and the waiting side share by a reference
// count: whichever lets go last frees it, so a lookup abandoned at its
// time-out leaves nothing the worker could write into after release. The
// worker posts its answer to a window as WM_APP, with the job's id as the
// message's wParam (never a task handle of Windows Sockets) and the error in
// the form of an asynchronous reply as lParam.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

#include "engine/ip_address.h"

namespace quorn {

class NameInfoJob;

// Starts the lookup of `address`; the answer is posted to `window`. Returns
// nullptr, with nothing posted, when the system has no GetNameInfoW or no
// thread could be started: the lookup has then failed.
NameInfoJob* StartNameInfoLookup(HWND window, const Ipv6Address& address);

// The id the job's answer carries as wParam.
WPARAM NameInfoJobId(const NameInfoJob& job);

// The name found, in the host's ANSI code page; empty when the answer
// reported an error or the name cannot be written there. Read only after
// the job's answer has arrived.
std::string NameInfoJobName(const NameInfoJob& job);

// Whether the worker has let go of its share: it has ended, its answer
// posted or lost.
bool NameInfoJobEnded(NameInfoJob& job);

// Lets go of the waiting side's share of the job.
void ReleaseNameInfoJob(NameInfoJob* job);

}  // namespace quorn

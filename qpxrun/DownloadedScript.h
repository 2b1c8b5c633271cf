// Before qpxrun runs a script that the system marked as downloaded.
#pragma once

#include "language/ParseScript.h"
#include "language/RunHost.h"
#include "platform/OriginMark.h"

// True to run the loaded script. One from a restricted site is refused
// with a message. One from the internet runs only when the user, shown
// what running it would change (its dry run's list: every registry value
// whole, then the files), answers Yes: in the host's question, or in the
// box that scrolls when the values do not fit a message box; No, the
// default, ends with nothing written. Any other zone runs as any script
// does.
bool ConfirmDownloadedScript(CScriptFile& script, const platform::OriginMark& mark,
                             CRunHost& host);

// Before qpxrun runs a script that the system marked as downloaded.
#pragma once

#include "language/ParseScript.h"
#include "language/RunHost.h"
#include "platform/OriginMark.h"

// True to run the loaded script. One from a restricted site is refused
// with a message. One from the internet runs only when the user, shown
// what running it would change (its dry run: every target file by its
// full path, a dialog's file as such, every registry value with its
// data), answers Yes to the host's question; No, the default, ends with
// nothing written. Any other zone runs as any script does.
bool ConfirmDownloadedScript(CScriptFile& script, const platform::OriginMark& mark,
                             CRunHost& host);

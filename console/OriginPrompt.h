// Whether qpx runs a script that the system marked as downloaded.
#pragma once

#include "console/CommandLine.h"
#include "console/Output.h"
#include "language/ParseScript.h"
#include "language/RunHost.h"
#include "platform/OriginMark.h"

// A script from a restricted site is not run. One from the internet runs
// with --trust, or when the user, shown on the terminal what running it
// would change (its dry run: registry values first, then files), answers yes to the host's question; without
// a terminal to ask, it is not run. Any other zone runs as any script does.
bool MayRunMarkedScript(CScriptFile& script, const CommandLine& line,
                        const platform::OriginMark& mark, CRunHost& host, COutput& err);

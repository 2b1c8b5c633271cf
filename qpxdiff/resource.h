// Resource and command identifiers of qpxdiff, shared by qpxdiff.rc and
// the window code.
#pragma once

#define IDM_QPXDIFF 101
#define IDI_QPXDIFF 104

#define IDM_FILE_OPEN 40001
#define IDM_FILE_CREATE_SCRIPT 40002
#define IDM_FILE_EXIT 40004
#define IDM_HELP_ABOUT 40005

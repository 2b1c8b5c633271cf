// Resource identifiers of qpxrun.
#pragma once

#define IDI_QPXRUN 101

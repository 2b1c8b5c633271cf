// What the run loop dispatches to: each statement shape with its handler,
// and the dialog that chooses a #path target. The run loop knows only
// these types; the tables themselves are put together above the language
// and the handlers (interpreter/StatementTables.h) and handed to the
// interpreter, so that the language never includes a handler.
#pragma once

#include <span>
#include <string_view>

#include "language/Statement.h"

class CRunHost;
class CSourceData;

using ImageHandler = HandlerResult (*)(CSourceData& image, CStatement& statement);
// Writes one registry value through the host.
using RegistryHandler = HandlerResult (*)(CRunHost& host, CStatement& statement);
// Has the host choose the file a "#path dialog" description asks for:
// kDone with the chosen path as the one operand, kCancelled, or kFailed.
using DialogHandler = HandlerResult (*)(CRunHost& host, CStatement& statement);

struct ImageShape {
  std::string_view shape;
  ImageHandler handler;
};

struct RegistryShape {
  std::string_view shape;
  RegistryHandler handler;
};

struct StatementTables {
  std::span<const ImageShape> image;        // statements on a #path target
  std::span<const RegistryShape> registry;  // statements that write one value
  DialogHandler dialog;
};

// The statement shapes the run loop knows, each with its handler.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

class CParseScript;
class CSourceData;
class CStatement;

using ImageHandler = int32_t (*)(CSourceData& image, CStatement& statement);
using RegistryHandler = int32_t (*)(CParseScript& script, CStatement& statement);

struct ImageShape {
  std::string_view shape;
  ImageHandler handler;
};

struct RegistryShape {
  std::string_view shape;
  RegistryHandler handler;
};

// Statements on the target image of a #path section.
extern const std::array<ImageShape, 4> kImageTable;
// Statements that write one registry value.
extern const std::array<RegistryShape, 4> kRegistryTable;

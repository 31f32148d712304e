// The library's resource strings, looked up by id.
#pragma once

#include <cstddef>

#include "base/text.h"

namespace dremoxa7::strings {

enum Id : unsigned {
  kLibraryFileName = 100,
  kConfigurationFile = 101,
  kCpuLabel = 102,
  kVersionFile = 103,
  kSoftwareModelCode = 104,
  kVersionCode = 105,
  kFixedCpuText = 106,
  kTempSystemFile = 110,
  kSystemFile = 111,
  kStartHoldVersion = 112,
  kSystemFileNotFound = 1000,
  kSystemFileReadFailed = 1002,
};

// The longest string of the table fits with room to spare.
using StringText = Text<256>;

StringText load(Id id);

}  // namespace dremoxa7::strings

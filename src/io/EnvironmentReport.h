#pragma once
#include "platform/SystemInfo.h"

// The machine's sections of the start-up log, in the fixed column layout support tools read: the
// values start in column 17.
class CEnvironmentReport {
 public:
  static void LogProcessor(const SProcessorInfo& cpu);
  static void LogOsVersion(const SOsVersion& os);
  static void LogDisplayDriver(const SDisplayDriverInfo& driver);
};

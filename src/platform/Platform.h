#pragma once
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Input.h"
#include "platform/Random.h"
#include "platform/Window.h"

// One backend object gathers the services; the engine asks for each by interface.
class IPlatform {
public:
  virtual ~IPlatform() = default;
  virtual const char* Name() const = 0;
  virtual IClock& Clock() = 0;
  virtual IWindow& Window() = 0;
  virtual IEventSource& Events() = 0;
  virtual IInput& Input() = 0;
  virtual IDialogs& Dialogs() = 0;
  virtual IFileSystem& Files() = 0;
  CRandom& Random() { return random; }

private:
  CRandom random;
};

// The process-wide backend, installed once by the application before anything else runs.
IPlatform& ThePlatform();
void InstallPlatform(std::unique_ptr<IPlatform> platform);
bool HasPlatform();

#include "Command.h"

// Placeholder until the distributed notification centre lands.
int runNotify(std::span<const std::string>) { throw UsageError("notify is not available yet"); }

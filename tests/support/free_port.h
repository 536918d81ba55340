#pragma once

#include "net/endpoint.h"

namespace zvk::test {

// A port of `address` that nobody listens on now (the system's choice, given up again),
// for a desktop's end that must be named before the handheld that connects to it starts.
Endpoint FreePort(const IPv4Address& address);

} // namespace zvk::test

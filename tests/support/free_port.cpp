#include "support/free_port.h"

#include <gtest/gtest.h>

#include "net/tcp_listener.h"
#include "support/succeeded.h"

namespace zvk::test {

Endpoint FreePort(const IPv4Address& address)
{
    Result<TcpListener> probe = TcpListener::Listen(Endpoint{address, 0});
    EXPECT_TRUE(Succeeded(probe));
    return probe ? probe->Local() : Endpoint{address, 0};
}

} // namespace zvk::test

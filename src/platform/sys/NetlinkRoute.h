#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

struct mnl_socket;
struct sockaddr;
struct nlmsghdr;

namespace sys {

// A request socket for the kernel's routing tables (rtnetlink): looks up the route the
// kernel would take to a destination, the default route, and the state of a link. Each
// call is one request and its answer; calls may come from any thread.
class NetlinkRoute {
public:
    struct Route {
        int outputInterface = 0;
        bool local = false;       // the destination is one of this machine's addresses
        bool hasGateway = false;  // reached through a router rather than on the link itself
    };
    struct Link {
        std::string name;
        unsigned type = 0;     // ARPHRD_* hardware type
        bool up = false;       // administratively up
        bool running = false;  // carrier present (operationally up)
    };

    // Empty when no netlink socket can be opened.
    static std::unique_ptr<NetlinkRoute> open();
    ~NetlinkRoute();
    NetlinkRoute(const NetlinkRoute&) = delete;
    NetlinkRoute& operator=(const NetlinkRoute&) = delete;

    // The route to an IPv4 or IPv6 destination; empty when the kernel has none (unreachable,
    // prohibited, blackholed) or the family is neither.
    std::optional<Route> lookup(const sockaddr& destination);
    // The main table's preferred default route of the family whose link is up.
    std::optional<Route> defaultRoute(int family);
    std::optional<Link> link(int index);

private:
    explicit NetlinkRoute(mnl_socket* socket);
    // Sends the request in `buffer` and feeds every answer to `callback` until the kernel's
    // acknowledgement or end of dump; false on any error.
    bool transact(void* buffer, int (*callback)(const nlmsghdr*, void*), void* data);

    std::mutex mutex_;
    mnl_socket* socket_;
    unsigned portId_;
    unsigned sequence_ = 0;
};

}  // namespace sys

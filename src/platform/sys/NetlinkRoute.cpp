#include "sys/NetlinkRoute.h"

#include <arpa/inet.h>
#include <libmnl/libmnl.h>
#include <linux/if.h>
#include <linux/rtnetlink.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sys {
namespace {

// Calls `visit` with each attribute after the fixed header of `message` (libmnl's own loop
// macro does not compile as C++).
template <typename Visit>
void forEachAttribute(const nlmsghdr* message, std::size_t headerSize, Visit visit) {
    const auto* tail = static_cast<const char*>(mnl_nlmsg_get_payload_tail(message));
    for (auto* attribute = static_cast<const nlattr*>(mnl_nlmsg_get_payload_offset(message, headerSize));
         mnl_attr_ok(attribute, static_cast<int>(tail - reinterpret_cast<const char*>(attribute)));
         attribute = mnl_attr_next(attribute)) {
        visit(attribute);
    }
}

struct RouteAnswer {
    std::optional<NetlinkRoute::Route> route;
};

struct DefaultCandidate {
    NetlinkRoute::Route route;
    std::uint32_t priority = 0;
};

// Reads the output interface and gateway of a route message, looking into the first
// next hop of a multipath route when the route itself names none.
NetlinkRoute::Route routeFromMessage(const nlmsghdr* message, std::uint32_t* priority) {
    const auto* header = static_cast<const rtmsg*>(mnl_nlmsg_get_payload(message));
    NetlinkRoute::Route route;
    route.local = header->rtm_type == RTN_LOCAL;
    forEachAttribute(message, sizeof(rtmsg), [&](const nlattr* attribute) {
        switch (mnl_attr_get_type(attribute)) {
            case RTA_OIF:
                if (mnl_attr_validate(attribute, MNL_TYPE_U32) >= 0) {
                    route.outputInterface = static_cast<int>(mnl_attr_get_u32(attribute));
                }
                break;
            case RTA_GATEWAY:
            case RTA_VIA:
                route.hasGateway = true;
                break;
            case RTA_PRIORITY:
                if (priority && mnl_attr_validate(attribute, MNL_TYPE_U32) >= 0) {
                    *priority = mnl_attr_get_u32(attribute);
                }
                break;
            case RTA_MULTIPATH: {
                const auto length = mnl_attr_get_payload_len(attribute);
                if (route.outputInterface == 0 && length >= sizeof(rtnexthop)) {
                    const auto* hop = static_cast<const rtnexthop*>(mnl_attr_get_payload(attribute));
                    route.outputInterface = hop->rtnh_ifindex;
                    route.hasGateway = route.hasGateway || hop->rtnh_len > sizeof(rtnexthop);
                }
                break;
            }
            default:
                break;
        }
    });
    return route;
}

int onLookupAnswer(const nlmsghdr* message, void* data) {
    if (message->nlmsg_type != RTM_NEWROUTE) return MNL_CB_OK;
    const auto* header = static_cast<const rtmsg*>(mnl_nlmsg_get_payload(message));
    if (header->rtm_type != RTN_UNICAST && header->rtm_type != RTN_LOCAL) return MNL_CB_OK;
    static_cast<RouteAnswer*>(data)->route = routeFromMessage(message, nullptr);
    return MNL_CB_OK;
}

int onDumpedRoute(const nlmsghdr* message, void* data) {
    if (message->nlmsg_type != RTM_NEWROUTE) return MNL_CB_OK;
    const auto* header = static_cast<const rtmsg*>(mnl_nlmsg_get_payload(message));
    if (header->rtm_dst_len != 0 || header->rtm_type != RTN_UNICAST) return MNL_CB_OK;
    std::uint32_t table = header->rtm_table;
    forEachAttribute(message, sizeof(rtmsg), [&](const nlattr* attribute) {
        if (mnl_attr_get_type(attribute) == RTA_TABLE && mnl_attr_validate(attribute, MNL_TYPE_U32) >= 0) {
            table = mnl_attr_get_u32(attribute);
        }
    });
    if (table != RT_TABLE_MAIN) return MNL_CB_OK;
    DefaultCandidate candidate;
    candidate.route = routeFromMessage(message, &candidate.priority);
    static_cast<std::vector<DefaultCandidate>*>(data)->push_back(candidate);
    return MNL_CB_OK;
}

int onLinkAnswer(const nlmsghdr* message, void* data) {
    if (message->nlmsg_type != RTM_NEWLINK) return MNL_CB_OK;
    const auto* header = static_cast<const ifinfomsg*>(mnl_nlmsg_get_payload(message));
    NetlinkRoute::Link link;
    link.type = header->ifi_type;
    link.up = (header->ifi_flags & IFF_UP) != 0;
    link.running = (header->ifi_flags & IFF_RUNNING) != 0;
    forEachAttribute(message, sizeof(ifinfomsg), [&](const nlattr* attribute) {
        if (mnl_attr_get_type(attribute) == IFLA_IFNAME &&
            mnl_attr_validate(attribute, MNL_TYPE_STRING) >= 0) {
            link.name = mnl_attr_get_str(attribute);
        }
    });
    *static_cast<std::optional<NetlinkRoute::Link>*>(data) = link;
    return MNL_CB_OK;
}

// Starts a request of `type` in `buffer` and returns its family header of type Header.
template <typename Header>
Header* putRequest(char* buffer, std::uint16_t type, std::uint16_t flags) {
    nlmsghdr* request = mnl_nlmsg_put_header(buffer);
    request->nlmsg_type = type;
    request->nlmsg_flags = NLM_F_REQUEST | flags;
    return static_cast<Header*>(mnl_nlmsg_put_extra_header(request, sizeof(Header)));
}

}  // namespace

std::unique_ptr<NetlinkRoute> NetlinkRoute::open() {
    mnl_socket* socket = mnl_socket_open2(NETLINK_ROUTE, SOCK_CLOEXEC);
    if (!socket) return nullptr;
    // The kernel answers at once; a bounded wait keeps a lost answer from stalling the caller
    // for good (the next request skips the late answer by its sequence number).
    const timeval answerTimeout{2, 0};
    if (setsockopt(mnl_socket_get_fd(socket), SOL_SOCKET, SO_RCVTIMEO, &answerTimeout,
                   sizeof answerTimeout) != 0 ||
        mnl_socket_bind(socket, 0, MNL_SOCKET_AUTOPID) < 0) {
        mnl_socket_close(socket);
        return nullptr;
    }
    return std::unique_ptr<NetlinkRoute>(new NetlinkRoute(socket));
}

NetlinkRoute::NetlinkRoute(mnl_socket* socket) : socket_(socket), portId_(mnl_socket_get_portid(socket)) {}

NetlinkRoute::~NetlinkRoute() { mnl_socket_close(socket_); }

bool NetlinkRoute::transact(void* buffer, int (*callback)(const nlmsghdr*, void*), void* data) {
    auto* request = static_cast<nlmsghdr*>(buffer);
    request->nlmsg_seq = ++sequence_;
    if (mnl_socket_sendto(socket_, request, request->nlmsg_len) < 0) return false;
    // Every request asks for an acknowledgement, so even a single answer ends with a
    // message that stops the loop (the acknowledgement, an error or the end of a dump).
    std::vector<char> answer(MNL_SOCKET_BUFFER_SIZE);
    for (;;) {
        const ssize_t received = mnl_socket_recvfrom(socket_, answer.data(), answer.size());
        if (received < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        const int result =
            mnl_cb_run(answer.data(), static_cast<size_t>(received), sequence_, portId_, callback, data);
        if (result == MNL_CB_STOP) return true;
        // A stale answer to an earlier, abandoned request: skip it and read on.
        if (result < 0 && errno == EPROTO) continue;
        // An error acknowledgement (no route, no such link) ends the exchange.
        if (result < 0) return false;
    }
}

std::optional<NetlinkRoute::Route> NetlinkRoute::lookup(const sockaddr& destination) {
    const void* address;
    std::size_t addressLength;
    if (destination.sa_family == AF_INET) {
        address = &reinterpret_cast<const sockaddr_in&>(destination).sin_addr;
        addressLength = sizeof(in_addr);
    } else if (destination.sa_family == AF_INET6) {
        address = &reinterpret_cast<const sockaddr_in6&>(destination).sin6_addr;
        addressLength = sizeof(in6_addr);
    } else {
        return std::nullopt;
    }
    std::lock_guard lock(mutex_);
    alignas(nlmsghdr) char buffer[256];
    auto* header = putRequest<rtmsg>(buffer, RTM_GETROUTE, NLM_F_ACK);
    header->rtm_family = destination.sa_family;
    header->rtm_dst_len = static_cast<unsigned char>(addressLength * 8);
    mnl_attr_put(reinterpret_cast<nlmsghdr*>(buffer), RTA_DST, addressLength, address);
    RouteAnswer answer;
    if (!transact(buffer, onLookupAnswer, &answer)) return std::nullopt;
    return answer.route;
}

std::optional<NetlinkRoute::Route> NetlinkRoute::defaultRoute(int family) {
    std::vector<DefaultCandidate> candidates;
    {
        std::lock_guard lock(mutex_);
        alignas(nlmsghdr) char buffer[128];
        putRequest<rtmsg>(buffer, RTM_GETROUTE, NLM_F_DUMP)->rtm_family = static_cast<unsigned char>(family);
        if (!transact(buffer, onDumpedRoute, &candidates)) return std::nullopt;
    }
    std::optional<DefaultCandidate> best;
    for (const DefaultCandidate& candidate : candidates) {
        const auto outgoing = link(candidate.route.outputInterface);
        if (!outgoing || !outgoing->up || !outgoing->running) continue;
        if (!best || candidate.priority < best->priority) best = candidate;
    }
    if (!best) return std::nullopt;
    return best->route;
}

std::optional<NetlinkRoute::Link> NetlinkRoute::link(int index) {
    if (index <= 0) return std::nullopt;
    std::lock_guard lock(mutex_);
    alignas(nlmsghdr) char buffer[128];
    auto* header = putRequest<ifinfomsg>(buffer, RTM_GETLINK, NLM_F_ACK);
    header->ifi_family = AF_UNSPEC;
    header->ifi_index = index;
    std::optional<Link> answer;
    if (!transact(buffer, onLinkAnswer, &answer)) return std::nullopt;
    return answer;
}

}  // namespace sys

// Loaded with LD_PRELOAD under a program whose listening sockets must not be
// reachable from other machines (Qt's VNC platform listens on every
// interface and has no option to change that). A bind to the wildcard
// address becomes a bind to loopback: 0.0.0.0 turns into 127.0.0.1, and ::
// into ::ffff:127.0.0.1, which a dual-stack socket accepts IPv4 loopback
// clients on. Every other bind passes unchanged.
#include <dlfcn.h>
#include <errno.h>
#include <netinet/in.h>
#include <string.h>
#include <sys/socket.h>


typedef int (*bind_function)(int, const struct sockaddr*, socklen_t);


static bind_function
real_bind()
{
	static bind_function sBind
		= (bind_function)dlsym(RTLD_NEXT, "bind");
	return sBind;
}


extern "C" int
bind(int fd, const struct sockaddr* address, socklen_t length)
{
	bind_function next = real_bind();
	if (next == NULL) {
		errno = ENOSYS;
		return -1;
	}
	if (address == NULL)
		return next(fd, address, length);

	if (address->sa_family == AF_INET && length >= sizeof(sockaddr_in)) {
		sockaddr_in loopback;
		memcpy(&loopback, address, sizeof(loopback));
		if (loopback.sin_addr.s_addr == htonl(INADDR_ANY)) {
			loopback.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			return next(fd, (const sockaddr*)&loopback, sizeof(loopback));
		}
	} else if (address->sa_family == AF_INET6
		&& length >= sizeof(sockaddr_in6)) {
		sockaddr_in6 loopback;
		memcpy(&loopback, address, sizeof(loopback));
		if (IN6_IS_ADDR_UNSPECIFIED(&loopback.sin6_addr)) {
			// Only IPv4 loopback clients: a socket limited to IPv6
			// gets ::1 instead.
			int v6Only = 0;
			socklen_t size = sizeof(v6Only);
			if (getsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6Only, &size) == 0
				&& v6Only != 0) {
				loopback.sin6_addr = in6addr_loopback;
			} else {
				static const unsigned char kMapped[16] = { 0, 0, 0, 0, 0, 0,
					0, 0, 0, 0, 0xff, 0xff, 127, 0, 0, 1 };
				memcpy(&loopback.sin6_addr, kMapped, sizeof(kMapped));
			}
			return next(fd, (const sockaddr*)&loopback, sizeof(loopback));
		}
	}
	return next(fd, address, length);
}

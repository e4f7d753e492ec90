// Binds one listening socket per line of output and prints its local
// address: "v4 ADDRESS", "dual ADDRESS" (IPv6, IPv4 clients allowed),
// "v6only ADDRESS", "v4-given ADDRESS" (bound to 127.0.0.1 on purpose), and
// "dual-accepts yes|no" whether an IPv4 loopback client reaches the dual
// socket.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdio.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>


static void
print_local(const char* what, int fd)
{
	sockaddr_storage local;
	socklen_t length = sizeof(local);
	char text[INET6_ADDRSTRLEN] = "?";
	if (getsockname(fd, (sockaddr*)&local, &length) == 0) {
		if (local.ss_family == AF_INET) {
			inet_ntop(AF_INET, &((sockaddr_in*)&local)->sin_addr, text,
				sizeof(text));
		} else {
			inet_ntop(AF_INET6, &((sockaddr_in6*)&local)->sin6_addr, text,
				sizeof(text));
		}
	}
	printf("%s %s\n", what, text);
}


static int
bound_v4(in_addr_t address)
{
	int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_in where = {};
	where.sin_family = AF_INET;
	where.sin_addr.s_addr = address;
	if (bind(fd, (sockaddr*)&where, sizeof(where)) != 0 || listen(fd, 1) != 0)
		printf("v4 bind failed\n");
	return fd;
}


static int
bound_v6(int v6Only)
{
	int fd = socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
	setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6Only, sizeof(v6Only));
	sockaddr_in6 where = {};
	where.sin6_family = AF_INET6;
	where.sin6_addr = in6addr_any;
	if (bind(fd, (sockaddr*)&where, sizeof(where)) != 0 || listen(fd, 1) != 0)
		printf("v6 bind failed\n");
	return fd;
}


int
main()
{
	int v4 = bound_v4(htonl(INADDR_ANY));
	print_local("v4", v4);
	int given = bound_v4(htonl(INADDR_LOOPBACK));
	print_local("v4-given", given);
	int dual = bound_v6(0);
	print_local("dual", dual);
	int v6Only = bound_v6(1);
	print_local("v6only", v6Only);

	// An IPv4 client on loopback reaches the dual-stack socket.
	sockaddr_in6 local;
	socklen_t length = sizeof(local);
	getsockname(dual, (sockaddr*)&local, &length);
	int client = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_in to = {};
	to.sin_family = AF_INET;
	to.sin_port = local.sin6_port;
	to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	bool reached = connect(client, (sockaddr*)&to, sizeof(to)) == 0;
	printf("dual-accepts %s\n", reached ? "yes" : "no");

	close(client);
	close(v4);
	close(given);
	close(dual);
	close(v6Only);
	return 0;
}

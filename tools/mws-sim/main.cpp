// mws-sim: a relay box that answers on loopback only, for tests and the demo.
//
//   mws-sim [--port N] [--down]
//
// Prints "mws-sim listening on 127.0.0.1:PORT" (PORT is the real one when N
// is 0), then one line per request with the relay states after it. With
// --down it accepts connections and never answers, as a box that hangs.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <httplib.h>

#include "RelayBox.h"


static void
Usage()
{
	fprintf(stderr, "usage: mws-sim [--port N] [--down]\n");
	exit(2);
}


// Holds every connection open without reading or answering.
static int
RunDown(int port)
{
	int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	int one = 1;
	setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
	sockaddr_in address = {};
	address.sin_family = AF_INET;
	address.sin_port = htons(port);
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	socklen_t length = sizeof(address);
	if (bind(fd, (sockaddr*)&address, sizeof(address)) != 0
		|| listen(fd, 64) != 0
		|| getsockname(fd, (sockaddr*)&address, &length) != 0) {
		perror("mws-sim");
		return 1;
	}
	printf("mws-sim listening on 127.0.0.1:%d (down: never answers)\n",
		ntohs(address.sin_port));

	std::vector<int> held;
	while (true) {
		int client = accept4(fd, NULL, NULL, SOCK_CLOEXEC);
		if (client < 0)
			continue;
		held.push_back(client);
		printf("connection %zu held, no answer\n", held.size());
	}
}


int
main(int argc, char** argv)
{
	setvbuf(stdout, NULL, _IOLBF, 0);
	signal(SIGPIPE, SIG_IGN);

	int port = 0;
	bool down = false;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
			char* end = NULL;
			long value = strtol(argv[++i], &end, 10);
			if (*end != '\0' || value < 0 || value > 65535)
				Usage();
			port = (int)value;
		} else if (strcmp(argv[i], "--down") == 0) {
			down = true;
		} else {
			Usage();
		}
	}
	if (down)
		return RunDown(port);

	RelayBox box;
	httplib::Server server;
	server.Get("/", [&box](const httplib::Request& request,
			httplib::Response& response) {
		// The box takes the raw query: "/?4=0".
		std::string query;
		for (const auto& param : request.params) {
			if (!query.empty())
				query += '&';
			query += param.first + "=" + param.second;
		}
		std::string result = box.Apply(query);
		printf("GET /?%s -> %s | %s\n", query.c_str(), result.c_str(),
			box.States().c_str());
		response.set_content("OK " + box.States() + "\n", "text/plain");
	});
	server.set_error_handler([](const httplib::Request& request,
			httplib::Response& response) {
		printf("%s %s -> %d\n", request.method.c_str(), request.path.c_str(),
			response.status);
	});

	int bound = port;
	if (port == 0)
		bound = server.bind_to_any_port("127.0.0.1");
	else if (!server.bind_to_port("127.0.0.1", port))
		bound = -1;
	if (bound < 0) {
		fprintf(stderr, "mws-sim: cannot listen on 127.0.0.1:%d\n", port);
		return 1;
	}
	printf("mws-sim listening on 127.0.0.1:%d | %s\n", bound,
		box.States().c_str());
	return server.listen_after_bind() ? 0 : 1;
}

// Captures what a piece of code writes to standard output.
#ifndef CAPTURE_OUTPUT_H
#define CAPTURE_OUTPUT_H

#include <stdio.h>
#include <unistd.h>

#include <string>

template<typename Function>
std::string
CaptureOutput(Function function)
{
	fflush(stdout);
	FILE* file = tmpfile();
	int saved = dup(fileno(stdout));
	dup2(fileno(file), fileno(stdout));
	function();
	fflush(stdout);
	dup2(saved, fileno(stdout));
	close(saved);

	std::string output;
	rewind(file);
	char buffer[4096];
	size_t length;
	while ((length = fread(buffer, 1, sizeof(buffer), file)) > 0)
		output.append(buffer, length);
	fclose(file);
	return output;
}

#endif	// CAPTURE_OUTPUT_H

// Stands in for a program the terminal starts (xdg-open): appends its
// arguments, one a line, to the file $ZELMORA_ARGV_LOG, so a test sees
// exactly what the terminal handed over.
#include <stdio.h>
#include <stdlib.h>


int
main(int argc, char** argv)
{
	const char* path = getenv("ZELMORA_ARGV_LOG");
	FILE* log = path != NULL ? fopen(path, "a") : NULL;
	if (log == NULL)
		return 1;
	for (int i = 1; i < argc; i++)
		fprintf(log, "%s\n", argv[i]);
	fclose(log);
	return 0;
}

#include <stdio.h>

#include "ZLMApplication.h"


int
main()
{
	printf("-ZLM begin-\n");
	{
		ZLMApplication application;
		application.Run();
		printf("\n-ZLM end-\n");
	}
	return 0;
}

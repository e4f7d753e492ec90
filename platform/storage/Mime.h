// Shared definitions of the MIME types of files.
#ifndef _MIME_H
#define _MIME_H

#include <SupportDefs.h>

enum app_verb {
	B_OPEN = 0
};

#endif	// _MIME_H

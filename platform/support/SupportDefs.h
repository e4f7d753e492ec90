// Basic types of the BeOS API.
#ifndef _SUPPORT_DEFS_H
#define _SUPPORT_DEFS_H

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#include <Errors.h>

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

typedef volatile int32 vint32;
typedef int32 status_t;
typedef int64 bigtime_t;
typedef int64 off_t_be;
typedef uint32 type_code;
typedef uint32 perform_code;
typedef int32 thread_id;
typedef int32 team_id;
typedef int32 sem_id;
typedef int32 port_id;
typedef uint8 uchar;

#ifndef B_INFINITE_TIMEOUT
#	define B_INFINITE_TIMEOUT ((bigtime_t)INT64_MAX)
#endif

#define B_FILE_NAME_LENGTH 256
#define B_PATH_NAME_LENGTH 1024
#define B_ATTR_NAME_LENGTH 256
#define B_MIME_TYPE_LENGTH 256

#ifndef min_c
#	define min_c(a, b) ((a) > (b) ? (b) : (a))
#	define max_c(a, b) ((a) > (b) ? (a) : (b))
#endif

#endif	// _SUPPORT_DEFS_H

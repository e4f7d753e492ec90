#include <SupportDefs.h>

#include <gtest/gtest.h>

// Callers test results with "< B_OK"; every error code must be negative,
// including those that borrow a POSIX name.
TEST(StatusCodes, EveryErrorIsNegative)
{
	const status_t codes[] = { B_ERROR, B_NO_MEMORY, B_BAD_VALUE,
		B_ENTRY_NOT_FOUND, B_NAME_NOT_FOUND, B_NAME_TOO_LONG, B_BAD_TYPE,
		B_BAD_INDEX, B_TIMED_OUT, B_WOULD_DEADLOCK, B_BUFFER_OVERFLOW,
		B_NOT_SUPPORTED, B_BAD_PORT_ID, B_FILE_ERROR };
	for (status_t code : codes)
		EXPECT_LT(code, B_OK) << code;
}

// Where the register finds its file when no test hands it a folder.
#include <Application.h>
#include <STimeModels.h>

#include <limits.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "TimeTestSupport.h"


TEST(RegisterLocation, BesideTheExecutableOfTheApplication)
{
	char executable[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", executable,
		sizeof(executable) - 1);
	ASSERT_GT(length, 0);
	executable[length] = '\0';
	std::string folder(executable);
	folder.erase(folder.rfind('/'));

	STimeModels::SetDataFolder(NULL);
	BApplication application("application/x-vnd.zelmora-models-test");
	STimeModels* models = NULL;
	captured_output([&] { models = new STimeModels(); });
	EXPECT_EQ(folder + "/Employee/_Time_Profiles_", models->fPath.Path());
	captured_output([&] { delete models; });
}

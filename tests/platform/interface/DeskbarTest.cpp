// The Deskbar registry: items by name, held while their process lives.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include <Deskbar.h>
#include <View.h>

#include <gtest/gtest.h>


static std::string
unique_name(const char* base)
{
	return std::string(base) + "-" + std::to_string(getpid());
}


TEST(Deskbar, OwnItemsByName)
{
	BDeskbar deskbar;
	std::string name = unique_name("ScanletView");
	BView view(BRect(0, 0, 15, 15), name.c_str(), B_FOLLOW_NONE, 0);
	EXPECT_FALSE(deskbar.HasItem(name.c_str()));
	int32 id = -1;
	ASSERT_EQ(deskbar.AddItem(&view, &id), B_OK);
	EXPECT_GT(id, 0);
	EXPECT_TRUE(deskbar.HasItem(name.c_str()));
	EXPECT_TRUE(deskbar.HasItem(id));
	EXPECT_GE(deskbar.CountItems(), 1u);
	EXPECT_EQ(deskbar.AddItem(&view), B_NAME_IN_USE);

	EXPECT_EQ(deskbar.RemoveItem(name.c_str()), B_OK);
	EXPECT_FALSE(deskbar.HasItem(name.c_str()));
	EXPECT_FALSE(deskbar.HasItem(id));
	EXPECT_EQ(deskbar.RemoveItem(name.c_str()), B_NAME_NOT_FOUND);

	// Names never leave the registry's folder.
	BView bad(BRect(0, 0, 15, 15), "../escape", B_FOLLOW_NONE, 0);
	EXPECT_EQ(deskbar.AddItem(&bad), B_BAD_VALUE);
	BView empty(BRect(0, 0, 15, 15), "", B_FOLLOW_NONE, 0);
	EXPECT_EQ(deskbar.AddItem(&empty), B_BAD_VALUE);
	EXPECT_FALSE(deskbar.HasItem(".."));
	EXPECT_EQ(deskbar.AddItem(NULL), B_BAD_VALUE);
}


// A child process adds an item, reports, and waits until told to end (or
// is killed): the item is there while it runs and gone afterwards.
static pid_t
start_owner(const std::string& name, int* release)
{
	int ready[2], hold[2];
	if (pipe(ready) != 0 || pipe(hold) != 0)
		return -1;
	pid_t pid = fork();
	if (pid == 0) {
		close(ready[0]);
		close(hold[1]);
		BView view(BRect(0, 0, 15, 15), name.c_str(), B_FOLLOW_NONE, 0);
		char result = BDeskbar().AddItem(&view) == B_OK ? 'y' : 'n';
		if (write(ready[1], &result, 1) != 1)
			_exit(2);
		char buffer;
		while (read(hold[0], &buffer, 1) > 0) {
		}
		_exit(0);
	}
	close(ready[1]);
	close(hold[0]);
	char result = 0;
	if (read(ready[0], &result, 1) != 1 || result != 'y') {
		close(ready[0]);
		close(hold[1]);
		kill(pid, SIGKILL);
		waitpid(pid, NULL, 0);
		return -1;
	}
	close(ready[0]);
	*release = hold[1];
	return pid;
}


TEST(Deskbar, ItemsVanishWithTheirOwner)
{
	BDeskbar deskbar;
	std::string name = unique_name("OwnerView");
	int release = -1;
	pid_t pid = start_owner(name, &release);
	ASSERT_GT(pid, 0);
	EXPECT_TRUE(deskbar.HasItem(name.c_str()));
	// Another process cannot take the name while the owner runs.
	BView view(BRect(0, 0, 15, 15), name.c_str(), B_FOLLOW_NONE, 0);
	EXPECT_EQ(deskbar.AddItem(&view), B_NAME_IN_USE);
	close(release);
	int status = 0;
	ASSERT_EQ(waitpid(pid, &status, 0), pid);
	EXPECT_FALSE(deskbar.HasItem(name.c_str()));

	// A killed owner takes its item along too; the name is free again.
	pid = start_owner(name, &release);
	ASSERT_GT(pid, 0);
	EXPECT_TRUE(deskbar.HasItem(name.c_str()));
	kill(pid, SIGKILL);
	ASSERT_EQ(waitpid(pid, &status, 0), pid);
	close(release);
	EXPECT_FALSE(deskbar.HasItem(name.c_str()));
	EXPECT_EQ(deskbar.AddItem(&view), B_OK);
	EXPECT_EQ(deskbar.RemoveItem(name.c_str()), B_OK);
}

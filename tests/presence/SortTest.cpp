// The order of the rows by person: the same as a neighbour exchange that
// swaps only a strictly greater name (case-insensitive), so equal names
// keep the order they had.
#include "PresenceTest.h"

#include <strings.h>

#include <random>
#include <utility>
#include <vector>

namespace {

typedef std::pair<std::string, std::string> TagAndName;


// Compares neighbours from the front, swaps a greater name with the next
// and starts again from the front, until a pass swaps nothing.
void
exchange_sort(std::vector<TagAndName>& rows)
{
	bool swapped = true;
	while (swapped) {
		swapped = false;
		for (size_t i = 0; i + 1 < rows.size(); i++) {
			if (strcasecmp(rows[i].second.c_str(),
					rows[i + 1].second.c_str()) > 0) {
				std::swap(rows[i], rows[i + 1]);
				swapped = true;
				break;
			}
		}
	}
}

}	// namespace


class SortTest : public PresenceTest {
protected:
	// Opens the window on a register of these rows; they get tags in
	// their order.
	std::vector<TagAndName> OpenWith(const std::vector<std::string>& names)
	{
		std::vector<TagAndName> rows;
		std::string text;
		for (size_t i = 0; i < names.size(); i++) {
			char tag[16];
			snprintf(tag, sizeof(tag), "S%07d", (int)i);
			rows.push_back({ tag, names[i] });
			text += std::string(tag) + "\t\t" + names[i] + "\t\n";
		}
		WriteRegister(text);
		Open();
		return rows;
	}

	std::vector<TagAndName> Rows() const
	{
		std::vector<TagAndName> rows;
		for (int32 i = 0; i < window->CountRows(); i++) {
			rows.push_back({ window->RowAt(i)->TagId(),
				window->RowAt(i)->RealName() });
		}
		return rows;
	}
};


TEST_F(SortTest, CaseIsIgnoredAndEqualNamesKeepTheirOrder)
{
	std::vector<TagAndName> rows = OpenWith({ "zoe", "Anna", "-", "bert",
		"ANNA", "!Off", "Zoe", "anna", "Anna Maria", "\xc3\x84rger", "Bert",
		"-", "anna" });
	ASSERT_EQ(Rows(), rows);
	exchange_sort(rows);
	window->SortTagsList();
	EXPECT_EQ(Rows(), rows);
	// After "!Off" and the two "-", the four "anna"s in the order of the
	// register, then "Anna Maria".
	EXPECT_EQ(rows[3].first, "S0000001");
	EXPECT_EQ(rows[4].first, "S0000004");
	EXPECT_EQ(rows[5].first, "S0000007");
	EXPECT_EQ(rows[6].first, "S0000012");
	EXPECT_EQ(rows[7].first, "S0000008");

	// Sorting again changes nothing.
	window->SortTagsList();
	EXPECT_EQ(Rows(), rows);
}


TEST_F(SortTest, ManyRowsWithFewNamesInMixedCase)
{
	std::mt19937 random(17);
	const char* pool[] = { "meier", "mueller", "schmidt", "x", "weber",
		"a", "Ab", "mei", "meier-schmidt" };
	std::vector<std::string> names;
	for (int i = 0; i < 300; i++) {
		std::string name = pool[random() % 9];
		for (char& c : name) {
			if (random() % 2 == 0)
				c = toupper((unsigned char)c);
		}
		names.push_back(name);
	}
	std::vector<TagAndName> rows = OpenWith(names);
	exchange_sort(rows);
	window->SortTagsList();
	EXPECT_EQ(Rows(), rows);
}

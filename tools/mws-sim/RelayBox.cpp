#include "RelayBox.h"

#include <stdlib.h>


RelayBox::RelayBox()
{
	for (int i = 0; i < kRelays; i++)
		fOn[i] = false;
}


std::string
RelayBox::Apply(const std::string& query)
{
	size_t equal = query.find('=');
	if (equal == std::string::npos || equal == 0 || equal + 1 >= query.size())
		return "ignored (no K=V)";

	std::string key = query.substr(0, equal);
	std::string value = query.substr(equal + 1);
	char* end = NULL;
	long k = strtol(key.c_str(), &end, 10);
	if (*end != '\0' || k < 3 || k > 6)
		return "ignored (key " + key + " is no relay)";
	if (value != "0" && value != "1")
		return "ignored (value " + value + " is neither 0 nor 1)";

	int relay = (int)k - 2;
	bool on = value == "0";
	{
		std::lock_guard<std::mutex> lock(fLock);
		fOn[relay - 1] = on;
	}
	return "relay " + std::to_string(relay) + (on ? " on" : " off");
}


std::string
RelayBox::States() const
{
	std::lock_guard<std::mutex> lock(fLock);
	std::string text;
	for (int i = 0; i < kRelays; i++) {
		if (i > 0)
			text += ' ';
		text += std::to_string(i + 1) + (fOn[i] ? ":on" : ":off");
	}
	return text;
}


bool
RelayBox::IsOn(int relay) const
{
	std::lock_guard<std::mutex> lock(fLock);
	return relay >= 1 && relay <= kRelays && fOn[relay - 1];
}

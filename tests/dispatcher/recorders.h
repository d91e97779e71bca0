// Recording stand-ins for every executor the dispatcher calls: each call is
// logged as the operation's name and its arguments.
#pragma once
#include <string>
#include <vector>

extern std::vector<std::string> CallLog;

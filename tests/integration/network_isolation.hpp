#pragma once
// Gives the test process a network and mount namespace of its own, so its
// avahi, printers and cupsd neither see nor disturb those of another test run
// on the same machine (or the machine's own). Only works as root, and only
// while the process has a single thread.

#include <string>

namespace orvane_test {

// True when the process now runs isolated; otherwise `why` says what failed
// and the process is unchanged (tests then share the machine's loopback).
bool isolate_network(std::string& why);

}  // namespace orvane_test

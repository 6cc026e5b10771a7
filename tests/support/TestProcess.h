#pragma once

#include <string>

namespace nameshift::testing {

// What every test binary sets up before its first test: no display needed (the Qt parts draw
// offscreen unless told otherwise), a UTF-8 locale, and a state folder of the process's own, for
// batches keep their journals and history in the user's state folder. The folder goes with it.
class TestProcess {
public:
    TestProcess();
    ~TestProcess();
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

private:
    std::string stateHome_;
};

}  // namespace nameshift::testing

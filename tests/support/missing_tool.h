#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace bw {

// Whether a developer asked to skip, rather than fail, the tests whose tools
// this machine lacks. CI never sets it.
inline bool MissingToolsAllowed() {
    const char* allowed = std::getenv("BLOCKWRIGHT_ALLOW_MISSING_TOOLS");
    return allowed != nullptr && std::string(allowed) == "1";
}

}  // namespace bw

// Ends a test that needs a tool this machine lacks. A proof that did not run
// must not read as a pass: the test fails naming the tool and what installs
// it, unless BLOCKWRIGHT_ALLOW_MISSING_TOOLS=1 turns that into a skip. A test
// program built for another system (the Windows tests under Wine) never has
// this system's own tools: there the test is skipped, as CI expects.
#define BW_MISSING_TOOL(why)                                                              \
    do {                                                                                  \
        if (!BLOCKWRIGHT_HOST_TOOLS_EXPECTED) {                                           \
            GTEST_SKIP() << "not in a cross-built test program: " << (why);               \
        } else if (::bw::MissingToolsAllowed()) {                                         \
            GTEST_SKIP() << "missing tool, BLOCKWRIGHT_ALLOW_MISSING_TOOLS=1: " << (why); \
        } else {                                                                          \
            FAIL() << (why) << " (BLOCKWRIGHT_ALLOW_MISSING_TOOLS=1 skips this instead)"; \
        }                                                                                 \
    } while (false)

// Ends a test that needs a tool this machine lacks which the test program
// reaches whatever system it was built for (the Linux cross compilers, which
// the Windows tests start through Wine): it fails naming the tool, unless
// BLOCKWRIGHT_ALLOW_MISSING_TOOLS=1 turns that into a skip.
#define BW_MISSING_REACHABLE_TOOL(why)                                                    \
    do {                                                                                  \
        if (::bw::MissingToolsAllowed()) {                                                \
            GTEST_SKIP() << "missing tool, BLOCKWRIGHT_ALLOW_MISSING_TOOLS=1: " << (why); \
        } else {                                                                          \
            FAIL() << (why) << " (BLOCKWRIGHT_ALLOW_MISSING_TOOLS=1 skips this instead)"; \
        }                                                                                 \
    } while (false)

#include <gtest/gtest.h>

#include "frame/ComponentMessage.h"

namespace {

TEST(ComponentMessage, NamesTheComponentInQuotesBeforeTheProblem) {
    EXPECT_EQ(kestrix::ComponentMessage("NumIO1", kestrix::ProblemNoTimer),
              "Component \"NumIO1\": no timer available");
}

TEST(ComponentMessage, ProblemTextsAreTheUsersWording) {
    struct Case {
        std::string_view Problem;
        const char* Expected;
    };
    const Case Cases[] = {
        {kestrix::ProblemNoTimer, "Component \"X\": no timer available"},
        {kestrix::ProblemIntegerOverflow, "Component \"X\": integer overflow"},
        {kestrix::ProblemNoHeap, "Component \"X\": not enough memory on heap"},
        {kestrix::ProblemInitOutOfMemory, "Component \"X\": failed to initialize (out of memory)"},
        {kestrix::ProblemInitTableEditor,
         "Component \"X\": failed to initialize table editor (out of memory)"},
    };
    for (const Case& C : Cases) EXPECT_EQ(kestrix::ComponentMessage("X", C.Problem), C.Expected);
}

TEST(ComponentMessage, AnUnnamedComponentStillGetsItsQuotes) {
    EXPECT_EQ(kestrix::ComponentMessage("", kestrix::ProblemIntegerOverflow),
              "Component \"\": integer overflow");
}

}  // namespace

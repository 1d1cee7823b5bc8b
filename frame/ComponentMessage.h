// The wording of errors that concern a component's run-time resources.
//
// Every such message names the component, so that a user who sees it on a
// form with many similar controls knows which one failed:
//     Component "NumIO1": no timer available
#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// The problem texts a component message can end with.
inline constexpr std::string_view ProblemNoTimer = "no timer available";
inline constexpr std::string_view ProblemIntegerOverflow = "integer overflow";
inline constexpr std::string_view ProblemNoHeap = "not enough memory on heap";
inline constexpr std::string_view ProblemInitOutOfMemory = "failed to initialize (out of memory)";
inline constexpr std::string_view ProblemInitTableEditor =
    "failed to initialize table editor (out of memory)";

// "Component " + '"' + ComponentName + '"' + ": " + Problem.
std::string ComponentMessage(std::string_view ComponentName, std::string_view Problem);

}  // namespace kestrix

#pragma once
// The three ways the program meets a failure, by name, so a reader of a
// command sees which one it follows:
//   SkipOnFailure    the failing step ends where it failed, the user is told,
//                    and the command goes on with its next step;
//   StopWithMessage  the command ends, and the user is told why (unless the
//                    failure has no words);
//   IgnoreFailure    the failing step passes without a word.
// A routine that can fail returns a Result (Result.h): its value, or a
// Failure with the words for the user and, where callers branch on it, its
// kind; its caller meets a failure through StopWithMessage, or hands it on.
// Only the printer adapter and the picture record throw, so SkipOnFailure and
// IgnoreFailure wrap steps that call them, and nothing else.

#include "platform/MessageSink.h"
#include "platform/Result.h"

#include <exception>
#include <utility>

namespace tarvex {

// Returns whether the step ran to its end.
template <typename Step>
bool SkipOnFailure(Step&& step, const MessageSink& tell)
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception& e) {
        if (tell)
            tell(QString::fromUtf8(e.what()));
    }
    return false;
}

// True when the caller is to stop: `result` failed, and has been told.
template <typename T, typename Kind>
bool StopWithMessage(const Result<T, Kind>& result, const MessageSink& tell)
{
    if (result.ok())
        return false;
    if (tell && !result.error().message.isEmpty())
        tell(result.error().message);
    return true;
}

template <typename Kind>
bool StopWithMessage(const Failure<Kind>& failure, const MessageSink& tell)
{
    return StopWithMessage(Result<void, Kind>(failure), tell);
}

template <typename Step>
void IgnoreFailure(Step&& step)
{
    SkipOnFailure(std::forward<Step>(step), MessageSink());
}

} // namespace tarvex

#pragma once
// How a routine that can fail hands back the outcome: ok, or failed with the
// words the user is to read. The words may be empty where a failure passes
// without one (a polar table without data rows is not saved). `Status` names
// the kinds of failure where a caller branches on the kind; its enumerator
// `Ok` is success. Callers that only need "ok or why not" use Result<>.

#include <QString>
#include <utility>

namespace tarvex {

enum class Outcome { Ok, Failed };

template <typename Status = Outcome>
struct Result {
    Status status = Status::Ok;
    QString message;

    bool ok() const { return status == Status::Ok; }
};

// A failure of the plain kind, with what the user is to read.
inline Result<> Failure(QString message)
{
    return {Outcome::Failed, std::move(message)};
}

} // namespace tarvex

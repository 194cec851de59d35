#pragma once
// Where tools that play the bench on a pseudo-terminal (tools/benchsim) put a
// link to it, so that the program lists it among the serial ports: one folder
// per user, the same for every process of that user, no setting involved.
// Plain C++ so that such tools need nothing else of the program.

#include <string>
#include <unistd.h>

namespace tarvex {

inline std::string PortLinkFolder()
{
    return "/tmp/tarvex-ports-" + std::to_string(static_cast<unsigned long long>(::geteuid()));
}

} // namespace tarvex

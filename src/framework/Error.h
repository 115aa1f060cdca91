#pragma once
// The numbered error that procedures pass to their callers (number, source,
// description), as the registry class raises it. Procedures that "go on with the
// next statement" never throw it; procedures that pass errors up do.
#include <stdexcept>
#include <string>

namespace gf {

class Error : public std::runtime_error {
public:
    Error(long number, std::string source, std::string description)
        : std::runtime_error(source + ": " + description + " (" + std::to_string(number) + ")"),
          Number(number), Source(std::move(source)), Description(std::move(description)) {}

    long Number;
    std::string Source;
    std::string Description;
};

}  // namespace gf

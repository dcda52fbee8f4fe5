// Feeds arbitrary text to build's JSON reader. A refusal must say where and
// keep no car; what it accepts must dump back to JSON that builds the very
// same bytes.
#include "FuzzSupport.h"
#include "LibraryJson.h"

using fuzz::bytesOf;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const cli::JsonLibrary built =
        cli::BuildFromJson(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!built.error.isEmpty()) {
        require(built.cars.empty(), "a refused build kept cars");
        return 0;
    }
    require(!built.cars.empty() && built.cars.size() <= std::size_t{modLoad::MaxCars}, "built a library of no cars or too many");
    const cli::JsonLibrary again = cli::BuildFromJson(cli::DumpJson(built.cars));
    require(again.error.isEmpty(), "the dump of what was built is refused");
    require(bytesOf(again.cars) == bytesOf(built.cars), "the dump of what was built builds other bytes");
    return 0;
}

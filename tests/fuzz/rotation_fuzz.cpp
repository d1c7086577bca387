// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_invariants.h"
#include "rotation/rotation.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "invariant broken: %s\n", why.c_str());
    std::abort();
}

} // namespace

// Any bytes as the input text: either OutOfRange with nothing written, or a report that keeps
// every promise.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rotation::Analysis analysis;
    analysis.RotationReport = "previous report\r\n";
    analysis.EnteredBinary = "previous";
    analysis.InputText.assign(reinterpret_cast<const char*>(data), size);
    try {
        analysis.BuildRotations();
    } catch (const rotation::OutOfRange&) {
        if (analysis.RotationReport != "previous report\r\n" ||
            analysis.EnteredBinary != "previous" || analysis.List1.Count() != 0)
            fail("OutOfRange after writing");
        return 0;
    }
    if (const std::string violation = reportViolation(analysis); !violation.empty())
        fail(violation);
    return 0;
}

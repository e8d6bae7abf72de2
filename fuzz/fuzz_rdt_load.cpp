// Fuzz target for the codeplug file loaders: the whole-file loader with its contact block, the
// header-only loader of the initial files, and what runs on a loaded codeplug at once (the
// member-list clean-up, reference repair). Besides not crashing: every file the loader accepts
// is written again, and that file reads back and writes the same bytes.
#include "file/rdt_format.h"
#include "model/reference_repair.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace r605;

void check(bool condition) {
    if (!condition)
        std::abort();
}

void repairAll(Codeplug& codeplug) {
    CleanZoneAndScanListMembers(codeplug);
    RepairScanListRefs(codeplug);
    RepairRxGroupRefs(codeplug);
    RepairZoneRefs(codeplug);
    RepairChannelRefs(codeplug, 1, 1);
    RepairRadioIdRefs(codeplug, 1, 1);
    RepairContactRefs(codeplug, 1, 1, 1);
    SwapZoneRefs(codeplug, 0, 15);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Codeplugs are some MiB: the decoders reuse these from one input to the next.
    static Codeplug settings = NumberedEmptyCodeplug();
    static DecodedCodeplugFile decoded;
    static DecodedCodeplugFile again;

    const bool settingsRead = AdoptCodeplugFileSettings(bytes, settings).ok();
    if (!DecodeCodeplugFileInto(bytes, decoded).ok())
        return 0;
    check(settingsRead);

    // What the load repaired is written repaired: it reads back without a repair.
    const std::string written = EncodeCodeplugFile(decoded.codeplug, decoded.textForm).bytes;
    check(DecodeCodeplugFileInto(written, again).ok());
    check(again.warnings.empty());
    check(EncodeCodeplugFile(again.codeplug, again.textForm).bytes == written);

    repairAll(decoded.codeplug);
    (void)EncodeCodeplugFile(decoded.codeplug, decoded.textForm);
    return 0;
}

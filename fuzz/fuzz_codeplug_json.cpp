// Fuzz target for the codeplug JSON reader: any text is either refused with a message or gives a
// codeplug that encode-all takes without failure (everything the reader accepts fits its field)
// and that the writer gives back as the same JSON.
#include "image/family_codecs.h"
#include "json/codeplug_json.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace r605;
    auto codeplug = CodeplugFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!codeplug)
        return 0;
    const std::string text = CodeplugToJson(*codeplug);
    auto again = CodeplugFromJson(text);
    if (!again || CodeplugToJson(*again) != text)
        std::abort();
    CommImage image;
    SetCommDataAll(*codeplug, image);
    if (!image.EncodeOK)
        std::abort();
    return 0;
}

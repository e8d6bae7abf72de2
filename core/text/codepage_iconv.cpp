// Code page 936 through iconv (POSIX systems).
#include "text/codepage_backend.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace r605::codepage {

namespace {

// One converter per direction and thread, opened on first use: iconv_open is far too slow to
// call for each of 10000 contacts.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; every sequence iconv refuses is replaced by "?" and skipped by
    // `skipLength` of the offending position.
    template <class SkipLength> std::string convert(std::string_view input, SkipLength skipLength) {
        std::string output;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return std::string(input.size(), '?');
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        output.resize(input.size() * 2 + 8);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t produced = 0;
        while (inLeft > 0) {
            char* out = output.data() + produced;
            std::size_t outLeft = output.size() - produced;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            produced = output.size() - outLeft;
            if (rc != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: an unconvertible or broken sequence.
            const std::size_t skip = std::max<std::size_t>(
                1, std::min(inLeft, skipLength(std::string_view(in, inLeft))));
            in += skip;
            inLeft -= skip;
            if (output.size() - produced < 1)
                output.resize(output.size() * 2);
            output[produced++] = '?';
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        output.resize(produced);
        return output;
    }

private:
    iconv_t m_cd;
};

std::size_t utf8RefusedLength(std::string_view rest) {
    const std::size_t length = validUtf8SequenceAt(rest);
    return length == 0 ? 1 : length;
}

} // namespace

std::string utf8ToGbk(std::string_view utf8) {
    thread_local Converter converter("CP936", "UTF-8");
    return converter.convert(utf8, utf8RefusedLength);
}

std::string gbkToUtf8(std::string_view bytes) {
    thread_local Converter converter("UTF-8", "CP936");
    return converter.convert(bytes, gbkRefusedLength);
}

} // namespace r605::codepage
